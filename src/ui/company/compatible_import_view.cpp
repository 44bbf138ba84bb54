#include "ui/company/compatible_import_view.h"

#include "company/compatible_import.h"
#include "ui/folder_chooser_view.h"
#include "ui/icons.h"
#include "ui/qt_text.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalvora::ui {

CompatibleImportView::CompatibleImportView(company::CompatibleImportForm& form, QWidget* parent)
    : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, toQt(form.name()), icons::application(), QMargins(10, 10, 10, 10));
    auto* frame = new QGroupBox(toQt(form_.frameTitle()), this);
    auto* frameColumn = new QVBoxLayout(frame);
    chooser_ = new FolderChooserView(form_.chooser(), frame);
    frameColumn->addWidget(chooser_);
    auto* label = new QLabel(toQt(form_.folderLabel()), frame);
    folder_ = new QLineEdit(frame);
    folder_->setObjectName(QStringLiteral("Text1"));
    folder_->setReadOnly(true);
    folder_->setMinimumWidth(360);
    label->setBuddy(folder_);
    frameColumn->addWidget(label);
    frameColumn->addWidget(folder_);
    column->addWidget(frame);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("Label1"));
    column->addWidget(status_);
    buttons_ = addButtons(column, [this] { form_.confirm(); });
    // The chooser shows its own moves; the chosen folder follows them.
    connect(chooser_, &FolderChooserView::folderChanged, folder_, &QLineEdit::setText);
    form_.onProgress([this] { refresh(); });
    refresh();
}

CompatibleImportView::~CompatibleImportView() { form_.onProgress({}); }

void CompatibleImportView::leaveForm() { form_.cancel(); }

void CompatibleImportView::refresh() {
    setWindowTitle(toQt(form_.title()));
    folder_->setText(toQt(form_.folder()));
    status_->setText(toQt(form_.status()));
    chooser_->setEnabled(!form_.working());
    buttons_.confirm->setEnabled(!form_.working());
    buttons_.cancel->setEnabled(!form_.working());
}

}  // namespace kalvora::ui
