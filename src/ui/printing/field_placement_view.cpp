#include "ui/printing/field_placement_view.h"

#include "printing/field_placement.h"
#include "ui/check_buttons.h"
#include "ui/icons.h"
#include "ui/platform/print_surface.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <functional>

namespace kalvora::ui {

namespace {

using printing::PlacementColumn;

constexpr int columns = printing::FieldPlacementForm::columnCount;
constexpr std::array<const char*, columns> headings{"Campo da stampare", "Orizzontale", "Verticale",
                                                    "Tipo di carattere", "Colore"};
constexpr std::array<int, columns> widths{340, 90, 90, 170, 110};

QLabel* hint(QWidget* parent, const char* text, int width) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setWordWrap(true);
    label->setFixedWidth(width);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    return label;
}

}  // namespace

FieldPlacementView::FieldPlacementView(printing::FieldPlacementForm& form, QWidget* parent)
    : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, toQt(form.name()), icons::application(), QMargins(10, 10, 10, 10), 8);

    // The hints stand over the columns they speak of.
    auto* hints = new QHBoxLayout;
    hints->setSpacing(0);
    hints->addSpacing(widths[0] + 2);
    hints->addWidget(hint(this, "Clic in queste colonne per modificare il posizionamento di stampa del campo",
                          widths[1] + widths[2]));
    hints->addWidget(hint(this, "Clic in questa colonna per modificare il tipo di carattere", widths[3]));
    hints->addWidget(hint(this, "Clic in questa colonna per modificare il colore del carattere", widths[4]));
    hints->addStretch(1);
    column->addLayout(hints);

    elenco_ = new QTableWidget(form.rows(), columns, this);
    elenco_->setObjectName(QStringLiteral("elenco"));
    elenco_->setAccessibleName(QStringLiteral("Campi da stampare"));
    elenco_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    elenco_->setSelectionMode(QAbstractItemView::NoSelection);
    elenco_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    elenco_->verticalHeader()->hide();
    elenco_->verticalHeader()->setDefaultSectionSize(elenco_->fontMetrics().height() + 8);
    elenco_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    elenco_->horizontalHeader()->setSectionsClickable(false);
    elenco_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    elenco_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    int total = 0;
    for (int c = 0; c < columns; ++c) {
        elenco_->setHorizontalHeaderItem(c, new QTableWidgetItem(QString::fromUtf8(headings[std::size_t(c)])));
        elenco_->setColumnWidth(c, widths[std::size_t(c)]);
        total += widths[std::size_t(c)];
    }
    for (int r = 0; r < form.rows(); ++r)
        for (int c = 0; c < columns; ++c) elenco_->setItem(r, c, new QTableWidgetItem);
    elenco_->setFixedSize(total + elenco_->verticalScrollBar()->sizeHint().width() + 2 * elenco_->frameWidth(), 420);
    elenco_->installEventFilter(this);
    connect(elenco_, &QTableWidget::cellClicked, this, &FieldPlacementView::clickCell);
    connect(elenco_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { placeEntry(); });
    column->addWidget(elenco_);

    dato_ = new QLineEdit(elenco_->viewport());
    dato_->setObjectName(QStringLiteral("dato"));
    dato_->setAccessibleName(QStringLiteral("Coordinata"));
    dato_->hide();
    dato_->installEventFilter(this);
    connect(dato_, &QLineEdit::textEdited, this, [this](const QString& text) {
        form_.editEntry(fromQt(text));
        refresh();
    });

    bianca_ = new QCheckBox(QStringLiteral("Stampa il documento su carta bianca (stampa griglia)"), this);
    bianca_->setObjectName(QStringLiteral("bianca"));
    bianca_->setAccessibleName(bianca_->text());
    onToggled(bianca_, this, [this](bool on) {
        form_.setBianca(on);
        refresh();
    });
    column->addWidget(bianca_);

    auto* mail = new QGroupBox(QStringLiteral("Testo da utilizzare per l'invio del documento tramite e-mail"), this);
    auto* mailGrid = new QGridLayout(mail);
    subject_ = new QLineEdit(mail);
    subject_->setObjectName(QStringLiteral("Text2_0"));
    subject_->setAccessibleName(QStringLiteral("Oggetto"));
    body_ = new QPlainTextEdit(mail);
    body_->setObjectName(QStringLiteral("Text2_1"));
    body_->setAccessibleName(QStringLiteral("Testo e-mail"));
    body_->setTabChangesFocus(true);
    body_->setFixedHeight(90);
    const auto labelled = [&](int row, const QString& text, QWidget* field) {
        auto* label = new QLabel(text, mail);
        label->setBuddy(field);
        mailGrid->addWidget(label, row, 0, Qt::AlignTop);
        mailGrid->addWidget(field, row, 1);
    };
    labelled(0, QStringLiteral("Oggetto"), subject_);
    labelled(1, QStringLiteral("Testo e-mail"), body_);
    connect(subject_, &QLineEdit::textEdited, this, [this](const QString& text) { form_.editSubject(fromQt(text)); });
    connect(body_, &QPlainTextEdit::textChanged, this, [this] {
        if (!refreshing_) form_.editBody(fromQt(body_->toPlainText()));
    });
    column->addWidget(mail);

    auto* actions = new QHBoxLayout;
    const auto action = [&](const QString& name, const QString& caption, std::function<void()> run) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAccessibleName(caption);
        b->setAutoDefault(false);
        onClick(b, std::move(run));
        actions->addWidget(b);
        return b;
    };
    action(QStringLiteral("command3d5_2"), QStringLiteral("Personalizza griglia"), [this] { form_.customiseGrid(); });
    actions->addStretch(1);
    static constexpr std::array<const char*, 6> captions{"Annulla", "Conferma", "Azzera coordinate",
                                                         "Modulo di default", "Stampa coordinate", "Stampa esempio"};
    for (int i = 0; i < 6; ++i) {
        QPushButton* b = action(QStringLiteral("bottone_%1").arg(i), QString::fromUtf8(captions[std::size_t(i)]),
                                [this, i] { form_.button(i); });
        if (i == 0) b->setIcon(icons::cancel());
        if (i == 1) b->setIcon(icons::confirm());
    }
    column->addLayout(actions);
    refresh();
}

