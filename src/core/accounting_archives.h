#pragma once
// The accounting archives that several folders work on: the counts of kalvora.tot, the chart of
// accounts kalvora.con with its running totals, and the journal kalvora.gio. Offsets are in
// core/archive_layouts.h.
#include "core/archive_layouts.h"
#include "core/dates.h"
#include "core/files.h"
#include "core/paths.h"

#include <array>
#include <cstring>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace kalvora::core {

constexpr std::size_t countRecordLength = tot::recordLength;
constexpr std::size_t accountRecordLength = con::archive.recordLength;
constexpr std::uint64_t accountCountRecord = con::archive.countRecord;
constexpr std::size_t accountCodeOffset = con::code.offset;
constexpr std::size_t accountCodeWidth = con::code.width;
constexpr std::size_t accountDescriptionOffset = con::description.offset;
constexpr std::size_t accountDescriptionWidth = con::description.width;

struct AccountEntry {
    std::string code;         // the first 8 of the 10 code characters
    std::string description;  // trimmed
    friend bool operator==(const AccountEntry&, const AccountEntry&) = default;
};

// The count kept in record `countRecord` of a company's kalvora.tot, as a whole number of
// records: 0 for a missing file, a negative, fractional-below-one or non-numeric value; values
// beyond 2^53 are clamped there. `error`, when given, tells a file that exists but cannot be
// read (0 otherwise), so that a writer never takes an unreadable count for an empty archive.
std::uint64_t readArchiveCount(Files& files, const Installation& inst, int companyCode, std::uint64_t countRecord,
                               int* error = nullptr);
// Stores `count` in the first field of record `countRecord`, in place, keeping the record's
// other bytes (a missing file or record is created). 0 or an error number.
int writeArchiveCount(Files& files, const Installation& inst, int companyCode, std::uint64_t countRecord,
                      std::uint64_t count);

// Accounts 1..count of the company's kalvora.con, where count is kalvora.tot record 6, read one
// record at a time and never past the records the file holds: a missing file or count gives an
// empty chart, a count beyond the file gives what the file holds.
std::vector<AccountEntry> readChartOfAccounts(Files& files, const Installation& inst, int companyCode);

// The numeric value of an account code as the accounting module compares codes: the digits
// after any leading blanks, up to the first other character ("01020003" is 1020003).
std::uint32_t accountNumber(std::string_view code);
// "GG.SS.NNNN" for the eight digits of a code.
std::string dottedCode(std::string_view code);

// Lines naming an account the chart does not hold, by code (as written in the line), with how
// many lines named it.
using UnknownAccounts = std::map<std::string, std::uint64_t>;

class ChartOfAccounts;

// Adds up the lines of journal entries into running totals (debit, credit per account, in
// chart order), finding each line's account through the chart and remembering it by the line's
// eight code bytes: a journal names a few thousand codes millions of times.
class LineSums {
public:
    // Adds the lines of one entry, each amount rounded (euro or lire), to `totals`; a line
    // without an account or with a zero amount adds nothing, and one naming an account the
    // chart does not hold is counted in `unknown`.
    void addEntry(const ChartOfAccounts& chart, double* totals, RecordView entry, bool euro, UnknownAccounts& unknown);
    // Forgets what it remembered, sized for a chart of `accounts`.
    void reset(int accounts);

private:
    // Slots: four for each account, between 256 and 32,768 (384 KB, that stay in the cache).
    std::size_t slot(std::uint64_t raw) const {
        return static_cast<std::size_t>((raw * 0x9E3779B97F4A7C15ull) >> (64 - bits_));
    }
    int findLine(const ChartOfAccounts& chart, std::uint64_t raw) {
        const std::size_t s = slot(raw);
        if (codes_[s] == raw) return index_[s];
        return findLineSlow(chart, raw);
    }
    int findLineSlow(const ChartOfAccounts& chart, std::uint64_t raw);

    std::vector<std::uint64_t> codes_ = std::vector<std::uint64_t>(256, 0);  // 0: a free slot
    std::vector<std::int32_t> index_ = std::vector<std::int32_t>(256, -1);
    std::size_t used_ = 0;
    int bits_ = 8;
};

