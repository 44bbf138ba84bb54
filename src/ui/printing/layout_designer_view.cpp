#include "ui/printing/layout_designer_view.h"

#include "core/print_job.h"
#include "core/session.h"
#include "printing/grid_print.h"
#include "printing/layout_designer.h"
#include "ui/check_buttons.h"
#include "ui/icons.h"
#include "ui/platform/print_surface.h"
#include "ui/qt_text.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kalvora::ui {

using printing::DesignerFrame;

namespace {

const std::array<const char*, 4> kindCaptions{"Linea", "Rettangolo", "Testo", "Immagine"};

}  // namespace

// The page as the test print draws it, at a fixed scale.
class GridPreview : public QWidget {
public:
    static constexpr double pxPerMm = 2;

    GridPreview(printing::LayoutDesignerForm& form, QWidget* parent) : QWidget(parent), form_(form) {
        setObjectName(QStringLiteral("anteprima_modulo"));
        setAccessibleName(QStringLiteral("Anteprima del modulo"));
        setFixedSize(int(core::PrintJob::pageWidth * pxPerMm) + 1, int(core::PrintJob::pageHeight * pxPerMm) + 1);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setPen(Qt::darkGray);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        core::RecordingPrintJob job;
        core::Session& session = form_.session();
        printing::printGrid(job, form_.grid(), printing::GridOrder::TestPrint, session.files(), session.installation());
        const auto at = [](double mm) { return mm * pxPerMm; };
        for (const core::PrintOp& op : job.ops()) {
            const QColor colour = toQColor(op.colour);
            const QRectF box = QRectF(QPointF(at(op.x1), at(op.y1)), QPointF(at(op.x2), at(op.y2))).normalized();
            QPen pen(colour);
            pen.setCosmetic(true);
            switch (op.kind) {
            case core::PrintOp::Kind::Picture: {
                const QImage& image = picture(toQt(op.text));
                if (image.isNull()) break;
                const double scale = core::PrintJob::pixelMm * pxPerMm;
                p.drawImage(QRectF(at(op.x1), at(op.y1), image.width() * scale, image.height() * scale), image);
                break;
            }
            case core::PrintOp::Kind::FilledRectangle: p.fillRect(box, colour); break;
            case core::PrintOp::Kind::Rectangle:
                p.setPen(pen);
                p.setBrush(Qt::NoBrush);
                p.drawRect(box);
                break;
            case core::PrintOp::Kind::Line:
                p.setPen(pen);
                p.drawLine(QPointF(at(op.x1), at(op.y1)), QPointF(at(op.x2), at(op.y2)));
                break;
            case core::PrintOp::Kind::Text: {
                // A small face at a third of the size, as the page is shrunk.
                QFont font(QStringLiteral("Sans Serif"));
                font.setPointSize(std::max(1, int(op.font.size / 3 + 0.5)));
                font.setBold(op.font.bold);
                font.setItalic(op.font.italic);
                p.setFont(font);
                p.setPen(pen);
                p.drawText(QPointF(at(op.x1), at(op.y1) + QFontMetricsF(font).ascent()), toQt(op.text));
                break;
            }
            case core::PrintOp::Kind::NewPage: break;
            }
        }
    }

private:
    const QImage& picture(const QString& path) {
        auto it = pictures_.find(path);
        if (it == pictures_.end()) it = pictures_.insert(path, QImage(path));
        return *it;
    }

    printing::LayoutDesignerForm& form_;
    QHash<QString, QImage> pictures_;
};

