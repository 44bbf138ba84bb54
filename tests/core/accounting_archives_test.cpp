#include "core/accounting_archives.h"

#include "support/archive_bytes.h"
#include "support/faulty_file_system.h"
#include "support/temp_drive.h"

#include <cerrno>
#include <filesystem>
#include <tuple>

#include <gtest/gtest.h>

namespace kalvora::core {
namespace {

const std::string company = "kalwin/kalwin/kalaz0.000/";

struct Archives : ::testing::Test {
    Archives() { drive.makeInstallation(0); }
    testing::TempDrive drive;
    testing::FaultyFileSystem faulty{realFileSystem()};
    Files files{faulty};
    std::string path(const std::string& name) const { return drive.path(company + name); }
    // A chart of these codes and kalvora.tot with these counts, its other bytes `fill`.
    void writeChart(std::initializer_list<const char*> codes, const std::map<std::uint64_t, double>& counts, int fill) {
        std::string con;
        for (const char* code : codes) con += testing::bytesOf(testing::accountRecord(code, ""));
        drive.write(company + "kalvora.con", con);
        drive.write(company + "kalvora.tot", testing::countsFile(counts, 25, fill));
    }
};

TEST_F(Archives, RecordReaderCrossesBlocksAndStopsAtTheLastWholeRecord) {
    std::string bytes;
    for (char c = 'a'; c < 'k'; ++c) bytes += std::string(7, c);
    drive.write(company + "r.dat", bytes + "xyz");  // ten records of 7 bytes and part of one
    for (const auto& [first, last, block, expected] : {std::tuple{2, 100, 16, "bcdefghij"}, {1, 10, 7, "abcdefghij"},
                                                       {9, 9, 1, "i"}, {5, 4, 16, ""}, {0, 3, 16, ""}}) {
        RecordFile file;
        ASSERT_EQ(files.openRecords(path("r.dat"), 7, false, file), 0);
        RecordReader reader(file, first, last, block);
        std::string seen;
        while (reader.next()) {
            seen += reader.record().text(0, 1);
            EXPECT_EQ(reader.record().text(0, 7), std::string(7, seen.back()));
            EXPECT_EQ(reader.number(), first + seen.size() - 1);
        }
        EXPECT_EQ(seen + std::to_string(reader.error()), expected + std::string("0")) << first << ".." << last;
    }
    RecordFile file;
    ASSERT_EQ(files.openRecords(path("r.dat"), 7, false, file), 0);
    faulty.failAt(1);  // the size the reader asks for: an error, not an empty file
    RecordReader reader(file, 1, 10);
    EXPECT_TRUE(!reader.next() && reader.error() == EIO);
}

TEST_F(Archives, RecordWriterPadsCutsAndIsMovedOverWhole) {
    drive.write(company + "w.dat", "old");
    RecordWriter writer;
    ASSERT_EQ(files.createRecords(path("w.new"), 4, writer), 0);
    std::string expected = std::string("ab\0\0abcd", 8);
    writer.append(Record(std::string("ab")));
    writer.append(Record(std::string("abcdef")));
    for (int n = 0; n < 300000; ++n) {  // past the writer's buffer
        const std::string r = {static_cast<char>('A' + n % 26), 'x', 'y', static_cast<char>('0' + n % 10)};
        writer.append(Record(r));
        expected += r;
    }
    ASSERT_EQ(writer.finish() + files.moveOver(path("w.new"), path("w.dat")), 0);
    EXPECT_TRUE(drive.read(company + "w.dat") == expected && !drive.exists(company + "w.new"));
}

TEST_F(Archives, ChartFindsByNumericCodeAndAddsRoundedLines) {
    writeChart({"01010001", " 1010001", "02020002"}, {{6, 3}}, 7);
    // euro rounds cents with 0.51 (1.00495 -> 1.01, 1.0040 -> 1.00), lire units (2.495 -> 3, 2.48 -> 2)
    for (const auto& [euro, in1, in2, out1, out2] :
         {std::tuple{true, 1.00495, 1.0040, 1.01, 1.00}, {false, 2.495, 2.48, 3., 2.}}) {
        ChartOfAccounts chart;
        ASSERT_EQ(chart.load(files, drive.installation(), 0), 0);
        for (const auto& [code, index] :
             {std::pair{"01010001", 0}, {" 1010001", 0}, {"1010001", 0}, {"02020002", 2}, {"09999999", -1}})
            EXPECT_EQ(chart.find(code), index) << code;  // the first with the same value
        UnknownAccounts unknown;
        chart.addEntry(journalEntry({2026, 1, 2}, {"", "", ""}, "",
                                    {{0, "01010001", in1}, {1, "02020002", in2}, {0, "99999999", 5}, {0, "        ", 7},
                                     {0, "01010001", 0}, {1, "99999999", 1}, {1, "01010001", in2}}).view(),
                       euro, unknown);
        EXPECT_EQ((std::array{chart.debit(0), chart.credit(0), chart.debit(2), chart.credit(2)}),
                  (std::array{out1, out2, 0.0, out2}));
        EXPECT_EQ(unknown, (UnknownAccounts{{"99999999", 2}}));
    }
}

TEST_F(Archives, AJournalAddedUpInTwoHalvesGivesTheTotalsOfOne) {
    const int entries = 1001;
    writeChart({"01010001", "02020002", "03030003"}, {{6, 3}, {13, entries}}, 0);
    std::string gio;
    for (int n = 0; n < entries; ++n) {
        const double amount = 0.25 * (n % 7 + 1);  // exact in binary: any order gives the same sums
        std::vector<JournalLine> lines{{0, n % 2 ? "01010001" : "02020002", amount}, {1, "03030003", amount},
                                       {0, n % 100 ? "01010001" : "77777777", 1}};
        if (n % 100 == 51) lines.pop_back();  // ten of the closing's shape, one a day
        gio += testing::bytesOf(journalEntry({2026, 1, 1 + n / 100}, {"", "", ""}, "", lines));
    }
    drive.write(company + "kalvora.gio", gio);
    ChartOfAccounts one, two;
    ASSERT_EQ(one.load(files, drive.installation(), 0) + two.load(files, drive.installation(), 0), 0);
    MarkedEntries oneMarked, twoMarked;
    const RebuildResult a = rebuildTotals(files, drive.installation(), 0, one, true, {}, 1u << 30, &oneMarked);
    std::uint64_t told = 0;
    const RebuildResult b = rebuildTotals(
        files, drive.installation(), 0, two, true, [&](std::uint64_t done, std::uint64_t) { told = done; return true; },
        10, &twoMarked);
    EXPECT_TRUE(oneMarked.entries.size() == 10 && oneMarked.entries == twoMarked.entries);
    EXPECT_TRUE(oneMarked.entries[9].view().raw(0, 8) == "20260110" && twoMarked.latestOtherDate == "20260111");
    EXPECT_TRUE(a.entries == 1001 && b.entries == 1001 && told == 1001 && a.error == 0 && b.error == 0);
    EXPECT_TRUE(b.unknown == UnknownAccounts({{"77777777", 11}}) && a.unknown == b.unknown);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(one.debit(i) == two.debit(i) && one.credit(i) == two.credit(i)) << i;
    EXPECT_EQ(two.credit(2), one.debit(0) + one.debit(1) - 980);
}

TEST_F(Archives, CountsAreWrittenInPlaceAndAnUnreadableCountIsAnError) {
    drive.write(company + "kalvora.tot", testing::countsFile({}));
    ASSERT_EQ(writeArchiveCount(files, drive.installation(), 0, 13, 42), 0);
    EXPECT_TRUE(drive.read(company + "kalvora.tot") == testing::countsFile({{13, 42}}));  // only the count changed
    EXPECT_EQ(readArchiveCount(files, drive.installation(), 0, 13), 42u);
    std::filesystem::remove(path("kalvora.tot"));
    ASSERT_EQ(writeArchiveCount(files, drive.installation(), 0, 13, 5), 0);  // made
    EXPECT_EQ(drive.read(company + "kalvora.tot").size(), 13u * 140);
    EXPECT_EQ(readArchiveCount(files, drive.installation(), 0, 13), 5u);

    // A count that cannot be read never passes for an empty journal or chart.
    std::filesystem::remove(path("kalvora.tot"));
    std::filesystem::create_directory(path("kalvora.tot"));
    int error = 0;
    EXPECT_EQ(readArchiveCount(files, drive.installation(), 0, 13, &error), 0u);
    ChartOfAccounts chart;
    EXPECT_TRUE(error != 0 && chart.load(files, drive.installation(), 0) != 0);
    EXPECT_NE(rebuildTotals(files, drive.installation(), 0, chart, true).error, 0);
}

}  // namespace
}  // namespace kalvora::core
