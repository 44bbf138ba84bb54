// Any bytes as the company registry: reading, the start-up's completion, the line rule and the
// captions survive them; the lines read are written back unchanged but for control characters,
// and a name stored in a registry line reads back as it was given.
#include "company/registry.h"
#include "fuzz_drive.h"
#include "core/cp1252.h"
#include "core/text.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace kalvora;

using fuzz::check;

company::CompanyCaptions checkCaptions(int code, std::string_view line) {
    company::CompanyCaptions captions = company::companyCaptions(code, line);
    check(core::startsWith(captions.company, core::threeDigits(code)));
    check(core::length(captions.year) <= 4);
    return captions;
}

void checkRoundTrip(const std::string& name, const std::string& year) {
    const std::string line = company::registryLine(name, year);
    const company::RegistryEntry entry = company::parseRegistryLine(line);
    check(!entry.free);
    check(entry.name == core::trim(core::left(name, 200)));
    check(entry.year == year);
    check(checkCaptions(42, line).year == year);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Drive drive;
    core::Files& files = drive.files;
    const core::Installation& inst = drive.inst;
    const std::string_view bytes = fuzz::asText(data, size);
    const std::string path = inst.file("kalvora.azi");
    fuzz::placeFile(files, path, bytes);

    // The start-up's reading: always 1000 lines, the ones read kept as they are.
    const auto raw = files.readLines(path);
    const company::RecoveredRegistry recovered = company::recoverRegistry(files, inst);
    check(recovered.lines.size() == 1000);
    if (raw)
        for (std::size_t i = 0; i < raw->size() && i < 1000; ++i) check(recovered.lines[i] == (*raw)[i]);
    const int code = size >= 2 ? (data[0] << 8 | data[1]) % 1000 : 0;
    for (int c : {0, code, 999}) checkCaptions(c, recovered.lines[c]);

    // A registry read whole is written back unchanged but for control characters.
    if (auto lines = company::readRegistry(files, inst)) {
        check(lines->size() == 1000);
        for (const std::string& line : *lines) company::parseRegistryLine(line);
        check(company::writeRegistry(files, inst, *lines) == 0);
        auto again = company::readRegistry(files, inst);
        check(again.has_value());
        for (std::size_t i = 0; i < lines->size(); ++i)
            check((*again)[i] == core::singleLine((*lines)[i]));
    }

    const std::string text = core::decodeCp1252(bytes);
    company::parseRegistryLine(text);
    const std::string name = core::trim(core::singleLine(text));
    std::string year = "2024";
    for (std::size_t i = 0; i < 4 && i < size; ++i) year[i] = static_cast<char>('0' + data[i] % 10);
    checkRoundTrip(name, year);
    checkRoundTrip(name, "");
    return 0;
}
