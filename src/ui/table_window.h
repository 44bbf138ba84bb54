#pragma once
// The frame every table window shares: a fixed-size column under the application icon, captioned
// frames with their help text, and at the foot a sunken line over the Conferma/Annulla bar.
#include "ui/table_grid.h"

#include <QMargins>
#include <QObject>
#include <QToolButton>

class QDialog;
class QGroupBox;
class QLabel;
class QVBoxLayout;
class QWidget;

namespace kalvora::ui {

// Names the window, gives it the application icon and the title-bar buttons of a table window;
// returns the column its contents go in, which sizes the window to them.
QVBoxLayout* tableWindowColumn(QDialog* window, const QString& name, const QMargins& margins = QMargins(14, 14, 14, 12),
                               int spacing = 10);

// A captioned frame whose contents stack downwards in its QVBoxLayout.
QGroupBox* tableFrame(const QString& caption, QWidget* parent);

// The help text "aiuto" at the bottom of a frame made by tableFrame.
QLabel* addHelp(QGroupBox* frame, const QString& text);

// Closes the column with the sunken line and the button bar.
TableButtons addTableFoot(QDialog* window, QVBoxLayout* column);

// The same, with Conferma and Annulla handed to the form; `after` then shows what the form did.
template <typename Form, typename After>
TableButtons addTableFoot(QDialog* window, QVBoxLayout* column, Form& form, After after) {
    const TableButtons buttons = addTableFoot(window, column);
    QObject::connect(buttons.confirm, &QToolButton::clicked, window, [&form, after] {
        form.confirm();
        after();
    });
    QObject::connect(buttons.exit, &QToolButton::clicked, window, [&form, after] {
        form.exitWindow();
        after();
    });
    return buttons;
}

// Esc and the title-bar cross leave as Annulla does, unless the form has already closed.
template <typename Form>
void leaveTable(Form& form) {
    if (!form.closed()) form.exitWindow();
}

// Puts widgets one after another in the Tab order.
class TabChain {
public:
    void operator()(QWidget* next);
    template <typename Range>
    void all(const Range& widgets) {
        for (QWidget* w : widgets) (*this)(w);
    }

private:
    QWidget* previous_ = nullptr;
};

}  // namespace kalvora::ui
