#include "ui/printing/label_layout_view.h"

#include "core/print_job.h"
#include "ui/icons.h"
#include "ui/platform/print_surface.h"
#include "ui/qt_text.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace kalvora::ui {

namespace {

constexpr double pointMm = 25.4 / 72;

// Sets a box's text only when it differs: a keystroke the form took leaves the cursor alone.
void showText(QLineEdit* box, const QString& text) {
    if (box->text() != text) box->setText(text);
}

}  // namespace

// The sheet scaled into the widget with the test sheet drawn on it: the labels, and the fields
// with their sample data at their places. Drawn again at every change.
class LabelSheetPreview : public QWidget {
public:
    LabelSheetPreview(const printing::LabelLayoutForm& form, QWidget* parent) : QWidget(parent), form_(form) {
        setObjectName(QStringLiteral("anteprima"));
        setAccessibleName(QStringLiteral("Anteprima del foglio di etichette"));
        setFixedSize(360, 509);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Mid));
        const printing::LabelSheet sheet = form_.sheet();
        if (sheet.width <= 0 || sheet.height <= 0) return;  // nothing to scale
        const double scale = std::min((width() - 8) / sheet.width, (height() - 8) / sheet.height);
        const QPointF origin((width() - sheet.width * scale) / 2, (height() - sheet.height * scale) / 2);
        const auto at = [&](double x, double y) { return origin + QPointF(x * scale, y * scale); };
        p.fillRect(QRectF(at(0, 0), at(sheet.width, sheet.height)), Qt::white);
        p.setClipRect(QRectF(at(0, 0), at(sheet.width, sheet.height)));

        core::RecordingPrintJob job;
        printing::printLabelTestSheet(job, form_.kind(), form_.layout());
        for (const core::PrintOp& op : job.ops()) {
            const QRectF box = QRectF(at(op.x1, op.y1), at(op.x2, op.y2)).normalized();
            QPen pen(toQColor(op.colour));
            pen.setCosmetic(true);
            switch (op.kind) {
            case core::PrintOp::Kind::Rectangle:
                p.setPen(pen);
                p.setBrush(Qt::NoBrush);
                p.drawRect(box);
                break;
            case core::PrintOp::Kind::FilledRectangle: p.fillRect(box, toQColor(op.colour)); break;
            case core::PrintOp::Kind::Text: {
                QFont font(toQt(op.font.name));
                font.setPixelSize(std::max(1, int(std::lround(op.font.size * pointMm * scale))));
                font.setBold(op.font.bold);
                font.setItalic(op.font.italic);
                p.setFont(font);
                p.setPen(pen);
                p.drawText(at(op.x1, op.y1) + QPointF(0, QFontMetricsF(font).ascent()), toQt(op.text));
                break;
            }
            default: break;
            }
        }
    }

private:
    const printing::LabelLayoutForm& form_;
};

LabelLayoutView::LabelLayoutView(printing::LabelLayoutForm& form, QWidget* parent)
    : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, toQt(form.name()), icons::application(), QMargins(10, 10, 10, 10));
    auto* top = new QHBoxLayout;
    column->addLayout(top);
    top->addWidget(sheetFrames(), 0, Qt::AlignTop);
    preview_ = new LabelSheetPreview(form_, this);
    top->addWidget(preview_, 0, Qt::AlignTop);
    column->addWidget(fieldRows());

    const DialogButtons buttons = addButtons(column, [this] { form_.confirm(); });
    auto* test = new QPushButton(QStringLiteral("Stampa di prova"), this);
    test->setObjectName(QStringLiteral("bottone_2"));
    test->setAccessibleName(test->text());
    test->setAutoDefault(false);
    onClick(test, [this] { form_.testPrint(); });
    buttons.layout->insertWidget(0, test);
    refresh();
}

QLineEdit* LabelLayoutView::entry(QWidget* parent, const QString& name, const QString& spoken,
                                  std::function<bool(const std::string&)> edit) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setAccessibleName(spoken);
    connect(box, &QLineEdit::textEdited, this, [this, box, edit = std::move(edit)](const QString& typed) {
        const int cursor = box->cursorPosition();
        const bool taken = edit(fromQt(typed));
        afterAction();
        // The refused keystroke is gone again: the cursor goes back to where it was.
        if (!taken) box->setCursorPosition(std::max(0, cursor - int(typed.size() - box->text().size())));
    });
    return box;
}

QWidget* LabelLayoutView::sheetFrames() {
    auto* frames = new QWidget(this);
    auto* stack = new QVBoxLayout(frames);
    stack->setContentsMargins(0, 0, 0, 0);
    const auto text = [this](QWidget* parent, int k, const QString& spoken) {
        texts_[std::size_t(k)] = entry(parent, QStringLiteral("Text_%1").arg(k), spoken,
                                       [this, k](const std::string& v) { return form_.editText(k, v); });
        return texts_[std::size_t(k)];
    };
    struct Box {
        int k;
        const char* label;
        const char* spoken;
    };
    const auto frame = [&](const QString& title, std::initializer_list<Box> boxes) {
        auto* group = new QGroupBox(title, frames);
        auto* grid = new QGridLayout(group);
        int row = 0;
        for (const Box& b : boxes) {
            auto* label = new QLabel(QString::fromUtf8(b.label), group);
            QLineEdit* box = text(group, b.k, QString::fromUtf8(b.spoken));
            box->setMaximumWidth(b.k < Form::numericTexts ? 80 : 200);
            label->setBuddy(box);
            grid->addWidget(label, row, 0);
            grid->addWidget(box, row++, 1);
        }
        stack->addWidget(group);
    };
    frame(QStringLiteral("Dimensioni del foglio"),
          {{0, "Larghezza in millimetri", "Larghezza del foglio"}, {1, "Altezza in millimetri", "Altezza del foglio"}});
    frame(QStringLiteral("Dimensioni dei bordi"), {{2, "Bordo sinistro", "Bordo sinistro"},
                                                   {3, "Bordo destro", "Bordo destro"},
                                                   {4, "Bordo superiore", "Bordo superiore"},
                                                   {5, "Bordo inferiore", "Bordo inferiore"}});
    frame(QStringLiteral("Etichette nel foglio"),
          {{6, "Numero di colonne", "Numero di colonne"},
           {7, "Numero etichette per colonna", "Numero etichette per colonna"}});
    frame(QStringLiteral("Testi fissi"), {{8, "Campo numero 1", "Campo numero 1"},
                                          {9, "Campo numero 2", "Campo numero 2"},
                                          {10, "Campo numero 3", "Campo numero 3"},
                                          {11, "Campo numero 4", "Campo numero 4"},
                                          {12, "Campo numero 5", "Campo numero 5"}});
    stack->addStretch(1);
    return frames;
}

