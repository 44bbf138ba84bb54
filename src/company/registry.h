#pragma once
// The company registry kalvora.azi (1000 lines, line k+1 = company k, "*" = free) and the
// company-in-use marker kalvora.uso.
#include "core/files.h"
#include "core/paths.h"
#include "core/state.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora::company {

struct RegistryEntry {
    bool free = true;
    std::string name;
    std::string year;
};

// "*" is free; a line whose trimmed length exceeds 200 is a 200-character name (trimmed) and
// the last four characters as the year; any other line is a name without year.
RegistryEntry parseRegistryLine(std::string_view line);
// The name padded or cut to 200 characters followed by the trimmed year.
std::string registryLine(std::string_view name, std::string_view year);

// The 1000 lines, or nullopt when the file is missing or has fewer than 1000 lines.
std::optional<std::vector<std::string>> readRegistry(const core::Files& files, const core::Installation& inst);
// Rewrites kalvora.azi whole (exactly 1000 lines; missing ones written as "*").
int writeRegistry(core::Files& files, const core::Installation& inst, const std::vector<std::string>& lines);
// Rewrites kalvora.uso with the code in print form (" 0 ").
int writeInUseMarker(core::Files& files, const core::Installation& inst, int code);
// Keeps an unreadable registry beside the new one before it is rewritten; returns the name
// used, or empty when there was nothing to keep.
std::string keepDamagedRegistry(core::Files& files, const core::Installation& inst);

struct CompanyCaptions {
    std::string company;  // "NNN " and the name
    std::string year;
};
// The captions of company `code` from its registry line: "NNN " and the line; when that text
// trimmed has 205 characters or more the year is its last four characters and the caption its
// first 204, trimmed. Making a company current is makeCurrent (current_company.h).
CompanyCaptions companyCaptions(int code, std::string_view line);

// What start-up makes of kalvora.azi. A whole file is read as it is. A short one keeps every
// line it has; a missing or unreadable one keeps none. Each code past the lines kept whose
// company folder exists gets its line from that folder's kalvora.int (name and year; for
// 991..999 "Copia di " and the name, as duplication writes it); the rest are "*".
struct RecoveredRegistry {
    enum class Source { Whole, Short, Missing, Unreadable };
    Source source = Source::Whole;
    std::vector<std::string> lines;  // always 1000
    int rebuiltLines = 0;            // lines taken from company folders
    bool anyCompany() const;
};
RecoveredRegistry recoverRegistry(const core::Files& files, const core::Installation& inst);

}  // namespace kalvora::company
