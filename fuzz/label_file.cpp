// kalvora.et?: any bytes give a layout whose sheet and fields stay in range and whose test sheet
// prints; written and read again, every value comes back as read and the file is 210 lines.
#include "fuzz_drive.h"
#include "printing/label_layouts.h"

#include <algorithm>

using namespace kalvora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Drive drive;
    // The first byte picks the kind, the rest is the file; no byte at all: no file.
    const int kind = printing::firstLabelKind + (size > 0 ? data[0] % printing::lastLabelKind : 0);
    const std::string path = drive.inst.file(printing::labelFileName(kind));
    fuzz::placeFile(drive.files, path, size > 0 ? fuzz::asText(data + 1, size - 1) : "", size > 0);

    const printing::LabelLayout layout = printing::readLabelLayout(drive.files, drive.inst, kind);
    const printing::LabelSheet sheet = printing::labelSheet(layout);
    fuzz::check(sheet.columns >= 0 && sheet.columns <= printing::LabelSheet::maxColumns, "columns");
    fuzz::check(sheet.rows >= 0 && sheet.rows <= printing::LabelSheet::maxRows, "rows");
    for (const printing::LabelRect& label : sheet.labels())
        fuzz::check(label.width > 0 && label.height > 0 && label.x >= 0 && label.y >= 0, "label inside the sheet");
    for (int field = 1; field <= printing::LabelLayout::fieldRecords; ++field) {
        const printing::LabelFieldStyle style = printing::labelFieldStyle(layout, field);
        fuzz::check(style.x >= 0 && style.y >= 0, "position");
        fuzz::check(style.font.size > 0 && style.font.size <= 500 && !style.font.name.empty(), "font");
        fuzz::check(style.colour >= 0 && style.colour <= 0xFFFFFF, "colour");
    }
    // Every label of a sheet is drawn by the same code: drawing the test sheet for small sheets
    // only keeps the search fast (a default sheet of 24 labels costs five times the rest).
    if (sheet.labels().size() <= 4) {
        core::RecordingPrintJob job;
        printing::printLabelTestSheet(job, kind, layout);
        fuzz::check(job.ops().size() >= sheet.labels().size(), "every label outlined");
    }

    fuzz::check(printing::writeLabelLayout(drive.files, drive.inst, kind, layout) == 0, "write");
    const std::optional<std::string> written = drive.files.readBytes(path);
    fuzz::check(written && std::count(written->begin(), written->end(), '\n') == printing::LabelLayout::lineCount,
                "210 lines");
    fuzz::check(printing::readLabelLayout(drive.files, drive.inst, kind) == layout, "round trip");
    return 0;
}
