#pragma once
// Small accounting archives of a company built record by record: kalvora.tot with the two
// counts, a chart whose bytes owned by the accounting module are a filler, and a journal.
#include "core/accounting_archives.h"
#include "core/text.h"
#include "support/archive_bytes.h"
#include "support/faulty_file_system.h"
#include "support/test_session.h"

namespace kalvora::testing {

struct Account {
    std::string code, description;
    double debit = 0, credit = 0, balance = 0;
};
using Lines = std::vector<core::JournalLine>;

struct Accounting : TestSession {
    // A company in euro, also reached through a file system that can be told to fail.
    Accounting() { drive.makeInstallation(0); session.company().currency[1] = faultySession.company().currency[1] = "1"; }
    FaultyFileSystem faulty{core::realFileSystem()};
    core::Files faultyFiles{faulty};
    core::Session faultySession{drive.installation(), platform, clock, faultyFiles};
    static std::string folder(int code) { return "kalwin/kalwin/kalaz0." + core::threeDigits(code) + "/"; }
    std::string read(const std::string& name) const { return drive.read(folder(0) + name); }
    std::string archives() const { return read("kalvora.tot") + read("kalvora.con") + read("kalvora.gio"); }

    // kalvora.tot of 25 records, record n filled with the byte n, with the two counts set.
    void writeCounts(double accounts, double entries, int code = 0) const {
        drive.write(folder(code) + "kalvora.tot", countsFile({{6, accounts}, {13, entries}}));
    }
    void writeCompany(const std::vector<Account>& accounts, const std::vector<Lines>& entries, int code = 0) const {
        std::string con, gio;
        for (const Account& a : accounts) {
            core::Record r = accountRecord(a.code, a.description, 0xEE);  // 0xEE: the accounting module's bytes
            r.setFloat64(core::con::balance.offset, a.balance);
            r.setFloat64(core::con::debit.offset, a.debit);
            r.setFloat64(core::con::credit.offset, a.credit);
            con += bytesOf(r);
        }
        for (const Lines& lines : entries) gio += bytesOf(entry(lines));
        drive.write(folder(code) + "kalvora.con", con);
        drive.write(folder(code) + "kalvora.gio", gio);
        writeCounts(static_cast<double>(accounts.size()), static_cast<double>(entries.size()), code);
    }
    // An entry of the accounting module (marker 0), or with marker 1 one as the windows write.
    static core::Record entry(const Lines& lines, core::Date date = {2026, 3, 15},
                              const std::string& text = "Movimento", int marker = 0) {
        core::Record r = core::journalEntry(date, {text, "", ""}, "", lines);
        r.setInt16(core::gio::marker.offset, static_cast<std::int16_t>(marker));
        return r;
    }
    // Appends an entry to the journal and counts it, as the accounting module posts one.
    void post(const core::Record& e) const {
        drive.write(folder(0) + "kalvora.gio", read("kalvora.gio") + bytesOf(e));
        writeCounts(countIn(read("kalvora.tot"), 6), countIn(read("kalvora.tot"), 13) + 1);
    }
    core::ChartOfAccounts chart() {
        core::ChartOfAccounts c;
        c.load(files, drive.installation(), 0);
        return c;
    }
    std::uint64_t entries() { return core::readArchiveCount(files, drive.installation(), 0, 13); }
    bool moduleBytesKept() const {
        const std::string con = read("kalvora.con");
        for (std::size_t at = 0; at < con.size(); ++at)
            if (at % 150 >= 74 && con[at] != '\xEE') return false;
        return true;
    }
};

}  // namespace kalvora::testing