void FieldPlacementView::clickCell(int row, int column) {
    form_.clickCell(row + 1, static_cast<PlacementColumn>(column));
    afterMove();
}

void FieldPlacementView::closeEntry() {
    if (!form_.entryVisible()) return;
    form_.leaveEntry();
    // The box is going: the grid takes the focus rather than whatever comes next.
    if (dato_->hasFocus()) elenco_->setFocus(Qt::OtherFocusReason);
    refresh();
}

bool FieldPlacementView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (watched == dato_ && (enter || key == Qt::Key_Escape)) {
            closeEntry();
            return true;
        }
        if (watched == elenco_ && (enter || key == Qt::Key_Space) && elenco_->currentRow() >= 0) {
            clickCell(elenco_->currentRow(), elenco_->currentColumn());
            return true;
        }
    } else if (watched == dato_ && event->type() == QEvent::FocusOut) {
        // Another window coming to the front is not leaving the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !refreshing_) closeEntry();
    }
    return FormDialog::eventFilter(watched, event);
}

void FieldPlacementView::placeEntry() {
    if (!form_.entryVisible()) return;
    const QModelIndex index = elenco_->model()->index(form_.entryRow() - 1, int(form_.entryColumn()));
    dato_->setGeometry(elenco_->visualRect(index));
}

void FieldPlacementView::leaveForm() { form_.exit(); }

void FieldPlacementView::focusField() {
    if (!form_.entryVisible() || dato_->hasFocus()) return;
    dato_->setFocus(Qt::OtherFocusReason);
    dato_->selectAll();
}

void FieldPlacementView::refresh() {
    refreshing_ = true;
    setWindowTitle(toQt(form_.title()));
    for (int r = 0; r < form_.rows(); ++r) {
        for (int c = 0; c < columns; ++c) {
            QTableWidgetItem* item = elenco_->item(r, c);
            const QString text = toQt(form_.cell(r + 1, static_cast<PlacementColumn>(c)));
            if (item->text() != text) item->setText(text);
        }
        const QColor colour = toQColor(form_.colour(r + 1));
        QTableWidgetItem* swatch = elenco_->item(r, int(PlacementColumn::Colour));
        if (swatch->background().color() != colour || swatch->background().style() != Qt::SolidPattern) {
            swatch->setBackground(colour);
            swatch->setData(Qt::AccessibleTextRole, QStringLiteral("Colore %1").arg(colour.name()));
        }
    }

    if (form_.entryVisible()) {
        const int row = form_.entryRow();
        const int col = int(form_.entryColumn());
        dato_->setAccessibleName(QString::fromUtf8(headings[std::size_t(col)]) + QStringLiteral(" %1").arg(row));
        elenco_->scrollToItem(elenco_->item(row - 1, col));
        placeEntry();
        const QString text = toQt(form_.entryText());
        if (dato_->text() != text) {
            // A refused keystroke gives back the text the form kept, the cursor where it was.
            const int cursor = dato_->cursorPosition();
            dato_->setText(text);
            dato_->setCursorPosition(std::min(cursor, int(text.size())));
        }
        dato_->show();
        dato_->raise();
    } else {
        dato_->hide();
    }

    showChecked(bianca_, form_.bianca());
    const QString subject = toQt(form_.mail().subject);
    if (subject_->text() != subject) subject_->setText(subject);
    QString body = toQt(form_.mail().body);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (body_->toPlainText() != body) body_->setPlainText(body);
    refreshing_ = false;
}

}  // namespace kalvora::ui
