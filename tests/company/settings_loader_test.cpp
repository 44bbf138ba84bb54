#include "company/settings_loader.h"

#include "core/text.h"
#include "support/fake_platform.h"
#include "support/temp_drive.h"

#include <cerrno>

#include <gtest/gtest.h>

namespace kalvora::company {
namespace {

constexpr std::size_t recordLength = core::GeneralSettings::recordLength;
const std::string companyGnr = "kalwin/kalwin/kalaz0.000/kalvora.gnr";
const std::string templateGnr = "kalwin/kalwin/kalvora.gnr";

// The real disk, counting every call that could change it, and refusing the next `deniedReads`
// read opens of files whose path ends with `denySuffix`.
class WatchedFileSystem : public core::FileSystem {
public:
    int changes = 0;
    std::string denySuffix;
    int deniedReads = 0;

    int open(const std::string& path, core::OpenMode mode, std::unique_ptr<core::FileHandle>& out) override {
        if (mode != core::OpenMode::Read)
            ++changes;
        else if (deniedReads > 0 && path.size() >= denySuffix.size() &&
                 path.compare(path.size() - denySuffix.size(), denySuffix.size(), denySuffix) == 0) {
            --deniedReads;
            return EACCES;
        }
        return inner_.open(path, mode, out);
    }
    int rename(const std::string& from, const std::string& to) override {
        ++changes;
        return inner_.rename(from, to);
    }
    int remove(const std::string& path) override {
        ++changes;
        return inner_.remove(path);
    }
    int makeDirectory(const std::string& path) override {
        ++changes;
        return inner_.makeDirectory(path);
    }
    int removeDirectory(const std::string& path) override {
        ++changes;
        return inner_.removeDirectory(path);
    }
    int syncDirectory(const std::string& path) override { return inner_.syncDirectory(path); }
    int list(const std::string& folder, std::vector<core::DirEntry>& out) override { return inner_.list(folder, out); }
    core::FileStat stat(const std::string& path) override { return inner_.stat(path); }
    int setReadOnly(const std::string& path, bool readOnly) override {
        ++changes;
        return inner_.setReadOnly(path, readOnly);
    }

private:
    core::FileSystem& inner_ = core::realFileSystem();
};

class SettingsLoaderTest : public ::testing::Test {
protected:
    testing::TempDrive drive;
    testing::FakePlatform platform;
    core::FixedClock clock{core::Date{2026, 3, 2}};
    WatchedFileSystem fs;
    core::Files files{fs};
    core::Session session{drive.installation(), platform, clock, files};

