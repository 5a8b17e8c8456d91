// Form1's controls found by object name, and what its bead slots show, for
// the tests that work the real widgets.
#pragma once

#include "ui/controls.h"

#include <QString>
#include <QWidget>
#include <QtGlobal>

namespace ctallix::test {

// The control array of column k's upper slots: Pic05..Pic85, and pic95.
inline QString UpperArray(int k) {
    return k == 9 ? QStringLiteral("pic95") : QStringLiteral("Pic%1").arg(k) + u'5';
}

// The child of `form` called `name`, of type T; the test stops when there is
// none.
template <typename T = QWidget> T *Control(const QWidget &form, const QString &name) {
    T *w = form.findChild<T *>(name);
    if (w == nullptr)
        qFatal("no control %s", qPrintable(name));
    return w;
}

// The digits the beads show, column 9 first; "?" for a column whose slots
// do not form a digit (not exactly one gap in each half).
inline QString FrameDigits(const QWidget &form) {
    auto shows = [&form](const QString &name) {
        return Control<PictureBox>(form, name)->picture();
    };
    QString digits;
    for (int k = 9; k >= 0; --k) {
        int lower = -1, gaps = 0;
        for (int i = 0; i < 5; ++i) {
            if (shows(QStringLiteral("Pic%1(%2)").arg(k).arg(i)) == "gap") {
                lower = i;
                ++gaps;
            }
        }
        const QString up0 = shows(UpperArray(k) + "(0)");
        const QString up5 = shows(UpperArray(k) + "(5)");
        if (gaps != 1 || up0 == up5 || (up0 != "gap" && up0 != "bead")) {
            digits += '?';
            continue;
        }
        digits += QString::number((up0 == "bead" ? 5 : 0) + lower);
    }
    return digits;
}

} // namespace ctallix::test
