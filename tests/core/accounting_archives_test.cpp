#include "core/accounting_archives.h"

#include "support/temp_drive.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace kalvora::core {
namespace {

constexpr const char* totFile = "kalwin/kalwin/kalaz0.000/kalvora.tot";
constexpr const char* conFile = "kalwin/kalwin/kalaz0.000/kalvora.con";

std::string bytesOf(const Record& record) { return {record.bytes().begin(), record.bytes().end()}; }

class ChartOfAccountsTest : public ::testing::Test {
protected:
    void SetUp() override { drive.makeInstallation(0); }

    // kalvora.tot with `count` in record 6 and other values around it.
    void writeCount(double count) {
        std::string tot;
        for (int n = 1; n <= 8; ++n) {
            Record record(countRecordLength);
            record.setFloat64(0, n == 6 ? count : 77);
            tot += bytesOf(record);
        }
        drive.write(totFile, tot);
    }
    static std::string account(std::string_view code, std::string_view description) {
        Record record(accountRecordLength);
        record.fill(0, accountRecordLength, 0xff);
        record.setText(0, 10, code);
        record.setText(10, 40, description);
        return bytesOf(record);
    }
    std::vector<AccountEntry> read() { return readChartOfAccounts(files, drive.installation(), 0); }

    testing::TempDrive drive;
    Files files;
};

TEST_F(ChartOfAccountsTest, ReadsCodeAndTrimmedDescriptionOfEachAccount) {
    writeCount(3);
    drive.write(conFile, account("51010001", "  Ricavi di vendita") + account("0202000199", "Clienti Città") +
                             account("28", "") + account("99999999", "beyond the count"));
    EXPECT_EQ(read(), (std::vector<AccountEntry>{
                          {"51010001", "Ricavi di vendita"}, {"02020001", "Clienti Città"}, {"28      ", ""}}));
}

TEST_F(ChartOfAccountsTest, NeverReadsPastTheRecordsTheFileHolds) {
    const std::string two = account("01010001", "Cassa") + account("01010002", "Banca");
    drive.write(conFile, two + std::string(70, 'x'));  // and half a record
    for (double count : {3.0, 1e6, 1e300, std::numeric_limits<double>::infinity()}) {
        writeCount(count);
        EXPECT_EQ(read().size(), 2u) << count;
    }
    writeCount(1.9);
    EXPECT_EQ(read(), (std::vector<AccountEntry>{{"01010001", "Cassa"}}));
}

TEST_F(ChartOfAccountsTest, NoCountOrNoChartGivesAnEmptyChart) {
    drive.write(conFile, account("01010001", "Cassa"));
    EXPECT_TRUE(read().empty());  // no kalvora.tot
    for (double count : {0.0, -1.0, -1e300, 0.5, std::nan("")}) {
        writeCount(count);
        EXPECT_TRUE(read().empty()) << count;
    }
    drive.write(totFile, std::string(5 * countRecordLength + 7, '\x40'));  // record 6 cut short
    EXPECT_TRUE(read().empty());
    writeCount(1);
    EXPECT_EQ(read().size(), 1u);
    drive.write(conFile, "");
    EXPECT_TRUE(read().empty());
    EXPECT_EQ(readArchiveCount(files, drive.installation(), 0, 0), 0u);
    EXPECT_EQ(readArchiveCount(files, drive.installation(), 0, 2), 77u);
}

}  // namespace
}  // namespace kalvora::core
