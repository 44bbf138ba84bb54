// kalvora.int: any bytes give 17 values, and writing them back then reading gives the same
// values (line breaks and other control characters inside a value turned into blanks, the year
// trimmed).
#include "fuzz_drive.h"
#include "core/text.h"
#include "tables/company_header_file.h"

using namespace kalvora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Drive drive;
    core::Files& files = drive.files;
    const core::Installation& inst = drive.inst;
    const std::string path = inst.companyFile(0, "kalvora.int");
    fuzz::placeFile(files, path, fuzz::asText(data, size));

    const std::vector<std::string> fields = tables::readCompanyHeader(files, path);
    fuzz::check(fields.size() == static_cast<std::size_t>(tables::companyHeaderLines), "17 values");

    fuzz::check(tables::writeCompanyHeader(files, path, fields, fields[16]) == 0, "write");
    const std::vector<std::string> again = tables::readCompanyHeader(files, path);
    for (int i = 0; i < 16; ++i)
        fuzz::check(again[i] == core::singleLine(fields[i]), "field round trip");
    fuzz::check(again[16] == core::trim(core::singleLine(fields[16])), "year round trip");
    return 0;
}
