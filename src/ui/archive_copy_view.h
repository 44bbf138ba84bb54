#pragma once
// The backup window zelabak and the restore window zelarip: the grid Grid1 of the company files
// (a click turns a row's "SI" into "NO" and back), the scope choice Option1_0/Option1_1, the
// chosen folder Text1 with the drive and folder lists behind "Sfoglia", the buttons bottone_0
// (Esci), bottone_1 (start), bottone_2 (take the folder), bottone_3 ("SI" for all), bottone_4
// ("NO" for all), and the progress bar of the copy. The backup window adds its preferences.
#include "company/archive_copy.h"
#include "ui/form_dialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QRadioButton;
class QTableView;
class QWidget;

namespace kalvora::company {
class BackupForm;
}

namespace kalvora::ui {

class ColouredRowsModel;
class FolderChooserView;

class ArchiveCopyView : public FormDialog {
    Q_OBJECT
public:
    ArchiveCopyView(company::ArchiveCopyForm& form, QWidget* parent = nullptr);

    QTableView* grid() const { return grid_; }
    QProgressBar* progress() const { return progress_; }
    void refresh() override;

protected:
    void leaveForm() override { form_.closeWindow(); }

private:
    void addPreferences(QBoxLayout* column, company::BackupForm& backup);

    company::ArchiveCopyForm& form_;
    ColouredRowsModel* model_ = nullptr;
    QTableView* grid_ = nullptr;             // Grid1
    QRadioButton* scopes_[2] = {};           // Option1_0, Option1_1
    QLineEdit* folder_ = nullptr;            // Text1
    QWidget* browser_ = nullptr;             // the drive and folder lists and bottone_2
    FolderChooserView* chooser_ = nullptr;
    QProgressBar* progress_ = nullptr;       // ProgressBar1
    QLabel* lastBackup_ = nullptr;           // Label_data
    std::function<void()> refreshPreferences_;
};

}  // namespace kalvora::ui
