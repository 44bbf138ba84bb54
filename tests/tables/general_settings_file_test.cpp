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

    const std::string rel = "kalwin/kalwin/kalaz0.000/kalvora.gnr";
    testing::TempDrive drive;
    core::Files files;
    std::string path = drive.path(rel);
};

TEST_F(GeneralSettingsFileTest, MissingFileCannotBeRead) {
    EXPECT_FALSE(readGeneralSettings(files, path).has_value());
}

TEST_F(GeneralSettingsFileTest, ShortFileReadsZeroBytesPastItsEnd) {
    drive.write(rel, "ABCDEFGHIJ");
    auto settings = readGeneralSettings(files, path);
    ASSERT_TRUE(settings.has_value());
    const auto& bytes = settings->record().bytes();
    ASSERT_EQ(bytes.size(), recordLength);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 10), "ABCDEFGHIJ");
    for (std::size_t i = 10; i < recordLength; ++i)
        ASSERT_EQ(bytes[i], 0) << "byte " << i;

    drive.write(rel, "");
    settings = readGeneralSettings(files, path);
    ASSERT_TRUE(settings.has_value()) << "an empty file still opens";
    EXPECT_EQ(settings->record(), core::Record(recordLength));
}

TEST_F(GeneralSettingsFileTest, LongFileReadsRecordOneOnly) {
    const std::string bytes = patternBytes(3 * recordLength + 5);
    drive.write(rel, bytes);
    auto settings = readGeneralSettings(files, path);
    ASSERT_TRUE(settings.has_value());
    EXPECT_EQ(settings->record(), core::Record(bytes.substr(0, recordLength)));
}

TEST_F(GeneralSettingsFileTest, SaveCreatesTheFileWithOneRecord) {
    core::GeneralSettings settings;
    settings.setDefaultVatCode("07");
    settings.setFirstColour(123456);
    ASSERT_EQ(saveGeneralSettings(files, path, settings), 0);

    const std::string onDisk = drive.read(rel);
    ASSERT_EQ(onDisk.size(), recordLength);
    EXPECT_EQ(onDisk.substr(249, 2), "07");
    auto back = readGeneralSettings(files, path);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->record(), settings.record());
    EXPECT_EQ(back->firstColour(), 123456);
}

TEST_F(GeneralSettingsFileTest, SaveReplacesRecordOneAndKeepsTheRest) {
    const std::string old = patternBytes(2 * recordLength + 17, 3);
    drive.write(rel, old);
    const core::GeneralSettings settings(core::Record(patternBytes(recordLength, 11)));
    ASSERT_EQ(saveGeneralSettings(files, path, settings), 0);

    const std::string onDisk = drive.read(rel);
    ASSERT_EQ(onDisk.size(), old.size());
    EXPECT_EQ(onDisk.substr(0, recordLength), patternBytes(recordLength, 11));
    EXPECT_EQ(onDisk.substr(recordLength), old.substr(recordLength));
}

TEST_F(GeneralSettingsFileTest, SaveIntoAMissingFolderFailsAndWritesNothing) {
    const std::string missing = drive.path("kalwin/kalwin/kalaz0.123/kalvora.gnr");
    EXPECT_NE(saveGeneralSettings(files, missing, core::GeneralSettings()), 0);
    EXPECT_FALSE(drive.exists("kalwin/kalwin/kalaz0.123"));
}

}  // namespace
}  // namespace kalvora::tables
