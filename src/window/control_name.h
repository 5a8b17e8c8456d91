// The objectName of a window control: its control name, followed for an item
// of a control array by the item index in parentheses ("Pic3(2)",
// "Option1(7)"); a single control is named alone ("Command2", "Frame1").
#pragma once

#include <QString>

namespace ctallix {

inline QString controlName(const QString &name, int index = -1) {
    return index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

} // namespace ctallix
