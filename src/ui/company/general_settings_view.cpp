#include "ui/company/general_settings_view.h"

#include "ui/check_buttons.h"
#include "ui/icons.h"
#include "ui/platform/print_surface.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace kalvora::ui {

namespace {

using Check = company::GeneralSettingsForm::Check;

struct CheckCaption {
    Check box;
    const char* name;
    const char* caption;
};

// In the order they are shown.
constexpr CheckCaption checkCaptions[] = {
    {Check::Liste, "liste",
     "Aggiorna automaticamente le liste (fatture, movimenti, ddt, ordini, preventivi ecc) dopo un inserimento o una "
     "modifica"},
    {Check::Lettura0, "lettura_0", "Visualizza gli elenchi utilizzando due diversi colori (lettura facilitata)"},
    {Check::Lettura1, "lettura_1", "Disabilita se l'elenco supera le 10.000 righe"},
    {Check::Scorporo, "scorporo", "Nell'emissione dei documenti abilita automaticamente lo scorporo iva"},
    {Check::Cerca, "cerca",
     "Nell'emissione dei documenti abilita automaticamente la ricerca degli articoli con il lettore di codici a barre"},
    {Check::Peso, "peso", "Nell'emissione dei DDT calcola automaticamente il peso totale"},
    {Check::Anno, "anno", "Nella numerazione delle fatture aggiungi l'anno di emissione"},
    {Check::Barre80, "barre80", "Utilizza il prefisso 80 nella creazione dei codici a barre"},
    {Check::Lotti, "lotti", "Abilita la gestione dei lotti"},
    {Check::Acro, "acro", "Esegui manualmente Acrobat Reader "},
};

QPushButton* textButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    button->setAutoDefault(false);
    return button;
}

// Sets a box's text only when it differs: a keystroke the form took leaves the cursor alone.
void showText(QLineEdit* box, const QString& text) {
    if (box->text() != text) box->setText(text);
}

}  // namespace

GeneralSettingsView::GeneralSettingsView(company::GeneralSettingsForm& form, QWidget* parent)
    : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, toQt(form.name()), icons::application(), QMargins(10, 10, 10, 10));
    column->addWidget(companyFrame());
    column->addWidget(currencyFrame());
    auto* note = new QLabel(toQt(Form::note), this);
    note->setObjectName(QStringLiteral("nota"));
    note->setWordWrap(true);
    column->addWidget(note);
    addButtons(column, [this] { form_.confirm(); });
    refresh();
}

QWidget* GeneralSettingsView::companyFrame() {
    auto* group = new QGroupBox(QStringLiteral("Impostazioni dell'azienda"), this);
    auto* grid = new QGridLayout(group);
    int row = 0;
    for (const CheckCaption& c : checkCaptions) {
        auto* box = new QCheckBox(QString::fromUtf8(c.caption), group);
        box->setObjectName(QString::fromUtf8(c.name));
        checks_[static_cast<std::size_t>(c.box)] = box;
        const Check which = c.box;
        onToggled(box, this, [this, which](bool on) {
            form_.setChecked(which, on);
            afterAction();
        });
        // The switch for large lists belongs to the two-colour one: it is shown indented under it.
        grid->addWidget(box, row++, c.box == Check::Lettura1 ? 1 : 0, 1, c.box == Check::Lettura1 ? 3 : 4);
    }

    auto* vatLabel = new QLabel(QStringLiteral("Codice iva predefinito"), group);
    vatCode_ = new QComboBox(group);
    vatCode_->setObjectName(QStringLiteral("Combo1"));
    vatCode_->setAccessibleName(vatLabel->text());
    vatLabel->setBuddy(vatCode_);
    for (const std::string& entry : form_.vatCodes()) vatCode_->addItem(toQt(entry));
    connect(vatCode_, &QComboBox::activated, this, [this](int position) {
        form_.setVatCode(position);
        afterAction();
    });
    grid->addWidget(vatLabel, row, 0);
    grid->addWidget(vatCode_, row++, 1, 1, 3);

    auto* colours = new QHBoxLayout;
    colours->addWidget(new QLabel(QStringLiteral("Colori degli elenchi"), group));
    const QString names[] = {QStringLiteral("Primo colore degli elenchi"), QStringLiteral("Secondo colore degli elenchi")};
    for (int box = 0; box < 2; ++box) {
        QLabel*& swatch = colours_[static_cast<std::size_t>(box)];
        swatch = new QLabel(group);
        swatch->setObjectName(QStringLiteral("car_%1").arg(box));
        swatch->setAccessibleName(names[box]);
        swatch->setFixedSize(60, 22);
        QPushButton* choose = textButton(group, QStringLiteral("command3d5_%1").arg(box), QStringLiteral("Scegli..."));
        choose->setAccessibleName(QStringLiteral("Scegli il ") + names[box].toLower());
        onClick(choose, [this, box] { form_.colourButton(box); });
        colours->addWidget(swatch);
        colours->addWidget(choose);
    }
    QPushButton* reset = textButton(group, QStringLiteral("command3d5_2"), QStringLiteral("Colori predefiniti"));
    onClick(reset, [this] { form_.colourButton(2); });
    colours->addWidget(reset);
    colours->addStretch(1);
    grid->addLayout(colours, row++, 0, 1, 4);

    auto* readerLabel = new QLabel(QStringLiteral("Acrobat Reader"), group);
    reader_ = new QLineEdit(group);
    reader_->setObjectName(QStringLiteral("car_2"));
    reader_->setAccessibleName(QStringLiteral("Programma per leggere i file PDF"));
    reader_->setMaxLength(static_cast<int>(Form::pdfReaderWidth));
    reader_->setMinimumWidth(420);
    readerLabel->setBuddy(reader_);
    connect(reader_, &QLineEdit::textEdited, this, [this](const QString& typed) {
        form_.editPdfReader(fromQt(typed));
        afterAction();
    });
    QPushButton* browse = textButton(group, QStringLiteral("command3d5_3"), QStringLiteral("Sfoglia..."));
    browse->setAccessibleName(QStringLiteral("Scegli il programma per leggere i file PDF"));
    onClick(browse, [this] { form_.colourButton(3); });
    grid->addWidget(readerLabel, row, 0);
    grid->addWidget(reader_, row, 1, 1, 2);
    grid->addWidget(browse, row++, 3);
    return group;
}

