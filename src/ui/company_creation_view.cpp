#include "ui/company_creation_view.h"

#include "ui/dialog_button.h"
#include "ui/icons.h"
#include "ui/table_boxes.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalvora::ui {

namespace {

using Form = company::CompanyCreationForm;

QLabel* sectionLabel(QWidget* parent, const QString& text) {
    QLabel* l = boldLabel(parent, text);
    l->setContentsMargins(0, 6, 0, 0);
    return l;
}

// Entries of the previous-year list are registry lines padded to 200 characters: show them
// without the runs of blanks.
QString compact(const std::string& entry) { return toQt(entry).simplified(); }

}  // namespace

CompanyCreationView::CompanyCreationView(company::CompanyCreationForm& form, QWidget* parent)
    : FormDialog(form, parent), form_(form) {
    // Fixed size and no minimise: a hidden modal window would look like a program that hangs.
    QVBoxLayout* column = dialogColumn(this, QStringLiteral("zelcrea"), icons::company());

    auto* header = new QGroupBox(QStringLiteral("Intestazione azienda"), this);
    auto* grid = new QGridLayout(header);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(4);
    grid->setColumnMinimumWidth(1, 380);
    grid->setColumnStretch(1, 1);

    int row = 0;
    std::string section;
    int noteNumber = 0;
    for (int i = 0; i < Form::fieldCount; ++i) {
        const std::string sectionText = Form::fieldLabels[i][0];
        const std::string labelText = Form::fieldLabels[i][1];
        if (sectionText != section) {
            section = sectionText;
            if (!section.empty()) grid->addWidget(sectionLabel(header, toQt(section)), row++, 0, 1, 2);
        }
        auto* edit = new QLineEdit(header);
        edit->setObjectName(QStringLiteral("text_%1").arg(i));
        QString accessible;
        if (labelText.empty()) {
            accessible = toQt(sectionText) + QStringLiteral(" %1").arg(++noteNumber);
        } else {
            auto* label = new QLabel(toQt(labelText), header);
            label->setBuddy(edit);
            if (!sectionText.empty()) label->setIndent(12);
            grid->addWidget(label, row, 0);
            accessible = sectionText.empty() ? toQt(labelText) : toQt(sectionText + " " + labelText);
        }
        edit->setAccessibleName(accessible);
        grid->addWidget(edit, row++, 1);
        fields_[i] = edit;

        connect(edit, &QLineEdit::textEdited, this,
                [this, i, edit](const QString& text) { form_.setField(i, fromQt(cleanedBoxText(edit, text))); });
        connect(edit, &QLineEdit::returnPressed, this, [this, i] {
            form_.enterPressed(i);
            afterMove();
        });
    }
    column->addWidget(header);

    auto* lists = new QGridLayout;
    lists->setHorizontalSpacing(10);
    lists->setColumnStretch(1, 1);
    year_ = new QComboBox(this);
    year_->setObjectName(QStringLiteral("anno"));
    auto* yearLabel = new QLabel(QStringLiteral("Anno di gestione"), this);
    yearLabel->setBuddy(year_);
    year_->setAccessibleName(yearLabel->text());
    previousYear_ = new QComboBox(this);
    previousYear_->setObjectName(QStringLiteral("azprec"));
    previousYear_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    previousYear_->setMinimumContentsLength(30);
    auto* previousLabel = new QLabel(QStringLiteral("Azienda anno precedente (se disponibile)"), this);
    previousLabel->setBuddy(previousYear_);
    previousYear_->setAccessibleName(previousLabel->text());
    lists->addWidget(yearLabel, 0, 0);
    lists->addWidget(year_, 0, 1, Qt::AlignLeft);
    lists->addWidget(previousLabel, 1, 0);
    lists->addWidget(previousYear_, 1, 1);
    column->addLayout(lists);

    connect(year_, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        form_.selectYear(index);
        afterAction();
    });
    connect(previousYear_, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        form_.selectPreviousYear(index);
        afterAction();
    });

    column->addWidget(sunkenLine(this));
    const DialogButtons buttons = addButtons(column, [this] { form_.confirm(); });

    QWidget* previous = fields_[0];
    for (int i = 1; i < Form::fieldCount; ++i) {
        setTabOrder(previous, fields_[i]);
        previous = fields_[i];
    }
    for (QWidget* next : std::initializer_list<QWidget*>{year_, previousYear_, buttons.confirm, buttons.cancel}) {
        setTabOrder(previous, next);
        previous = next;
    }

    refresh();
    focusField();
}

void CompanyCreationView::refresh() {
    setWindowTitle(toQt(form_.title()));
    const bool editable = form_.fieldsEditable();
    for (int i = 0; i < Form::fieldCount; ++i) {
        QLineEdit* edit = fields_[i];
        const QString text = toQt(form_.field(i));
        if (edit->text() != text) edit->setText(text);
        edit->setReadOnly(!editable);
        edit->setFocusPolicy(editable ? Qt::StrongFocus : Qt::NoFocus);
    }

    const auto years = form_.years();
    if (year_->count() != static_cast<int>(years.size())) {
        year_->clear();
        for (const auto& y : years) year_->addItem(toQt(y));
    }
    year_->setCurrentIndex(form_.yearIndex());

    const auto& entries = form_.previousYearEntries();
    bool same = previousYear_->count() == static_cast<int>(entries.size());
    for (int i = 0; same && i < previousYear_->count(); ++i)
        same = previousYear_->itemData(i).toString() == toQt(entries[i]);
    if (!same) {
        previousYear_->clear();
        for (const auto& e : entries) previousYear_->addItem(compact(e), toQt(e));
    }
    previousYear_->setCurrentIndex(form_.previousYearIndex());
}

void CompanyCreationView::focusField() {
    const int index = form_.focusedField();
    if (index >= 0 && index < Form::fieldCount && fields_[index]->focusPolicy() != Qt::NoFocus)
        fields_[index]->setFocus(Qt::OtherFocusReason);
}

}  // namespace kalvora::ui
