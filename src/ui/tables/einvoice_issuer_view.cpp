#include "ui/tables/einvoice_issuer_view.h"

#include "ui/check_buttons.h"
#include "ui/folder_chooser_view.h"
#include "ui/icons.h"
#include "ui/qt_text.h"

#include <QButtonGroup>
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
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kalvora::ui {

namespace {

// Sets a box's text only when it differs: a keystroke the form took leaves the cursor alone.
void showText(QLineEdit* box, const QString& text) {
    if (box->text() != text) box->setText(text);
}

QGroupBox* frame(QWidget* parent, const QString& title, QGridLayout*& grid) {
    auto* group = new QGroupBox(title, parent);
    grid = new QGridLayout(group);
    return group;
}

}  // namespace

EInvoiceIssuerView::EInvoiceIssuerView(tables::EInvoiceIssuerForm& form, QWidget* parent)
    : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, toQt(form.name()), icons::application());
    auto* warning = new QLabel(QString::fromUtf8(Form::warning), this);
    warning->setObjectName(QStringLiteral("avviso"));
    warning->setWordWrap(true);
    warning->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    column->addWidget(warning);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("schede"));
    tabs_->addTab(issuerTab(), QStringLiteral("Emittente"));
    tabs_->addTab(addressTab(), QStringLiteral("Sedi e recapiti"));
    tabs_->addTab(optionsTab(), QStringLiteral("File XML"));
    column->addWidget(tabs_);

    addButtons(column, [this] {
        form_.confirm();
        focusPending_ = true;
    });
    refresh();
}

QLineEdit* EInvoiceIssuerView::addText(QGridLayout* grid, int row, int column, int k, const QString& label,
                                       const QString& spoken) {
    auto* box = new QLineEdit(grid->parentWidget());
    box->setObjectName(QStringLiteral("Text2_%1").arg(k));
    const std::size_t width = tables::issuer::text2[std::size_t(k)].width;
    box->setMaxLength(int(width));
    box->setMaximumWidth(std::min(int(width) * 9 + 16, 420));
    box->setAccessibleName(spoken.isEmpty() ? label : spoken);
    connect(box, &QLineEdit::textEdited, this, [this, k](const QString& typed) {
        form_.editText(k, fromQt(typed));
        afterAction();
    });
    if (!label.isEmpty()) {
        auto* caption = new QLabel(label, grid->parentWidget());
        caption->setBuddy(box);
        grid->addWidget(caption, row, column);
    }
    grid->addWidget(box, row, column + 1);
    texts_[std::size_t(k)] = box;
    return box;
}

QCheckBox* EInvoiceIssuerView::addCheck(QGridLayout* grid, int row, const QString& name, const QString& caption,
                                        std::function<void(Form&, bool)> set) {
    auto* box = new QCheckBox(caption, grid->parentWidget());
    box->setObjectName(name);
    onToggled(box, this, [this, set = std::move(set)](bool on) {
        set(form_, on);
        afterAction();
    });
    grid->addWidget(box, row, 0, 1, 4);
    return box;
}

QComboBox* EInvoiceIssuerView::addList(QWidget* parent, const QString& name, const QString& spoken,
                                       std::span<const char* const> entries, std::function<void(Form&, int)> choose) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setAccessibleName(spoken);
    // The regimes are long: the box keeps a sensible width and the open list shows them whole.
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(24);
    for (const char* entry : entries) list->addItem(QString::fromUtf8(entry));
    connect(list, &QComboBox::activated, this, [this, choose = std::move(choose)](int index) {
        choose(form_, index);
        afterAction();
    });
    return list;
}

