#include "core/accounting_archives.h"

#include "support/temp_drive.h"

#include <cmath>

#include <gtest/gtest.h>

namespace kalvora::core {
namespace {

// The chart's limits against any bytes are left to its fuzz target; here the reading itself.
TEST(ChartOfAccounts, ReadsCodeAndTrimmedDescriptionOfTheCountedAccounts) {
    testing::TempDrive drive;
    drive.makeInstallation(0);
    Files files;
    std::string con;
    for (const auto& [code, description] : {std::pair{"51010001", "  Ricavi di vendita"},
                                            {"0202000199", "Clienti Città"}, {"28", ""}}) {
        Record record(accountRecordLength);
        record.fill(0, accountRecordLength, 0xff);
        record.setText(0, 10, code);
        record.setText(10, 40, description);
        con.append(record.bytes().begin(), record.bytes().end());
    }
    drive.write("kalwin/kalwin/kalaz0.000/kalvora.con", con + std::string(70, 'x'));  // and half a record
    // kalvora.tot with the count in record 6 and other values around it.
    for (const auto& [count, size] : {std::pair{1e300, 3u}, {1.9, 1u}, {std::nan(""), 0u}, {3.0, 3u}}) {
        std::string tot;
        for (int n = 1; n <= 8; ++n) {
            Record record(countRecordLength);
            record.setFloat64(0, n == 6 ? count : 77);
            tot.append(record.bytes().begin(), record.bytes().end());
        }
        drive.write("kalwin/kalwin/kalaz0.000/kalvora.tot", tot);
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