LayoutDesignerView::LayoutDesignerView(printing::LayoutDesignerForm& form, QWidget* parent)
    : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, toQt(form.name()), icons::application(), QMargins(10, 10, 10, 10));
    auto* row = new QHBoxLayout;
    column->addLayout(row);

    auto* listFrame = new QGroupBox(QStringLiteral("Personalizzazione della griglia si stampa"), this);
    auto* listColumn = new QVBoxLayout(listFrame);
    list_ = new QListWidget(listFrame);
    list_->setObjectName(QStringLiteral("List1"));
    list_->setAccessibleName(QStringLiteral("Oggetti del modulo"));
    list_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list_->setMinimumWidth(360);
    listColumn->addWidget(list_);
    row->addWidget(listFrame);
    const auto select = [this](QListWidgetItem* item) {
        form_.selectEntry(list_->row(item));
        afterMove();
    };
    connect(list_, &QListWidget::itemClicked, this, select);
    connect(list_, &QListWidget::itemActivated, this, select);
    connect(list_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int top) {
        if (!refreshing_) form_.setTopEntry(top);
    });

    preview_ = new GridPreview(form_, this);
    row->addWidget(preview_, 0, Qt::AlignTop);

    auto* side = new QVBoxLayout;
    row->addLayout(side);
    frames_ = new QStackedWidget(this);
    frames_->addWidget(makeNulla());
    for (int kind = 1; kind <= 4; ++kind) frames_->addWidget(makeFrame(kind));
    side->addWidget(frames_);

    auto* shiftFrame = new QGroupBox(QStringLiteral("Sposta tutta la griglia"), this);
    auto* arrows = new QGridLayout(shiftFrame);
    struct Arrow { int index; Qt::ArrowType type; const char* spoken; int row, column; };
    for (const Arrow& a : {Arrow{4, Qt::LeftArrow, "Sposta la griglia a sinistra", 1, 0},
                           Arrow{5, Qt::UpArrow, "Sposta la griglia in alto", 0, 1},
                           Arrow{6, Qt::DownArrow, "Sposta la griglia in basso", 2, 1},
                           Arrow{7, Qt::RightArrow, "Sposta la griglia a destra", 1, 2}}) {
        auto* b = new QToolButton(shiftFrame);
        b->setObjectName(QStringLiteral("Command1_%1").arg(a.index));
        b->setArrowType(a.type);
        b->setToolTip(QString::fromUtf8(a.spoken));
        b->setAccessibleName(QString::fromUtf8(a.spoken));
        b->setFocusPolicy(Qt::StrongFocus);
        b->setMinimumSize(32, 28);
        arrows->addWidget(b, a.row, a.column);
        onClick(b, [this, index = a.index] { form_.shift(index); });
    }
    side->addWidget(shiftFrame, 0, Qt::AlignHCenter);
    side->addStretch(1);

    static constexpr std::array<const char*, 5> captions{"Esci senza salvare", "Salva ed esci", "Modulo predefinito",
                                                         "Prova stampa", "Azzera tutto"};
    for (int i = 0; i < 5; ++i) {
        buttons_[std::size_t(i)] = action(this, QStringLiteral("bottone_%1").arg(i),
                                          QString::fromUtf8(captions[std::size_t(i)]), [this, i] { form_.button(i); });
        side->addWidget(buttons_[std::size_t(i)]);
    }
    buttons_[0]->setIcon(icons::cancel());
    buttons_[1]->setIcon(icons::confirm());
    refresh();
}

QPushButton* LayoutDesignerView::action(QWidget* parent, const QString& name, const QString& caption,
                                        std::function<void()> run) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAccessibleName(caption);
    // Enter belongs to the coordinate fields, never to a default button.
    b->setAutoDefault(false);
    onClick(b, std::move(run));
    return b;
}

QWidget* LayoutDesignerView::makeNulla() {
    auto* frame = new QGroupBox(frames_);
    frame->setObjectName(QStringLiteral("nulla"));
    auto* column = new QVBoxLayout(frame);
    column->addWidget(new QLabel(QStringLiteral("Aggiungi un oggetto"), frame));
    for (int k = 0; k < 4; ++k)
        column->addWidget(action(frame, QStringLiteral("command11_%1").arg(k), QString::fromUtf8(kindCaptions[std::size_t(k)]),
                                 [this, k] { form_.newElement(k); }));
    column->addStretch(1);
    return frame;
}

QLineEdit* LayoutDesignerView::coordinateBox(QWidget* parent, int kind, int index, const QString& spoken) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("coord%1_%2").arg(kind).arg(index));
    edit->setAccessibleName(spoken);
    edit->setProperty("kind", kind);
    edit->setProperty("index", index);
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textEdited, this, [this, kind, index](const QString& t) {
        form_.editCoordinate(static_cast<DesignerFrame>(kind), index, fromQt(t));
    });
    coords_[std::size_t(kind - 1)][std::size_t(index)] = edit;
    return edit;
}

QLabel* LayoutDesignerView::swatch(QWidget* parent, int k, const QString& spoken) {
    auto* box = new QLabel(parent);
    box->setObjectName(QStringLiteral("colore%1").arg(k + 1));
    box->setAccessibleName(spoken);
    box->setFixedSize(40, 20);
    swatches_[std::size_t(k)] = box;
    return box;
}

