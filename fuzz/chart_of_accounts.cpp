// kalvora.con with any bytes and any count in kalvora.tot: the chart never holds more accounts
// than the file has whole records or the count allows, each code is 8 characters, each
// description trimmed, and each entry is the record it comes from.
#include "core/accounting_archives.h"
#include "core/text.h"
#include "fuzz_drive.h"

#include <algorithm>
#include <cstring>

using namespace kalvora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Drive drive;
    core::Files& files = drive.files;
    const core::Installation& inst = drive.inst;

    // The first byte says how much of the rest is kalvora.tot (none: a missing file); the
    // remainder is kalvora.con, missing when empty.
    const std::size_t totSize = size == 0 ? 0 : std::min<std::size_t>(data[0], size - 1);
    const std::string_view rest = fuzz::asText(data + std::min<std::size_t>(size, 1), size == 0 ? 0 : size - 1);
    std::string tot(5 * core::countRecordLength, '\0');
    tot += rest.substr(0, totSize);
    const std::string_view con = rest.substr(totSize);
    fuzz::placeFile(files, inst.companyFile(0, "kalvora.tot"), tot, totSize > 0);
    fuzz::placeFile(files, inst.companyFile(0, "kalvora.con"), con, !con.empty());

    const std::vector<core::AccountEntry> chart = core::readChartOfAccounts(files, inst, 0);
    const std::uint64_t count = core::readArchiveCount(files, inst, 0, core::accountCountRecord);
    fuzz::check(chart.size() <= con.size() / core::accountRecordLength, "no more accounts than whole records");
    fuzz::check(chart.size() <= count, "no more accounts than the count");
    if (totSize >= 8) {
        double value = 0;
        std::memcpy(&value, rest.data(), 8);
        const bool usable = value >= 1;
        fuzz::check(usable || count == 0, "an unusable count reads nothing");
    }
    for (std::size_t n = 0; n < chart.size(); ++n) {
        const core::Record record(std::string(con.substr(n * core::accountRecordLength, core::accountRecordLength)));
        fuzz::check(chart[n].code == core::left(record.text(0, 10), 8), "code is the first 8 characters");
        fuzz::check(chart[n].description == core::trim(record.text(10, 40)), "description trimmed");
        fuzz::check(core::length(chart[n].code) == 8, "8-character code");
    }
    return 0;
}
