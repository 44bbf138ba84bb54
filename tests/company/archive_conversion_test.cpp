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
    // of the journal, a journal of three entries and a takings file, both still old.
    void oldLayout() const {
        put("kalvora.tot", oldCounts({{1, 7}, {13, 3}}));
        put("kalvora.gio", std::string(3 * 296, 'g'));
        put("kalvora.cor", std::string(2 * 104, 'c'));
        put("kalvora.ly$", "formati\r\n");
    }
    void confirmAnswering(bool yes, core::Session& s) {
        platform.answers = {yes};
        ArchiveConversionForm form(s);
        form.open();
        form.confirm();
        closed = form.closed();
    }
    void confirmAnswering(bool yes) { confirmAnswering(yes, session); }
    bool closed = false;
};

// The journal and the takings hold data with no known correspondence: nothing is converted, not
// even the counts, no kalold.* copy is made, the company is not marked, and the user reads
// which archives stopped it; kalvora.ly$ is kept.
TEST(ArchiveConversion, ConvertsNothingWhenAnArchiveCannotBeConverted) {
    Company t;
    t.oldLayout();
    const auto before = t.snapshot();
    t.confirmAnswering(true);
    EXPECT_EQ(t.drive.list(folder).size(), before.size());  // no kalold.*, no staged file
    EXPECT_EQ(t.snapshot(), before);
    const testing::Shown said = *t.platform.last();
    EXPECT_EQ(said.text,
              "Nessun archivio è stato convertito. Questi archivi contengono dati che il programma non sa convertire: "
              "kalvora.gio, kalvora.cor. Gli archivi dell'azienda sono rimasti tutti come erano, nel formato delle "
              "versioni precedenti. Il file dei formati di stampa kalvora.ly$ delle versioni precedenti è stato "
              "conservato così com'è.");
    EXPECT_TRUE(said.title == "Conversione archivi" && said.icon == core::Icon::Exclamation && t.closed);

    const ConversionResult again = convertArchives(t.session);
    EXPECT_EQ(again.left, (std::vector<std::string>{"kalvora.gio", "kalvora.cor"}));
    EXPECT_TRUE(again.outcome == Outcome::NotConverted && !again.marked);
    EXPECT_EQ(t.snapshot(), before);
}

// Current: whole 140-byte records, at least 50. Old: whole 12-byte records otherwise. A size
// that fits neither, as 25 records of 140 bytes, stops the run before anything is written.
TEST(ArchiveConversion, TheCountFileLayoutIsTakenFromItsSize) {
    struct Case {
        std::uint64_t bytes;
        CountLayout layout;
    };
    for (const Case c : {Case{0, CountLayout::Old}, Case{15 * 12, CountLayout::Old}, Case{3 * 140, CountLayout::Old},
                         Case{48 * 140, CountLayout::Old}, Case{25 * 140, CountLayout::Neither},
                         Case{50 * 140 + 1, CountLayout::Neither}, Case{50 * 140, CountLayout::Current},
                         Case{51 * 140, CountLayout::Current}})
        EXPECT_EQ(countFileLayout(c.bytes), c.layout) << c.bytes;

    Company t;
    t.put("kalvora.tot", newCounts({{13, 3}}).substr(0, 25 * 140));
    const auto before = t.snapshot();
    t.confirmAnswering(true);
    EXPECT_EQ(t.drive.list(folder).size(), before.size());
    EXPECT_EQ(t.snapshot(), before);
    const testing::Shown said = *t.platform.last();
    EXPECT_EQ(said.text, "La conversione degli archivi non è stata eseguita: il file dei contatori kalvora.tot (3500 "
                         "byte) non è né nel formato delle versioni precedenti né in quello attuale. Gli archivi "
                         "dell'azienda sono rimasti come erano.");
    EXPECT_TRUE(said.icon == core::Icon::Critical && !t.closed);
}

// Only kalvora.a14 is written for a company already in the current layout, and for an old
// one holding nothing but its counts the counts are converted and the company marked.
TEST(ArchiveConversion, MarksACompanyWithNothingLeft) {
    struct Case {
        const char* name;
        bool current;
        Outcome outcome;
    };
    for (const Case& c : {Case{"current", true, Outcome::AlreadyCurrent}, Case{"old", false, Outcome::Converted}}) {
        SCOPED_TRACE(c.name);
        Company t;
        if (c.current) {
            ASSERT_EQ(createCompanyFiles(t.session, 0, {"Alfa"}, "2026"), 0);
            t.put("kalvora.a14", "");
            t.put("kalvora.gio", std::string(645, 'g'));
        } else {
            t.put("kalvora.tot", oldCounts({{2, 4}}, 10));
        }
        const auto before = t.snapshot();
        const ConversionResult result = convertArchives(t.session);
        EXPECT_TRUE(result.outcome == c.outcome && result.marked && result.left.empty());
        EXPECT_EQ(t.read("kalvora.a14"), "06/12/2026\r\n");
        EXPECT_EQ(t.read("kalvora.tot"), c.current ? before.at("kalvora.tot") : newCounts({{2, 4}}));
        EXPECT_EQ(t.has("kalold.tot"), !c.current);
        if (c.current) {
            EXPECT_EQ(t.read("kalvora.gio"), std::string(645, 'g'));
        }
    }
}

// A count beyond the records its file holds is cut to them: a missing or empty file holds none.
// A count of a record no archive is known by is carried as it is.
TEST(ArchiveConversion, CountsAreCappedByTheRecordsTheFilesHold) {
    Company t;
    t.put("kalvora.tot", oldCounts({{13, 1e9}, {7, 5}, {11, 1}, {2, 4}}));
    t.put("kalvora.gio", "");
    const ConversionResult result = convertArchives(t.session);
    EXPECT_TRUE(result.outcome == Outcome::Converted && result.left.empty() && result.marked);
    EXPECT_EQ(t.read("kalvora.tot"), newCounts({{2, 4}}));
}

// Any file call may fail, once or for good: then every file but the kalold.* copies is as it
// was and the user hears that nothing changed; otherwise the conversion is whole, kalvora.a14
// aside when the user is told it could not be written. A run cut short by a crash may leave a
// staged file, harmless beside old counts.
TEST(ArchiveConversion, AFailureLeavesTheCompanyAsItWas) {
    const auto oldCountsOnly = [](const Company& c) {
        c.put("kalvora.tot", oldCounts({{1, 7}, {13, 3}}));
        c.put("kalvora.ly$", "formati\r\n");
    };
    Company clean;
    oldCountsOnly(clean);
    const auto before = clean.snapshot();
    testing::FaultyFileSystem counter{core::realFileSystem()};
    core::Files countingFiles{counter};
    core::Session counting{clean.drive.installation(), clean.platform, clean.clock, countingFiles};
    clean.confirmAnswering(true, counting);
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
            oldCountsOnly(t);
            testing::FaultyFileSystem faulty{core::realFileSystem()};
            core::Files files{faulty};
            core::Session session{t.drive.installation(), t.platform, t.clock, files};
            faulty.failAt(k, crash);
            t.confirmAnswering(true, session);
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
    EXPECT_EQ(t.platform.shown.size(), shown);
    EXPECT_EQ(t.platform.modalsOpened.size(), 1u);
}

}  // namespace
}  // namespace kalvora::company
