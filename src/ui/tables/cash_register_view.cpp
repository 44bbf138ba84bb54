#include "ui/tables/cash_register_view.h"

#include "ui/check_buttons.h"
#include "ui/icons.h"
#include "ui/qt_text.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
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

namespace kalvora::ui {

namespace {

constexpr const char* indexProperty = "cashBox";
constexpr const char* barCodeProperty = "cashBarCode";

void showText(QLineEdit* box, const QString& text) {
    if (box->text() != text) box->setText(text);
}

QString utf8(const char* text) { return QString::fromUtf8(text); }

// The page holding `w`, so the focus can follow Enter onto another page.
int pageOf(QTabWidget* pages, QWidget* w) {
    for (int i = 0; i < pages->count(); ++i)
        if (pages->widget(i)->isAncestorOf(w)) return i;
    return -1;
}

}  // namespace

CashRegisterView::CashRegisterView(tables::CashRegisterForm& form, QWidget* parent)
    : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, toQt(form.name()), icons::application(), QMargins(10, 10, 10, 10));
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("schede"));
    pages_->addTab(generalPage(), QStringLiteral("Collegamento"));
    pages_->addTab(codesPage(), QStringLiteral("Codici"));
    pages_->addTab(departmentsPage(), QStringLiteral("Reparti"));
    pages_->addTab(recordPage(), QStringLiteral("Struttura record dati"));
    pages_->addTab(barCodesPage(), QStringLiteral("Codici a barre"));
    column->addWidget(pages_);
    column->addWidget(presetRow());
    addButtons(column, [this] { form_.confirm(); });
    refresh();
}

QLineEdit* CashRegisterView::text1Box(QGridLayout* grid, int row, int column, int k, const QString& caption,
                                      bool labelled) {
    QWidget* parent = grid->parentWidget();
    auto* box = new QLineEdit(parent);
    box->setObjectName(QStringLiteral("text1_%1").arg(k));
    box->setAccessibleName(caption);
    box->setProperty(indexProperty, k);
    box->installEventFilter(this);
    if (labelled) {
        auto* label = new QLabel(caption, parent);
        label->setBuddy(box);
        grid->addWidget(label, row, column++);
    }
    grid->addWidget(box, row, column);
    connect(box, &QLineEdit::textEdited, this, [this, k](const QString& text) {
        form_.editText1(k, fromQt(text));
        afterAction();
    });
    connect(box, &QLineEdit::returnPressed, this, [this, k] {
        form_.enterText1(k);
        afterMove();
    });
    text1_[std::size_t(k)] = box;
    return box;
}

QButtonGroup* CashRegisterView::options(QWidget* parent, const QString& control, const QStringList& captions,
                                        std::array<QRadioButton*, 5>& buttons, std::function<void(Form&, int)> choose) {
    auto* group = new QButtonGroup(parent);
    for (int i = 0; i < int(buttons.size()); ++i) {
        auto* b = new QRadioButton(captions.at(i), parent);
        b->setObjectName(QStringLiteral("%1_%2").arg(control).arg(i));
        group->addButton(b, i);
        buttons[std::size_t(i)] = b;
        onChosen(b, this, [this, choose, i] {
            choose(form_, i);
            afterAction();
        });
    }
    return group;
}

QWidget* CashRegisterView::generalPage() {
    auto* page = new QWidget;
    auto* stack = new QVBoxLayout(page);
    auto* top = new QHBoxLayout;
    stack->addLayout(top);

    auto* ports = new QGroupBox(QStringLiteral("Porta seriale di comunicazione"), page);
    portGroup_ = options(ports, QStringLiteral("porta"),
                         {QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"), QStringLiteral("COM4"),
                          QStringLiteral("Nessun registratore collegato")},
                         porta_, [](Form& f, int i) { f.choosePort(i); });
    auto* portColumn = new QVBoxLayout(ports);
    portColumn->addWidget(porta_[tables::cashNoPort]);  // shown first, as the usual choice
    for (int i = 0; i < tables::cashNoPort; ++i) portColumn->addWidget(porta_[std::size_t(i)]);
    top->addWidget(ports);

    auto* flags = new QGroupBox(QStringLiteral("Flag da utilizzare al richiamo di Winexec"), page);
    flagGroup_ = options(flags, QStringLiteral("flag"),
                         {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                          QStringLiteral("4")},
                         flag_, [](Form& f, int i) { f.chooseFlag(i); });
    auto* flagColumn = new QVBoxLayout(flags);
    for (QRadioButton* b : flag_) {
        b->setAccessibleName(QStringLiteral("Flag %1").arg(b->text()));
        flagColumn->addWidget(b);
    }
    top->addWidget(flags);

    auto* optionsBox = new QGroupBox(QStringLiteral("Opzioni"), page);
    auto* optionColumn = new QVBoxLayout(optionsBox);
    const char* names[] = {"capo", "barre", "prezzi"};
    const char* captions[] = {"Imposta automaticam. quantità = 1", "Utilizza lettore codici a barre",
                              "Utilizza prezzi * 100"};
    for (int c = 0; c < tables::cashChecks; ++c) {
        auto* box = new QCheckBox(utf8(captions[c]), optionsBox);
        box->setObjectName(QLatin1String(names[c]));
        onToggled(box, this, [this, c](bool ticked) {
            form_.setChecked(c, ticked);
            afterAction();
        });
        checks_[std::size_t(c)] = box;
        optionColumn->addWidget(box);
    }
    optionColumn->addStretch(1);
    top->addWidget(optionsBox);

    auto* files = new QGroupBox(QStringLiteral("Programma di gestione del registratore"), page);
    auto* grid = new QGridLayout(files);
    text1Box(grid, 0, 0, 0, QStringLiteral("Nome file dati da creare (compreso path)"))->setMinimumWidth(420);
    text1Box(grid, 1, 0, 1, QStringLiteral("Nome programma da eseguire (compreso path+args)"));
    stack->addWidget(files);
    stack->addStretch(1);
    return page;
}