QWidget* LayoutDesignerView::makeFrame(int kind) {
    static constexpr std::array<const char*, 4> names{"linea", "rettangolo", "testo", "logo"};
    static constexpr std::array<const char*, 4> titles{"Aggiungi o modifica una linea", "Aggiungi o modifica un rettangolo",
                                                       "Aggiungi o modifica un testo",
                                                       "Aggiungi o modifica una immagine"};
    static constexpr std::array<const char*, 4> subjects{"della linea", "del rettangolo", "del testo", "dell'immagine"};
    const std::size_t k = std::size_t(kind - 1);
    const QString subject = QString::fromUtf8(subjects[k]);
    auto* frame = new QGroupBox(QString::fromUtf8(titles[k]), frames_);
    frame->setObjectName(QString::fromUtf8(names[k]));
    auto* column = new QVBoxLayout(frame);

    auto* kinds = new QHBoxLayout;
    for (std::size_t i = 0; i < 4; ++i) {
        kindNames_[k][i] = new QLabel(QString::fromUtf8(kindCaptions[i]), frame);
        kinds->addWidget(kindNames_[k][i]);
    }
    column->addLayout(kinds);

    auto* grid = new QGridLayout;
    column->addLayout(grid);
    const auto add = [&](int row, const QString& label, QWidget* field) {
        auto* caption = new QLabel(label, frame);
        caption->setBuddy(field);
        grid->addWidget(caption, row, 0);
        grid->addWidget(field, row, 1);
    };
    const auto coordinate = [&](int row, int index, const QString& label) {
        add(row, label, coordinateBox(frame, kind, index, label + QStringLiteral(" ") + subject));
    };
    const auto colourRow = [&](int row, const QString& label) {
        auto* place = new QHBoxLayout;
        QLabel* box = swatch(frame, kind - 1, label);
        place->addWidget(box);
        auto* browse = new QToolButton(frame);
        browse->setObjectName(QStringLiteral("xsfoglia_%1").arg(kind - 1));
        browse->setText(QStringLiteral("..."));
        browse->setAccessibleName(QStringLiteral("Scegli il colore ") + subject);
        browse->setToolTip(browse->accessibleName());
        onClick(browse, [this, kind] { form_.chooseColour(kind - 1); });
        place->addWidget(browse);
        place->addStretch(1);
        auto* caption = new QLabel(label, frame);
        caption->setBuddy(browse);
        grid->addWidget(caption, row, 0);
        grid->addLayout(place, row, 1);
    };
    const auto browseRow = [&](int row, const QString& label, QLabel* shown, const QString& name,
                               const QString& spoken, std::function<void()> run) {
        shown->setAccessibleName(label);
        auto* place = new QHBoxLayout;
        place->addWidget(shown, 1);
        auto* browse = new QToolButton(frame);
        browse->setObjectName(name);
        browse->setText(QStringLiteral("..."));
        browse->setAccessibleName(spoken);
        browse->setToolTip(spoken);
        onClick(browse, std::move(run));
        place->addWidget(browse);
        auto* caption = new QLabel(label, frame);
        caption->setBuddy(browse);
        grid->addWidget(caption, row, 0);
        grid->addLayout(place, row, 1);
    };

    if (kind <= 2) {
        grid->addWidget(new QLabel(QStringLiteral("Coordinate"), frame), 0, 0, 1, 2);
        static constexpr std::array<const char*, 4> corners{"X1", "Y1", "X2", "Y2"};
        for (int i = 0; i < 4; ++i) coordinate(i + 1, i, QString::fromUtf8(corners[std::size_t(i)]));
        if (kind == 2) {
            pieno_ = new QCheckBox(QStringLiteral("Rettangolo pieno"), frame);
            pieno_->setObjectName(QStringLiteral("pieno"));
            onToggled(pieno_, this, [this](bool on) {
                form_.setFilled(on);
                afterMove();
            });
            grid->addWidget(pieno_, 5, 0, 1, 2);
        }
        colourRow(6, kind == 1 ? QStringLiteral("Colore della linea") : QStringLiteral("Colore del rettangolo"));
    } else if (kind == 3) {
        coordinate(0, 0, QStringLiteral("X"));
        coordinate(1, 1, QStringLiteral("Y"));
        add(2, QStringLiteral("Testo"), coordinateBox(frame, kind, 2, QStringLiteral("Testo")));
        carattere_ = new QLabel(frame);
        carattere_->setObjectName(QStringLiteral("carattere"));
        browseRow(3, QStringLiteral("Tipo di carattere"), carattere_, QStringLiteral("sfoglia2"),
                  QStringLiteral("Scegli il tipo di carattere"), [this] { form_.chooseFont(); });
        colourRow(4, QStringLiteral("Colore del testo"));
    } else {
        coordinate(0, 0, QStringLiteral("X"));
        coordinate(1, 1, QStringLiteral("Y"));
        grid->addWidget(new QLabel(QStringLiteral("Dimensioni del logo nel formato PDF"), frame), 2, 0, 1, 2);
        add(3, QStringLiteral("Orizzontale"), coordinateBox(frame, kind, 2, QStringLiteral("Larghezza del logo nel formato PDF")));
        add(4, QStringLiteral("Verticale"), coordinateBox(frame, kind, 3, QStringLiteral("Altezza del logo nel formato PDF")));
        nomefile_ = new QLabel(frame);
        nomefile_->setObjectName(QStringLiteral("nomefile"));
        nomefile_->setWordWrap(true);
        nomefile_->setMinimumWidth(180);
        browseRow(5, QStringLiteral("File dell'immagine"), nomefile_, QStringLiteral("sfoglia3"),
                  QStringLiteral("Scegli il file dell'immagine"), [this] { form_.choosePicture(); });
        picture_ = new QLabel(frame);
        picture_->setObjectName(QStringLiteral("anteprima"));
        picture_->setAccessibleName(QStringLiteral("Anteprima dell'immagine"));
        picture_->setFixedSize(160, 100);
        picture_->setAlignment(Qt::AlignCenter);
        grid->addWidget(picture_, 6, 0, 1, 2, Qt::AlignHCenter);
    }

    auto* actions = new QHBoxLayout;
    actions->addWidget(action(frame, QStringLiteral("xaggiungi_%1").arg(kind - 1), QStringLiteral("Conferma"),
                              [this, kind] { form_.confirm(kind - 1); }));
    delete_[k] = action(frame, QStringLiteral("xelimina_%1").arg(kind - 1), QStringLiteral("Elimina"),
                        [this, kind] { form_.remove(kind - 1); });
    actions->addWidget(delete_[k]);
    column->addLayout(actions);
    column->addStretch(1);
    return frame;
}

