// kalvora.tbl: any bytes give settings within their ranges, and the settings written in the
// file's own form load back unchanged.
#include "fuzz_drive.h"
#include "core/text.h"
#include "printing/listing_settings_file.h"

#include <cstdio>
#include <vector>

using namespace kalvora;

namespace {

std::string hexColour(long colour) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "&h%06lX", colour);
    return buffer;
}

bool sameSettings(const core::ListingSettings& a, const core::ListingSettings& b) {
    if (a.leftEdge != b.leftEdge || a.rightEdge != b.rightEdge || a.topEdge != b.topEdge ||
        a.bottomEdge != b.bottomEdge || a.gridType != b.gridType)
        return false;
    for (std::size_t g = 0; g < a.styles.size(); ++g) {
        const auto& x = a.styles[g];
        const auto& y = b.styles[g];
        if (x.fontName != y.fontName || x.size != y.size || x.bold != y.bold || x.italic != y.italic ||
            x.colour != y.colour)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Drive drive;
    core::Files& files = drive.files;
    const core::Installation& inst = drive.inst;
    const std::string path = inst.file("kalvora.tbl");
    fuzz::placeFile(files, path, fuzz::asText(data, size));

    const core::ListingSettings s = printing::loadListingSettings(files, path);
    for (int edge : {s.leftEdge, s.rightEdge, s.topEdge, s.bottomEdge})
        fuzz::check(edge >= 0 && edge <= 1000, "edge range");
    fuzz::check(s.gridType >= 0 && s.gridType <= 2, "grid type");
    bool plainNames = true;
    for (const auto& style : s.styles) {
        fuzz::check(core::length(style.fontName) <= 30 && !core::trim(style.fontName).empty(), "font name");
        fuzz::check(style.size >= 1 && style.size <= 1638, "font size");
        fuzz::check(style.colour >= 0 && style.colour <= 0xFFFFFF, "colour");
        plainNames = plainNames && style.fontName.find_first_of("\r\n") == std::string::npos;
    }
    const std::string firstLine(fuzz::asText(data, std::min<std::size_t>(size, 64)));
    const long colour = printing::parseColour(firstLine);
    fuzz::check(colour >= 0 && colour <= 0xFFFFFF, "parseColour range");

    if (plainNames) {
        std::vector<std::string> lines = {std::to_string(s.leftEdge), std::to_string(s.rightEdge),
                                          std::to_string(s.topEdge), std::to_string(s.bottomEdge),
                                          std::to_string(s.gridType)};
        for (const auto& style : s.styles) {
            lines.insert(lines.end(), {"5", style.fontName, std::to_string(style.size), style.bold ? "1" : "0",
                                       style.italic ? "1" : "0", hexColour(style.colour)});
        }
        fuzz::check(files.writeLines(path, lines) == 0, "write");
        fuzz::check(sameSettings(printing::loadListingSettings(files, path), s), "round trip");
    }
    return 0;
}