QWidget* CashRegisterView::codesPage() {
    auto* page = new QWidget;
    auto* stack = new QVBoxLayout(page);
    auto* codes = new QGroupBox(QStringLiteral("Codici dei record"), page);
    auto* codeGrid = new QGridLayout(codes);
    text1Box(codeGrid, 0, 0, 36, QStringLiteral("Codice record di testa"));
    text1Box(codeGrid, 1, 0, 37, QStringLiteral("Parametri di comunicazione"));
    for (int k = 38; k <= 40; ++k) text1Box(codeGrid, k - 36, 0, k, QStringLiteral("Codice aggiuntivo %1").arg(k - 37));
    text1Box(codeGrid, 5, 0, 41, QStringLiteral("Codice record di coda"));
    const char* closing[] = {"Codice chiusura scontrino tramite denaro contante",
                             "Codice chiusura scontrino tramite assegno",
                             "Codice chiusura scontrino tramite carta di credito (POS)"};
    for (int c = 0; c < 3; ++c) text1Box(codeGrid, 6 + c, 0, 42 + c, utf8(closing[c]));
    stack->addWidget(codes);
    stack->addStretch(1);
    return page;
}

QWidget* CashRegisterView::departmentsPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    for (int i = 0; i < 8; ++i) {
        text1Box(grid, i, 0, 2 + i, QStringLiteral("% Iva %1->reparto").arg(i + 1))->setMaximumWidth(120);
        text1Box(grid, i, 2, 10 + i, QStringLiteral("Esente %1->reparto").arg(i + 1))->setMaximumWidth(120);
    }
    grid->setRowStretch(8, 1);
    grid->setColumnStretch(4, 1);
    return page;
}

QWidget* CashRegisterView::recordPage() {
    auto* page = new QWidget;
    auto* stack = new QVBoxLayout(page);
    auto* group = new QGroupBox(QStringLiteral("Struttura record dati"), page);
    auto* grid = new QGridLayout(group);
    const QString headings[] = {QStringLiteral("Testo prima del campo"), QStringLiteral("Campo"),
                                QStringLiteral("Testo dopo il campo"),
                                QStringLiteral("Lunghezza del campo inserito dal programma")};
    for (int c = 0; c < 4; ++c) {
        auto* heading = new QLabel(headings[c], group);
        heading->setWordWrap(true);
        grid->addWidget(heading, 0, c + 1);
    }
    QStringList fields;
    for (const char* name : tables::registerFieldNames) fields << utf8(name);
    for (int r = 0; r < tables::cashSlots; ++r) {
        const QString slot = QStringLiteral("Campo %1").arg(r + 1);
        grid->addWidget(new QLabel(slot, group), r + 1, 0);
        auto* combo = new QComboBox(group);
        combo->setObjectName(QStringLiteral("Combo1_%1").arg(r));
        combo->setAccessibleName(QStringLiteral("Struttura record dati - %1").arg(slot));
        combo->addItems(fields);
        connect(combo, &QComboBox::activated, this, [this, r](int index) {
            form_.chooseField(r, index);
            afterAction();
        });
        combo1_[std::size_t(r)] = combo;
        // Each slot's three boxes: before (column 1), after (column 3), length (column 4).
        const int boxColumns[] = {1, 3, 4};
        for (int b = 0; b < 3; ++b)
            text1Box(grid, r + 1, boxColumns[b], 18 + 3 * r + b,
                     headings[b == 0 ? 0 : b + 1] + QStringLiteral(" - ") + slot, false);
        grid->addWidget(combo, r + 1, 2);
    }
    stack->addWidget(group);
    stack->addStretch(1);
    return page;
}

