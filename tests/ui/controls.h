#pragma once
// A window's control by its name; a missing one ends the test at once.
#include <QWidget>

namespace kalvora::testing {

template <typename W>
W* child(QWidget& view, const QString& name) {
    W* w = view.findChild<W*>(name);
    if (!w) qFatal("no control %s", qPrintable(name));
    return w;
}

}  // namespace kalvora::testing
