#include "core/print_job.h"

#include "core/text.h"

#include <algorithm>

namespace kalvora::core {

namespace {
constexpr double pointMm = 25.4 / 72;

PrintOp shape(PrintOp::Kind kind, double x1, double y1, double x2, double y2, long colour, double penWidth) {
    PrintOp op;
    op.kind = kind;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.colour = colour;
    op.penWidth = penWidth;
    return op;
}
}  // namespace

void RecordingPrintJob::text(double x, double y, const std::string& text, const PrintFont& font,
                             long colour) {
    PrintOp op;
    op.x1 = x;
    op.y1 = y;
    op.colour = colour;
    op.text = text;
    op.font = font;
    ops_.push_back(std::move(op));
}

double RecordingPrintJob::textWidth(const std::string& text, const PrintFont& font) {
    return static_cast<double>(length(text)) * font.size * 0.5 * pointMm;
}

double RecordingPrintJob::lineHeight(const PrintFont& font) { return font.size * 1.2 * pointMm; }

void RecordingPrintJob::line(double x1, double y1, double x2, double y2, long colour, double penWidth) {
    ops_.push_back(shape(PrintOp::Kind::Line, x1, y1, x2, y2, colour, penWidth));
}

void RecordingPrintJob::rectangle(double x1, double y1, double x2, double y2, long colour, bool filled,
                                  double penWidth) {
    ops_.push_back(shape(filled ? PrintOp::Kind::FilledRectangle : PrintOp::Kind::Rectangle, x1, y1,
                         x2, y2, colour, penWidth));
}

bool RecordingPrintJob::picture(double x, double y, const std::string& path) {
    if (!canLoadPicture(path)) return false;
    PrintOp op;
    op.kind = PrintOp::Kind::Picture;
    op.x1 = x;
    op.y1 = y;
    op.text = path;
    ops_.push_back(std::move(op));
    return true;
}

void RecordingPrintJob::newPage() {
    PrintOp op;
    op.kind = PrintOp::Kind::NewPage;
    ops_.push_back(std::move(op));
}

bool RecordingPrintJob::end() {
    if (ended_) return false;
    ended_ = true;
    return deliver(ops_);
}

int RecordingPrintJob::pages() const {
    return 1 + static_cast<int>(std::count_if(ops_.begin(), ops_.end(), [](const PrintOp& op) {
               return op.kind == PrintOp::Kind::NewPage;
           }));
}

bool RecordingPrintJob::canLoadPicture(const std::string&) { return true; }

bool RecordingPrintJob::deliver(const std::vector<PrintOp>&) { return true; }

}  // namespace kalvora::core
