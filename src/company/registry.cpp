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

constexpr int firstDuplicate = 991;
const char* const folderPrefix = "kalaz0.";

// The codes whose folder kalaz0.NNN exists in the installation folder.
std::vector<bool> companyFolders(const core::Files& files, const core::Installation& inst) {
    std::vector<bool> found(core::CompanyState::registrySize, false);
    std::vector<core::DirEntry> entries;
    if (files.list(inst.folder(), entries) != 0) return found;
    const std::size_t prefix = std::char_traits<char>::length(folderPrefix);
    for (const core::DirEntry& entry : entries) {
        const std::string& name = entry.name;
        if (!entry.isDirectory || name.size() != prefix + 3 ||
            !core::equalsIgnoreCase(std::string_view(name).substr(0, prefix), folderPrefix))
            continue;
        const std::string digits = name.substr(prefix);
        if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            found[std::stoi(digits)] = true;
    }
    return found;
}

// The registry line of a company found by its folder, from its kalvora.int.
std::string lineFromFolder(const core::Files& files, const core::Installation& inst, int code) {
    const auto header = files.readLines(inst.companyFile(code, "kalvora.int"));
    const std::string name = header && !header->empty() ? core::trim(header->front()) : std::string();
    if (code >= firstDuplicate) return core::singleLine("Copia di " + core::trim(core::left(name, nameWidth)));
    const std::string year = header && header->size() >= 17 ? core::trim((*header)[16]) : std::string();
    return registryLine(name, year);
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
    return core::singleLine(core::padRight(name, nameWidth) + core::trim(year));
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
        out.push_back(static_cast<std::size_t>(code) < lines.size() ? core::singleLine(lines[code]) : "*");
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

CompanyCaptions companyCaptions(int code, std::string_view line) {
    const std::string caption = core::trimRight(core::threeDigits(code) + " " + std::string(line));
    if (core::length(caption) > captionWidth)
        return {core::trim(core::left(caption, captionWidth)), core::right(caption, yearWidth)};
    return {caption, {}};
}

bool RecoveredRegistry::anyCompany() const {
    return std::any_of(lines.begin(), lines.end(), [](const std::string& line) { return line != "*"; });
}

RecoveredRegistry recoverRegistry(const core::Files& files, const core::Installation& inst) {
    constexpr std::size_t size = core::CompanyState::registrySize;
    RecoveredRegistry out;
    const std::string path = inst.file(registryName);
    auto read = files.readLines(path);
    if (read && read->size() >= size) {
        read->resize(size);
        out.lines = std::move(*read);
        return out;
    }
    using Source = RecoveredRegistry::Source;
    out.source = read ? Source::Short : files.exists(path) ? Source::Unreadable : Source::Missing;
    if (read) out.lines = std::move(*read);
    const std::size_t kept = out.lines.size();
    out.lines.resize(size, "*");
    const std::vector<bool> folders = companyFolders(files, inst);
    for (std::size_t code = kept; code < size; ++code) {
        if (!folders[code]) continue;
        out.lines[code] = lineFromFolder(files, inst, static_cast<int>(code));
        ++out.rebuiltLines;
    }
    return out;
}

}  // namespace kalvora::company
