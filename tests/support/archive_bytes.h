#pragma once
// Bytes of the accounting archives as tests arrange them: a record as a string, a kalvora.tot
// with chosen counts, an account of kalvora.con.
#include "core/accounting_archives.h"
#include "core/record.h"

#include <map>
#include <string>
#include <string_view>

namespace kalvora::testing {

inline std::string bytesOf(const core::Record& r) { return {r.bytes().begin(), r.bytes().end()}; }

// kalvora.tot of `records` records with `counts` (record number -> count) set; every other byte
// is `fill`, or the record's own number when `fill` is negative.
inline std::string countsFile(const std::map<std::uint64_t, double>& counts, int records = 25, int fill = -1) {
    std::string tot;
    for (int n = 1; n <= records; ++n) {
        core::Record r(core::countRecordLength);
        r.fill(0, r.length(), static_cast<std::uint8_t>(fill < 0 ? n : fill));
        if (const auto it = counts.find(static_cast<std::uint64_t>(n)); it != counts.end())
            r.setFloat64(core::tot::count.offset, it->second);
        tot += bytesOf(r);
    }
    return tot;
}

// The count held in record `n` of these kalvora.tot bytes (0 past their end).
inline double countIn(std::string_view tot, std::uint64_t n) {
    const std::size_t at = (n - 1) * core::countRecordLength;
    return at < tot.size() ? core::Record(std::string(tot.substr(at, 8))).float64(core::tot::count.offset) : 0;
}

// An account of kalvora.con with its code and description, every other byte `fill`.
inline core::Record accountRecord(std::string_view code, std::string_view description, std::uint8_t fill = 0) {
    core::Record r(core::accountRecordLength);
    r.fill(0, r.length(), fill);
    r.setText(core::accountCodeOffset, core::accountCodeWidth, code);
    r.setText(core::accountDescriptionOffset, core::accountDescriptionWidth, description);
    return r;
}

}  // namespace kalvora::testing
