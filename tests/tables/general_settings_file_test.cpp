#include "tables/general_settings_file.h"

#include "support/temp_drive.h"

#include <gtest/gtest.h>

namespace kalvora::tables {
namespace {

constexpr std::size_t recordLength = core::GeneralSettings::recordLength;

// Every byte value, so nothing is lost to decoding or padding.
std::string patternBytes(std::size_t n, int seed = 0) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>((i * 7 + seed) & 0xFF);
    return s;
}

class GeneralSettingsFileTest : public ::testing::Test {
protected:
    GeneralSettingsFileTest() { drive.makeInstallation(0); }

    std::optional<core::Record> read(std::optional<std::string> content) {
        if (content)
            drive.write(rel, *content);
        const auto settings = readGeneralSettings(files, path);
        return settings ? std::optional(settings->record()) : std::nullopt;
    }

    const std::string rel = "kalwin/kalwin/kalaz0.000/kalvora.gnr";
    testing::TempDrive drive;
    core::Files files;
    std::string path = drive.path(rel);
};

TEST_F(GeneralSettingsFileTest, ReadsRecordOnePaddedWithZeros) {
    EXPECT_EQ(read(std::nullopt), std::nullopt);
    EXPECT_EQ(read(""), core::Record(recordLength)) << "an empty file still opens";
    EXPECT_EQ(read("ABCDEFGHIJ"), core::Record("ABCDEFGHIJ" + std::string(recordLength - 10, '\0')));
    const std::string bytes = patternBytes(3 * recordLength + 5);
    EXPECT_EQ(read(bytes), core::Record(bytes.substr(0, recordLength)));
}

TEST_F(GeneralSettingsFileTest, SaveWritesRecordOneAndKeepsTheRestOrFailsWithoutAFolder) {
    core::GeneralSettings settings;
    settings.setDefaultVatCode("07");
    ASSERT_EQ(saveGeneralSettings(files, path, settings), 0);
    const std::string created = drive.read(rel);
    ASSERT_EQ(created.size(), recordLength);
    EXPECT_EQ(created.substr(249, 2), "07");

    const std::string missing = drive.path("kalwin/kalwin/kalaz0.123/kalvora.gnr");
    EXPECT_NE(saveGeneralSettings(files, missing, core::GeneralSettings()), 0);
    EXPECT_FALSE(drive.exists("kalwin/kalwin/kalaz0.123"));

    const std::string old = patternBytes(2 * recordLength + 17, 3);
    drive.write(rel, old);
    ASSERT_EQ(saveGeneralSettings(files, path, core::GeneralSettings(core::Record(patternBytes(recordLength, 11)))), 0);
    EXPECT_EQ(drive.read(rel), patternBytes(recordLength, 11) + old.substr(recordLength));
}

}  // namespace
}  // namespace kalvora::tables