QWidget* CashRegisterView::barCodesPage() {
    auto* page = new QWidget;
    auto* stack = new QVBoxLayout(page);
    auto* group = new QGroupBox(QStringLiteral("Codici a barre per attivare le funzioni"), page);
    auto* grid = new QGridLayout(group);
    int shown = 0;
    for (int k : Form::barCodeOrder) {
        const QString caption = utf8(Form::functionNames[std::size_t(k)]);
        auto* label = new QLabel(caption, group);
        auto* box = new QLineEdit(group);
        box->setObjectName(QStringLiteral("Text2_%1").arg(k));
        box->setAccessibleName(QStringLiteral("Codice a barre %1").arg(caption));
        box->setProperty(indexProperty, k);
        box->setProperty(barCodeProperty, true);
        box->installEventFilter(this);
        label->setBuddy(box);
        const int row = shown % 7, column = 2 * (shown / 7);
        grid->addWidget(label, row, column);
        grid->addWidget(box, row, column + 1);
        connect(box, &QLineEdit::textEdited, this, [this, k](const QString& text) {
            form_.editText2(k, fromQt(text));
            afterAction();
        });
        connect(box, &QLineEdit::returnPressed, this, [this, k] {
            form_.enterText2(k);
            afterMove();
        });
        text2_[std::size_t(k)] = box;
        ++shown;
    }
    stack->addWidget(group);
    stack->addStretch(1);
    return page;
}

QWidget* CashRegisterView::presetRow() {
    auto* group = new QGroupBox(QStringLiteral("Imposta registratore tipo"), this);
    auto* row = new QHBoxLayout(group);
    model_ = new QComboBox(group);
    model_->setObjectName(QStringLiteral("modello"));
    model_->setAccessibleName(QStringLiteral("Imposta registratore tipo"));
    for (const tables::RegisterPreset& preset : tables::registerPresets) model_->addItem(utf8(preset.name));
    connect(model_, &QComboBox::activated, this, [this](int index) {
        form_.chooseModel(index);
        afterAction();
    });
    auto* apply = new QPushButton(QStringLiteral("Imposta"), group);
    apply->setObjectName(QStringLiteral("bottone_2"));
    apply->setAccessibleName(QStringLiteral("Imposta il registratore scelto"));
    apply->setAutoDefault(false);
    connect(apply, &QPushButton::clicked, this, [this] {
        form_.applyModel();
        afterAction();
    });
    row->addWidget(model_, 1);
    row->addWidget(apply);
    return group;
}

bool CashRegisterView::eventFilter(QObject* watched, QEvent* event) {
    // The form keeps where the user is, so a refused save leaves the focus there.
    if (event->type() == QEvent::FocusIn) {
        const QVariant k = watched->property(indexProperty);
        if (k.isValid()) form_.setFocus({watched->property(barCodeProperty).toBool(), k.toInt()});
    }
    return FormDialog::eventFilter(watched, event);
}

void CashRegisterView::leaveForm() { form_.cancel(); }

void CashRegisterView::focusField() {
    const Form::Focus f = form_.focus();
    QLineEdit* box = f.barCode ? text2_.at(std::size_t(f.index)) : text1_.at(std::size_t(f.index));
    const int page = pageOf(pages_, box);
    if (page >= 0) pages_->setCurrentIndex(page);
    box->setFocus();
    box->selectAll();
}

void CashRegisterView::refresh() {
    setWindowTitle(toQt(form_.title()));
    const auto choose = [](QButtonGroup* group, const std::array<QRadioButton*, 5>& buttons, int chosen) {
        // A line naming no choice shows none: exclusivity would keep the old one ticked.
        group->setExclusive(false);
        for (std::size_t i = 0; i < buttons.size(); ++i) showChecked(buttons[i], int(i) == chosen);
        group->setExclusive(true);
    };
    choose(portGroup_, porta_, form_.port());
    choose(flagGroup_, flag_, form_.flag());
    for (int k = 0; k < tables::cashTextBoxes; ++k) showText(text1_[std::size_t(k)], toQt(form_.text1(k)));
    for (int r = 0; r < tables::cashSlots; ++r) {
        const QSignalBlocker quiet(combo1_[std::size_t(r)]);
        combo1_[std::size_t(r)]->setCurrentIndex(form_.field(r));
    }
    for (int c = 0; c < tables::cashChecks; ++c) showChecked(checks_[std::size_t(c)], form_.checked(c));
    for (int k = 0; k < tables::cashBarCodes; ++k) showText(text2_[std::size_t(k)], toQt(form_.text2(k)));
    model_->setCurrentIndex(form_.model());
}

}  // namespace kalvora::ui
