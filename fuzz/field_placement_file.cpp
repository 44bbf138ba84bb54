// kalvora.ly?: any bytes give 100 rows of one-line values; rows the file lacks keep the type's
// defaults, and the rows written (600 lines) read back as held, control characters made blanks.
#include "fuzz_drive.h"
#include "core/text.h"
#include "printing/layout_files.h"

#include <array>

using namespace kalvora;

namespace {

std::array<const std::string*, 6> values(const printing::Placement& p) {
    return {&p.position, &p.size, &p.font, &p.bold, &p.italic, &p.colour};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Drive drive;
    const int type = 1 + (size > 0 ? data[0] % 11 : 0);
    const std::string name = printing::placementFileName(type);
    if (size > 0 && !name.empty())  // the first byte picks the type, the rest is the file
        fuzz::placeFile(drive.files, drive.inst.companyFile(0, name), fuzz::asText(data + 1, size - 1));

    const printing::Placements placements = printing::readPlacements(drive.files, drive.inst, 0, type);
    const std::optional<std::vector<std::string>> read =
        name.empty() ? std::nullopt : drive.files.readLines(drive.inst.companyFile(0, name));
    const std::size_t held = read ? read->size() : 0;
    const printing::Placements defaults = printing::defaultPlacements(type);
    for (std::size_t row = 1; row <= printing::Placements::rows; ++row)
        if (held < row * 6 - 5)
            fuzz::check(placements.row[row] == defaults.row[row], "defaults past the end");
    if (name.empty()) {
        fuzz::check(!printing::writePlacements(drive.files, drive.inst, 0, type, placements), "no file to write");
        return 0;
    }

    fuzz::check(printing::writePlacements(drive.files, drive.inst, 0, type, placements), "write");
    const std::optional<std::vector<std::string>> written = drive.files.readLines(drive.inst.companyFile(0, name));
    fuzz::check(written && written->size() == 600, "line count");
    const printing::Placements back = printing::parsePlacements(*written, type);
    for (std::size_t row = 1; row <= printing::Placements::rows; ++row) {
        const auto before = values(placements.row[row]);
        const auto after = values(back.row[row]);
        for (std::size_t i = 0; i < before.size(); ++i)
            fuzz::check(*after[i] == *before[i] || *after[i] == core::singleLine(*before[i]), "round trip");
    }
    return 0;
}
