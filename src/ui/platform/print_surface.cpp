#include "ui/platform/print_surface.h"

#include "core/files.h"
#include "ui/qt_text.h"

#include <QBuffer>
#include <QDialog>
#include <QFileDialog>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cerrno>

namespace kalvora::ui {

namespace {

constexpr double mmPerInch = 25.4;
// The resolution PDF files are written at, as the printer's high resolution.
constexpr int pdfResolution = 1200;

QFont toQFont(const core::PrintFont& f) {
    QFont font(toQt(f.name));
    // A size of zero or less cannot be set on a font; the smallest readable one stands in.
    font.setPointSizeF(f.size > 0 ? f.size : 1);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    return font;
}

// Millimetres to the device's pixels, the one conversion of the page.
struct DeviceScale {
    double x, y;  // pixels per millimetre
    explicit DeviceScale(const QPaintDevice& device)
        : x(device.logicalDpiX() / mmPerInch), y(device.logicalDpiY() / mmPerInch) {}
    QPointF point(double mmX, double mmY) const { return {mmX * x, mmY * y}; }
    QRectF box(const core::PrintOp& op) const {
        return QRectF(point(op.x1, op.y1), point(op.x2, op.y2)).normalized();
    }
};

QPen penFor(const core::PrintOp& op, const DeviceScale& scale) {
    QPen pen(toQColor(op.colour));
    // 0 asks for a fine line: a fixed 0.15 mm, about one dot of an office printer, where the
    // device's thinnest line of a 1200 dpi printer would hardly show.
    constexpr double fineLineMm = 0.15;
    pen.setWidthF((op.penWidth > 0 ? op.penWidth : fineLineMm) * scale.x);
    return pen;
}

QImage loadPicture(const std::string& path) {
    QImageReader reader(toQt(path));
    return reader.read();
}

void addOnce(std::vector<std::string>& list, const std::string& path) {
    if (std::find(list.begin(), list.end(), path) == list.end()) list.push_back(path);
}

}  // namespace

QColor toQColor(long colour) {
    return QColor(int(colour & 0xff), int((colour >> 8) & 0xff), int((colour >> 16) & 0xff));
}

long fromQColor(const QColor& colour) {
    return long(colour.red()) + 256L * colour.green() + 65536L * colour.blue();
}

std::vector<std::string> paintPrintOps(QPainter& painter, QPagedPaintDevice& device,
                                       const std::vector<core::PrintOp>& ops) {
    const DeviceScale scale(device);
    // The painter's origin is the corner of the printable area; move it to the paper's corner.
    const QRect paintRect = device.pageLayout().paintRectPixels(device.logicalDpiX());
    painter.save();
    painter.translate(-paintRect.topLeft());
    painter.setRenderHint(QPainter::Antialiasing, false);
    std::vector<std::string> unloaded;
    for (const core::PrintOp& op : ops) {
        using Kind = core::PrintOp::Kind;
        switch (op.kind) {
            case Kind::Text: {
                const QFont font = toQFont(op.font);
                painter.setFont(font);
                painter.setPen(toQColor(op.colour));
                // (x1, y1) is the top of the line box: the baseline lies one ascent below it.
                const QFontMetricsF metrics(painter.font(), &device);
                const QPointF top = scale.point(op.x1, op.y1);
                painter.drawText(QPointF(top.x(), top.y() + metrics.ascent()), toQt(op.text));
                break;
            }
            case Kind::Line:
                painter.setPen(penFor(op, scale));
                painter.drawLine(scale.point(op.x1, op.y1), scale.point(op.x2, op.y2));
                break;
            case Kind::Rectangle:
                painter.setPen(penFor(op, scale));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(scale.box(op));
                break;
            case Kind::FilledRectangle:
                painter.fillRect(scale.box(op), toQColor(op.colour));
                break;
            case Kind::Picture: {
                const QImage image = loadPicture(op.text);
                if (image.isNull()) {
                    addOnce(unloaded, op.text);
                    break;
                }
                // Natural size: one screen pixel of the picture is pixelMm on paper.
                const double w = image.width() * core::PrintJob::pixelMm, h = image.height() * core::PrintJob::pixelMm;
                painter.drawImage(QRectF(scale.point(op.x1, op.y1), QSizeF(w * scale.x, h * scale.y)), image);
                break;
            }
            case Kind::NewPage:
                device.newPage();
                break;
        }
    }
    painter.restore();
    return unloaded;
}

bool paintDocument(QPagedPaintDevice& device, const std::vector<core::PrintOp>& ops,
                   std::vector<std::string>* unloaded) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    std::vector<std::string> missing = paintPrintOps(painter, device, ops);
    const bool ok = painter.end();
    if (unloaded) *unloaded = std::move(missing);
    return ok;
}

