// kalvora.lk?: any bytes give a count within 0..500 and finite numbers; the grid written in
// either writer's form has 1 + 500 x 11 lines and reads back as written.
#include "fuzz_drive.h"
#include "core/numbers.h"
#include "core/text.h"
#include "printing/layout_files.h"

#include <cmath>

using namespace kalvora;

namespace {

bool finite(const printing::GridElement& e) {
    for (double v : {e.kind, e.x1, e.y1, e.x2, e.y2, e.colour, e.filledOrSize, e.bold, e.italic})
        if (!std::isfinite(v))
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Drive drive;
    const int type = 1 + (size > 0 ? data[0] % 11 : 0);
    const std::string name = printing::gridFileName(type);
    if (size > 0 && !name.empty())  // the first byte picks the type, the rest is the file
        fuzz::placeFile(drive.files, drive.inst.companyFile(0, name), fuzz::asText(data + 1, size - 1));

    const printing::FormGrid grid = printing::readFormGrid(drive.files, drive.inst, 0, type);
    fuzz::check(grid.count >= 0 && grid.count <= printing::FormGrid::maxElements, "count range");
    for (const printing::GridElement& e : grid.elements)
        fuzz::check(finite(e), "finite numbers");

    const auto writer = size > 1 && data[1] & 1 ? printing::GridWriter::Placements : printing::GridWriter::Designer;
    // Kept between inputs: a fresh list of 5501 lines at every input costs more than the work.
    static std::vector<std::string> lines;
    printing::formGridLines(grid, writer, lines);
    fuzz::check(lines.size() == 5501, "line count");
    const printing::FormGrid back = printing::parseFormGrid(lines);
    fuzz::check(back.count == grid.count, "count round trip");
    // Past the count every slot is written unused; in use, texts keep what a line can hold and
    // the numbers read back give the very lines they were read from.
    const auto number = [writer](double v) {
        return writer == printing::GridWriter::Designer ? core::shortestDecimal(v) : core::printForm(v);
    };
    for (int slot = 1; slot <= printing::FormGrid::maxElements; ++slot) {
        const printing::GridElement& e = back.elements[static_cast<std::size_t>(slot)];
        if (slot > grid.count) {
            fuzz::check(e == printing::GridElement{}, "unused slot");
            continue;
        }
        const printing::GridElement& original = grid.elements[static_cast<std::size_t>(slot)];
        fuzz::check(e.text == core::singleLine(original.text) && e.fontName == core::singleLine(original.fontName),
                    "texts round trip");
        const std::size_t base = 1 + static_cast<std::size_t>(slot - 1) * 11 + 2;
        std::size_t i = 0;
        for (double v : {e.kind, e.x1, e.y1, e.x2, e.y2, e.colour, e.filledOrSize, e.bold, e.italic})
            fuzz::check(number(v) == lines[base + i++], "numbers round trip");
    }
    return 0;
}