bool LayoutDesignerView::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (!edit || !edit->property("kind").isValid()) return FormDialog::eventFilter(watched, event);
    const auto frame = static_cast<DesignerFrame>(edit->property("kind").toInt());
    const int index = edit->property("index").toInt();
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const int next = form_.enterCoordinate(frame, index);
            QLineEdit* target = coords_[std::size_t(frame) - 1][std::size_t(next)];
            target->setFocus(Qt::TabFocusReason);
            target->selectAll();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        form_.leaveCoordinate(frame, index);
        // A hidden window is closing: its widgets may already be going.
        if (!refreshing_ && isVisible()) refresh();
    }
    return FormDialog::eventFilter(watched, event);
}

void LayoutDesignerView::leaveForm() { form_.exitWithoutSaving(); }

void LayoutDesignerView::focusField() {
    const int field = form_.focusField();
    const DesignerFrame frame = form_.frame();
    if (field < 0 || frame == DesignerFrame::Nulla) return;
    QLineEdit* edit = coords_[std::size_t(frame) - 1][std::size_t(field)];
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

void LayoutDesignerView::showPicture() {
    const auto path = form_.pictureOnThisSystem(form_.pictureFile());
    const QString shown = path ? toQt(*path) : QString();
    if (shown == pictureShown_) return;
    pictureShown_ = shown;
    const QImage image(shown);
    picture_->setPixmap(image.isNull() ? QPixmap()
                                       : QPixmap::fromImage(image.scaled(picture_->size(), Qt::KeepAspectRatio,
                                                                         Qt::SmoothTransformation)));
}

void LayoutDesignerView::refresh() {
    refreshing_ = true;
    setWindowTitle(toQt(form_.title()));

    const auto& entries = form_.entries();
    bool same = list_->count() == int(entries.size());
    for (int i = 0; same && i < list_->count(); ++i) same = list_->item(i)->text() == toQt(entries[std::size_t(i)]);
    if (!same) {
        list_->clear();
        for (const std::string& e : entries) list_->addItem(toQt(e));
    }
    if (QListWidgetItem* top = list_->item(form_.topEntry())) list_->scrollToItem(top, QAbstractItemView::PositionAtTop);

    const DesignerFrame frame = form_.frame();
    frames_->setCurrentIndex(int(frame));
    for (int kind = 1; kind <= 4; ++kind) {
        const auto f = static_cast<DesignerFrame>(kind);
        for (int i = 0; i < printing::LayoutDesignerForm::fieldCount(f); ++i) {
            QLineEdit* edit = coords_[std::size_t(kind - 1)][std::size_t(i)];
            const QString text = toQt(form_.coordinate(f, i));
            if (edit->text() != text) edit->setText(text);
        }
        for (int i = 0; i < 4; ++i) {
            QLabel* name = kindNames_[std::size_t(kind - 1)][std::size_t(i)];
            QFont font = name->font();
            font.setBold(i == kind - 1);
            name->setFont(font);
        }
        delete_[std::size_t(kind - 1)]->setVisible(form_.deleteVisible());
    }
    for (int k = 0; k < 3; ++k)
        swatches_[std::size_t(k)]->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid gray;")
                                                     .arg(toQColor(form_.colour(k)).name()));
    showChecked(pieno_, form_.filled());
    carattere_->setText(toQt(form_.fontCaption()));
    nomefile_->setText(toQt(form_.pictureFile()));
    showPicture();
    preview_->update();
    refreshing_ = false;
}

}  // namespace kalvora::ui