void prepareA4(QPrinter& printer) {
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
}

int writePdf(const std::string& path, const std::string& title, const std::vector<core::PrintOp>& ops,
             std::vector<std::string>* unloaded) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(pdfResolution);
        writer.setTitle(toQt(title));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        if (!paintDocument(writer, ops, unloaded)) return EIO;
    }
    // The file appears whole or not at all.
    core::Files files;
    return files.replaceFile(path, std::string_view(buffer.data().constData(), std::size_t(buffer.data().size())));
}

std::string proposedPdfPath(const std::string& home, const std::string& title) {
    QString name = toQt(title).trimmed();
    for (QChar& c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 32) c = QLatin1Char('_');
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) name = QStringLiteral("Stampa");
    core::Files files;
    const std::string folder = files.resolve(home + "/kalwin/PDF");
    const std::string base = files.isDirectory(folder) ? folder : home;
    return base + "/" + fromQt(name) + ".pdf";
}

QtPrintJob::QtPrintJob(core::Platform& platform, std::string title, QString printer, std::string home,
                       QWidget* parent)
    : platform_(platform), title_(std::move(title)), printerName_(std::move(printer)), home_(std::move(home)),
      parent_(parent) {}

QtPrintJob::~QtPrintJob() = default;

QPrinter& QtPrintJob::metricsDevice() {
    // Printers and PDF files both get the PDF engine's metrics at the same resolution.
    if (!metrics_) {
        metrics_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        metrics_->setOutputFormat(QPrinter::PdfFormat);
        prepareA4(*metrics_);
    }
    return *metrics_;
}

double QtPrintJob::textWidth(const std::string& text, const core::PrintFont& font) {
    QPrinter& device = metricsDevice();
    const QFontMetricsF metrics(toQFont(font), &device);
    return metrics.horizontalAdvance(toQt(text)) / device.logicalDpiX() * mmPerInch;
}

double QtPrintJob::lineHeight(const core::PrintFont& font) {
    QPrinter& device = metricsDevice();
    const QFontMetricsF metrics(toQFont(font), &device);
    return metrics.lineSpacing() / device.logicalDpiY() * mmPerInch;
}

QString QtPrintJob::previewTitle(const std::string& title) {
    return QStringLiteral("Anteprima di stampa - ") + toQt(title);
}

bool QtPrintJob::canLoadPicture(const std::string& path) {
    if (!loadPicture(path).isNull()) return true;
    noteUnloaded({path});
    return false;
}

void QtPrintJob::noteUnloaded(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) addOnce(unloaded_, path);
}

void QtPrintJob::reportUnloaded() {
    if (reported_ >= unloaded_.size()) return;
    std::string text;
    for (; reported_ < unloaded_.size(); ++reported_) {
        if (!text.empty()) text += "\n";
        text += "Impossibile caricare l'immagine " + unloaded_[reported_] + ": non sarà stampata.";
    }
    platform_.message(text, "Attenzione", core::Icon::Exclamation);
}

