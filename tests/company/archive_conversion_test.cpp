#include "company/archive_conversion.h"
#include "company/company_files.h"
#include "support/faulty_file_system.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace kalvora::company {
namespace {

const std::string folder = "kalwin/kalwin/kalaz0.000/";
using Outcome = ConversionResult::Outcome;

std::string doubleBytes(double value) {
    std::string out(8, '\0');
    std::memcpy(out.data(), &value, 8);
    return out;
}

// An old kalvora.tot of `records` 12-byte records: the counts in the first 8 bytes, the 4 bytes
// after them (unknown to the program) 0xAB.
std::string oldCounts(const std::map<int, double>& counts, int records = 15) {
    std::string tot;
    for (int n = 1; n <= records; ++n) {
        const auto it = counts.find(n);
        tot += doubleBytes(it == counts.end() ? 0.0 : it->second) + std::string(4, '\xAB');
    }
    return tot;
}

// The new kalvora.tot by hand: 50 records of 140 bytes, all zero but the counts at byte 0.
std::string newCounts(const std::map<int, double>& counts) {
    std::string tot(50 * 140, '\0');
    for (const auto& [n, count] : counts) tot.replace(static_cast<std::size_t>(n - 1) * 140, 8, doubleBytes(count));
    return tot;
}

struct Company : testing::TestSession {
    Company() { drive.makeInstallation(0); }
    void put(const std::string& name, const std::string& bytes) const { drive.write(folder + name, bytes); }
    std::string read(const std::string& name) const { return drive.read(folder + name); }
    bool has(const std::string& name) const { return drive.exists(folder + name); }
    // Every file but the kalold.* copies and the file layer's temporaries.
    std::map<std::string, std::string> snapshot() const {
        std::map<std::string, std::string> out;
        for (const auto& name : drive.list(folder))
            if (!name.starts_with("kalold.") && name.find(".~") == std::string::npos) out[name] = read(name);
        return out;
    }
    // The old layout: counts of the customers (record 1, an archive without a known count) and
    // of the journal and, unless `countsOnly`, a journal of three entries and a takings file,
    // both still old.
    void oldLayout(bool countsOnly = false) const {
        put("kalvora.tot", oldCounts({{1, 7}, {13, 3}}));
        put("kalvora.ly$", "formati\r\n");
        if (countsOnly) return;
        put("kalvora.gio", std::string(3 * 296, 'g'));
        put("kalvora.cor", std::string(2 * 104, 'c'));
    }
    // Every file call through `fs` when one is given.
    void confirmAnswering(bool yes, core::FileSystem* fs = nullptr) {
        core::Files through{fs ? *fs : core::realFileSystem()};
        core::Session own{drive.installation(), platform, clock, through};
        platform.answers = {yes};
        ArchiveConversionForm form(fs ? own : session);
        form.open();
        form.confirm();
        closed = form.closed();
    }
    bool closed = false;
};

// Current: whole 140-byte records, at least 50. Old: whole 12-byte records otherwise.
TEST(ArchiveConversion, TheCountFileLayoutIsTakenFromItsSize) {
    using enum CountLayout;
    for (const auto& [bytes, layout] : std::vector<std::pair<std::uint64_t, CountLayout>>{
             {0, Old}, {15 * 12, Old}, {3 * 140, Old}, {48 * 140, Old}, {25 * 140, Neither},
             {50 * 140 + 1, Neither}, {50 * 140, Current}, {51 * 140, Current}})
        EXPECT_EQ(countFileLayout(bytes), layout) << bytes;
}

// Counts of a size that fits neither layout (25 records of 140 bytes) stop the run and keep the
// window. The journal and the takings holding data with no known correspondence stop it too:
// nothing is converted, not even the counts, the company is not marked, the user reads which
// archives stopped it and that kalvora.ly$ is kept. Either way no file is written, no kalold.*.
TEST(ArchiveConversion, ConvertsNothingWhenAnArchiveCannotBeConverted) {
    for (const bool unknownData : {false, true}) {
        Company t;
        if (unknownData) t.oldLayout();
        else t.put("kalvora.tot", newCounts({{13, 3}}).substr(0, 25 * 140));
        const auto before = t.snapshot();
        t.confirmAnswering(true);
        EXPECT_EQ(t.drive.list(folder).size(), before.size());  // no kalold.*, no staged file
        EXPECT_EQ(t.snapshot(), before);
        const testing::Shown said = *t.platform.last();
        EXPECT_EQ(said.text,
                  unknownData ? "Nessun archivio è stato convertito. Questi archivi contengono dati che il programma "
                                "non sa convertire: kalvora.gio, kalvora.cor. Gli archivi dell'azienda sono rimasti "
                                "tutti come erano, nel formato delle versioni precedenti. Il file dei formati di "
                                "stampa kalvora.ly$ delle versioni precedenti è stato conservato così com'è."
                              : "La conversione degli archivi non è stata eseguita: il file dei contatori kalvora.tot "
                                "(3500 byte) non è né nel formato delle versioni precedenti né in quello attuale. "
                                "Gli archivi dell'azienda sono rimasti come erano.");
        EXPECT_TRUE(said.title == "Conversione archivi" && t.closed == unknownData &&
                    said.icon == (unknownData ? core::Icon::Exclamation : core::Icon::Critical));
    }
}

// Only kalvora.a14 is written for a company already in the current layout, and for an old
// one holding nothing but its counts (13 records of the 15) the counts are converted and the
// company marked. A count beyond the records its file holds is cut to them: a missing or empty
// file holds none. A count of a record no archive is known by is carried as it is.
TEST(ArchiveConversion, MarksACompanyWithNothingLeft) {
    for (const bool current : {true, false}) {
        SCOPED_TRACE(current ? "current" : "old");
        Company t;
        if (current) {
            ASSERT_EQ(createCompanyFiles(t.session, 0, {"Alfa"}, "2026"), 0);
            t.put("kalvora.a14", "");
            t.put("kalvora.gio", std::string(645, 'g'));
        } else {
            t.put("kalvora.tot", oldCounts({{13, 1e9}, {7, 5}, {11, 1}, {2, 4}}, 13));
            t.put("kalvora.gio", "");
        }
        const auto before = t.snapshot();
        const ConversionResult result = convertArchives(t.session);
        EXPECT_TRUE(result.outcome == (current ? Outcome::AlreadyCurrent : Outcome::Converted) && result.marked &&
                    result.left.empty());
        EXPECT_EQ(t.read("kalvora.a14"), "06/12/2026\r\n");
        EXPECT_EQ(t.read("kalvora.tot"), current ? before.at("kalvora.tot") : newCounts({{2, 4}}));
        EXPECT_EQ(t.has("kalold.tot"), !current);
        EXPECT_EQ(t.read("kalvora.gio"), current ? std::string(645, 'g') : "");
    }
}

// Any file call may fail, once or for good: then every file but the kalold.* copies is as it
// was and the user hears that nothing changed; otherwise the conversion is whole, kalvora.a14
// aside when the user is told it could not be written. A run cut short by a crash may leave a
// staged file, harmless beside old counts.
TEST(ArchiveConversion, AFailureLeavesTheCompanyAsItWas) {
    Company clean;
    clean.oldLayout(true);
    const auto before = clean.snapshot();
    testing::FaultyFileSystem counter{core::realFileSystem()};
    clean.confirmAnswering(true, &counter);
    const long calls = counter.calls();
    const auto done = clean.snapshot();
    ASSERT_TRUE(done.at("kalvora.tot") == newCounts({{1, 7}}));  // no journal: its count is cut to none
    auto doneButMarker = done;
    ASSERT_EQ(doneButMarker.erase("kalvora.a14"), 1u);
    ASSERT_GT(calls, 10);
    for (long k = 1; k <= calls; ++k)
        for (const bool crash : {false, true}) {
            SCOPED_TRACE("call " + std::to_string(k) + (crash ? " and after" : ""));
            Company t;
            t.oldLayout(true);
            testing::FaultyFileSystem faulty{core::realFileSystem()};
            faulty.failAt(k, crash);
            t.confirmAnswering(true, &faulty);
            auto after = t.snapshot();
            const testing::Shown said = *t.platform.last();
            if (said.icon != core::Icon::Critical) {
                const bool unmarked = said.text.find("scrivere il file kalvora.a14") != std::string::npos;
                EXPECT_TRUE(after == done || (unmarked && after == doneButMarker)) << said.text;
                continue;
            }
            EXPECT_TRUE(said.text.starts_with("La conversione degli archivi non è riuscita"));
            EXPECT_FALSE(t.closed);
            if (crash) after.erase("kalvora.tot.cnv");
            // A crash while the new counts take their name leaves either file, and the user is
            // sent to the kalold.* copies.
            const bool sentBack = said.text.find("rimettere a posto") != std::string::npos;
            EXPECT_TRUE(after == before || (sentBack && crash && after == doneButMarker)) << said.text;
        }
}

// "No" to the question changes nothing and keeps the window; the start-up offer says the
// conversion was cancelled when the window is left, and is not made to a marked company.
TEST(ArchiveConversion, DecliningChangesNothingAndTheOfferSaysSo) {
    Company t;
    t.oldLayout();
    const auto before = t.snapshot();
    t.confirmAnswering(false);
    EXPECT_FALSE(t.closed);
    ASSERT_EQ(t.platform.shown.size(), 1u);
    EXPECT_EQ(t.platform.shown[0].text + "|" + t.platform.shown[0].title, "Confermi la conversione degli archivi?|Attenzione");
    t.platform.modalHandlers["zelacnv"] = [](core::Form& f) { static_cast<ArchiveConversionForm&>(f).cancel(); };
    EXPECT_TRUE(offerConversion(t.session));
    EXPECT_EQ(t.platform.last()->text + "|" + t.platform.last()->title, "La conversione degli archivi è stata annullata|Attenzione");
    EXPECT_EQ(t.platform.last()->icon, core::Icon::Exclamation);
    EXPECT_EQ(t.snapshot(), before);
    EXPECT_FALSE(t.has("kalold.tot"));

    t.put("kalvora.a14", "01/01/2026\r\n");
    const std::size_t shown = t.platform.shown.size();
    EXPECT_FALSE(offerConversion(t.session));
    EXPECT_TRUE(t.platform.shown.size() == shown && t.platform.modalsOpened.size() == 1u);
}

}  // namespace
}  // namespace kalvora::company