    core::CompanyState& company() { return session.company(); }
};

// Every byte value somewhere in the record, with the marker and the two-digit setting chosen.
std::string oldRecord(char marker, std::string_view vatCode, std::size_t length = recordLength) {
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<char>((i * 37 + 11) & 0xFF);
    bytes[183] = marker;
    bytes.replace(249, 2, vatCode);
    return bytes;
}

const std::string firstColourBytes("\x00\x00\x00\x60\x5E\x9F\x6F\x41", 8);   // 16579315
const std::string secondColourBytes("\x00\x00\x00\xE0\xFF\xFF\x6F\x41", 8);  // 16777215

// The record a company gets when there is neither its own file nor a template.
std::string freshRecord() {
    std::string bytes(recordLength, '\0');
    bytes[183] = '9';
    bytes[184] = '1';
    bytes.replace(185, 8, firstColourBytes);
    bytes.replace(193, 8, secondColourBytes);
    bytes[201] = '1';
    bytes[202] = '1';
    bytes.replace(249, 2, "01");
    return bytes;
}

// `bytes` with the version fill applied.
std::string filled(std::string bytes) {
    bytes[183] = '9';
    bytes[184] = '1';
    bytes.replace(185, 8, firstColourBytes);
    bytes.replace(193, 8, secondColourBytes);
    bytes[201] = '1';
    bytes[202] = '1';
    return bytes;
}

std::string recordBytes(const core::GeneralSettings& g) {
    return std::string(g.record().bytes().begin(), g.record().bytes().end());
}

TEST_F(SettingsLoaderTest, FillsHeaderCurrencyAndListingFromTheFiles) {
    drive.makeInstallation(0);
    drive.write("kalwin/kalwin/kalaz0.000/kalvora.int",
                "Citt\xe0 & Figli S.r.l.\r\nVia Po 3\r\n10100 Torino\r\nVia Roma 9\r\n");
    drive.write("kalwin/kalwin/kalvora.eur", "0.0\r\n1936.27\r\nITL\r\nEUR\r\n3\r\n1\r\n");
    drive.write("kalwin/kalwin/kalvora.tbl", " 40 \r\n 900 \r\n 25 \r\n 920 \r\n 0 \r\n5\r\nCourier\r\n");
    drive.write(companyGnr, oldRecord('9', "04"));

    loadCompanySettings(session);

    EXPECT_EQ(company().headerLines[1], "Città & Figli S.r.l.");
    EXPECT_EQ(company().headerLines[2], "Via Po 3");
    EXPECT_EQ(company().headerLines[3], "10100 Torino");
    EXPECT_EQ(company().currency[1], "0");
    EXPECT_FALSE(company().euro());
    EXPECT_EQ(company().currency[5], "3");
    EXPECT_EQ(company().currency[6], "1");
    EXPECT_EQ(company().currency[11], "9");
    EXPECT_EQ(company().listing.rightEdge, 900);
    EXPECT_EQ(company().listing.gridType, 0);
    EXPECT_EQ(company().listing.styles[0].fontName, "Courier");
    EXPECT_EQ(company().listing.styles[1].size, 14);
    EXPECT_EQ(recordBytes(company().general), oldRecord('9', "04"));
    EXPECT_TRUE(platform.shown.empty());
}

TEST_F(SettingsLoaderTest, MissingFilesGiveTheDefaults) {
    drive.makeInstallation(0);
    drive.write(companyGnr, oldRecord('9', "04"));
    company().headerLines = {"", "old", "old", "old"};
    company().currency[7] = "old";

    loadCompanySettings(session);

    EXPECT_EQ(company().headerLines[1], "");
    EXPECT_EQ(company().headerLines[3], "");
    const std::array<std::string, 21>& c = company().currency;
    EXPECT_EQ((std::vector<std::string>{c[1], c[2], c[3], c[4], c[5], c[6], c[11]}),
              (std::vector<std::string>{"1", "1936.27", "ITL", "EUR", "2", "0", "9"}));
    EXPECT_EQ(c[7], "");
    EXPECT_TRUE(company().euro());
    EXPECT_EQ(company().listing.leftEdge, 30);
    EXPECT_EQ(company().listing.bottomEdge, 950);
    for (const auto& style : company().listing.styles) {
        EXPECT_EQ(style.fontName, "Arial");
        EXPECT_EQ(style.size, 9);
    }
}

TEST_F(SettingsLoaderTest, ReadsTheFilesOfTheCurrentCompany) {
    drive.makeInstallation(5);
    drive.write("kalwin/kalwin/kalaz0.005/kalvora.int", "Bianchi\r\n");
    drive.write("kalwin/kalwin/kalaz0.005/kalvora.gnr", oldRecord('9', "17"));
    company().code = 5;

    loadCompanySettings(session);

    EXPECT_EQ(company().headerLines[1], "Bianchi");
    EXPECT_EQ(company().general.defaultVatCode(), "17");
    EXPECT_FALSE(drive.exists("kalwin/kalwin/kalaz0.000"));
}

TEST_F(SettingsLoaderTest, OutOfRangeDefaultVatCodeIsCorrectedAndSaved) {
    for (std::string_view code : {"00", "33", "  ", "-1", "ab"}) {
        drive.makeInstallation(0);
        const std::string old = oldRecord('9', code, recordLength + 30);
        drive.write(companyGnr, old);

        loadCompanySettings(session);

        std::string expected = old;
        expected.replace(249, 2, "01");
        EXPECT_EQ(drive.read(companyGnr), expected) << "code '" << code << "'";
        EXPECT_EQ(company().general.defaultVatCode(), "01");
    }
}

TEST_F(SettingsLoaderTest, CurrentRecordWithAValidCodeIsNotWritten) {
    for (std::string_view code : {"32", "01", "1 "}) {
        drive.makeInstallation(0);
        const std::string old = oldRecord('9', code);
        drive.write(companyGnr, old);
        fs.changes = 0;

        loadCompanySettings(session);

        EXPECT_EQ(fs.changes, 0) << "code '" << code << "'";
        EXPECT_EQ(drive.read(companyGnr), old);
        EXPECT_EQ(company().general.defaultVatCode(), code);
    }
}

TEST_F(SettingsLoaderTest, OldRecordGetsTheVersionFillAndKeepsEveryOtherByte) {
    drive.makeInstallation(0);
    const std::string old = oldRecord('8', "05", 2 * recordLength + 3);
    drive.write(companyGnr, old);

    loadCompanySettings(session);

    const std::string onDisk = drive.read(companyGnr);
    ASSERT_EQ(onDisk.size(), old.size());
    EXPECT_EQ(onDisk.substr(183, 20), "91" + firstColourBytes + secondColourBytes + "11");
    // The fields of the module programs: integers, texts and the bytes after record 1.
    const std::pair<std::size_t, std::size_t> moduleFields[] = {{0, 17}, {18, 182}, {203, 248}, {249, 250},
                                                                {251, 478}};
    for (auto [from, to] : moduleFields)
        EXPECT_EQ(onDisk.substr(from, to - from + 1), old.substr(from, to - from + 1)) << from << ".." << to;
    EXPECT_EQ(onDisk.substr(recordLength), old.substr(recordLength));
    EXPECT_EQ(onDisk.substr(0, recordLength), filled(old.substr(0, recordLength)));
    EXPECT_EQ(recordBytes(company().general), onDisk.substr(0, recordLength));
    EXPECT_EQ(company().general.firstColour(), 16579315);
    EXPECT_EQ(company().general.secondColour(), 16777215);
}

TEST_F(SettingsLoaderTest, LoadThenSaveKeepsTheFileByteForByte) {
    drive.makeInstallation(0);
    const std::string old = oldRecord('9', "12", recordLength + 100);
    drive.write(companyGnr, old);

    loadCompanySettings(session);
    ASSERT_EQ(saveGeneralSettings(session), 0);

    EXPECT_EQ(drive.read(companyGnr), old);
}

TEST_F(SettingsLoaderTest, TemplateIsCopiedIntoTheCompanyFolder) {
    drive.makeInstallation(0);
    const std::string tmpl = oldRecord('9', "12", recordLength + 40);
    drive.write(templateGnr, tmpl);

    loadCompanySettings(session);

    EXPECT_EQ(drive.read(companyGnr), tmpl.substr(0, recordLength));
    EXPECT_EQ(drive.read(templateGnr), tmpl) << "the template is left alone";
    EXPECT_FALSE(drive.exists("kalwin/PDF"));
}

TEST_F(SettingsLoaderTest, OldTemplateIsFilledBeforeTheCopy) {
    drive.makeInstallation(0);
    const std::string tmpl = oldRecord(' ', "00");
    drive.write(templateGnr, tmpl);

    loadCompanySettings(session);

    std::string expected = filled(tmpl);
    expected.replace(249, 2, "01");
    EXPECT_EQ(drive.read(companyGnr), expected);
    EXPECT_EQ(drive.read(templateGnr), tmpl);
    EXPECT_EQ(recordBytes(company().general), expected);
}

TEST_F(SettingsLoaderTest, CreatedFromNothingInsideTheInstallation) {
    drive.makeInstallation(0);

    loadCompanySettings(session);

    EXPECT_EQ(drive.read(companyGnr), freshRecord());
    EXPECT_EQ(recordBytes(company().general), freshRecord());
    // The PDF folder is matched to the existing "kalwin" rather than made beside it.
    EXPECT_TRUE(drive.exists("kalwin/PDF"));
    EXPECT_EQ(drive.list(""), std::vector<std::string>{"kalwin"});
    EXPECT_EQ(drive.list("kalwin"), (std::vector<std::string>{"PDF", "kalwin"}));
}

TEST_F(SettingsLoaderTest, FirstStartWithoutAnyFolderKeepsGoing) {
    loadCompanySettings(session);

    EXPECT_EQ(recordBytes(company().general), freshRecord());
    EXPECT_EQ(company().currency[3], "ITL");
    EXPECT_TRUE(platform.shown.empty());
    std::vector<std::string> top = drive.list("");
    ASSERT_EQ(top.size(), 1u);
    EXPECT_EQ(drive.list(top[0]), std::vector<std::string>{"PDF"}) << "no company folder is made here";
    EXPECT_NE(saveGeneralSettings(session), 0);

    // Company creation then makes the installation: the PDF folder shares its "kalwin".
    ASSERT_EQ(files.makeDirectories(session.installation().companyFolder(0)), 0);
    top = drive.list("");
    ASSERT_EQ(top.size(), 1u);
    EXPECT_TRUE(core::equalsIgnoreCase(top[0], "kalwin"));
    EXPECT_EQ(drive.list(top[0]), (std::vector<std::string>{"PDF", "kalwin"}));
    EXPECT_EQ(saveGeneralSettings(session), 0);
}

TEST_F(SettingsLoaderTest, UnreadableCompanyFileIsNeverReplaced) {
    drive.makeInstallation(0);
    const std::string own = oldRecord('9', "07");
    drive.write(companyGnr, own);
    drive.write(templateGnr, oldRecord('9', "20"));
    fs.denySuffix = "kalaz0.000/kalvora.gnr";
    fs.deniedReads = 1;
    fs.changes = 0;

    loadCompanySettings(session);

    EXPECT_EQ(fs.deniedReads, 0) << "the company file was tried";
    EXPECT_EQ(fs.changes, 0);
    EXPECT_EQ(drive.read(companyGnr), own);
    EXPECT_EQ(company().general.defaultVatCode(), "20") << "the template serves this run";
}

TEST_F(SettingsLoaderTest, SaveWritesTheRecordOfTheCurrentCompany) {
    drive.makeInstallation(7);
    company().code = 7;
    company().general.setDefaultVatCode("09");
    company().general.setPreviousYearCompany("006");

    ASSERT_EQ(saveGeneralSettings(session), 0);

    const std::string onDisk = drive.read("kalwin/kalwin/kalaz0.007/kalvora.gnr");
    ASSERT_EQ(onDisk.size(), recordLength);
    EXPECT_EQ(onDisk.substr(249, 2), "09");
    EXPECT_EQ(onDisk.substr(254, 3), "006");
    EXPECT_FALSE(drive.exists(companyGnr));
}

}  // namespace
}  // namespace kalvora::company