bool QtPrintJob::printOnPrinter(const std::vector<core::PrintOp>& ops) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(printerName_);
    printer.setDocName(toQt(title_));
    prepareA4(printer);
    std::vector<std::string> missing;
    const bool ok = printer.isValid() && paintDocument(printer, ops, &missing);
    noteUnloaded(missing);
    if (!ok)
        platform_.message("Impossibile stampare sulla stampante " + fromQt(printerName_) + ".", "Attenzione",
                          core::Icon::Critical);
    return ok;
}

bool QtPrintJob::saveAsPdf(const std::vector<core::PrintOp>& ops, QWidget* parent) {
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Salva in PDF"),
                                                toQt(proposedPdfPath(home_, title_)),
                                                QStringLiteral("Documenti PDF (*.pdf *.PDF)"));
    if (path.isEmpty()) return false;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) path += QLatin1String(".pdf");
    std::vector<std::string> missing;
    const int error = writePdf(fromQt(path), title_, ops, &missing);
    noteUnloaded(missing);
    if (error != 0) {
        platform_.message("Impossibile salvare il file " + fromQt(path) + ".", "Attenzione", core::Icon::Critical);
        return false;
    }
    platform_.message("Il documento è stato salvato nel file " + fromQt(path) + ".", title_,
                      core::Icon::Information);
    return true;
}

bool QtPrintJob::deliver(const std::vector<core::PrintOp>& ops) {
    reportUnloaded();
    const bool hasPrinter = !printerName_.isEmpty();

    QDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("anteprimaStampa"));
    dialog.setWindowTitle(previewTitle(title_));
    auto* layout = new QVBoxLayout(&dialog);
    auto* destination = new QLabel(
        hasPrinter ? QStringLiteral("Stampante: ") + printerName_
                   : QStringLiteral("Nessuna stampante installata: il documento sarà salvato in un file PDF."),
        &dialog);
    destination->setObjectName(QStringLiteral("destinazione"));
    layout->addWidget(destination);

    // The preview is drawn as the printer will print it, or as the PDF file when there is none.
    QPrinter previewPrinter(QPrinter::HighResolution);
    if (hasPrinter)
        previewPrinter.setPrinterName(printerName_);
    else
        previewPrinter.setOutputFormat(QPrinter::PdfFormat);
    prepareA4(previewPrinter);
    auto* preview = new QPrintPreviewWidget(&previewPrinter, &dialog);
    preview->setZoomMode(QPrintPreviewWidget::FitToWidth);
    QObject::connect(preview, &QPrintPreviewWidget::paintRequested, &dialog, [&](QPrinter* printer) {
        QPainter painter(printer);
        noteUnloaded(paintPrintOps(painter, *printer, ops));
    });
    layout->addWidget(preview, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    bool sent = false;
    if (hasPrinter) {
        auto* print = new QPushButton(QStringLiteral("Stampa"), &dialog);
        QObject::connect(print, &QPushButton::clicked, &dialog, [&] {
            if (printOnPrinter(ops)) {
                sent = true;
                dialog.accept();
            }
        });
        buttons->addWidget(print);
        print->setDefault(true);
    }
    auto* pdf = new QPushButton(QStringLiteral("Salva in PDF..."), &dialog);
    QObject::connect(pdf, &QPushButton::clicked, &dialog, [&] {
        if (saveAsPdf(ops, &dialog)) {
            sent = true;
            dialog.accept();
        }
    });
    buttons->addWidget(pdf);
    auto* cancel = new QPushButton(QStringLiteral("Annulla"), &dialog);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    dialog.resize(720, 900);
    // Work that prints shows the hourglass; the preview wants the ordinary pointer.
    const bool busy = QGuiApplication::overrideCursor() != nullptr;
    if (busy) QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    dialog.exec();
    if (busy) QGuiApplication::restoreOverrideCursor();
    // Pictures that went missing while the document was drawn.
    reportUnloaded();
    return sent;
}

}  // namespace kalvora::ui
