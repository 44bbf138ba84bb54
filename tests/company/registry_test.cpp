#include "company/registry.h"

#include "core/text.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

namespace kalvora::company {
namespace {

using testing::TempDrive;

// A name of exactly `width` characters, accented, ending in a letter.
std::string longName(std::size_t width) {
    std::string name;
    while (core::length(name) < width) name += "Città ";
    return core::left(name, width - 1) + "X";
}

std::string fileOfLines(const std::vector<std::string>& lines, const char* end = "\r\n") {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + end;
    return bytes;
}

TEST(RegistryLine, ReadingRule) {
    EXPECT_TRUE(parseRegistryLine("*").free);

    const std::string name = longName(200);
    ASSERT_EQ(core::length(name), 200u);
    RegistryEntry nameOnly = parseRegistryLine(name);
    EXPECT_FALSE(nameOnly.free);
    EXPECT_EQ(nameOnly.name, name);
    EXPECT_EQ(nameOnly.year, "");

    RegistryEntry withYear = parseRegistryLine(name + "2024");
    EXPECT_EQ(withYear.name, name);
    EXPECT_EQ(withYear.year, "2024");

    RegistryEntry padded = parseRegistryLine(core::padRight("Rossi Srl", 200) + "2025");
    EXPECT_EQ(padded.name, "Rossi Srl");
    EXPECT_EQ(padded.year, "2025");

    // A blank name must not swallow the year.
    RegistryEntry blankName = parseRegistryLine(registryLine("", "2024"));
    EXPECT_EQ(blankName.name, "");
    EXPECT_EQ(blankName.year, "2024");

    RegistryEntry shortLine = parseRegistryLine("Copia di Rossi Srl");
    EXPECT_FALSE(shortLine.free);
    EXPECT_EQ(shortLine.name, "Copia di Rossi Srl");
    EXPECT_EQ(shortLine.year, "");
}

TEST(RegistryLine, PadsAndCutsByCharacters) {
    std::string padded = registryLine("Città", " 2024 ");
    EXPECT_EQ(core::length(padded), 204u);
    EXPECT_EQ(core::left(padded, 6), "Città ");
    EXPECT_EQ(core::right(padded, 4), "2024");

    const std::string tooLong = longName(210);
    std::string cut = registryLine(tooLong, "2024");
    EXPECT_EQ(core::length(cut), 204u);
    EXPECT_EQ(core::left(cut, 200), core::left(tooLong, 200));

    EXPECT_EQ(registryLine("Rossi\r\nSrl", ""), core::padRight("Rossi  Srl", 200));
}

TEST(RegistryFile, ReadsExactlyTheFirstThousandLines) {
    TempDrive drive;
    drive.makeInstallation();
    core::Files files;
    const std::string azi = "kalwin/kalwin/kalvora.azi";

    EXPECT_FALSE(readRegistry(files, drive.installation()));

    std::vector<std::string> lines(999, "*");
    drive.write(azi, fileOfLines(lines));
    EXPECT_FALSE(readRegistry(files, drive.installation()));

    lines.assign(1001, "*");
    lines[0] = "Prima";
    lines[999] = "Ultima";
    lines[1000] = "Di troppo";
    drive.write(azi, fileOfLines(lines, "\n"));
    auto read = readRegistry(files, drive.installation());
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), 1000u);
    EXPECT_EQ(read->front(), "Prima");
    EXPECT_EQ(read->back(), "Ultima");
}

TEST(RegistryFile, WritesThousandLinesWithAccentedName) {
    TempDrive drive;
    drive.makeInstallation();
    core::Files files;
    std::vector<std::string> lines{registryLine("Società Agricola Città di Castello", "2024")};
    ASSERT_EQ(writeRegistry(files, drive.installation(), lines), 0);

    const std::string bytes = drive.read("kalwin/kalwin/kalvora.azi");
    EXPECT_TRUE(testing::matchesGolden("company/kalvora.azi", bytes));
    // 200 characters are 200 bytes in Windows-1252, then the year and CR LF.
    EXPECT_EQ(bytes.find("\r\n"), 204u);
    EXPECT_EQ(bytes.size(), 206u + 999u * 3u);

    auto read = readRegistry(files, drive.installation());
    ASSERT_TRUE(read);
    EXPECT_EQ((*read)[0], lines[0]);
    EXPECT_EQ((*read)[999], "*");
}

