#include "ui/company/archive_conversion_view.h"

#include "company/archive_conversion.h"
#include "ui/icons.h"
#include "ui/qt_text.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalvora::ui {

ArchiveConversionView::ArchiveConversionView(company::ArchiveConversionForm& form, QWidget* parent)
    : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, toQt(form.name()), icons::application(), QMargins(10, 10, 10, 10));
    auto* frame = new QGroupBox(toQt(form_.title()), this);
    auto* grid = new QGridLayout(frame);
    grid->setVerticalSpacing(4);
    const auto& groups = form_.groups();
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const int row = static_cast<int>(i);
        auto* label = new QLabel(toQt(groups[i].name), frame);
        label->setObjectName(QStringLiteral("Label1_%1").arg(i));
        auto* bar = new QProgressBar(frame);
        bar->setObjectName(QStringLiteral("ProgressBar1_%1").arg(i));
        bar->setAccessibleName(toQt(groups[i].name));
        bar->setRange(0, 100);
        bar->setMinimumWidth(260);
        label->setBuddy(bar);
        grid->addWidget(label, row, 0);
        grid->addWidget(bar, row, 1);
        bars_.push_back(bar);
    }
    column->addWidget(frame);
    buttons_ = addButtons(column, [this] { form_.confirm(); });
    form_.onProgress([this] { refresh(); });
    refresh();
}

ArchiveConversionView::~ArchiveConversionView() { form_.onProgress({}); }

void ArchiveConversionView::leaveForm() { form_.cancel(); }

void ArchiveConversionView::refresh() {
    setWindowTitle(toQt(form_.title()));
    const auto& groups = form_.groups();
    for (std::size_t i = 0; i < groups.size() && i < bars_.size(); ++i) bars_[i]->setValue(groups[i].percent);
    buttons_.confirm->setEnabled(!form_.working());
    buttons_.cancel->setEnabled(!form_.working());
}

}  // namespace kalvora::ui
