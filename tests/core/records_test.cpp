#include "core/accounting_archives.h"
#include "core/general_settings.h"
#include "support/archive_bytes.h"
#include "support/temp_drive.h"

#include <cmath>

#include <gtest/gtest.h>

namespace kalvora::core {
namespace {

TEST(Record, TypedFieldsAreLittleEndianAndTextIsPaddedAndCut) {
    Record r(16);
    r.setInt16(0, -2);
    r.setFloat64(2, 16579315.0);  // 0x416F9F5E60000000 as an IEEE double
    EXPECT_EQ(std::vector<std::uint8_t>(r.bytes().begin(), r.bytes().begin() + 10),
              (std::vector<std::uint8_t>{0xFE, 0xFF, 0, 0, 0, 0x60, 0x5E, 0x9F, 0x6F, 0x41}));
    Record t(std::string(10, 'z'));
    t.setText(1, 4, "è");
    EXPECT_EQ(t.text(0, 10), "zè   zzzzz");
    t.setText(1, 2, "Città");
    EXPECT_EQ(t.text(1, 4), "Ci  ");
}

TEST(Record, FieldsOutsideTheRecordNeverGrowOrCrash) {
    Record r(4);
    r.setFloat64(2, 1.0);
    r.setText(3, 5, "abcde");
    r.setInt16(100, 7);
    r.fill(3, 100, '!');
    EXPECT_EQ(r.text(3, 5) + r.text(50, 2), "!");
    EXPECT_EQ(r.float64(100) + r.length(), 4.0);
}

TEST(GeneralSettings, KeepsExactly479Bytes) {
    EXPECT_EQ(GeneralSettings(Record(std::string(10, '\x01'))).record().length(), 479u);
    EXPECT_EQ(GeneralSettings(Record(std::string(600, 'q'))).pdfReaderPath(), std::string(120, 'q'));
    GeneralSettings g(Record(std::string(479, 'x')));
    g.setLeadingInteger(5, 6);
    g.setLeadingInteger(6, 99);  // not a leading integer: ignored
    EXPECT_EQ(g.record().int16(10), 6);
    EXPECT_EQ(g.record().bytes()[12], 'x');
}

// The chart's limits against any bytes are left to its fuzz target; here the reading itself.
TEST(ChartOfAccounts, ReadsCodeAndTrimmedDescriptionOfTheCountedAccounts) {
    testing::TempDrive drive;
    drive.makeInstallation(0);
    Files files;
    std::string con;
    for (const auto& [code, description] : {std::pair{"51010001", "  Ricavi di vendita"},
                                            {"0202000199", "Clienti Città"}, {"28", ""}})
        con += testing::bytesOf(testing::accountRecord(code, description, 0xff));
    drive.write("kalwin/kalwin/kalaz0.000/kalvora.con", con + std::string(70, 'x'));  // and half a record
    // kalvora.tot with the count in record 6 and other values around it.
    for (const auto& [count, size] : {std::pair{1e300, 3u}, {1.9, 1u}, {std::nan(""), 0u}, {3.0, 3u}}) {
        std::map<std::uint64_t, double> counts{{6, count}};
        for (std::uint64_t n : {1, 2, 3, 4, 5, 7, 8}) counts[n] = 77;
        drive.write("kalwin/kalwin/kalaz0.000/kalvora.tot", testing::countsFile(counts, 8, 0));
        EXPECT_EQ(readChartOfAccounts(files, drive.installation(), 0).size(), size) << count;
    }
    EXPECT_EQ(readChartOfAccounts(files, drive.installation(), 0),
              (std::vector<AccountEntry>{
                  {"51010001", "Ricavi di vendita"}, {"02020001", "Clienti Città"}, {"28      ", ""}}));
    EXPECT_EQ(readArchiveCount(files, drive.installation(), 0, 2), 77u);
    drive.write("kalwin/kalwin/kalaz0.000/kalvora.tot", "");
    EXPECT_TRUE(readChartOfAccounts(files, drive.installation(), 0).empty());
}

}  // namespace
}  // namespace kalvora::core
