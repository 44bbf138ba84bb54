#include "ui/folder_chooser_view.h"

#include "ui/qt_text.h"

#include <QComboBox>
#include <QListWidget>
#include <QStyle>
#include <QVBoxLayout>

namespace kalvora::ui {

namespace {

QStyle::StandardPixmap driveIcon(core::DriveKind kind) {
    switch (kind) {
        case core::DriveKind::Home: return QStyle::SP_DirHomeIcon;
        case core::DriveKind::Removable: return QStyle::SP_DriveHDIcon;
        case core::DriveKind::Network: return QStyle::SP_DriveNetIcon;
    }
    return QStyle::SP_DriveHDIcon;
}

}  // namespace

FolderChooserView::FolderChooserView(core::FolderChooser& chooser, QWidget* parent)
    : QWidget(parent), chooser_(chooser) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);

    drives_ = new QComboBox(this);
    drives_->setObjectName(QStringLiteral("Drive1"));
    drives_->setAccessibleName(QStringLiteral("Unità"));
    for (const core::Drive& drive : chooser_.drives())
        drives_->addItem(style()->standardIcon(driveIcon(drive.kind)), toQt(drive.label));
    // activated, not currentIndexChanged: only the user's choice moves the chooser, never refresh.
    connect(drives_, &QComboBox::activated, this, [this](int index) {
        chooser_.chooseDrive(index);
        refresh();
    });
    column->addWidget(drives_);

    folders_ = new QListWidget(this);
    folders_->setObjectName(QStringLiteral("Dir1"));
    folders_->setAccessibleName(QStringLiteral("Cartelle"));
    folders_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Double click and Enter, as the desktop activates items.
    connect(folders_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        chooser_.enterFolder(folders_->row(item));
        refresh();
    });
    column->addWidget(folders_, 1);

    refresh();
}

void FolderChooserView::refresh() {
    drives_->setCurrentIndex(chooser_.drive());
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon upIcon = style()->standardIcon(QStyle::SP_FileDialogToParent);
    folders_->clear();
    for (const std::string& entry : chooser_.entries())
        folders_->addItem(new QListWidgetItem(entry == core::FolderChooser::parentEntry ? upIcon : folderIcon,
                                              toQt(entry)));
    if (folders_->count() > 0) folders_->setCurrentRow(0);
    const QString folder = toQt(chooser_.folder());
    folders_->setToolTip(folder);
    folders_->setAccessibleDescription(folder);
    emit folderChanged(folder);
}

}  // namespace kalvora::ui
