#include "ui/printing/listing_settings_view.h"

#include "core/dates.h"
#include "core/print_job.h"
#include "printing/listing_settings_form.h"
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
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace kalvora::ui {

namespace {

using Form = printing::ListingSettingsForm;
using Edge = Form::Edge;

constexpr double pageWidth = core::PrintJob::pageWidth;
constexpr double pageHeight = core::PrintJob::pageHeight;
constexpr double pointMm = 25.4 / 72;

}  // namespace

// A sample listing drawn on a white A4 page with the window's current settings: the printable
// area, title, date line, column headings, rows, row colours, separation lines and grid.
class ListingPagePreview : public QWidget {
public:
    ListingPagePreview(const Form& form, QWidget* parent) : QWidget(parent), form_(form) {
        setObjectName(QStringLiteral("anteprima"));
        setAccessibleName(QStringLiteral("Anteprima della pagina"));
        setFixedSize(260, 368);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Mid));
        scale_ = std::min((width() - 8) / pageWidth, (height() - 8) / pageHeight);
        page_ = QRectF((width() - pageWidth * scale_) / 2, (height() - pageHeight * scale_) / 2, pageWidth * scale_,
                       pageHeight * scale_);
        p.fillRect(page_, Qt::white);
        p.setPen(QColor(0x60, 0x60, 0x60));
        p.drawRect(page_);
        p.setClipRect(page_);

        const double left = pageWidth * form_.edge(Edge::Left) / 1000;
        const double right = pageWidth * form_.edge(Edge::Right) / 1000;
        const double top = pageHeight * form_.edge(Edge::Top) / 1000;
        const double bottom = pageHeight * form_.edge(Edge::Bottom) / 1000;
        p.setPen(QPen(QColor(0x30, 0x70, 0xd0), 1, Qt::DashLine));
        p.drawRect(QRectF(x(left), y(top), (right - left) * scale_, (bottom - top) * scale_));
        if (right <= left || bottom <= top) return;

        // Title and the date line, right-aligned on the right edge.
        double at = top;
        at += text(p, left, at, QStringLiteral("Elenco di prova"), 1, form_.colour(1));
        const core::Date d = form_.session().clock().today();
        const QString dateLine = QStringLiteral("Stampato in data %1/%2/%3 - Pagina 1")
                                     .arg(d.day, 2, 10, QLatin1Char('0'))
                                     .arg(d.month, 2, 10, QLatin1Char('0'))
                                     .arg(d.year, 4, 10, QLatin1Char('0'));
        const double dateWidth = QFontMetricsF(font(0)).horizontalAdvance(dateLine) / scale_;
        at += text(p, std::max(left, right - dateWidth), at, dateLine, 0, 0);

        // Column headings over columns that fill the width between the edges.
        static const int widths[] = {6, 24, 10, 12};
        static const char* const headings[] = {"Codice", "Descrizione", "Quantità", "Importo"};
        std::vector<double> columnX{left};
        for (int w : widths) columnX.push_back(columnX.back() + (right - left) * w / 52.0);
        const double headingTop = at;
        double headingHeight = 0;
        for (int c = 0; c < 4; ++c)
            headingHeight = std::max(headingHeight, text(p, columnX[c] + 1, at, QString::fromUtf8(headings[c]), 2,
                                                         form_.colour(2)));
        at += headingHeight;
        const double rowsTop = at;

        // Rows, as many as fit, up to a sample's worth.
        const double rowHeight =
            std::max(0.5, form_.font(3).size * pointMm * 0.2 * (form_.lineSpacing() + 1));
        for (int r = 1; r <= 60 && at + rowHeight <= bottom; ++r, at += rowHeight) {
            if (form_.colouredCells())
                p.fillRect(QRectF(x(left), y(at), (right - left) * scale_, rowHeight * scale_),
                           toQColor(form_.colour(r % 2 ? 6 : 7)));
            const QString cells[] = {QStringLiteral("%1").arg(r, 4, 10, QLatin1Char('0')),
                                     QStringLiteral("Articolo %1").arg(r), QStringLiteral("%1").arg(r * 3),
                                     QStringLiteral("%1,50").arg(r * 125)};
            for (int c = 0; c < 4; ++c) text(p, columnX[c] + 1, at, cells[c], 3, form_.colour(3));
            if (form_.separationLine()) {
                p.setPen(toQColor(form_.colour(4)));
                p.drawLine(QPointF(x(left), y(at + rowHeight)), QPointF(x(right), y(at + rowHeight)));
            }
        }

        // The grid: the heading band only, down to the last row, or down to the bottom edge.
        const double depth = form_.gridType() == 0 ? rowsTop : form_.gridType() == 1 ? at : bottom;
        p.setPen(toQColor(form_.colour(5)));
        for (double cx : columnX) p.drawLine(QPointF(x(cx), y(headingTop)), QPointF(x(cx), y(depth)));
        p.drawLine(QPointF(x(left), y(headingTop)), QPointF(x(right), y(headingTop)));
        p.drawLine(QPointF(x(left), y(rowsTop)), QPointF(x(right), y(rowsTop)));
    }

