#pragma once
// A company's accounting archives at archive scale for the benchmarks: kalvora.tot with its
// counts, a chart of 9,999 accounts in kalvora.con and a journal of a million entries in
// kalvora.gio, with the shapes a real company has (a few accounts used all the time, customers
// and suppliers in the thousands, entries of two to six balanced lines dated over six years).
// The same seed always gives the same bytes.
#include "core/files.h"
#include "core/paths.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kalvora::bench {

struct GeneratorOptions {
    std::uint64_t entries = 1'000'000;
    std::uint64_t seed = 20261207;
    int firstYear = 2021;  // entries are dated from early in this year
    int lastYear = 2026;   // to the end of November of this one, in date order
    int splitYear = 2025;  // the totals of the entries dated from 1 January of this year are kept apart
};

// What was written, for the benchmarks to check the program's results against.
struct GeneratedCompany {
    std::uint64_t entries = 0;
    int accounts = 0;
    std::uint64_t journalBytes = 0;
    // Eight-digit codes of the accounts the closings and the opening take as counterpart.
    std::string openingAccount;        // "Bilancio di apertura", group 50
    std::string closingAccount;        // "Bilancio di chiusura", group 50
    std::string profitAndLossAccount;  // "Profitti e perdite", group 80
    std::map<int, std::uint64_t> entriesByYear;
    int splitYear = 0;
    // Per account, in chart order: the debit and credit of every entry, and of the entries
    // dated from 1 January of splitYear on, in cents.
    std::vector<std::int64_t> debit, credit, debitFromSplit, creditFromSplit;
    std::vector<std::string> codes;  // eight digits each, in chart order

    // Entries dated before 1 January of `year` (the journal is in date order: they come first).
    std::uint64_t entriesBefore(int year) const;
};

// Writes kalvora.con, kalvora.gio and then kalvora.tot (50 records, accounts in record 6 and
// entries in record 13) into the folder of company `code`, made when missing. The archives
// stream to disk in large blocks and are synced before kalvora.tot counts them. The running
// totals of the chart agree with the journal; the balance field holds debit minus credit.
// 0 or an error number.
int generateCompany(core::Files& files, const core::Installation& inst, int code, const GeneratorOptions& options,
                    GeneratedCompany& out);

}  // namespace kalvora::bench
