#include "images.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares the resource's registration function in the
// namespace it is used in, so it has to be used outside ctallix.
static void registerImageResource() {
    Q_INIT_RESOURCE(images);
}

void ctallix::initImages() {
    registerImageResource();
}
