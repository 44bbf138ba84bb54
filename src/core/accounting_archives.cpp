#include "core/accounting_archives.h"

#include "core/amounts.h"
#include "core/cp1252.h"
#include "core/text.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <iterator>
#include <thread>

namespace kalvora::core {

namespace {

constexpr double largestExactCount = 9007199254740992.0;  // 2^53

void putDouble(char* at, double value) {
    const auto u = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i) at[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

// Whether line `n` (from 0) of an entry adds nothing to any account.
bool lineIsEmpty(RecordView entry, int n) {
    const JournalLine line = journalLine(entry, n);
    return line.amount == 0 || !std::isfinite(line.amount) ||
           std::all_of(line.account.begin(), line.account.end(), [](char c) { return c == ' ' || c == '\0'; });
}

bool windowsShape(RecordView entry) {
    if (entry.int16(gio::marker.offset) != 1) return false;
    for (int n = 2; n < gio::lineCount; ++n)
        if (!lineIsEmpty(entry, n)) return false;
    return true;
}

void noteMarked(RecordView entry, MarkedEntries& marked) {
    if (windowsShape(entry)) {
        // Only what tells the entry apart is kept, so that a journal whose own entries carry
        // the same marker is never held whole.
        marked.entries.emplace_back(RecordView(entry.data(), std::min(entry.length(), MarkedEntries::keptBytes)));
        return;
    }
    if (entry.length() < gio::date.width) return;
    const auto* date = reinterpret_cast<const char*>(entry.data());
    if (!marked.latestOtherDate.empty() && std::memcmp(date, marked.latestOtherDate.data(), gio::date.width) <= 0)
        return;
    if (std::all_of(date, date + gio::date.width, [](char c) { return c >= '0' && c <= '9'; }))
        marked.latestOtherDate.assign(date, gio::date.width);
}

void addMarked(MarkedEntries& to, MarkedEntries&& from) {
    std::move(from.entries.begin(), from.entries.end(), std::back_inserter(to.entries));
    to.latestOtherDate = std::max(to.latestOtherDate, from.latestOtherDate);
}

}  // namespace

std::uint64_t readArchiveCount(Files& files, const Installation& inst, int companyCode, std::uint64_t countRecord,
                               int* error) {
    int ignored = 0;
    int& failure = error ? *error : ignored;
    failure = 0;
    RecordFile counts;
    if (const int e = files.openRecords(inst.companyFile(companyCode, "kalvora.tot"), countRecordLength, false, counts);
        e != 0) {
        if (e != ENOENT) failure = e;
        return 0;
    }
    // A record past the end reads as zero bytes, that is no count; the file's size is not
    // asked for, so that a size that cannot be read is not taken for a short file.
    if (countRecord == 0) return 0;
    const double value = counts.read(countRecord, &failure).float64(tot::count.offset);
    if (failure != 0 || !(value >= 1)) return 0;  // NaN fails the comparison too
    return static_cast<std::uint64_t>(std::floor(std::min(value, largestExactCount)));
}

int writeArchiveCount(Files& files, const Installation& inst, int companyCode, std::uint64_t countRecord,
                      std::uint64_t count) {
    RecordFile counts;
    if (const int error = files.openRecords(inst.companyFile(companyCode, "kalvora.tot"), tot::recordLength, true, counts);
        error != 0)
        return error;
    int error = 0;
    Record record = counts.read(countRecord, &error);
    if (error != 0) return error;
    record.setFloat64(tot::count.offset, static_cast<double>(count));
    error = counts.write(countRecord, record);
    if (error == 0) error = counts.sync();
    const int closeError = counts.close();
    return error != 0 ? error : closeError;
}

std::vector<AccountEntry> readChartOfAccounts(Files& files, const Installation& inst, int companyCode) {
    std::vector<AccountEntry> chart;
    ChartOfAccounts accounts;
    if (accounts.load(files, inst, companyCode) != 0) return chart;
    chart.reserve(static_cast<std::size_t>(accounts.size()));
    for (int i = 0; i < accounts.size(); ++i) chart.push_back({accounts.code(i), accounts.description(i)});
    return chart;
}

std::uint32_t accountNumber(std::string_view code) {
    std::size_t i = 0;
    while (i < code.size() && code[i] == ' ') ++i;
    std::uint32_t n = 0;
    for (int digits = 0; i < code.size() && code[i] >= '0' && code[i] <= '9' && digits < 9; ++i, ++digits)
        n = n * 10 + static_cast<std::uint32_t>(code[i] - '0');
    return n;
}

std::string dottedCode(std::string_view code) {
    const std::string c = padRight(std::string(code), 8);
    return left(c, 2) + "." + mid(c, 3, 2) + "." + mid(c, 5, 4);
}

int ChartOfAccounts::load(Files& files, const Installation& inst, int companyCode) {
    path_ = inst.companyFile(companyCode, std::string(con::archive.file));
    bytes_.clear();
    totals_.clear();
    index_.clear();
    sums_.reset(0);
    count_ = 0;
    int countError = 0;
    const std::uint64_t count = readArchiveCount(files, inst, companyCode, con::archive.countRecord, &countError);
    if (countError != 0) return countError;
    if (count == 0) return 0;
    if (!files.exists(path_)) return 0;
    auto bytes = files.readBytes(path_);
    if (!bytes) return EIO;
    bytes_ = std::move(*bytes);
    count_ = static_cast<int>(std::min<std::uint64_t>(count, bytes_.size() / con::archive.recordLength));
    index_.reserve(static_cast<std::size_t>(count_));
    sums_.reset(count_);
    totals_.resize(static_cast<std::size_t>(count_) * 2);
    for (int i = 0; i < count_; ++i) {
        const RecordView record(reinterpret_cast<const std::uint8_t*>(bytes_.data()) + static_cast<std::size_t>(i) * con::archive.recordLength,
                                con::archive.recordLength);
        index_.try_emplace(accountNumber(record.raw(con::code.offset, con::codeDigits)), i);
        totals_[static_cast<std::size_t>(i) * 2] = record.float64(con::debit.offset);
        totals_[static_cast<std::size_t>(i) * 2 + 1] = record.float64(con::credit.offset);
    }
    return 0;
}

int ChartOfAccounts::save(Files& files) const {
    if (count_ == 0) return 0;
    for (int i = 0; i < count_; ++i) storeTotals(i);
    return files.replaceFile(path_, bytes_);
}

void ChartOfAccounts::storeTotals(int index) const {
    char* at = bytes_.data() + static_cast<std::size_t>(index) * con::archive.recordLength;
    putDouble(at + con::debit.offset, totals_[static_cast<std::size_t>(index) * 2]);
    putDouble(at + con::credit.offset, totals_[static_cast<std::size_t>(index) * 2 + 1]);
}

RecordView ChartOfAccounts::account(int index) const {
    storeTotals(index);
    return {reinterpret_cast<const std::uint8_t*>(bytes_.data()) + static_cast<std::size_t>(index) * con::archive.recordLength,
            con::archive.recordLength};
}

std::string ChartOfAccounts::code(int index) const { return account(index).text(con::code.offset, con::codeDigits); }
std::string ChartOfAccounts::description(int index) const {
    return trim(account(index).text(con::description.offset, con::description.width));
}
double ChartOfAccounts::debit(int index) const { return totals_[static_cast<std::size_t>(index) * 2]; }
double ChartOfAccounts::credit(int index) const { return totals_[static_cast<std::size_t>(index) * 2 + 1]; }
double ChartOfAccounts::storedBalance(int index) const { return account(index).float64(con::balance.offset); }

int ChartOfAccounts::find(std::string_view code) const {
    const auto it = index_.find(accountNumber(code));
    return it == index_.end() ? -1 : it->second;
}

bool ChartOfAccounts::sameAccounts(const ChartOfAccounts& other) const {
    if (other.count_ != count_) return false;
    for (int i = 0; i < count_; ++i)
        if (other.code(i) != code(i)) return false;
    return true;
}

void ChartOfAccounts::clearTotals() { std::fill(totals_.begin(), totals_.end(), 0.0); }

void ChartOfAccounts::setBalance(int index, double balance) {
    putDouble(bytes_.data() + static_cast<std::size_t>(index) * con::archive.recordLength + con::balance.offset, balance);
}

void ChartOfAccounts::addTotals(const std::vector<double>& totals) {
    for (std::size_t i = 0; i < totals_.size() && i < totals.size(); ++i) totals_[i] += totals[i];
}

void LineSums::reset(int accounts) {
    bits_ = 8;
    while (bits_ < 15 && (std::size_t{1} << bits_) < static_cast<std::size_t>(std::max(accounts, 0)) * 4) ++bits_;
    codes_.assign(std::size_t{1} << bits_, 0);
    index_.assign(std::size_t{1} << bits_, -1);
    used_ = 0;
}

int LineSums::findLineSlow(const ChartOfAccounts& chart, std::uint64_t raw) {
    const std::size_t mask = codes_.size() - 1;
    for (std::size_t s = slot(raw);; s = (s + 1) & mask) {
        if (codes_[s] == raw) return index_[s];
        if (codes_[s] != 0) continue;
        const int index = chart.find(std::string_view(reinterpret_cast<const char*>(&raw), 8));
        // Half full at most, so that a probe ends soon; codes past that are looked up each time.
        if (used_ < codes_.size() / 2) {
            codes_[s] = raw;
            index_[s] = index;
            ++used_;
        }
        return index;
    }
}

void LineSums::addEntry(const ChartOfAccounts& chart, double* totals, RecordView entry, bool euro,
                        UnknownAccounts& unknown) {
    constexpr std::uint64_t blanks = 0x2020202020202020ull;
    const std::size_t end = gio::firstLine + gio::lineCount * gio::lineLength;
    if (entry.length() < end) {
        // A short record: its lines read as the bytes it has, zero after them.
        Record whole(entry);
        whole.bytes().resize(end, 0);
        addEntry(chart, totals, whole.view(), euro, unknown);
        return;
    }
    const std::uint8_t* line = entry.data() + gio::firstLine;
    for (int n = 0; n < gio::lineCount; ++n, line += gio::lineLength) {
        double amount;
        std::memcpy(&amount, line + gio::lineAmount.offset, 8);
        if (amount == 0 || !std::isfinite(amount)) continue;
        std::uint64_t raw;
        static_assert(gio::lineAccount.width == 8);
        std::memcpy(&raw, line + gio::lineAccount.offset, 8);
        if ((raw & ~blanks) == 0) continue;  // only blanks and zero bytes: no account
        const int index = findLine(chart, raw);
        if (index < 0) {
            ++unknown[decodeCp1252(std::string_view(reinterpret_cast<const char*>(&raw), 8))];
            continue;
        }
        std::int16_t side;
        std::memcpy(&side, line + gio::lineSide.offset, 2);
        totals[static_cast<std::size_t>(index) * 2 + (side == 0 ? 0 : 1)] += roundAmount(amount, euro);
    }
}

RebuildResult rebuildTotals(Files& files, const Installation& inst, int companyCode, ChartOfAccounts& chart,
                            bool euro, const std::function<bool(std::uint64_t, std::uint64_t)>& progress,
                            std::uint64_t halvedFrom, MarkedEntries* marked) {
    RebuildResult result;
    chart.clearTotals();
    if (marked) *marked = {};
    // An unreadable count is an error, not an empty journal: totals rebuilt from nothing would
    // wipe every account.
    const std::uint64_t count = readArchiveCount(files, inst, companyCode, gio::archive.countRecord, &result.error);
    if (count == 0) return result;
    RecordFile journal;
    const int error = files.openRecords(inst.companyFile(companyCode, std::string(gio::archive.file)),
                                        gio::archive.recordLength, false, journal);
    if (error != 0) {
        result.error = error == ENOENT ? 0 : error;
        return result;
    }
    // Each half is read and added up on one core, so that what is read is added up while
    // it is still in that core's cache. The first half is this thread's, which reports progress.
    constexpr std::size_t block = 256u << 10;
    const std::uint64_t held = std::min(count, journal.recordCount());
    const bool halves = held >= std::max<std::uint64_t>(halvedFrom, 2) && std::thread::hardware_concurrency() >= 2;
    const std::uint64_t firstEnd = halves ? held / 2 : count;
    struct Half {
        std::vector<double> totals;
        UnknownAccounts unknown;
        MarkedEntries marked;
        std::uint64_t entries = 0;
        int error = 0;
    } second;
    std::atomic<bool> stop = false;
    std::thread worker;
    if (halves) {
        second.totals.assign(static_cast<std::size_t>(chart.size()) * 2, 0.0);
        worker = std::thread([&] {
            LineSums sums;
            sums.reset(chart.size());
            RecordReader reader(journal, firstEnd + 1, count, block);
            while (reader.next()) {
                sums.addEntry(chart, second.totals.data(), reader.record(), euro, second.unknown);
                if (marked) noteMarked(reader.record(), second.marked);
                if (++second.entries % 4096 == 0 && stop.load(std::memory_order_relaxed)) break;
            }
            second.error = reader.error();
        });
    }
    RecordReader reader(journal, 1, firstEnd, block);
    const std::uint64_t scale = halves ? 2 : 1;  // the progress of the whole, told by the first half
    while (reader.next()) {
        chart.addEntry(reader.record(), euro, result.unknown);
        if (marked) noteMarked(reader.record(), *marked);
        ++result.entries;
        if (progress && result.entries % 4096 == 0 && !progress(std::min(result.entries * scale, count), count)) {
            stop = true;
            break;
        }
    }
    result.error = reader.error();
    if (worker.joinable()) {
        worker.join();
        // A first half cut short (an error, or the user stopping) leaves the second unused, so
        // that the entries counted are those read in order from the first.
        if (result.entries == firstEnd && !stop) {
            chart.addTotals(second.totals);
            for (const auto& [code, lines] : second.unknown) result.unknown[code] += lines;
            result.entries += second.entries;
            if (marked) addMarked(*marked, std::move(second.marked));
            if (result.error == 0) result.error = second.error;
        }
    }
    if (progress) progress(result.entries, count);
    return result;
}

JournalLine journalLine(RecordView entry, int n) {
    const std::size_t at = gio::firstLine + static_cast<std::size_t>(n) * gio::lineLength;
    return {entry.int16(at + gio::lineSide.offset),
            std::string(entry.raw(at + gio::lineAccount.offset, gio::lineAccount.width)),
            entry.float64(at + gio::lineAmount.offset)};
}

Record journalEntry(const Date& date, const std::array<std::string, 3>& descriptions, const std::string& document,
                    const std::vector<JournalLine>& lines) {
    Record entry(gio::archive.recordLength);
    entry.setText(gio::date.offset, gio::date.width, toYyyymmdd(date));
    entry.setText(gio::description1.offset, gio::description1.width, descriptions[0]);
    entry.setText(gio::description2.offset, gio::description2.width, descriptions[1]);
    entry.setText(gio::description3.offset, gio::description3.width, descriptions[2]);
    entry.setInt16(gio::marker.offset, 1);
    entry.setText(gio::document.offset, gio::document.width, document);
    for (int line = 0; line < gio::lineCount; ++line) {
        const std::size_t at = gio::firstLine + static_cast<std::size_t>(line) * gio::lineLength;
        const JournalLine empty;
        const JournalLine& l = static_cast<std::size_t>(line) < lines.size() ? lines[static_cast<std::size_t>(line)] : empty;
        entry.setInt16(at + gio::lineSide.offset, static_cast<std::int16_t>(l.side));
        entry.setText(at + gio::lineAccount.offset, gio::lineAccount.width, l.account);
        entry.setFloat64(at + gio::lineAmount.offset, std::fabs(l.amount));
    }
    entry.setInt16(gio::number.offset, 0);
    entry.setFloat64(gio::value.offset, 0);
    entry.setText(gio::state.offset, gio::state.width, "0");
    entry.setText(gio::notes.offset, gio::notes.width, "");
    entry.setInt16(gio::tail.offset, 0);
    return entry;
}

}  // namespace kalvora::core
