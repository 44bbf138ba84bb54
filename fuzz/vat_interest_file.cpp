// kalvora.ilm: any bytes fill column 4 of the sales rates with the first 17 lines (what the
// file lacks as empty) and touch no other cell; a save writes exactly 17 lines that load back
// unchanged but for control characters, which become blanks.
#include "core/text.h"
#include "fuzz_drive.h"
#include "tables/vat_interest_file.h"

using namespace kalvora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Drive drive;
    const std::string path = tables::vatInterestPath(drive.inst, 0);
    // An empty input stands for a missing file.
    fuzz::placeFile(drive.files, path, fuzz::asText(data, size), size > 0);

    tables::Table t1(17, 5);
    for (int k = 0; k < t1.entries(); ++k)
        for (int c = 0; c < t1.columns(); ++c) t1.at(k, c) = std::to_string(k * 10 + c);
    const tables::Table before = t1;
    tables::loadVatInterest(drive.files, path, t1);

    const auto lines = drive.files.readLines(path);
    for (int k = 0; k < t1.entries(); ++k) {
        for (int c = 0; c < tables::vatInterestColumn; ++c) fuzz::check(t1.at(k, c) == before.at(k, c), "other cells");
        const bool inFile = lines && static_cast<std::size_t>(k) < lines->size();
        fuzz::check(t1.at(k, tables::vatInterestColumn) == (inFile ? (*lines)[k] : std::string()), "line k");
    }

    fuzz::check(tables::saveVatInterest(drive.files, path, t1) == 0, "save");
    const auto saved = drive.files.readLines(path);
    fuzz::check(saved && saved->size() == static_cast<std::size_t>(tables::vatInterestLines), "17 lines");
    tables::Table again(17, 5);
    tables::loadVatInterest(drive.files, path, again);
    for (int k = 0; k < t1.entries(); ++k)
        fuzz::check(again.at(k, tables::vatInterestColumn) == core::singleLine(t1.at(k, tables::vatInterestColumn)),
                    "round trip, control characters blanked");
    return 0;
}
