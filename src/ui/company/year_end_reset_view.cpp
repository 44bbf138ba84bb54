#include "ui/company/year_end_reset_view.h"

#include "company/year_end_reset_form.h"
#include "ui/check_buttons.h"
#include "ui/date_field.h"
#include "ui/icons.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalvora::ui {

YearEndResetView::YearEndResetView(company::YearEndResetForm& form, QWidget* parent)
    : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, toQt(form.name()), icons::application(), QMargins(10, 10, 10, 10));
    frame_ = new QGroupBox(toQt(form_.frameTitle()), this);
    auto* grid = new QGridLayout(frame_);
    grid->setVerticalSpacing(4);
    const auto& options = form_.options();
    options_.resize(options.size());
    for (std::size_t i = 0; i < options.size(); ++i) {
        const company::ResetOption& option = options[i];
        const int row = static_cast<int>(i);
        const int index = static_cast<int>(i);
        OptionControls& c = options_[i];
        c.check = new QCheckBox(toQt(option.caption), frame_);
        c.check->setObjectName(QStringLiteral("Check1_%1").arg(i));
        // The PDF boxes sit indented under the reprint option they belong to.
        auto* place = new QHBoxLayout;
        if (option.parent >= 0) place->addSpacing(24);
        place->addWidget(c.check);
        place->addStretch(1);
        grid->addLayout(place, row, 0);
        onToggled(c.check, this, [this, index](bool on) {
            form_.tick(index, on);
            afterMove();
        });
        const QString spoken = toQt(option.caption);
        if (option.kind == company::ResetOptionKind::Date) {
            c.date = dateBox(frame_, QStringLiteral("data_%1").arg(i), spoken,
                             [this, index](std::string text) { form_.setValue(index, std::move(text)); });
            grid->addWidget(c.date, row, 1);
        } else if (option.kind == company::ResetOptionKind::Year) {
            c.year = new QLineEdit(frame_);
            c.year->setObjectName(QStringLiteral("anno_%1").arg(i));
            c.year->setAccessibleName(spoken);
            c.year->setMaxLength(4);
            c.year->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), c.year));
            c.year->setFixedWidth(c.year->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 14);
            connect(c.year, &QLineEdit::textEdited, this, [this, index](const QString& t) { form_.setValue(index, fromQt(t)); });
            grid->addWidget(c.year, row, 1, Qt::AlignLeft);
        }
    }
    column->addWidget(frame_);

    step_ = new QLabel(this);
    step_->setObjectName(QStringLiteral("Label1"));
    step_->setMinimumWidth(420);
    column->addWidget(step_);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("ProgressBar1"));
    bar_->setAccessibleName(QStringLiteral("Avanzamento dell'azzeramento"));
    bar_->setRange(0, 100);
    column->addWidget(bar_);
    buttons_ = addButtons(column, [this] { form_.confirm(); });
    form_.onProgress([this] { refresh(); });
    refresh();
}

YearEndResetView::~YearEndResetView() { form_.onProgress({}); }

void YearEndResetView::leaveForm() { form_.cancel(); }

void YearEndResetView::refresh() {
    setWindowTitle(toQt(form_.title()));
    const auto& options = form_.options();
    for (std::size_t i = 0; i < options.size() && i < options_.size(); ++i) {
        const company::ResetOption& option = options[i];
        OptionControls& c = options_[i];
        showChecked(c.check, option.ticked);
        c.check->setEnabled(option.enabled);
        if (c.date) {
            showDate(c.date, option.value);
            c.date->setEnabled(option.enabled);
        }
        if (c.year) {
            if (!c.year->hasFocus() && c.year->text() != toQt(option.value)) c.year->setText(toQt(option.value));
            c.year->setEnabled(option.enabled);
        }
    }
    step_->setText(toQt(form_.progressLabel()));
    bar_->setValue(form_.working() ? form_.progressPercent() : 0);
    frame_->setEnabled(!form_.working());
    buttons_.confirm->setEnabled(!form_.working());
    buttons_.cancel->setEnabled(!form_.working());
}

}  // namespace kalvora::ui
