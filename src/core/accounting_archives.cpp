#include "core/accounting_archives.h"

#include "core/text.h"

#include <algorithm>
#include <cmath>

namespace kalvora::core {

namespace {

constexpr double largestExactCount = 9007199254740992.0;  // 2^53

}  // namespace

std::uint64_t readArchiveCount(Files& files, const Installation& inst, int companyCode, std::uint64_t countRecord) {
    RecordFile counts;
    if (files.openRecords(inst.companyFile(companyCode, "kalvora.tot"), countRecordLength, false, counts) != 0)
        return 0;
    if (countRecord == 0 || countRecord > counts.recordCount()) return 0;
    int error = 0;
    const double value = counts.read(countRecord, &error).float64(0);
    if (error != 0 || !(value >= 1)) return 0;  // NaN fails the comparison too
    return static_cast<std::uint64_t>(std::floor(std::min(value, largestExactCount)));
}

std::vector<AccountEntry> readChartOfAccounts(Files& files, const Installation& inst, int companyCode) {
    std::vector<AccountEntry> chart;
    const std::uint64_t count = readArchiveCount(files, inst, companyCode, accountCountRecord);
    if (count == 0) return chart;
    RecordFile accounts;
    if (files.openRecords(inst.companyFile(companyCode, "kalvora.con"), accountRecordLength, false, accounts) != 0)
        return chart;
    const std::uint64_t held = std::min(count, accounts.recordCount());
    chart.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(held, 1u << 16)));
    for (std::uint64_t n = 1; n <= held; ++n) {
        int error = 0;
        const Record record = accounts.read(n, &error);
        if (error != 0) break;
        chart.push_back({left(record.text(accountCodeOffset, accountCodeWidth), 8),
                         trim(record.text(accountDescriptionOffset, accountDescriptionWidth))});
    }
    return chart;
}

}  // namespace kalvora::core
