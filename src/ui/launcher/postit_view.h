#pragma once
// The post-it editor zelpostit: the frame "Nuovo post-it" / "Modifica post-it" with the text and
// the expiry date, the explanations, and Conferma, Elimina, Annulla. Entering a field clears its
// hint; the close box leaves as closed without a button.
#include "launcher/postit_form.h"
#include "ui/form_dialog.h"

class QGroupBox;
class QLineEdit;

namespace kalvora::ui {

class PostitView : public FormDialog {
    Q_OBJECT
public:
    explicit PostitView(launcher::PostitForm& form, QWidget* parent = nullptr);

    void refresh() override;

protected:
    // Esc and the close box.
    void leaveForm() override { form_.closeBox(); }
    void focusField() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    launcher::PostitForm& form_;
    QGroupBox* frame_ = nullptr;
    QLineEdit* text_ = nullptr;    // testo
    QLineEdit* expiry_ = nullptr;  // scadenza
    bool shown_ = false;           // past the focus the window gives itself on showing
};

}  // namespace kalvora::ui
