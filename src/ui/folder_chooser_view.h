#pragma once
// The drive list Drive1 and the folder list Dir1 of the windows that pick a folder, bound to a
// core::FolderChooser. Not a window: the backup, restore and import windows hold one.
#include "core/folder_chooser.h"

#include <QWidget>

class QComboBox;
class QListWidget;

namespace kalvora::ui {

class FolderChooserView : public QWidget {
    Q_OBJECT
public:
    explicit FolderChooserView(core::FolderChooser& chooser, QWidget* parent = nullptr);

    core::FolderChooser& chooser() { return chooser_; }
    QComboBox* driveList() const { return drives_; }
    QListWidget* folderList() const { return folders_; }
    // Reads the drive and the folder list back from the chooser.
    void refresh();

signals:
    // After every move, with the chosen folder, for the window to show or keep it.
    void folderChanged(const QString& folder);

private:
    core::FolderChooser& chooser_;
    QComboBox* drives_ = nullptr;     // Drive1
    QListWidget* folders_ = nullptr;  // Dir1
};

}  // namespace kalvora::ui
