#include "ui/vat_codes_view.h"

#include "ui/qt_text.h"

#include <QGridLayout>
#include <QLabel>

namespace kalvora::ui {

namespace {

using Form = tables::VatCodesForm;
using Kind = GridColumn::Kind;

constexpr int rateWidth = 48;
constexpr int descriptionWidth = 210;
constexpr int articleWidth = 140;

QString utf8(const char* text) { return QString::fromUtf8(text); }

QStringList itemsOf(const auto& texts) {
    QStringList items;
    for (const char* text : texts) items << utf8(text);
    return items;
}

// Box text1_N of the form, N = number(r); named on screen by its header and its row's label.
GridColumn box(Form& form, std::function<int(int)> number, const char* header, int width, bool rate = false) {
    return {.control = QStringLiteral("text1"),
            .header = utf8(header),
            .spoken = utf8(header),
            .width = width,
            .alignment = rate ? Qt::AlignRight : Qt::Alignment(),
            .number = number,
            .text = [&form, number](int r) { return form.text(number(r)); },
            .edit = [&form, number](int r, std::string text) { form.editText(number(r), std::move(text)); },
            .enter = [&form, number](int r) { form.enterPressed(number(r)); },
            .focusIn = [&form, number](int r) { form.setFocus(number(r)); }};
}

GridColumn label(std::function<std::string(int)> text) { return {.kind = Kind::Label, .text = std::move(text)}; }

GridColumn list(const char* control, const char* header, QStringList items, std::function<int(int)> value,
                std::function<void(int, int)> choose) {
    return {.kind = Kind::List,
            .control = QLatin1String(control),
            .header = utf8(header),
            .spoken = utf8(header),
            .items = std::move(items),
            .value = std::move(value),
            .choose = std::move(choose)};
}

// Row r's box c of a set whose rows hold `columns` boxes from box `first` on.
std::function<int(int)> at(int first, int columns, int c) {
    return [first, columns, c](int r) { return first + columns * r + c; };
}

// One set of codes, eight rows paged by its scroll bar, rows named by their rate label.
GridTable codeSet(const char* caption, const char* selector, std::function<int()> first,
                  std::function<void(int)> scrollTo, std::function<std::string(int)> rateLabel) {
    return {.caption = utf8(caption),
            .selector = QLatin1String(selector),
            .rows = Form::visibleRows,
            .first = std::move(first),
            .lastFirst = [] { return Form::lastFirstCode; },
            .scrollTo = std::move(scrollTo),
            .rowName = [rateLabel](int r) { return toQt(rateLabel(r)); }};
}

}  // namespace

template <>
VatCodesView::TableView(tables::VatCodesForm& form, QWidget* parent)
    // Two tables on one screen: a tighter column than the other table windows.
    : GridView(form, parent, QMargins(14, 12, 14, 10), 8) {
    const QStringList natures = itemsOf(Form::natures);

    // Row label, four rates, %Agr, description, nature, exemption label, article.
    GridTable sales = codeSet(
        Form::salesCaption, "VScroll1", [&form] { return form.salesFirst(); },
        [&form](int first) { form.scrollSales(first); }, [&form](int r) { return form.salesRateLabel(r); });
    sales.columns.push_back(label([&form](int r) { return form.salesRateLabel(r); }));
    for (int c = 0; c < 4; ++c)
        sales.columns.push_back(box(form, at(0, Form::salesColumns, c), Form::salesHeaders[c], rateWidth, true));
    sales.columns.push_back(box(form, at(Form::firstAgriculturalBox, 1, 0), Form::agriculturalHeader, rateWidth, true));
    sales.columns.push_back(box(form, at(0, Form::salesColumns, 4), Form::salesHeaders[4], descriptionWidth));
    sales.columns.push_back(list("Combo2", Form::natureHeader, natures, [&form](int r) { return form.salesNature(r); },
                                 [&form](int r, int index) { form.chooseSalesNature(r, index); }));
    sales.columns.push_back(label([&form](int r) { return form.salesExemptionLabel(r); }));
    sales.columns.push_back(box(form, at(0, Form::salesColumns, 5), Form::salesHeaders[5], articleWidth));
    sales.columns.back().rowName = [&form](int r) { return toQt(form.salesExemptionLabel(r)); };
    addGrid(std::move(sales));

    // Row label, two rates, description, nature, exemption label, article, type.
    const int first = Form::firstPurchaseBox;
    GridTable purchases = codeSet(
        Form::purchaseCaption, "VScroll2", [&form] { return form.purchaseFirst(); },
        [&form](int first) { form.scrollPurchases(first); }, [&form](int r) { return form.purchaseRateLabel(r); });
    purchases.columns.push_back(label([&form](int r) { return form.purchaseRateLabel(r); }));
    for (int c = 0; c < 2; ++c)
        purchases.columns.push_back(box(form, at(first, Form::purchaseColumns, c), Form::purchaseHeaders[c], rateWidth, true));
    purchases.columns.push_back(box(form, at(first, Form::purchaseColumns, 2), Form::purchaseHeaders[2], descriptionWidth));
    purchases.columns.push_back(list("Combo3", Form::natureHeader, natures, [&form](int r) { return form.purchaseNature(r); },
                                     [&form](int r, int index) { form.choosePurchaseNature(r, index); }));
    purchases.columns.push_back(label([&form](int r) { return form.purchaseExemptionLabel(r); }));
    purchases.columns.push_back(box(form, at(first, Form::purchaseColumns, 3), Form::purchaseHeaders[3], articleWidth));
    purchases.columns.back().rowName = [&form](int r) { return toQt(form.purchaseExemptionLabel(r)); };
    purchases.columns.push_back(list("Combo1", Form::purchaseTypeHeader, itemsOf(Form::purchaseTypes),
                                     [&form](int r) { return form.purchaseType(r); },
                                     [&form](int r, int index) { form.choosePurchaseType(r, index); }));
    addGrid(std::move(purchases));

    // The company-wide values: two boxes named by their captions, two check boxes.
    auto* values = new QGridLayout;
    values->setHorizontalSpacing(8);
    values->setVerticalSpacing(4);
    for (int index : {Form::pensionDescriptionBox, Form::interestRateBox}) {
        const bool pension = index == Form::pensionDescriptionBox;
        const char* caption = pension ? Form::pensionDescriptionLabel : Form::interestRateLabel;
        GridColumn value = box(form, [index](int) { return index; }, caption, pension ? 300 : 80);
        value.header.clear();
        QWidget* field = control(std::move(value));
        auto* label = new QLabel(utf8(caption), this);
        label->setBuddy(field);
        const int row = pension ? 0 : 1;
        values->addWidget(label, row, 0);
        values->addWidget(field, row, 1, Qt::AlignLeft);
    }
    const auto check = [this, &form](const char* name, const char* caption, auto get, auto set) {
        return control({.kind = Kind::Check,
                        .control = QLatin1String(name),
                        .items = {utf8(caption)},
                        .value = [&form, get](int) { return (form.*get)() ? 1 : 0; },
                        .choose = [&form, set](int, int ticked) { (form.*set)(ticked != 0); }});
    };
    values->addWidget(check("tassa", Form::tassaCaption, &Form::tassa, &Form::setTassa), 0, 2);
    values->addWidget(check("esig", Form::esigCaption, &Form::esig, &Form::setEsig), 1, 2);
    values->setColumnStretch(3, 1);
    column()->addLayout(values);

    finish([this, &form] { return findChild<QWidget*>(QStringLiteral("text1_%1").arg(form.focusedBox())); });
}

}  // namespace kalvora::ui
