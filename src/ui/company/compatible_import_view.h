#pragma once
// The import window zelabem: the drive list Drive1 and the folder list Dir1 under "Selezione
// periferica o cartella", the chosen folder in Text1 ("Cartella selezionata"), the file being
// copied in Label1, and bottone_1 "Conferma" / bottone_0 "Annulla".
#include "ui/form_dialog.h"

class QLabel;
class QLineEdit;

namespace kalvora::company {
class CompatibleImportForm;
}

namespace kalvora::ui {

class FolderChooserView;

class CompatibleImportView : public FormDialog {
    Q_OBJECT
public:
    explicit CompatibleImportView(company::CompatibleImportForm& form, QWidget* parent = nullptr);
    ~CompatibleImportView() override;
    void refresh() override;

protected:
    void leaveForm() override;

private:
    company::CompatibleImportForm& form_;
    FolderChooserView* chooser_ = nullptr;
    QLineEdit* folder_ = nullptr;
    QLabel* status_ = nullptr;
    DialogButtons buttons_;
};

}  // namespace kalvora::ui
