#pragma once
// The base of the program's dialogs: every user action goes to the form, then the dialog shows
// the form's state again and goes away once the form has closed. Esc and the close box leave
// as the dialog's leaveForm() says; a form that refuses to close keeps the dialog open.
#include "core/form.h"
#include "ui/dialog_button.h"

#include <QDialog>
#include <QMargins>

#include <functional>

class QAbstractButton;
class QIcon;
class QBoxLayout;
class QVBoxLayout;

namespace kalvora::ui {

// Names a dialog, gives it its icon and the title-bar buttons of `kind` with a close box, and
// returns the column its contents go in, which fixes the dialog's size to them.
QVBoxLayout* dialogColumn(QDialog* dialog, const QString& name, const QIcon& icon,
                          const QMargins& margins = QMargins(14, 14, 14, 12), int spacing = 10,
                          Qt::WindowFlags kind = Qt::Dialog);

class FormDialog : public QDialog {
    Q_OBJECT
public:
    explicit FormDialog(core::Form& form, QWidget* parent = nullptr);

    // Reads the form's state back into the widgets.
    virtual void refresh() {}

public slots:
    void reject() override;  // Esc: leaves as the close box does

protected:
    void closeEvent(QCloseEvent* event) override;

    // What leaving without confirming does to the form (Annulla, the close box, Esc).
    virtual void leaveForm() = 0;
    // Puts the focus where the form has it.
    virtual void focusField() {}

    // After an action: shows the form's state and closes when the form has closed.
    void afterAction();
    // The same, and the focus goes where the form says while the dialog stays open.
    void afterMove();
    // A click on `button` runs `action` on the form, then afterMove().
    void onClick(QAbstractButton* button, std::function<void()> action);
    // Leaves as the close box does.
    void leave();
    // Adds to `column` the bar of Conferma, which runs `confirm` on the form, and Annulla, which
    // leaves as the close box does.
    DialogButtons addButtons(QBoxLayout* column, std::function<void()> confirm);

private:
    core::Form& form_;
};

}  // namespace kalvora::ui
