#include "ui/vat_codes_view.h"

#include "ui/table_boxes.h"
#include "ui/table_grid.h"
#include "ui/table_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kalvora::ui {

namespace {

using Form = tables::VatCodesForm;

// Grid columns of the sales set: row label, four rates, %Agr, description, nature, exemption
// label, article.
constexpr int salesRateLabelColumn = 0;
constexpr int salesFirstRateColumn = 1;
constexpr int salesAgriculturalColumn = 5;
constexpr int salesDescriptionColumn = 6;
constexpr int salesNatureColumn = 7;
constexpr int salesExemptionLabelColumn = 8;
constexpr int salesArticleColumn = 9;
constexpr int salesGridColumns = 10;

// Purchases: row label, two rates, description, nature, exemption label, article, type.
constexpr int purchaseRateLabelColumn = 0;
constexpr int purchaseFirstRateColumn = 1;
constexpr int purchaseDescriptionColumn = 3;
constexpr int purchaseNatureColumn = 4;
constexpr int purchaseExemptionLabelColumn = 5;
constexpr int purchaseArticleColumn = 6;
constexpr int purchaseTypeColumn = 7;
constexpr int purchaseGridColumns = 8;

constexpr int rateWidth = 48;
constexpr int descriptionWidth = 210;
constexpr int articleWidth = 140;

QString utf8(const char* text) { return QString::fromUtf8(text); }

void showText(QLineEdit* box, const std::string& text) {
    const QString t = toQt(text);
    if (box->text() != t) {
        box->setText(t);
        box->setCursorPosition(0);
    }
}

void showIndex(QComboBox* list, int index) {
    if (list->currentIndex() != index) list->setCurrentIndex(index);
}

QComboBox* list(QWidget* parent, const QString& name, const auto& items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (const char* item : items) box->addItem(utf8(item));
    box->setCurrentIndex(Form::noSelection);
    return box;
}

QString cellName(const char* header, const std::string& rowLabel) { return utf8(header) + ' ' + toQt(rowLabel); }

}  // namespace

VatCodesView::VatCodesView(Form& form, QWidget* parent) : QDialog(parent), form_(form) {
    // Two tables on one screen: a tighter column than the other table windows.
    QVBoxLayout* column = tableWindowColumn(this, QStringLiteral("zelstiva"), QMargins(14, 12, 14, 10), 8);
    column->addWidget(buildSales());
    column->addWidget(buildPurchases());

    auto* values = new QGridLayout;
    values->setHorizontalSpacing(8);
    values->setVerticalSpacing(4);
    for (int index : {Form::pensionDescriptionBox, Form::interestRateBox}) {
        const bool pension = index == Form::pensionDescriptionBox;
        QLineEdit* box = textBox(this, index);
        box->setFixedWidth(pension ? 300 : 80);
        auto* label = new QLabel(utf8(pension ? Form::pensionDescriptionLabel : Form::interestRateLabel), this);
        label->setBuddy(box);
        box->setAccessibleName(label->text());
        const int row = pension ? 0 : 1;
        values->addWidget(label, row, 0);
        values->addWidget(box, row, 1, Qt::AlignLeft);
    }
    tassa_ = new QCheckBox(utf8(Form::tassaCaption), this);
    tassa_->setObjectName(QStringLiteral("tassa"));
    esig_ = new QCheckBox(utf8(Form::esigCaption), this);
    esig_->setObjectName(QStringLiteral("esig"));
    values->addWidget(tassa_, 0, 2);
    values->addWidget(esig_, 1, 2);
    values->setColumnStretch(3, 1);
    column->addLayout(values);
    connect(tassa_, &QCheckBox::clicked, this, [this](bool ticked) {
        form_.setTassa(ticked);
        afterAction();
    });
    connect(esig_, &QCheckBox::clicked, this, [this](bool ticked) {
        form_.setEsig(ticked);
        afterAction();
    });

    const TableButtons buttons = addTableFoot(this, column, form_, [this] { afterAction(); });
    confirm_ = buttons.confirm;
    exit_ = buttons.exit;

    TabChain chain;
    for (int r = 0; r < Form::visibleRows; ++r) {
        const int box = Form::salesColumns * r;
        for (int c = 0; c < 4; ++c) chain(boxes_[box + c]);
        chain(boxes_[Form::firstAgriculturalBox + r]);
        chain(boxes_[box + 4]);
        chain(salesNature_[r]);
        chain(boxes_[box + 5]);
    }
    for (int r = 0; r < Form::visibleRows; ++r) {
        const int box = Form::firstPurchaseBox + Form::purchaseColumns * r;
        for (int c = 0; c < 3; ++c) chain(boxes_[box + c]);
        chain(purchaseNature_[r]);
        chain(boxes_[box + 3]);
        chain(purchaseType_[r]);
    }
    chain.all(std::initializer_list<QWidget*>{boxes_[Form::pensionDescriptionBox], boxes_[Form::interestRateBox],
                                              tassa_, esig_, confirm_, exit_});

    refresh();
    focusBox();
}

