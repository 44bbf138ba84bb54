#pragma once
// The layouts of the accounting archives that several folders read: the count file kalvora.tot
// (140-byte records whose first field, an 8-byte double, is the number of records in use of one
// archive) and the chart of accounts kalvora.con (150-byte records, account n in record n).
#include "core/files.h"
#include "core/paths.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kalvora::core {

constexpr std::size_t countRecordLength = 140;
constexpr std::size_t accountRecordLength = 150;
constexpr std::uint64_t accountCountRecord = 6;  // record of kalvora.tot counting kalvora.con

constexpr std::size_t accountCodeOffset = 0;
constexpr std::size_t accountCodeWidth = 10;  // eight digits GGSSNNNN, blanks after them
constexpr std::size_t accountDescriptionOffset = 10;
constexpr std::size_t accountDescriptionWidth = 40;

struct AccountEntry {
    std::string code;         // the first 8 of the 10 code characters
    std::string description;  // trimmed
    friend bool operator==(const AccountEntry&, const AccountEntry&) = default;
};

// The count kept in record `countRecord` of a company's kalvora.tot, as a whole number of
// records: 0 for a missing file, a negative, fractional-below-one or non-numeric value; values
// beyond 2^53 are clamped there.
std::uint64_t readArchiveCount(Files& files, const Installation& inst, int companyCode, std::uint64_t countRecord);

// Accounts 1..count of the company's kalvora.con, where count is kalvora.tot record 6, read one
// record at a time and never past the records the file holds: a missing file or count gives an
// empty chart, a count beyond the file gives what the file holds.
std::vector<AccountEntry> readChartOfAccounts(Files& files, const Installation& inst, int companyCode);

}  // namespace kalvora::core
