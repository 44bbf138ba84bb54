#include "company/settings_loader.h"

#include "support/faulty_file_system.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace kalvora::company {
namespace {

constexpr std::size_t recordLength = core::GeneralSettings::recordLength;
const std::string companyGnr = "kalwin/kalwin/kalaz0.000/kalvora.gnr";
const std::string templateGnr = "kalwin/kalwin/kalvora.gnr";

// The real disk, counting the opens that could change a file, and refusing the next read open
// of a file whose path ends with `denied`.
struct WatchedFileSystem : testing::FaultyFileSystem {
    WatchedFileSystem() : FaultyFileSystem(core::realFileSystem()) {}
    int writes = 0;
    std::string denied;
    int open(const std::string& path, core::OpenMode mode, std::unique_ptr<core::FileHandle>& out) override {
        if (mode != core::OpenMode::Read) ++writes;
        else if (!denied.empty() && path.ends_with(denied)) return denied.clear(), EACCES;
        return FaultyFileSystem::open(path, mode, out);
    }
};

struct SettingsLoaderTest : ::testing::Test, testing::TestSession {
    WatchedFileSystem fs;
    core::Files files{fs};
    core::Session session{drive.installation(), platform, clock, files};
    core::CompanyState& company() { return session.company(); }
    std::string loaded() {
        const auto& bytes = company().general.record().bytes();
        return {bytes.begin(), bytes.end()};
    }
};

// Every byte value somewhere in the record, with the marker and the two-digit setting chosen.
std::string oldRecord(char marker, std::string_view vatCode, std::size_t length = recordLength) {
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<char>((i * 37 + 11) & 0xFF);
    return bytes.replace(183, 1, 1, marker).replace(249, 2, vatCode);
}

// `bytes` with the version fill: marker, refresh flag, the two colours 16579315 and 16777215
// as little-endian doubles, and the two alternate-colour flags.
std::string filled(std::string bytes) {
    return bytes.replace(183, 20, std::string("91\x00\x00\x00\x60\x5E\x9F\x6F\x41\x00\x00\x00\xE0\xFF\xFF\x6F\x41" "11", 20));
}

// The company's own record: an out-of-range two-digit setting becomes "01", an old version
// gets the version fill; every other byte stays, and a sound record is not written at all.
TEST_F(SettingsLoaderTest, OwnRecordIsCorrectedOnlyWhereItMust) {
    drive.makeInstallation(0);
    const std::tuple<char, std::string_view, std::string_view> cases[] = {
        {'9', "00", "01"}, {'9', "33", "01"}, {'9', "ab", "01"}, {'9', "32", "32"}, {'9', "1 ", "1 "}, {'8', "05", "05"}};
    for (const auto& [marker, code, expectedCode] : cases) {
        const std::string old = oldRecord(marker, code, 2 * recordLength + 3);
        drive.write(companyGnr, old);
        fs.writes = 0;
        loadCompanySettings(session);
        std::string expected = std::string(old).replace(249, 2, expectedCode);
        if (marker != '9') expected = filled(expected);
        EXPECT_EQ(drive.read(companyGnr), expected) << code;
        EXPECT_EQ(loaded(), expected.substr(0, recordLength));
        EXPECT_EQ(fs.writes > 0, expected != old) << code;
    }
}

TEST_F(SettingsLoaderTest, TemplateIsFilledAndCopiedIntoTheCompanyFolder) {
    drive.makeInstallation(0);
    const std::string old = oldRecord(' ', "00", recordLength + 40);
    drive.write(templateGnr, old);
    loadCompanySettings(session);
    EXPECT_EQ(drive.read(companyGnr), filled(old).replace(249, 2, "01").substr(0, recordLength));
    EXPECT_EQ(drive.read(templateGnr), old) << "the template is left alone";
}

TEST_F(SettingsLoaderTest, UnreadableCompanyFileIsNeverReplaced) {
    drive.makeInstallation(0);
    const std::string own = oldRecord('9', "07");
    drive.write(companyGnr, own);
    drive.write(templateGnr, oldRecord('9', "20"));
    fs.denied = "kalaz0.000/kalvora.gnr";
    loadCompanySettings(session);
    EXPECT_TRUE(fs.denied.empty()) << "the company file was tried";
    EXPECT_EQ(fs.writes, 0);
    EXPECT_EQ(drive.read(companyGnr), own);
    EXPECT_EQ(company().general.defaultVatCode(), "20") << "the template serves this run";
}

}  // namespace
}  // namespace kalvora::company
