// kalvora.cas: any bytes give at least 100 lines and the window's values; saved unchanged they
// come back as the same lines; a preset then saved reads back as what the window showed, apart
// from the blanks the boxes lose on reading.
#include "fuzz_drive.h"
#include "core/text.h"
#include "tables/cash_register.h"

using namespace kalvora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Drive drive;
    const std::string path = tables::cashRegisterPath(drive.inst, 0);
    // The first byte picks the preset applied at the end; no byte at all: no file.
    fuzz::placeFile(drive.files, path, size > 0 ? fuzz::asText(data + 1, size - 1) : "", size > 0);
    const int model = size > 0 ? data[0] % 8 : 0;  // 5..7: none

    const std::vector<std::string> read = tables::readCashRegister(drive.files, path);
    fuzz::check(read.size() >= tables::cashRegisterLineCount, "100 lines at least");
    const tables::CashRegisterSettings shown = tables::cashRegisterSettings(read);
    fuzz::check(shown.port >= tables::cashNothingChosen && shown.port < tables::cashPorts, "port");
    fuzz::check(shown.flag >= tables::cashNothingChosen && shown.flag < tables::cashFlags, "flag");
    for (int f : shown.fields) fuzz::check(f >= tables::cashNothingChosen && f < 7, "field");

    fuzz::check(tables::cashRegisterLines(read, shown) == read, "unchanged window keeps every line");
    fuzz::check(tables::writeCashRegister(drive.files, path, read) == 0, "write");
    fuzz::check(tables::readCashRegister(drive.files, path) == read, "round trip");

    tables::CashRegisterSettings preset = shown;
    tables::applyRegisterPreset(preset, model);
    const std::vector<std::string> saved = tables::cashRegisterLines(read, preset);
    fuzz::check(saved.size() == read.size(), "line count kept");
    tables::CashRegisterSettings expected = preset;
    for (std::string& box : expected.text1) box = core::trim(box);
    fuzz::check(tables::cashRegisterSettings(saved) == expected, "preset saved as shown");
    for (std::size_t i = 56; i < 80; ++i) fuzz::check(saved[i] == read[i], "lines 57..80 kept");
    for (std::size_t i = 94; i < saved.size(); ++i) fuzz::check(saved[i] == read[i], "lines 95.. kept");
    return 0;
}