QWidget* EInvoiceIssuerView::issuerTab() {
    auto* page = new QWidget(tabs_);
    auto* stack = new QVBoxLayout(page);
    QGridLayout* names = nullptr;
    stack->addWidget(frame(page, QStringLiteral("Dati dell'emittente della fattura elettronica PA"), names));
    addText(names, 0, 0, 0, QStringLiteral("Cognome e Nome"), QStringLiteral("Cognome"));
    addText(names, 0, 2, 1, {}, QStringLiteral("Nome"));
    addText(names, 1, 0, 2, QStringLiteral("Denominazione"));
    names->setColumnStretch(3, 1);

    QGridLayout* fiscal = nullptr;
    QGroupBox* fiscalFrame = frame(page, QStringLiteral("Dati fiscali"), fiscal);
    names->addWidget(fiscalFrame, 2, 0, 1, 4);
    addText(fiscal, 0, 0, 22, QStringLiteral("ID Paese"));
    addText(fiscal, 0, 2, 21, QStringLiteral("ID Codice"));
    addText(fiscal, 1, 0, 23, QStringLiteral("Codice fiscale"));
    addText(fiscal, 1, 2, 24, QStringLiteral("Partita iva"));
    regime_ = addList(fiscalFrame, QStringLiteral("Combo1"), QStringLiteral("Regime fiscale"), Form::regimes,
                      [](Form& f, int v) { f.chooseRegime(v); });
    subjectKind_ = addList(fiscalFrame, QStringLiteral("Combo3"), QStringLiteral("Tipo di soggetto"),
                           Form::subjectKinds, [](Form& f, int v) { f.chooseSubjectKind(v); });
    int row = 2;
    for (QComboBox* list : {regime_, subjectKind_}) {
        auto* caption = new QLabel(list->accessibleName(), fiscalFrame);
        caption->setBuddy(list);
        fiscal->addWidget(caption, row, 0);
        fiscal->addWidget(list, row++, 1, 1, 3);
    }
    rea_ = addCheck(fiscal, row++, QStringLiteral("rea"), QStringLiteral("Soggetto iscritto al REA"),
                   [](Form& f, bool v) { f.setRea(v); });
    addText(fiscal, row, 0, 4, QStringLiteral("Ufficio"));
    addText(fiscal, row++, 2, 3, QStringLiteral("Numero REA"));
    addText(fiscal, row++, 0, 5, QStringLiteral("Capitale Sociale"));
    singleShareholder_ =
        addCheck(fiscal, row++, QStringLiteral("sociounico"), QStringLiteral("Socio Unico"),
                 [](Form& f, bool v) { f.setSingleShareholder(v); });
    liquidation_ = addCheck(fiscal, row++, QStringLiteral("liquidazione"), QStringLiteral("Società in liquidazione"),
                            [](Form& f, bool v) { f.setInLiquidation(v); });
    fiscal->setColumnStretch(3, 1);
    stack->addStretch(1);
    return page;
}

QWidget* EInvoiceIssuerView::addressTab() {
    auto* page = new QWidget(tabs_);
    auto* stack = new QVBoxLayout(page);
    // The registered office is Text2 6..11, the permanent establishment 12..17.
    const auto address = [&](const QString& title, int first) {
        QGridLayout* grid = nullptr;
        stack->addWidget(frame(page, title, grid));
        addText(grid, 0, 0, first, QStringLiteral("Indirizzo"), title + QStringLiteral(" - Indirizzo"));
        addText(grid, 0, 2, first + 1, QStringLiteral("Numero civico"), title + QStringLiteral(" - Numero civico"));
        addText(grid, 1, 0, first + 2, QStringLiteral("CAP Città"), title + QStringLiteral(" - CAP"));
        addText(grid, 1, 2, first + 3, {}, title + QStringLiteral(" - Città"));
        addText(grid, 2, 0, first + 4, QStringLiteral("Provincia"), title + QStringLiteral(" - Provincia"));
        addText(grid, 2, 2, first + 5, QStringLiteral("Nazione"), title + QStringLiteral(" - Nazione"));
        grid->setColumnStretch(3, 1);
    };
    address(QStringLiteral("Sede legale"), 6);
    address(QStringLiteral("Stabile organizzazione"), 12);
    QGridLayout* contacts = nullptr;
    stack->addWidget(frame(page, QStringLiteral("Recapiti"), contacts));
    addText(contacts, 0, 0, 18, QStringLiteral("Telefono"));
    addText(contacts, 0, 2, 19, QStringLiteral("Fax"));
    addText(contacts, 1, 0, 20, QStringLiteral("Indirizzo posta elettronica"));
    contacts->setColumnStretch(3, 1);
    stack->addStretch(1);
    return page;
}

