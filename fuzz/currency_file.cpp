// kalvora.eur: any bytes load without harm, the euro flag is "0" or "1", and items that line
// input can carry survive a write and a second load.
#include "fuzz_drive.h"
#include "tables/currency_file.h"

#include <vector>

using namespace kalvora;

namespace {

bool plainItem(const std::string& s) {
    if (s.empty() || s.front() == ' ' || s.back() == ' ' || s.front() == '\t' || s.back() == '\t')
        return false;
    return s.find_first_of(",\"\r\n") == std::string::npos;
}

bool plainLine(const std::string& s) { return s.find_first_of("\r\n") == std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Drive drive;
    core::Files& files = drive.files;
    const core::Installation& inst = drive.inst;
    const std::string path = inst.file("kalvora.eur");
    fuzz::placeFile(files, path, fuzz::asText(data, size));

    std::array<std::string, 21> items;
    tables::loadCurrency(files, inst, items);
    fuzz::check(items[1] == "0" || items[1] == "1", "euro flag");
    for (int i : {0, 7, 8, 9, 10, 12, 20})
        fuzz::check(items[i].empty(), "unused item");

    bool plain = plainLine(items[6]) && plainLine(items[11]);
    for (int i = 1; i <= 5; ++i)
        plain = plain && plainItem(items[i]);
    if (plain) {
        std::vector<std::string> lines = {items[1], items[2], items[3], items[4], items[5], items[6], items[11]};
        fuzz::check(files.writeLines(path, lines) == 0, "write");
        std::array<std::string, 21> again;
        tables::loadCurrency(files, inst, again);
        fuzz::check(again == items, "round trip");
    }
    return 0;
}