// The chart of accounts in memory with an index by numeric code, every byte of the file kept:
// 9,999 accounts are 1.5 MB. Saving rewrites the whole file atomically.
class ChartOfAccounts {
public:
    // Reads accounts 1..count (kalvora.tot record 6), never past the records the file holds.
    // 0 also for a missing file (an empty chart); an error number when it cannot be read.
    int load(Files& files, const Installation& inst, int companyCode);
    int save(Files& files) const;

    int size() const { return count_; }
    RecordView account(int index) const;  // index from 0
    std::string code(int index) const;    // the eight code characters
    std::string description(int index) const;  // trimmed
    double debit(int index) const;
    double credit(int index) const;
    double storedBalance(int index) const;  // the balance field the closing sets
    // The first account with the numeric value of `code`, or -1.
    int find(std::string_view code) const;

    // Whether `other` holds the same accounts, code for code and in the same order: then totals
    // worked out on one can be stored in the other.
    bool sameAccounts(const ChartOfAccounts& other) const;
    // Takes the totals of `from`, a chart of the same accounts, in place of its own.
    void takeTotals(const ChartOfAccounts& from) { totals_ = from.totals_; }
    void clearTotals();
    // side 0 debit, 1 credit; inline, as a rebuild adds millions of lines
    void add(int index, int side, double amount) { totals_[static_cast<std::size_t>(index) * 2 + (side == 0 ? 0 : 1)] += amount; }
    void setBalance(int index, double balance);
    // Adds the lines of one journal entry, each amount rounded (euro or lire), to the totals of
    // the accounts they name; a line without an account or with a zero amount adds nothing, and
    // one naming an account the chart does not hold is counted in `unknown`.
    void addEntry(RecordView entry, bool euro, UnknownAccounts& unknown) {
        sums_.addEntry(*this, totals_.data(), entry, euro, unknown);
    }
    // Adds totals summed apart (debit, credit per account, in chart order).
    void addTotals(const std::vector<double>& totals);

private:
    // Writes the running totals of account `index` into its record.
    void storeTotals(int index) const;

    std::string path_;
    // The file's bytes; the running totals live in totals_ (debit, credit per account), which
    // stays in the cache while a journal is added up, and go into the records when read.
    mutable std::string bytes_;
    std::vector<double> totals_;
    int count_ = 0;
    std::unordered_map<std::uint32_t, int> index_;
    LineSums sums_;
};

// The running totals of every account rebuilt from journal entries 1..count (kalvora.tot
// record 13): set to zero, then every entry added as ChartOfAccounts::addEntry does, the
// journal read in large blocks. A long journal is added up in two halves, the second on a
// thread of its own, then the halves are added together. `progress` hears the entries read and the count now and then
// and may stop the work by returning false. Nothing is written. 0 or an error number.
struct RebuildResult {
    std::uint64_t entries = 0;
    UnknownAccounts unknown;
    int error = 0;
};
// What a rebuild can gather on its way for the closing: the entries with marker 1 and lines 3
// to 10 empty (the shape the closing and the opening write), in journal order, cut after their
// second line, and the latest date of the other entries.
struct MarkedEntries {
    static constexpr std::size_t keptBytes = gio::firstLine + 2 * gio::lineLength;
    std::vector<Record> entries;
    std::string latestOtherDate;  // yyyymmdd; empty when no other entry has a date
};
// `halvedFrom`: the entries from which a journal is added up in two halves; `marked`, when
// given, is filled from the entries read.
constexpr std::uint64_t rebuildHalvedFrom = 100000;
RebuildResult rebuildTotals(Files& files, const Installation& inst, int companyCode, ChartOfAccounts& chart,
                            bool euro, const std::function<bool(std::uint64_t, std::uint64_t)>& progress = {},
                            std::uint64_t halvedFrom = rebuildHalvedFrom, MarkedEntries* marked = nullptr);

// One line of a journal entry.
struct JournalLine {
    int side = 0;  // 0 debit, 1 credit
    std::string account;  // eight digits
    double amount = 0;
};
// Line `n` (from 0) of a journal entry, the account as its eight characters are held.
JournalLine journalLine(RecordView entry, int n);

// A journal entry as the closing and the opening write it: lines 3..10 empty, marker 1,
// state "0", the module's fields zero or blank.
Record journalEntry(const Date& date, const std::array<std::string, 3>& descriptions, const std::string& document,
                    const std::vector<JournalLine>& lines);

}  // namespace kalvora::core