QLineEdit* VatCodesView::textBox(QWidget* parent, int index) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QStringLiteral("text1_%1").arg(index));
    boxes_[index] = box;
    connect(box, &QLineEdit::textEdited, this, [this, index, box](const QString& text) {
        form_.editText(index, fromQt(cleanedBoxText(box, text)));
        afterAction();
    });
    connect(box, &QLineEdit::returnPressed, this, [this, index] {
        form_.enterPressed(index);
        afterAction();
        focusBox();
    });
    return box;
}

QGroupBox* VatCodesView::buildSales() {
    QGroupBox* frame = tableFrame(utf8(Form::salesCaption), this);
    sales_ = new TableGrid(Form::visibleRows, salesGridColumns, QStringLiteral("VScroll1"), frame);
    for (int c = 0; c < 4; ++c) sales_->addHeader(salesFirstRateColumn + c, utf8(Form::salesHeaders[c]));
    sales_->addHeader(salesAgriculturalColumn, utf8(Form::agriculturalHeader));
    sales_->addHeader(salesDescriptionColumn, utf8(Form::salesHeaders[4]));
    sales_->addHeader(salesNatureColumn, utf8(Form::natureHeader));
    sales_->addHeader(salesArticleColumn, utf8(Form::salesHeaders[5]));

    for (int r = 0; r < Form::visibleRows; ++r) {
        salesLabels_[r].rate = new QLabel(sales_);
        sales_->addCell(r, salesRateLabelColumn, salesLabels_[r].rate);
        for (int c = 0; c < 4; ++c) {
            QLineEdit* rate = textBox(sales_, Form::salesColumns * r + c);
            rate->setFixedWidth(rateWidth);
            rate->setAlignment(Qt::AlignRight);
            sales_->addCell(r, salesFirstRateColumn + c, rate);
        }
        QLineEdit* agricultural = textBox(sales_, Form::firstAgriculturalBox + r);
        agricultural->setFixedWidth(rateWidth);
        agricultural->setAlignment(Qt::AlignRight);
        sales_->addCell(r, salesAgriculturalColumn, agricultural);
        QLineEdit* description = textBox(sales_, Form::salesColumns * r + 4);
        description->setFixedWidth(descriptionWidth);
        sales_->addCell(r, salesDescriptionColumn, description);

        salesNature_[r] = list(sales_, QStringLiteral("Combo2_%1").arg(r), Form::natures);
        sales_->addCell(r, salesNatureColumn, salesNature_[r]);
        connect(salesNature_[r], qOverload<int>(&QComboBox::activated), this, [this, r](int index) {
            form_.chooseSalesNature(r, index);
            afterAction();
        });

        salesLabels_[r].exemption = new QLabel(sales_);
        sales_->addCell(r, salesExemptionLabelColumn, salesLabels_[r].exemption);
        QLineEdit* article = textBox(sales_, Form::salesColumns * r + 5);
        article->setFixedWidth(articleWidth);
        sales_->addCell(r, salesArticleColumn, article);
    }
    connect(sales_, &TableGrid::firstChanged, this, [this](int first) {
        form_.scrollSales(first);
        afterAction();
    });
    frame->layout()->addWidget(sales_);
    return frame;
}