private:
    double x(double mm) const { return page_.left() + mm * scale_; }
    double y(double mm) const { return page_.top() + mm * scale_; }

    QFont font(int group) const {
        const core::PrintFont f = form_.font(group);
        QFont q(toQt(f.name));
        q.setPixelSize(std::max(1, static_cast<int>(std::lround(f.size * pointMm * scale_))));
        q.setBold(f.bold);
        q.setItalic(f.italic);
        return q;
    }
    // Draws one line of text of a style group at (mmX, mmY); returns its height in millimetres.
    double text(QPainter& p, double mmX, double mmY, const QString& s, int group, long colour) {
        const QFont f = font(group);
        const QFontMetricsF metrics(f);
        p.setFont(f);
        p.setPen(toQColor(colour));
        p.drawText(QPointF(x(mmX), y(mmY) + metrics.ascent()), s);
        return metrics.height() / scale_;
    }

    const Form& form_;
    double scale_ = 1;  // pixels per millimetre
    QRectF page_;
};

ListingSettingsView::ListingSettingsView(printing::ListingSettingsForm& form, QWidget* parent)
    : FormDialog(form, parent), form_(form) {
    QVBoxLayout* column = dialogColumn(this, toQt(form.name()), icons::application(), QMargins(10, 10, 10, 10));
    auto* body = new QHBoxLayout;
    column->addLayout(body);

    // The page between its four scroll bars.
    auto* page = new QGridLayout;
    page->setSpacing(2);
    preview_ = new ListingPagePreview(form_, this);
    struct Bar {
        const char* name;
        const char* spoken;
        Qt::Orientation orientation;
        int row, column;
    };
    const Bar bars[] = {{"HScroll1", "Margine sinistro", Qt::Horizontal, 0, 1},
                        {"HScroll2", "Margine destro", Qt::Horizontal, 2, 1},
                        {"VScroll1", "Margine superiore", Qt::Vertical, 1, 0},
                        {"VScroll2", "Margine inferiore", Qt::Vertical, 1, 2}};
    for (int i = 0; i < 4; ++i) {
        auto* bar = new QScrollBar(bars[i].orientation, this);
        bar->setObjectName(QString::fromLatin1(bars[i].name));
        bar->setAccessibleName(QString::fromLatin1(bars[i].spoken));
        bar->setToolTip(bar->accessibleName());
        bar->setRange(0, Form::maxEdge);
        bar->setSingleStep(1);
        bar->setPageStep(10);
        bar->setFocusPolicy(Qt::StrongFocus);
        page->addWidget(bar, bars[i].row, bars[i].column);
        connect(bar, &QScrollBar::valueChanged, this, [this, i](int value) {
            form_.setEdge(static_cast<Edge>(i), value);
            afterAction();
        });
        edges_[static_cast<std::size_t>(i)] = bar;
    }
    page->addWidget(preview_, 1, 1);
    auto* pageColumn = new QVBoxLayout;  // the page stays at the top, its bars beside it
    pageColumn->addLayout(page);
    pageColumn->addStretch(1);
    body->addLayout(pageColumn);

    auto* side = new QVBoxLayout;
    body->addLayout(side);
    side->addWidget(styleFrame(QStringLiteral("Intestazione del tabulato"), 1));
    side->addWidget(styleFrame(QStringLiteral("Intestazione delle colonne"), 2));

    const QString contentCaption = QStringLiteral("Contenuto delle colonne");
    QGroupBox* content = styleFrame(contentCaption, 3);
    auto* contentColumn = static_cast<QVBoxLayout*>(content->layout());
    checks_[0] = new QCheckBox(QStringLiteral("Celle colorate"), content);
    contentColumn->addWidget(checks_[0]);
    contentColumn->addLayout(colourRow(content, 6, QStringLiteral("Colore prima riga"), contentCaption));
    contentColumn->addLayout(colourRow(content, 7, QStringLiteral("Colore seconda riga"), contentCaption));
    side->addWidget(content);

    auto* spacingFrame = new QGroupBox(QStringLiteral("Interlinea"), this);
    auto* spacingColumn = new QVBoxLayout(spacingFrame);
    auto* spacingRow = new QHBoxLayout;
    auto* spacingLabel = new QLabel(QStringLiteral("Distanza tra le righe"), spacingFrame);
    spacing_ = new QComboBox(spacingFrame);
    spacing_->setObjectName(QStringLiteral("Combo2"));
    for (const std::string& caption : Form::spacingCaptions()) spacing_->addItem(toQt(caption));
    spacingLabel->setBuddy(spacing_);
    spacing_->setAccessibleName(spacingLabel->text());
    spacingRow->addWidget(spacingLabel);
    spacingRow->addWidget(spacing_);
    spacingRow->addStretch(1);
    spacingColumn->addLayout(spacingRow);
    checks_[1] = new QCheckBox(QStringLiteral("Linea di separazione"), spacingFrame);
    spacingColumn->addWidget(checks_[1]);
    spacingColumn->addLayout(colourRow(spacingFrame, 4, QStringLiteral("Colore dell'interlinea"), spacingFrame->title()));
    side->addWidget(spacingFrame);

    auto* gridFrame = new QGroupBox(QStringLiteral("Griglia"), this);
    auto* gridColumn = new QVBoxLayout(gridFrame);
    grid_ = new QComboBox(gridFrame);
    grid_->setObjectName(QStringLiteral("Combo1"));
    grid_->setAccessibleName(QStringLiteral("Griglia"));
    for (const std::string& caption : Form::gridCaptions()) grid_->addItem(toQt(caption));
    gridColumn->addWidget(grid_);
    gridColumn->addLayout(colourRow(gridFrame, 5, QStringLiteral("Colore della griglia"), gridFrame->title()));
    side->addWidget(gridFrame);

    for (int i = 0; i < 2; ++i) {
        pagination_[static_cast<std::size_t>(i)] = new QRadioButton(toQt(form_.paginationCaption(i)), this);
        pagination_[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("tipotab_%1").arg(i));
        side->addWidget(pagination_[static_cast<std::size_t>(i)]);
        onChosen(pagination_[static_cast<std::size_t>(i)], this, [this, i] {
            form_.setPaginationStyle(i);
            afterMove();
        });
    }
    side->addStretch(1);

    for (int i = 0; i < 2; ++i) checks_[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("Check1_%1").arg(i));
    onToggled(checks_[0], this, [this](bool on) {
        form_.setColouredCells(on);
        afterAction();
    });
    onToggled(checks_[1], this, [this](bool on) {
        form_.setSeparationLine(on);
        afterAction();
    });
    connect(grid_, &QComboBox::activated, this, [this](int index) {
        form_.setGridType(index);
        afterAction();
    });
    connect(spacing_, &QComboBox::activated, this, [this](int index) {
        form_.setLineSpacing(index);
        afterAction();
    });

    addButtons(column, [this] { form_.confirm(); });
    refresh();
}

