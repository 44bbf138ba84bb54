// Measures the accounting work on a company of archive scale (9,999 accounts, a journal of a
// million entries over six years) through the same code the windows run, each against the
// plain tool doing the same I/O in the same run:
//   balance check    the check window's rebuild of every account's totals, against reading the
//                    journal with cat (its peak memory too);
//   closing preview  the first "Conferma" of the balance-sheet closing, against cat;
//   reset            the year-end reset of the journal by date (cutoff 01/01/2025) on a fresh
//                    copy of the company each run, against cp of the journal and sync.
// The page cache is warm for both sides: the journal is read once before the runs. Each work
// runs in a child process so that its peak memory is its own. After each work the archives
// are checked against what the generator wrote; a wrong result fails the benchmark.
// Usage: bench_accounting [runs, default 3] [entries, default 1000000]
#include "archive_generator.h"
#include "bench_support.h"

#include "company/accounting_closing.h"
#include "company/balance_check.h"
#include "company/year_end_reset.h"
#include "core/accounting_archives.h"
#include "core/archive_layouts.h"
#include "core/clock.h"
#include "core/files.h"
#include "core/session.h"
#include "support/quiet_platform.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kalvora;
using bench::median;
using bench::secondsSince;
using bench::timedShell;

namespace {

constexpr int resetYear = 2025;  // entries dated before 01/01 of this year go

// A run of the program's work: the time and a number the work reports for checking.
struct Outcome {
    double seconds = -1;  // negative when the work failed
    long long value = 0;
    double peakMiB = 0;   // the child's peak resident memory
    double startMiB = 0;  // of which it held when the work began (inherited from the bench)
};

// Runs `work` in a forked child and times it there; the peak memory comes from wait4.
Outcome inChild(const std::function<bool(long long&)>& work) {
    int channel[2];
    if (pipe(channel) != 0) return {};
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid < 0) {
        close(channel[0]);
        close(channel[1]);
        return {};
    }
    if (pid == 0) {
        close(channel[0]);
        Outcome outcome;
        rusage self{};
        getrusage(RUSAGE_SELF, &self);
        outcome.startMiB = static_cast<double>(self.ru_maxrss) / 1024;
        const auto start = std::chrono::steady_clock::now();
        const bool ok = work(outcome.value);
        outcome.seconds = ok ? secondsSince(start) : -1;
        const bool sent = write(channel[1], &outcome, sizeof outcome) == static_cast<ssize_t>(sizeof outcome);
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    Outcome outcome;
    const bool received = read(channel[0], &outcome, sizeof outcome) == static_cast<ssize_t>(sizeof outcome);
    close(channel[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!received || !WIFEXITED(status) || WEXITSTATUS(status) != 0) outcome.seconds = -1;
    outcome.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024;
    return outcome;
}

std::string quoted(const std::string& path) { return "'" + path + "'"; }

// A session of its own for each work, with a platform that answers Yes and shows nothing.
struct Desk {
    testing::QuietPlatform platform;
    core::SystemClock clock;
    core::Files files;
    core::Session session;
    explicit Desk(const std::string& home) : session(core::Installation(home), platform, clock, files) {
        platform.answer = true;
    }
};

// Whether the chart's running totals are the generated ones (all entries, or those from the split year).
bool totalsAgree(const std::string& home, const bench::GeneratedCompany& generated, bool fromSplit) {
    core::Files files;
    core::ChartOfAccounts chart;
    if (chart.load(files, core::Installation(home), 0) != 0 || chart.size() != generated.accounts) return false;
    const auto& debit = fromSplit ? generated.debitFromSplit : generated.debit;
    const auto& credit = fromSplit ? generated.creditFromSplit : generated.credit;
    for (int i = 0; i < chart.size(); ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (chart.code(i) != generated.codes[at] || std::fabs(chart.debit(i) * 100 - static_cast<double>(debit[at])) > 0.5 ||
            std::fabs(chart.credit(i) * 100 - static_cast<double>(credit[at])) > 0.5) {
            std::fprintf(stderr, "account %s: totals %.2f / %.2f\n", chart.code(i).c_str(), chart.debit(i), chart.credit(i));
            return false;
        }
    }
    return true;
}

// Sets every account's totals to zero, so that the check has everything to rebuild.
bool clearTotals(const std::string& home) {
    core::Files files;
    core::ChartOfAccounts chart;
    if (chart.load(files, core::Installation(home), 0) != 0) return false;
    chart.clearTotals();
    return chart.save(files) == 0;
}

// Whether the reset journal holds exactly the generated entries from `first` on, byte for byte.
bool journalIsTail(const std::string& resetHome, const std::string& home, std::uint64_t first, std::uint64_t count) {
    core::Files files;
    const auto& gio = core::gio::archive;
    const core::Installation kept(resetHome), original(home);
    if (core::readArchiveCount(files, kept, 0, gio.countRecord) != count) return false;
    core::RecordFile a, b;
    if (files.openRecords(kept.companyFile(0, gio.file), gio.recordLength, false, a) != 0 ||
        files.openRecords(original.companyFile(0, gio.file), gio.recordLength, false, b) != 0)
        return false;
    core::RecordReader after(a, 1, count), before(b, first, first + count - 1);
    std::uint64_t compared = 0;
    while (after.next() && before.next()) {
        if (std::memcmp(after.record().data(), before.record().data(), gio.recordLength) != 0) return false;
        ++compared;
    }
    return compared == count;
}

// The company folder `from` copied over the one of `to`, every file verified (not timed).
bool freshCopy(const std::string& from, const std::string& to) {
    core::Files files;
    const core::Installation source(from), target(to);
    if (files.makeDirectories(target.companyFolder(0)) != 0) return false;
    std::vector<core::DirEntry> entries;
    if (files.list(source.companyFolder(0), entries) != 0) return false;
    for (const core::DirEntry& e : entries)
        if (!e.isDirectory && files.copyFile(source.companyFile(0, e.name), target.companyFile(0, e.name)) != 0)
            return false;
    sync();
    return true;
}

struct Series {
    std::vector<double> program, plain, peak, start;
    bool failed = false;
    void add(const Outcome& o, double p) {
        program.push_back(o.seconds);
        plain.push_back(p);
        peak.push_back(o.peakMiB);
        start.push_back(o.startMiB);
        failed = failed || o.seconds < 0 || p < 0;
    }
};

void report(const char* work, const char* plainName, const Series& s, const char* target, const char* memoryTarget) {
    const double p = median(s.program), b = median(s.plain);
    std::printf("%-16s program median %7.2f s   %-12s median %7.2f s   ratio %6.2f   (%s)\n", work, p, plainName, b, p / b,
                target);
    std::printf("%-16s peak memory    %7.1f MiB, %.1f MiB of it held when the work began   (%s)\n", work,
                *std::max_element(s.peak.begin(), s.peak.end()), median(s.start), memoryTarget);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    bench::GeneratorOptions options;
    options.splitYear = resetYear;
    if (argc > 2) options.entries = std::max<std::uint64_t>(1000, std::strtoull(argv[2], nullptr, 10));

    const std::string home = bench::scratchFolder("kalvora-accounting");
    const std::string resetHome = home.empty() ? "" : bench::scratchFolder("kalvora-accounting-reset");
    if (home.empty() || resetHome.empty()) return 1;
    const std::string plainFolder = resetHome + "/copia";
    const core::Installation inst(home);
    const std::string journal = inst.companyFile(0, core::gio::archive.file);

    bench::GeneratedCompany generated;
    {
        core::Files files;
        const auto start = std::chrono::steady_clock::now();
        if (const int error = bench::generateCompany(files, inst, 0, options, generated); error != 0) {
            std::fprintf(stderr, "bench_accounting: the company could not be generated (%s)\n", std::strerror(error));
            timedShell("rm -rf " + quoted(home) + " " + quoted(resetHome));
            return 1;
        }
        std::printf("accounting work on %llu entries (%.0f MiB journal) and %d accounts, generated in %.1f s; %d runs each\n",
                    static_cast<unsigned long long>(generated.entries), static_cast<double>(generated.journalBytes) / (1 << 20),
                    generated.accounts, secondsSince(start), runs);
    }
    const std::string cat = "cat " + quoted(journal) + " > /dev/null";
    timedShell(cat);  // the journal in the page cache for both sides

    std::string failure;
    Series check, closing, reset;
    for (int i = 0; i < runs && failure.empty(); ++i) {
        if (!clearTotals(home)) {
            failure = "the totals could not be cleared before the balance check";
            break;
        }
        sync();
        const Outcome o = inChild([&](long long& rows) {
            Desk desk(home);
            company::BalanceCheckForm form(desk.session);
            form.open();
            form.confirm();
            rows = form.rowCount();
            return true;
        });
        check.add(o, timedShell(cat));
        if (o.seconds < 0) failure = "the balance check failed";
        else if (o.value != generated.accounts)
            failure = "the balance check lists " + std::to_string(o.value) + " rows instead of " + std::to_string(generated.accounts);
        else if (!totalsAgree(home, generated, false)) failure = "the balance check left wrong totals";
    }
    // The accounts of groups 01..50 with a balance, but for the counterpart: two preview lines each.
    long long closed = 0;
    for (std::size_t i = 0; i < generated.codes.size(); ++i)
        closed += generated.codes[i].substr(0, 2) <= "50" && generated.codes[i] != generated.closingAccount &&
                  generated.debit[i] != generated.credit[i];
    for (int i = 0; i < runs && failure.empty(); ++i) {
        const Outcome o = inChild([&](long long& rows) {
            Desk desk(home);
            company::AccountingClosingForm form(desk.session, company::ClosingMode::BalanceSheet);
            form.open();
            const std::string& code = generated.closingAccount;
            form.setAccountPart(0, code.substr(0, 2));
            form.setAccountPart(1, code.substr(2, 2));
            form.setAccountPart(2, code.substr(4, 4));
            form.leaveAccountPart(2);
            form.confirm();
            rows = static_cast<long long>(form.preview().size());
            return form.previewed();
        });
        closing.add(o, timedShell(cat));
        if (o.seconds < 0) failure = "the closing preview failed";
        else if (o.value != 2 * closed)
            failure = "the closing preview shows " + std::to_string(o.value) + " lines instead of " + std::to_string(2 * closed);
    }
    const std::uint64_t first = generated.entriesBefore(resetYear) + 1, kept = generated.entries - first + 1;
    const std::string cp = "cp " + quoted(journal) + " " + quoted(plainFolder + "/kalvora.gio") + " && sync";
    for (int i = 0; i < runs && failure.empty(); ++i) {
        timedShell("rm -rf " + quoted(plainFolder) + " && mkdir " + quoted(plainFolder) + " && sync");
        if (!freshCopy(home, resetHome)) {
            failure = "the company could not be copied for the reset";
            break;
        }
        const Outcome o = inChild([&](long long&) {
            Desk desk(resetHome);
            company::ResetPlan plan;
            plan.entriesBefore = core::Date{resetYear, 1, 1};
            return company::runReset(desk.session, plan).done;
        });
        reset.add(o, timedShell(cp));
        if (o.seconds < 0) failure = "the reset failed";
        else if (!journalIsTail(resetHome, home, first, kept))
            failure = "the reset journal is not the entries from 01/01/" + std::to_string(resetYear);
        if (failure.empty() && !totalsAgree(resetHome, generated, true)) failure = "the reset left wrong totals";
    }
    timedShell("rm -rf " + quoted(home) + " " + quoted(resetHome));
    if (failure.empty() && (check.failed || closing.failed || reset.failed)) failure = "cat or cp failed";
    if (!failure.empty()) {
        std::fprintf(stderr, "bench_accounting: %s\n", failure.c_str());
        return 1;
    }

    report("balance check", "cat", check, "target: at most 1.50", "target: at most 64 MiB");
    report("closing preview", "cat", closing, "no target set", "no target set");
    report("reset", "cp and sync", reset, "target: at most 2.50", "no target set");
    return 0;
}