QWidget* GeneralSettingsView::currencyFrame() {
    auto* group = new QGroupBox(QStringLiteral("Valuta (comune a tutte le aziende)"), this);
    auto* grid = new QGridLayout(group);
    auto* codeLabel = new QLabel(QStringLiteral("Codice valuta di conto"), group);
    currency_ = new QLineEdit(group);
    currency_->setObjectName(QStringLiteral("text1_0"));
    currency_->setAccessibleName(codeLabel->text());
    currency_->setMaximumWidth(80);
    codeLabel->setBuddy(currency_);
    connect(currency_, &QLineEdit::textEdited, this, [this](const QString& typed) {
        form_.editCurrencyCode(fromQt(typed));
        afterAction();  // a refused keystroke is taken back
    });
    grid->addWidget(codeLabel, 0, 0);
    grid->addWidget(currency_, 0, 1, 1, Form::decimalOptions);
    grid->addWidget(new QLabel(QStringLiteral("Numero di decimali degli importi"), group), 1, 0);
    for (int option = 0; option < Form::decimalOptions; ++option) {
        auto* choice = new QRadioButton(QStringLiteral("%1 decimali").arg(option + 2), group);
        choice->setObjectName(QStringLiteral("decim_%1").arg(option));
        decimals_[static_cast<std::size_t>(option)] = choice;
        onChosen(choice, this, [this, option] {
            form_.setDecimals(option);
            afterAction();
        });
        grid->addWidget(choice, 1, option + 1);
    }
    return group;
}

void GeneralSettingsView::leaveForm() { form_.cancel(); }

void GeneralSettingsView::refresh() {
    setWindowTitle(toQt(form_.title()));
    for (int box = 0; box < Form::checkCount; ++box)
        showChecked(checks_[static_cast<std::size_t>(box)], form_.checked(static_cast<Check>(box)));
    showChecked(decimals_[static_cast<std::size_t>(form_.decimals())], true);
    {
        const QSignalBlocker quiet(vatCode_);
        vatCode_->setCurrentIndex(form_.vatCode());
    }
    for (int box = 0; box < 2; ++box) {
        QLabel* swatch = colours_[static_cast<std::size_t>(box)];
        const QColor colour = toQColor(form_.colour(box));
        swatch->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid #606060;").arg(colour.name()));
        swatch->setAccessibleDescription(colour.name());
    }
    showText(currency_, toQt(form_.currencyCode()));
    showText(reader_, toQt(form_.pdfReader()));
}

}  // namespace kalvora::ui