TEST(RegistryFile, LineBreakInsideANameDoesNotShiftCompanies) {
    TempDrive drive;
    drive.makeInstallation();
    core::Files files;
    std::vector<std::string> lines(1000, "*");
    lines[0] = "Rossi\nSrl";
    lines[1] = "Bianchi";
    ASSERT_EQ(writeRegistry(files, drive.installation(), lines), 0);
    auto read = readRegistry(files, drive.installation());
    ASSERT_TRUE(read);
    EXPECT_EQ((*read)[1], "Bianchi");
    EXPECT_EQ((*read)[2], "*");
}

TEST(InUseMarker, IsTheCodeInPrintForm) {
    TempDrive drive;
    drive.makeInstallation();
    core::Files files;
    ASSERT_EQ(writeInUseMarker(files, drive.installation(), 0), 0);
    EXPECT_TRUE(testing::matchesGolden("company/kalvora.uso", drive.read("kalwin/kalwin/kalvora.uso")));
    ASSERT_EQ(writeInUseMarker(files, drive.installation(), 12), 0);
    EXPECT_EQ(drive.read("kalwin/kalwin/kalvora.uso"), " 12 \r\n");
}

TEST(DamagedRegistry, IsKeptWithoutOverwritingEarlierCopies) {
    TempDrive drive;
    drive.makeInstallation();
    core::Files files;
    const auto inst = drive.installation();

    EXPECT_EQ(keepDamagedRegistry(files, inst), "");

    drive.write("kalwin/kalwin/kalvora.azi", fileOfLines(std::vector<std::string>(1000, "*")));
    EXPECT_EQ(keepDamagedRegistry(files, inst), "");
    EXPECT_FALSE(drive.exists("kalwin/kalwin/kalvora.azi.old"));

    drive.write("kalwin/kalwin/kalvora.azi", "primo danno\r\n");
    EXPECT_EQ(keepDamagedRegistry(files, inst), "kalvora.azi.old");
    drive.write("kalwin/kalwin/kalvora.azi", "secondo danno\r\n");
    EXPECT_EQ(keepDamagedRegistry(files, inst), "kalvora.azi.old2");
    EXPECT_EQ(drive.read("kalwin/kalwin/kalvora.azi.old"), "primo danno\r\n");
    EXPECT_EQ(drive.read("kalwin/kalwin/kalvora.azi.old2"), "secondo danno\r\n");
}

TEST(SelectCompany, SplitsCaptionAndYear) {
    core::CompanyState state;
    const std::string name = longName(200);
    state.registry[0] = name + "2024";
    state.registry[5] = name;
    state.registry[7] = core::padRight("Rossi Srl", 200) + "2025";

    selectCompany(state, 0);
    EXPECT_EQ(state.code, 0);
    EXPECT_EQ(state.companyCaption, "000 " + name);
    EXPECT_EQ(state.yearCaption, "2024");

    selectCompany(state, 5);
    EXPECT_EQ(state.code, 5);
    EXPECT_EQ(state.companyCaption, "005 " + name);
    EXPECT_EQ(state.yearCaption, "");

    selectCompany(state, 7);
    EXPECT_EQ(state.companyCaption, "007 Rossi Srl");
    EXPECT_EQ(state.yearCaption, "2025");

    selectCompany(state, 9);
    EXPECT_EQ(state.companyCaption, "009 *");
    EXPECT_EQ(state.yearCaption, "");

    selectCompany(state, 1000);
    EXPECT_EQ(state.code, 9);
}

}  // namespace
}  // namespace kalvora::company
