#pragma once
// A window's control by its name; a missing one ends the test at once. A form opened on a
// session of its own, with its view shown.
#include "support/test_session.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QWidget>

#include <functional>

namespace kalvora::testing {

template <typename W>
W* child(QWidget& view, const QString& name) {
    W* w = view.findChild<W*>(name);
    if (!w) qFatal("no control %s", qPrintable(name));
    return w;
}

// What a screen reader's or an automation tool's "Toggle" does: the state changes without a click.
inline void toggleAsAssistant(QAbstractButton* button) {
    QAccessible::setActive(true);
    QAccessible::queryAccessibleInterface(button)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
}

// `arrange` prepares the drive before the form opens; `args` follow the session in the form's
// constructor. Take the parts with `auto& [test, form, view] = opened;`.
template <typename Form, typename View>
struct Opened {
    template <typename... Args>
    explicit Opened(const std::function<void(TestSession&)>& arrange, Args&&... args)
        : form((arrange(test), test.session), std::forward<Args>(args)...), view((form.open(), form)) {
        view.show();
    }
    TestSession test;
    Form form;
    View view;
};

}  // namespace kalvora::testing
