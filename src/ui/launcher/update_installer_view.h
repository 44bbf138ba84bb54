#pragma once
// The update installer zelagg2: its help, the log List1 filled line by line while the update
// runs, cancella to delete the downloaded packages, bottone_1 to start and bottone_0 to leave.
#include "ui/form_dialog.h"

class QCheckBox;
class QListWidget;

namespace kalvora::launcher {
class UpdateInstallerForm;
}

namespace kalvora::ui {

class UpdateInstallerView : public FormDialog {
    Q_OBJECT
public:
    explicit UpdateInstallerView(launcher::UpdateInstallerForm& form, QWidget* parent = nullptr);
    // The form outlives its window: it stops telling this one of new log lines.
    ~UpdateInstallerView() override;
    void refresh() override;

protected:
    void leaveForm() override;

private:
    // Adds the log lines not shown yet and scrolls to the last one.
    void showLog();

    launcher::UpdateInstallerForm& form_;
    QListWidget* list_ = nullptr;
    QCheckBox* cancella_ = nullptr;
    DialogButtons buttons_;
};

}  // namespace kalvora::ui
