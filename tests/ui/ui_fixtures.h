#pragma once
// Files the main window's tests arrange: a company registry and a toolbar file.
#include "company/registry.h"
#include "core/files.h"
#include "launcher/toolbar.h"

#include <array>
#include <map>
#include <string>
#include <vector>

namespace kalvora::testing {

constexpr const char* registryPath = "kalwin/kalwin/kalvora.azi";
constexpr const char* toolbarPath = "kalwin/kalwin/kalvora.btt";

// kalvora.azi with these companies (code -> name), all in `year`, every other line free.
inline std::string registryBytes(const std::map<int, std::string>& companies, const std::string& year = "2026") {
    std::vector<std::string> lines(1000, "*");
    for (const auto& [code, name] : companies) lines[static_cast<std::size_t>(code)] = company::registryLine(name, year);
    return core::encodeLines(lines);
}

// kalvora.btt: buttons by number, each {picture, tooltip, command}; the others empty.
inline std::string toolbarBytes(const std::map<int, std::array<std::string, 3>>& buttons) {
    std::vector<std::string> lines(launcher::Toolbar::lineCount);
    for (const auto& [number, fields] : buttons) {
        const std::size_t first = static_cast<std::size_t>(number - 1) * launcher::Toolbar::linesPerButton;
        for (std::size_t i = 0; i < fields.size(); ++i) lines[first + i] = fields[i];
    }
    return core::encodeLines(lines);
}

}  // namespace kalvora::testing
