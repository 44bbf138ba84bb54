#include "tables/general_settings_file.h"

#include "tables_fixture.h"

namespace kalvora::tables {
namespace {

// Reading record one of a long file and a save keeping the records after it are left to the
// company settings loader's tests and the fuzz target; here what they do not reach.
TEST(GeneralSettingsFileTest, AShortFileIsPaddedWithZerosAndNoFolderIsMadeForASave) {
    testing::TestSession test;
    test.drive.makeInstallation(0);
    constexpr std::size_t length = core::GeneralSettings::recordLength;
    const std::string rel = "kalwin/kalwin/kalaz0.000/kalvora.gnr";
    EXPECT_EQ(readGeneralSettings(test.files, test.drive.path(rel)), std::nullopt);
    for (const std::string bytes : {"", "ABCDEFGHIJ"}) {
        test.drive.write(rel, bytes);
        const auto settings = readGeneralSettings(test.files, test.drive.path(rel));
        ASSERT_TRUE(settings.has_value()) << bytes;
        EXPECT_EQ(settings->record(), core::Record(bytes + std::string(length - bytes.size(), '\0')));
    }
    const std::string missing = test.drive.path("kalwin/kalwin/kalaz0.123/kalvora.gnr");
    EXPECT_NE(saveGeneralSettings(test.files, missing, core::GeneralSettings()), 0);
    EXPECT_FALSE(test.drive.exists("kalwin/kalwin/kalaz0.123"));
}

}  // namespace
}  // namespace kalvora::tables