QGroupBox* VatCodesView::buildPurchases() {
    QGroupBox* frame = tableFrame(utf8(Form::purchaseCaption), this);
    purchases_ = new TableGrid(Form::visibleRows, purchaseGridColumns, QStringLiteral("VScroll2"), frame);
    purchases_->addHeader(purchaseFirstRateColumn, utf8(Form::purchaseHeaders[0]));
    purchases_->addHeader(purchaseFirstRateColumn + 1, utf8(Form::purchaseHeaders[1]));
    purchases_->addHeader(purchaseDescriptionColumn, utf8(Form::purchaseHeaders[2]));
    purchases_->addHeader(purchaseNatureColumn, utf8(Form::natureHeader));
    purchases_->addHeader(purchaseArticleColumn, utf8(Form::purchaseHeaders[3]));
    purchases_->addHeader(purchaseTypeColumn, utf8(Form::purchaseTypeHeader));

    for (int r = 0; r < Form::visibleRows; ++r) {
        const int box = Form::firstPurchaseBox + Form::purchaseColumns * r;
        purchaseLabels_[r].rate = new QLabel(purchases_);
        purchases_->addCell(r, purchaseRateLabelColumn, purchaseLabels_[r].rate);
        for (int c = 0; c < 2; ++c) {
            QLineEdit* rate = textBox(purchases_, box + c);
            rate->setFixedWidth(rateWidth);
            rate->setAlignment(Qt::AlignRight);
            purchases_->addCell(r, purchaseFirstRateColumn + c, rate);
        }
        QLineEdit* description = textBox(purchases_, box + 2);
        description->setFixedWidth(descriptionWidth);
        purchases_->addCell(r, purchaseDescriptionColumn, description);

        purchaseNature_[r] = list(purchases_, QStringLiteral("Combo3_%1").arg(r), Form::natures);
        purchases_->addCell(r, purchaseNatureColumn, purchaseNature_[r]);
        connect(purchaseNature_[r], qOverload<int>(&QComboBox::activated), this, [this, r](int index) {
            form_.choosePurchaseNature(r, index);
            afterAction();
        });

        purchaseLabels_[r].exemption = new QLabel(purchases_);
        purchases_->addCell(r, purchaseExemptionLabelColumn, purchaseLabels_[r].exemption);
        QLineEdit* article = textBox(purchases_, box + 3);
        article->setFixedWidth(articleWidth);
        purchases_->addCell(r, purchaseArticleColumn, article);

        purchaseType_[r] = list(purchases_, QStringLiteral("Combo1_%1").arg(r), Form::purchaseTypes);
        purchases_->addCell(r, purchaseTypeColumn, purchaseType_[r]);
        connect(purchaseType_[r], qOverload<int>(&QComboBox::activated), this, [this, r](int index) {
            form_.choosePurchaseType(r, index);
            afterAction();
        });
    }
    connect(purchases_, &TableGrid::firstChanged, this, [this](int first) {
        form_.scrollPurchases(first);
        afterAction();
    });
    frame->layout()->addWidget(purchases_);
    return frame;
}

void VatCodesView::refresh() {
    setWindowTitle(toQt(form_.title()));
    sales_->showPage(form_.salesFirst(), Form::lastFirstCode);
    purchases_->showPage(form_.purchaseFirst(), Form::lastFirstCode);
    for (int i = 0; i < Form::boxCount; ++i) showText(boxes_[i], form_.text(i));

    for (int r = 0; r < Form::visibleRows; ++r) {
        const std::string rate = form_.salesRateLabel(r);
        const std::string exemption = form_.salesExemptionLabel(r);
        salesLabels_[r].rate->setText(toQt(rate));
        salesLabels_[r].exemption->setText(toQt(exemption));
        const int box = Form::salesColumns * r;
        for (int c = 0; c < 5; ++c) boxes_[box + c]->setAccessibleName(cellName(Form::salesHeaders[c], rate));
        boxes_[box + 5]->setAccessibleName(cellName(Form::salesHeaders[5], exemption));
        boxes_[Form::firstAgriculturalBox + r]->setAccessibleName(cellName(Form::agriculturalHeader, rate));
        salesNature_[r]->setAccessibleName(cellName(Form::natureHeader, rate));
        showIndex(salesNature_[r], form_.salesNature(r));
    }
    for (int r = 0; r < Form::visibleRows; ++r) {
        const std::string rate = form_.purchaseRateLabel(r);
        const std::string exemption = form_.purchaseExemptionLabel(r);
        purchaseLabels_[r].rate->setText(toQt(rate));
        purchaseLabels_[r].exemption->setText(toQt(exemption));
        const int box = Form::firstPurchaseBox + Form::purchaseColumns * r;
        for (int c = 0; c < 3; ++c) boxes_[box + c]->setAccessibleName(cellName(Form::purchaseHeaders[c], rate));
        boxes_[box + 3]->setAccessibleName(cellName(Form::purchaseHeaders[3], exemption));
        purchaseNature_[r]->setAccessibleName(cellName(Form::natureHeader, rate));
        purchaseType_[r]->setAccessibleName(cellName(Form::purchaseTypeHeader, rate));
        showIndex(purchaseNature_[r], form_.purchaseNature(r));
        showIndex(purchaseType_[r], form_.purchaseType(r));
    }
    tassa_->setChecked(form_.tassa());
    esig_->setChecked(form_.esig());
}

void VatCodesView::focusBox() {
    const int index = form_.focusedBox();
    if (index >= 0 && index < Form::boxCount) boxes_[index]->setFocus(Qt::OtherFocusReason);
}

void VatCodesView::afterAction() {
    refresh();
    if (form_.closed()) done(QDialog::Accepted);
}

void VatCodesView::reject() {
    leaveTable(form_);
    afterAction();
}

void VatCodesView::closeEvent(QCloseEvent* event) {
    leaveTable(form_);
    event->accept();
}

}  // namespace kalvora::ui
