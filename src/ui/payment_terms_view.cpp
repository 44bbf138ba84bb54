#include "ui/payment_terms_view.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <array>

namespace kalvora::ui {

namespace {

using Form = tables::PaymentTermsForm;
using Field = tables::PaymentField;

// A box taking a number of months or days.
GridColumn numberColumn(Form& form, Field field, const QString& control, const QString& spoken) {
    return {.control = control,
            .spoken = spoken,
            .width = 44,
            .maxLength = 9,
            .digitsOnly = true,
            .alignment = Qt::AlignRight,
            .enter = [&form, field](int r) { form.enterPressed(r, field); }};
}

}  // namespace

template <>
PaymentTermsView::TableView(tables::PaymentTermsForm& form, QWidget* parent)
    : GridView(form, parent) {
    // Columns in the order of PaymentField, then the caption "giorni" after the days.
    GridTable table = pagedTable(form, Form::frameText);
    table.columns.push_back({.control = QStringLiteral("text1"),
                             .header = QStringLiteral("Descrizione"),
                             .spoken = QStringLiteral("Descrizione"),
                             .minimumWidth = 260,
                             .text = [&form](int r) { return form.row(r).description; },
                             .edit = [&form](int r, std::string text) { form.editDescription(r, std::move(text)); },
                             .enter = [&form](int r) { form.enterPressed(r, Field::Description); }});
    QStringList types;
    for (const char* type : Form::paymentTypes) types << QString::fromUtf8(type);
    table.columns.push_back({.kind = GridColumn::Kind::List,
                             .control = QStringLiteral("Combo1"),
                             .header = QStringLiteral("Tipo pagamento"),
                             .spoken = QStringLiteral("Tipo pagamento"),
                             .items = types,
                             .value = [&form](int r) { return form.row(r).type; },
                             .choose = [&form](int r, int index) { form.selectType(r, index); }});
    // The boxes of instalments 1..6 are sc1..sc4, sc6 and sc7; sc5 holds the days.
    constexpr std::array<int, Form::instalments> monthsControl = {1, 2, 3, 4, 6, 7};
    for (int i = 0; i < Form::instalments; ++i) {
        GridColumn months = numberColumn(form, static_cast<Field>(static_cast<int>(Field::Months1) + i),
                                         QStringLiteral("sc%1").arg(monthsControl[i]),
                                         QStringLiteral("Mesi rata %1 riga").arg(i + 1));
        months.header = QStringLiteral("Mesi rata %1").arg(i + 1);
        months.text = [&form, i](int r) { return form.row(r).months[i]; };
        months.edit = [&form, i](int r, std::string text) { form.editMonths(r, i, std::move(text)); };
        table.columns.push_back(std::move(months));
    }
    table.columns.push_back({.kind = GridColumn::Kind::Check,
                             .control = QStringLiteral("fine"),
                             .spoken = QStringLiteral("Fine mese riga"),
                             .items = {QString::fromUtf8(Form::endOfMonthText)},
                             .value = [&form](int r) { return form.row(r).endOfMonth ? 1 : 0; },
                             .choose = [&form](int r, int ticked) { form.setEndOfMonth(r, ticked != 0); }});
    GridColumn days = numberColumn(form, Field::Days, QStringLiteral("sc5"), QStringLiteral("Giorni dopo fine mese riga"));
    days.text = [&form](int r) { return form.row(r).days; };
    days.edit = [&form](int r, std::string text) { form.editDays(r, std::move(text)); };
    table.columns.push_back(std::move(days));
    table.columns.push_back({.kind = GridColumn::Kind::Label, .items = {QString::fromUtf8(Form::daysText)}});
    table.notes = {{QStringLiteral("aiuto"), QString::fromUtf8(Form::helpText)}};
    addGrid(std::move(table));

    // The August and December settings, kept by the form until confirm.
    auto* settings = new QGridLayout;
    settings->setHorizontalSpacing(8);
    for (int which : {Form::august, Form::december}) {
        QWidget* move = control({.kind = GridColumn::Kind::Check,
                                 .control = QStringLiteral("fine_%1").arg(Form::visibleRows + which),
                                 .items = {QString::fromUtf8(Form::moveTexts[which])},
                                 .value = [&form, which](int) { return form.monthMove(which) ? 1 : 0; },
                                 .choose = [&form, which](int, int ticked) { form.setMonthMove(which, ticked != 0); }});
        QWidget* day = control({.control = QStringLiteral("Text2_%1").arg(which),
                                .spoken = QString::fromUtf8(which == Form::august ? "Giorno di agosto" : "Giorno di dicembre"),
                                .width = 44,
                                .maxLength = Form::moveDayLength,
                                .text = [&form, which](int) { return form.moveDay(which); },
                                .edit = [&form, which](int, std::string text) { form.editMoveDay(which, std::move(text)); }});
        auto* after = new QLabel(QString::fromUtf8(Form::followingMonthText), this);
        after->setBuddy(day);
        settings->addWidget(move, which, 0);
        settings->addWidget(day, which, 1);
        settings->addWidget(after, which, 2);
    }
    settings->setColumnStretch(3, 1);
    column()->addLayout(settings);

    finish([this, &form] { return cell(0, form.focusedRow(), static_cast<int>(form.focusedField())); });
}

}  // namespace kalvora::ui