QWidget* LabelLayoutView::fieldRows() {
    auto* group = new QGroupBox(QStringLiteral("Campi dell'etichetta"), this);
    auto* grid = new QGridLayout(group);
    const char* headings[] = {"Campo", "Spostamento orizzontale in millimetri", "Spostamento verticale    in millimetri",
                              "Carattere", "Colore"};
    for (int c = 0; c < 5; ++c) {
        auto* heading = new QLabel(QString::fromUtf8(headings[c]), group);
        heading->setWordWrap(c == 1 || c == 2);
        heading->setMaximumWidth(c == 1 || c == 2 ? 150 : QWIDGETSIZE_MAX);
        grid->addWidget(heading, 0, c);
    }
    for (std::size_t r = 0; r < rows; ++r) {
        const int row = int(r);
        campo_[r] = new QLabel(group);
        campo_[r]->setObjectName(QStringLiteral("campo_%1").arg(row));
        campo_[r]->setMinimumWidth(300);
        text1_[r] = entry(group, QStringLiteral("text1_%1").arg(row), {},
                          [this, row](const std::string& v) { return form_.editHorizontal(row, v); });
        text2_[r] = entry(group, QStringLiteral("Text2_%1").arg(row), {},
                          [this, row](const std::string& v) { return form_.editVertical(row, v); });
        text1_[r]->setMaximumWidth(80);
        text2_[r]->setMaximumWidth(80);
        carattere_[r] = new QPushButton(group);
        carattere_[r]->setObjectName(QStringLiteral("carattere_%1").arg(row));
        carattere_[r]->setAutoDefault(false);
        carattere_[r]->setMinimumWidth(160);
        onClick(carattere_[r], [this, row] { form_.chooseFont(row); });
        colore_[r] = new QToolButton(group);
        colore_[r]->setObjectName(QStringLiteral("colore_%1").arg(row));
        colore_[r]->setFixedSize(40, 22);
        colore_[r]->setFocusPolicy(Qt::StrongFocus);
        onClick(colore_[r], [this, row] { form_.chooseColour(row); });
        QWidget* cells[] = {campo_[r], text1_[r], text2_[r], carattere_[r], colore_[r]};
        for (int c = 0; c < 5; ++c) grid->addWidget(cells[c], row + 1, c);
    }
    scroll_ = new QScrollBar(Qt::Vertical, group);
    scroll_->setObjectName(QStringLiteral("VScroll1"));
    scroll_->setAccessibleName(QStringLiteral("Scorri i campi"));
    scroll_->setPageStep(Form::visibleRows);
    scroll_->setFocusPolicy(Qt::StrongFocus);
    grid->addWidget(scroll_, 1, 5, int(rows), 1);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int first) {
        form_.scrollTo(first);
        afterAction();
    });
    return group;
}

void LabelLayoutView::leaveForm() { form_.cancel(); }

void LabelLayoutView::refresh() {
    setWindowTitle(toQt(form_.title()));
    for (int k = 0; k < Form::textCount; ++k) showText(texts_[std::size_t(k)], toQt(form_.text(k)));
    for (std::size_t r = 0; r < rows; ++r) {
        const Form::Row row = form_.row(int(r));
        const QString caption = toQt(row.campo);
        const bool shown = row.field != 0;
        for (QWidget* w : std::initializer_list<QWidget*>{campo_[r], text1_[r], text2_[r], carattere_[r], colore_[r]})
            w->setVisible(shown);
        campo_[r]->setText(caption);
        showText(text1_[r], toQt(row.text1));
        showText(text2_[r], toQt(row.text2));
        text1_[r]->setAccessibleName(QStringLiteral("Spostamento orizzontale - %1").arg(caption));
        text2_[r]->setAccessibleName(QStringLiteral("Spostamento verticale - %1").arg(caption));
        carattere_[r]->setText(toQt(row.carattere));
        carattere_[r]->setAccessibleName(QStringLiteral("Carattere - %1").arg(caption));
        const QColor colour = toQColor(row.colore);
        colore_[r]->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid #606060;").arg(colour.name()));
        colore_[r]->setAccessibleName(QStringLiteral("Colore - %1").arg(caption));
        colore_[r]->setToolTip(colore_[r]->accessibleName());
        colore_[r]->setAccessibleDescription(colour.name());
    }
    {
        const QSignalBlocker quiet(scroll_);
        scroll_->setRange(0, form_.maxFirstRow());
        scroll_->setValue(form_.firstRow());
    }
    preview_->update();
}

}  // namespace kalvora::ui
