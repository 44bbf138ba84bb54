#include "ui/company/read_only_check_view.h"

#include "company/read_only_check.h"
#include "ui/check_buttons.h"
#include "ui/icons.h"
#include "ui/qt_text.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kalvora::ui {

using company::ReadOnlyCheckForm;

ReadOnlyCheckView::ReadOnlyCheckView(ReadOnlyCheckForm& form, QWidget* parent) : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, toQt(form.name()), icons::application());
    auto* explanation = new QLabel(QString::fromUtf8(ReadOnlyCheckForm::explanation), this);
    explanation->setObjectName(QStringLiteral("Label1"));
    explanation->setWordWrap(true);
    column->addWidget(explanation);

    auto* group = new QButtonGroup(this);
    for (std::size_t k = 0; k < options_.size(); ++k) {
        auto* option = new QRadioButton(QString::fromUtf8(ReadOnlyCheckForm::scopeCaptions[k]), this);
        option->setObjectName(QStringLiteral("Option1_%1").arg(k));
        group->addButton(option);
        column->addWidget(option);
        const auto scope = k == 0 ? ReadOnlyCheckForm::Scope::Archives : ReadOnlyCheckForm::Scope::AllFiles;
        onChosen(option, this, [this, scope] { form_.setScope(scope); });
        options_[k] = option;
    }

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List1"));
    list_->setAccessibleName(QStringLiteral("Risultato della verifica"));
    // The lines are built in columns: a fixed-pitch font keeps them aligned.
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list_->setMinimumSize(560, 240);
    column->addWidget(list_);

    auto* hint = new QLabel(QString::fromUtf8(ReadOnlyCheckForm::hint), this);
    hint->setObjectName(QStringLiteral("Label2"));
    hint->setWordWrap(true);
    column->addWidget(hint);
    run_ = new QPushButton(QString::fromUtf8(ReadOnlyCheckForm::runCaption), this);
    run_->setObjectName(QStringLiteral("esegui"));
    run_->setToolTip(hint->text());
    column->addWidget(run_, 0, Qt::AlignRight);
    onClick(run_, [this] { form_.run(); });
    refresh();
    run_->setFocus();
}

void ReadOnlyCheckView::leaveForm() { form_.cancel(); }

void ReadOnlyCheckView::refresh() {
    setWindowTitle(toQt(form_.title()));
    showChecked(options_[form_.scope() == ReadOnlyCheckForm::Scope::Archives ? 0 : 1], true);
    const std::vector<std::string>& lines = form_.lines();
    if (list_->count() != static_cast<int>(lines.size()) ||
        (!lines.empty() && list_->item(list_->count() - 1)->text() != toQt(lines.back()))) {
        list_->clear();
        for (const std::string& line : lines) list_->addItem(toQt(line));
    }
    run_->setEnabled(!form_.working());
}

}  // namespace kalvora::ui
