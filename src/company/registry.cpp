#include "company/registry.h"

#include "core/numbers.h"
#include "core/text.h"

#include <algorithm>

namespace kalvora::company {

namespace {

constexpr std::size_t nameWidth = 200;
constexpr std::size_t yearWidth = 4;
constexpr std::size_t captionWidth = 204;  // "NNN " and the 200-character name
constexpr int maxKeptCopies = 999;
const char* const registryName = "kalvora.azi";
const char* const markerName = "kalvora.uso";
const char* const keptName = "kalvora.azi.old";

// A line break inside a line would shift every following company by one code.
std::string singleLine(std::string_view text) {
    std::string out(text);
    std::replace(out.begin(), out.end(), '\r', ' ');
    std::replace(out.begin(), out.end(), '\n', ' ');
    return out;
}

}  // namespace

RegistryEntry parseRegistryLine(std::string_view line) {
    if (line == "*") return {};
    RegistryEntry entry;
    entry.free = false;
    // Only trailing blanks are ignored when measuring: a name that is empty or starts with
    // blanks still has its year after the 200th character.
    std::string measured = core::trimRight(line);
    if (core::length(measured) > nameWidth) {
        entry.name = core::trim(core::left(line, nameWidth));
        entry.year = core::right(measured, yearWidth);
    } else {
        entry.name = core::trim(measured);
    }
    return entry;
}

std::string registryLine(std::string_view name, std::string_view year) {
    return singleLine(core::padRight(name, nameWidth) + core::trim(year));
}

std::optional<std::vector<std::string>> readRegistry(const core::Files& files, const core::Installation& inst) {
    auto lines = files.readLines(inst.file(registryName));
    if (!lines || lines->size() < static_cast<std::size_t>(core::CompanyState::registrySize))
        return std::nullopt;
    lines->resize(core::CompanyState::registrySize);
    return lines;
}

int writeRegistry(core::Files& files, const core::Installation& inst, const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    out.reserve(core::CompanyState::registrySize);
    for (int code = 0; code < core::CompanyState::registrySize; ++code)
        out.push_back(static_cast<std::size_t>(code) < lines.size() ? singleLine(lines[code]) : "*");
    return files.writeLines(inst.file(registryName), out);
}

int writeInUseMarker(core::Files& files, const core::Installation& inst, int code) {
    // Written at every start: when it already says the same, the synced rewrite is skipped.
    const std::string content = core::encodeLines({core::printForm(code)});
    if (files.readBytes(inst.file(markerName), content.size() + 1) == content) return 0;
    return files.replaceFile(inst.file(markerName), content);
}

std::string keepDamagedRegistry(core::Files& files, const core::Installation& inst) {
    const std::string registry = inst.file(registryName);
    if (!files.exists(registry) || readRegistry(files, inst)) return {};
    // An earlier kept copy may be the only trace of an older damage: never write over it.
    for (int n = 1; n <= maxKeptCopies; ++n) {
        std::string name = keptName;
        if (n > 1) name += std::to_string(n);
        const std::string target = inst.file(name);
        if (files.exists(target)) continue;
        return files.copyFile(registry, target) == 0 ? name : std::string();
    }
    return {};
}

void selectCompany(core::CompanyState& state, int code) {
    if (code < 0 || code >= core::CompanyState::registrySize) return;
    const std::string line =
        static_cast<std::size_t>(code) < state.registry.size() ? state.registry[code] : std::string("*");
    std::string caption = core::trimRight(core::threeDigits(code) + " " + line);
    state.code = code;
    if (core::length(caption) > captionWidth) {
        state.yearCaption = core::right(caption, yearWidth);
        state.companyCaption = core::trim(core::left(caption, captionWidth));
    } else {
        state.yearCaption.clear();
        state.companyCaption = caption;
    }
}

}  // namespace kalvora::company
