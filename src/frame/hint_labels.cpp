// The hint labels under the columns: a click on either rail shows all ten,
// a click on any of them hides all ten. Captions are not touched.
#include "frame/form1_core.h"

namespace ctallix {

void Form1Core::Picture22_Click(std::int16_t /*Index*/) {
    for (col = 0; col <= 9; ++col)
        view_.setHintVisible(col, true);
}

void Form1Core::Lab1_Click(std::int16_t /*Index*/) {
    for (col = 0; col <= 9; ++col)
        view_.setHintVisible(col, false);
}

} // namespace ctallix
