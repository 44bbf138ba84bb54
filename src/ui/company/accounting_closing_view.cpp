#include "ui/company/accounting_closing_view.h"

#include "company/accounting_closing.h"
#include "ui/coloured_rows_model.h"
#include "ui/company/work_progress.h"
#include "ui/date_field.h"
#include "ui/dialog_button.h"
#include "ui/icons.h"
#include "ui/qt_text.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace kalvora::ui {

namespace {

QLineEdit* box(QWidget* parent, const QString& name, const QString& spoken, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAccessibleName(spoken);
    edit->setMaxLength(maxLength);
    return edit;
}

// A box as wide as `characters` digits or letters.
void fitTo(QLineEdit* edit, int characters) {
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(characters, QLatin1Char('0'))) + 14);
}

}  // namespace

AccountingClosingView::AccountingClosingView(company::AccountingClosingForm& form, QWidget* parent)
    : WorkDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, toQt(form.name()), icons::application(), QMargins(10, 10, 10, 10));
    column->setSizeConstraint(QLayout::SetDefaultConstraint);

    auto* frame = new QGroupBox(toQt(form_.frameTitle()), this);
    frame_ = frame;
    auto* fields = new QFormLayout(frame);
    fields->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    date_ = dateBox(frame, QStringLiteral("data"), QStringLiteral("Data di registrazione movimento"),
                    [this](std::string text) { form_.setDate(std::move(text)); });
    fields->addRow(QStringLiteral("Data di registrazione movimento"), date_);
    texts_[3] = box(frame, QStringLiteral("text1_3"), QStringLiteral("Numero del documento"), 20);
    fitTo(texts_[3], 20);
    fields->addRow(QStringLiteral("Numero del documento"), texts_[3]);
    auto* descriptions = new QVBoxLayout;
    for (int i = 0; i < 3; ++i) {
        texts_[i] = box(frame, QStringLiteral("text1_%1").arg(i),
                        QStringLiteral("Descrizione del movimento, riga %1").arg(i + 1), 40);
        fitTo(texts_[i], 40);
        descriptions->addWidget(texts_[i]);
    }
    fields->addRow(QStringLiteral("Descrizione del movimento"), descriptions);
    for (int i = 0; i < 4; ++i) {
        QLineEdit* edit = texts_[i];
        connect(edit, &QLineEdit::textEdited, this, [this, i](const QString& t) {
            if (i == 3) form_.setDocument(fromQt(t));
            else form_.setDescription(i, fromQt(t));
        });
    }

    auto* accountRow = new QHBoxLayout;
    static constexpr std::array<int, 3> widths{2, 2, 4};
    static constexpr std::array<const char*, 3> parts{"gruppo", "sottogruppo", "conto"};
    const QString counterpart = toQt(form_.counterpartLabel());
    for (int i = 0; i < 3; ++i) {
        account_[i] = box(frame, QStringLiteral("text2_%1").arg(i),
                          counterpart + QStringLiteral(", ") + QLatin1String(parts[static_cast<std::size_t>(i)]), widths[static_cast<std::size_t>(i)]);
        account_[i]->setValidator(nullptr);
        fitTo(account_[i], widths[static_cast<std::size_t>(i)]);
        accountRow->addWidget(account_[i]);
        connect(account_[i], &QLineEdit::textEdited, this, [this, i](const QString& t) { form_.setAccountPart(i, fromQt(t)); });
        connect(account_[i], &QLineEdit::editingFinished, this, [this, i] {
            form_.leaveAccountPart(i);
            afterMove();
        });
    }
    accountDescription_ = new QLabel(frame);
    accountDescription_->setObjectName(QStringLiteral("Label2"));
    accountRow->addWidget(accountDescription_, 1);
    fields->addRow(counterpart, accountRow);

    if (form_.mode() == company::ClosingMode::Opening) {
        companies_ = new QComboBox(frame);
        companies_->setObjectName(QStringLiteral("Combo1"));
        companies_->setAccessibleName(QStringLiteral("Esamina i conti dell'azienda"));
        for (const std::string& c : form_.companies()) companies_->addItem(toQt(c));
        connect(companies_, &QComboBox::activated, this, [this](int row) {
            form_.chooseCompany(row);
            afterMove();
        });
        fields->addRow(QStringLiteral("Esamina i conti dell'azienda"), companies_);
    }
    column->addWidget(frame);

    guidance_ = new QLabel(this);
    guidance_->setObjectName(QStringLiteral("Label1"));
    guidance_->setWordWrap(true);
    column->addWidget(guidance_);

    QStringList headers;
    for (const std::string& h : company::AccountingClosingForm::columnHeaders()) headers << toQt(h);
    model_ = new ColouredRowsModel(
        // The rows come from the form, which outlives the view: the grid may still ask for
        // them while the window is being taken apart.
        {headers, [&form] { return static_cast<int>(form.preview().size()); },
         [&form](int r, int c) -> std::string {
             const company::PreviewRow& row = form.preview()[static_cast<std::size_t>(r)];
             const std::array<const std::string*, 6> cells{&row.date, &row.movement, &row.account,
                                                           &row.accountDescription, &row.debit, &row.credit};
             return *cells[static_cast<std::size_t>(c)];
         },
         [](int) { return -1; }, 4},
        this);
    grid_ = rowsGrid(this, model_, QStringLiteral("Registrazioni"));
    for (int c : {4, 5}) grid_->horizontalHeader()->resizeSection(c, 110);
    grid_->horizontalHeader()->resizeSection(1, 190);
    grid_->horizontalHeader()->resizeSection(3, 220);
    grid_->setMinimumSize(820, 260);
    addWork(column, grid_, model_, QStringLiteral("Avanzamento"), [this] { form_.confirm(); });

    form_.onProgress([this] { refresh(); });
    refresh();
    date_->setFocus();
}

AccountingClosingView::~AccountingClosingView() { form_.onProgress({}); }

void AccountingClosingView::leaveForm() { form_.cancel(); }

void AccountingClosingView::refresh() {
    setWindowTitle(toQt(form_.title()));
    showDate(date_, form_.date());
    const auto show = [](QLineEdit* edit, const std::string& text) {
        if (edit->text() != toQt(text)) edit->setText(toQt(text));
    };
    for (int i = 0; i < 3; ++i) show(texts_[static_cast<std::size_t>(i)], form_.description(i));
    show(texts_[3], form_.document());
    for (int i = 0; i < 3; ++i) show(account_[static_cast<std::size_t>(i)], form_.accountPart(i));
    accountDescription_->setText(toQt(form_.accountDescription()));
    guidance_->setText(toQt(form_.guidance()));
    if (companies_ && companies_->currentIndex() != form_.chosenCompany()) companies_->setCurrentIndex(form_.chosenCompany());
    if (model_->rowCount() != static_cast<int>(form_.preview().size())) model_->reload();
    showWork(form_.progressLines(), form_.progressPercent(), form_.working());
    frame_->setEnabled(!form_.working());
}

}  // namespace kalvora::ui
