#pragma once
// The print job on Qt: the operations a job recorded are painted with QPainter on a printer or a
// PDF file, on the whole sheet (origin at the paper's top-left corner). Millimetres become device
// pixels once, at the device's resolution; fonts keep their point sizes, so text is never
// stretched by a painter scale.
#include "core/platform.h"
#include "core/print_job.h"

#include <QColor>
#include <QPointer>
#include <QString>

#include <memory>
#include <string>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QWidget;

namespace kalvora::ui {

// Colours are kept as R + 256 G + 65536 B.
QColor toQColor(long colour);
long fromQColor(const QColor& colour);

// Paints `ops` on the pages of `device` through `painter`, already begun on it; a new-page
// operation starts the next sheet. Returns the pictures that could not be loaded (each once);
// they are left out of the page.
std::vector<std::string> paintPrintOps(QPainter& painter, QPagedPaintDevice& device,
                                       const std::vector<core::PrintOp>& ops);
// The same on a new document: begins a painter on `device`, paints, ends it. False when the
// device cannot be painted on (an unwritable file, a printer that refuses the job).
bool paintDocument(QPagedPaintDevice& device, const std::vector<core::PrintOp>& ops,
                   std::vector<std::string>* unloaded = nullptr);

// Sets `printer` to an A4 portrait sheet painted whole, the origin at the paper's corner.
void prepareA4(QPrinter& printer);

// Writes `ops` as an A4 PDF document titled `title` to `path`, replacing the file in one step.
// Returns 0 or an error number (the file is then left as it was).
int writePdf(const std::string& path, const std::string& title, const std::vector<core::PrintOp>& ops,
             std::vector<std::string>* unloaded = nullptr);

// Where the PDF of a job is proposed: <home>/kalwin/PDF/<title>.pdf when that folder exists, else
// <home>/<title>.pdf. Characters a file name cannot hold become '_'.
std::string proposedPdfPath(const std::string& home, const std::string& title);

// The job QtPlatform starts: measures with the printer's fonts, keeps the operations, and at
// end() shows the preview and sends the document to the printer or to a PDF file.
class QtPrintJob : public core::RecordingPrintJob {
public:
    // `printer` is the printer's name, empty when the system has none; `home` the user's folder.
    QtPrintJob(core::Platform& platform, std::string title, QString printer, std::string home,
               QWidget* parent = nullptr);
    ~QtPrintJob() override;

    double textWidth(const std::string& text, const core::PrintFont& font) override;
    double lineHeight(const core::PrintFont& font) override;

    const std::string& title() const { return title_; }
    // Pictures left out so far, each once, in the order they failed.
    const std::vector<std::string>& unloadedPictures() const { return unloaded_; }

    static QString previewTitle(const std::string& title);

protected:
    bool canLoadPicture(const std::string& path) override;
    bool deliver(const std::vector<core::PrintOp>& ops) override;

private:
    void noteUnloaded(const std::vector<std::string>& paths);
    // Says which pictures are missing from the document, those not said yet.
    void reportUnloaded();
    QPrinter& metricsDevice();
    bool printOnPrinter(const std::vector<core::PrintOp>& ops);
    // Asks for the file and writes it; false when the user cancelled or the write failed.
    bool saveAsPdf(const std::vector<core::PrintOp>& ops, QWidget* parent);

    core::Platform& platform_;
    std::string title_;
    QString printerName_;
    std::string home_;
    QPointer<QWidget> parent_;
    std::vector<std::string> unloaded_;
    std::size_t reported_ = 0;  // unloaded_[0..reported_) have been said
    std::unique_ptr<QPrinter> metrics_;  // the device text is measured on, made when first needed
};

}  // namespace kalvora::ui