QWidget* EInvoiceIssuerView::optionsTab() {
    auto* page = new QWidget(tabs_);
    auto* grid = new QGridLayout(page);
    int row = 0;
    grid->addWidget(new QLabel(QStringLiteral("Crea file XML secondo lo standard"), page), row, 0);
    standard_ = new QButtonGroup(page);
    auto* versions = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(i == 0 ? QStringLiteral("1.0") : QStringLiteral("1.1"), page);
        option->setObjectName(QStringLiteral("standard_%1").arg(i));
        option->setAccessibleName(QStringLiteral("Standard ") + option->text());
        standard_->addButton(option, i);
        onChosen(option, this, [this, i] {
            form_.chooseStandard(i);
            afterAction();
        });
        versions->addWidget(option);
    }
    versions->addStretch(1);
    grid->addLayout(versions, row++, 1, 1, 2);
    numbering_ = addCheck(grid, row++, QStringLiteral("numera"), QStringLiteral("Utilizza numerazione fatture separata"),
                          [](Form& f, bool v) { f.setSeparateNumbering(v); });
    register_ = addList(page, QStringLiteral("Combo2"), QStringLiteral("Registra le fatturePA nel registro iva"),
                        Form::registers, [](Form& f, int v) { f.chooseVatRegister(v); });
    auto* registerCaption = new QLabel(register_->accessibleName(), page);
    registerCaption->setBuddy(register_);
    grid->addWidget(registerCaption, row, 0);
    grid->addWidget(register_, row++, 1, 1, 2);

    const QString captions[] = {QStringLiteral("Cartella ove salvare il file XML"),
                                QStringLiteral("Cartella ove salvare le ricevute")};
    for (int k = 0; k < 2; ++k) {
        auto* caption = new QLabel(captions[k], page);
        folders_[std::size_t(k)] = new QLineEdit(page);
        folders_[std::size_t(k)]->setObjectName(QStringLiteral("nfile_%1").arg(k));
        folders_[std::size_t(k)]->setReadOnly(true);
        folders_[std::size_t(k)]->setAccessibleName(captions[k]);
        folders_[std::size_t(k)]->setMinimumWidth(380);
        caption->setBuddy(folders_[std::size_t(k)]);
        auto* browse = new QPushButton(QStringLiteral("Sfoglia"), page);
        browse->setObjectName(QStringLiteral("sfoglia_%1").arg(k));
        browse->setAccessibleName(QStringLiteral("Usa la cartella scelta - ") + captions[k]);
        browse->setToolTip(browse->accessibleName());
        browse->setAutoDefault(false);
        onClick(browse, [this, k] { form_.browse(k); });
        grid->addWidget(caption, row, 0);
        grid->addWidget(folders_[std::size_t(k)], row, 1);
        grid->addWidget(browse, row++, 2);
    }
    grid->addWidget(new QLabel(QStringLiteral("Scegliere l'unità e la cartella, poi premere \"Sfoglia\" accanto "
                                              "alla cartella da impostare."),
                               page),
                    row++, 0, 1, 3);
    chooser_ = new FolderChooserView(form_.chooser(), page);
    chooser_->setMinimumHeight(220);
    grid->addWidget(chooser_, row++, 0, 1, 3);
    grid->setRowStretch(row, 1);
    return page;
}

void EInvoiceIssuerView::leaveForm() { form_.cancel(); }

void EInvoiceIssuerView::focusField() {
    if (!focusPending_) return;
    focusPending_ = false;
    const int k = form_.focusedText();
    if (k < 0 || k >= Form::textCount) return;
    QLineEdit* box = texts_[std::size_t(k)];
    for (int tab = 0; tab < tabs_->count(); ++tab)
        if (tabs_->widget(tab)->isAncestorOf(box)) tabs_->setCurrentIndex(tab);
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
}

void EInvoiceIssuerView::refresh() {
    setWindowTitle(toQt(form_.title()));
    for (int k = 0; k < Form::textCount; ++k) showText(texts_[std::size_t(k)], toQt(form_.text(k)));
    regime_->setCurrentIndex(form_.regime());
    subjectKind_->setCurrentIndex(form_.subjectKind());
    register_->setCurrentIndex(form_.vatRegister());
    showChecked(rea_, form_.rea());
    showChecked(singleShareholder_, form_.singleShareholder());
    showChecked(liquidation_, form_.inLiquidation());
    showChecked(numbering_, form_.separateNumbering());
    // An exclusive group cannot show neither option: it is lifted while they are set.
    standard_->setExclusive(false);
    for (int i = 0; i < 2; ++i) showChecked(standard_->button(i), form_.standard() == i);
    standard_->setExclusive(true);
    for (int k = 0; k < 2; ++k) showText(folders_[std::size_t(k)], toQt(form_.folder(k)));
}

}  // namespace kalvora::ui