QGroupBox* ListingSettingsView::styleFrame(const QString& caption, int group) {
    auto* frame = new QGroupBox(caption, this);
    auto* frameColumn = new QVBoxLayout(frame);
    auto* fontRow = new QHBoxLayout;
    auto* choose = new QPushButton(QStringLiteral("Carattere..."), frame);
    choose->setObjectName(QStringLiteral("selcar_%1").arg(group));
    choose->setAccessibleName(QStringLiteral("Carattere - %1").arg(caption));
    onClick(choose, [this, group] { form_.chooseFont(group); });
    auto* shown = new QLabel(frame);
    shown->setObjectName(QStringLiteral("carattere_%1").arg(group));
    shown->setMinimumWidth(170);
    fontCaptions_[static_cast<std::size_t>(group)] = shown;
    fontRow->addWidget(choose);
    fontRow->addWidget(shown, 1);
    frameColumn->addLayout(fontRow);
    frameColumn->addLayout(colourRow(frame, group, QStringLiteral("Colore del carattere"), caption));
    return frame;
}

QLayout* ListingSettingsView::colourRow(QWidget* parent, int k, const QString& caption, const QString& frame) {
    auto* row = new QHBoxLayout;
    auto* choose = new QPushButton(caption, parent);
    choose->setObjectName(QStringLiteral("selcol_%1").arg(k));
    choose->setAccessibleName(QStringLiteral("%1 - %2").arg(caption, frame));
    onClick(choose, [this, k] { form_.chooseColour(k); });
    auto* swatch = new QLabel(parent);
    swatch->setObjectName(QStringLiteral("colore_%1").arg(k));
    swatch->setAccessibleName(choose->accessibleName());
    swatch->setFixedSize(40, 20);
    swatches_[static_cast<std::size_t>(k)] = swatch;
    row->addWidget(choose, 1);
    row->addWidget(swatch);
    return row;
}

void ListingSettingsView::leaveForm() { form_.cancel(); }

void ListingSettingsView::refresh() {
    setWindowTitle(toQt(form_.title()));
    for (int i = 0; i < 4; ++i) {
        const QSignalBlocker quiet(edges_[static_cast<std::size_t>(i)]);
        edges_[static_cast<std::size_t>(i)]->setValue(form_.edge(static_cast<Edge>(i)));
    }
    grid_->setCurrentIndex(form_.gridType());
    spacing_->setCurrentIndex(form_.lineSpacing());
    for (int group = Form::firstFontGroup; group <= Form::lastFontGroup; ++group)
        fontCaptions_[static_cast<std::size_t>(group)]->setText(toQt(form_.fontCaption(group)));
    for (int k = Form::firstColour; k <= Form::lastColour; ++k) {
        const QColor c = toQColor(form_.colour(k));
        QLabel* swatch = swatches_[static_cast<std::size_t>(k)];
        swatch->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid #606060;").arg(c.name()));
        swatch->setAccessibleDescription(c.name());
    }
    showChecked(checks_[0], form_.colouredCells());
    showChecked(checks_[1], form_.separationLine());
    showChecked(pagination_[static_cast<std::size_t>(form_.paginationStyle())], true);
    preview_->update();
}

}  // namespace kalvora::ui
