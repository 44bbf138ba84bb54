#include "company/registry.h"

#include "core/text.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

namespace kalvora::company {
namespace {

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

std::pair<std::string, std::string> nameAndYear(const std::string& line) {
    const RegistryEntry e = parseRegistryLine(line);
    EXPECT_FALSE(e.free) << line;
    return {e.name, e.year};
}

using NameYear = std::pair<std::string, std::string>;

TEST(RegistryLine, ReadingRule) {
    EXPECT_TRUE(parseRegistryLine("*").free);
    const std::string name = longName(200);
    EXPECT_EQ(nameAndYear(name), (NameYear{name, ""}));
    EXPECT_EQ(nameAndYear(name + "2024"), (NameYear{name, "2024"}));
    EXPECT_EQ(nameAndYear(core::padRight("Rossi Srl", 200) + "2025"), (NameYear{"Rossi Srl", "2025"}));
    EXPECT_EQ(nameAndYear(registryLine("", "2024")), (NameYear{"", "2024"})) << "a blank name keeps the year";
    EXPECT_EQ(nameAndYear("Copia di Rossi Srl"), (NameYear{"Copia di Rossi Srl", ""}));
}

TEST(RegistryLine, PadsAndCutsByCharacters) {
    const std::string padded = registryLine("Città", " 2024 ");
    EXPECT_EQ(core::length(padded), 204u);
    EXPECT_EQ(core::left(padded, 6), "Città ");
    EXPECT_EQ(core::right(padded, 4), "2024");
    const std::string tooLong = longName(210);
    EXPECT_EQ(registryLine(tooLong, "2024"), core::left(tooLong, 200) + "2024");
    EXPECT_EQ(registryLine("Rossi\r\nSrl", ""), core::padRight("Rossi  Srl", 200));
}

class RegistryFile : public ::testing::Test {
protected:
    void SetUp() override { drive.makeInstallation(); }
    testing::TempDrive drive;
    core::Files files;
    core::Installation inst = drive.installation();
    const std::string azi = "kalwin/kalwin/kalvora.azi";
};

TEST_F(RegistryFile, ReadsExactlyTheFirstThousandLines) {
    EXPECT_FALSE(readRegistry(files, inst));
    std::vector<std::string> lines(999, "*");
    drive.write(azi, fileOfLines(lines));
    EXPECT_FALSE(readRegistry(files, inst));

    lines.assign(1001, "*");
    lines[0] = "Prima";
    lines[999] = "Ultima";
    lines[1000] = "Di troppo";
    drive.write(azi, fileOfLines(lines, "\n"));
    const auto read = readRegistry(files, inst);
    ASSERT_TRUE(read);
    lines.pop_back();
    EXPECT_EQ(*read, lines);
}

TEST_F(RegistryFile, WritesThousandLinesWithoutShifting) {
    std::vector<std::string> lines{registryLine("Società Agricola Città di Castello", "2024")};
    ASSERT_EQ(writeRegistry(files, inst, lines), 0);
    EXPECT_TRUE(testing::matchesGolden("company/kalvora.azi", drive.read(azi)));

    lines.assign(1000, "*");
    lines[0] = "Rossi\nSrl";
    lines[1] = "Bianchi";
    ASSERT_EQ(writeRegistry(files, inst, lines), 0);
    const auto read = readRegistry(files, inst);
    ASSERT_TRUE(read);
    EXPECT_EQ((*read)[1], "Bianchi") << "a line break inside a name does not shift the companies";
    EXPECT_EQ((*read)[2], "*");
}

TEST_F(RegistryFile, InUseMarkerIsTheCodeInPrintForm) {
    ASSERT_EQ(writeInUseMarker(files, inst, 0), 0);
    EXPECT_TRUE(testing::matchesGolden("company/kalvora.uso", drive.read("kalwin/kalwin/kalvora.uso")));
    ASSERT_EQ(writeInUseMarker(files, inst, 12), 0);
    EXPECT_EQ(drive.read("kalwin/kalwin/kalvora.uso"), " 12 \r\n");
}

TEST_F(RegistryFile, DamagedRegistryIsKeptWithoutOverwritingEarlierCopies) {
    EXPECT_EQ(keepDamagedRegistry(files, inst), "");
    drive.write(azi, fileOfLines(std::vector<std::string>(1000, "*")));
    EXPECT_EQ(keepDamagedRegistry(files, inst), "") << "a sound registry";
    drive.write(azi, "primo danno\r\n");
    EXPECT_EQ(keepDamagedRegistry(files, inst), "kalvora.azi.old");
    drive.write(azi, "secondo danno\r\n");
    EXPECT_EQ(keepDamagedRegistry(files, inst), "kalvora.azi.old2");
    EXPECT_EQ(drive.read(azi + ".old"), "primo danno\r\n");
    EXPECT_EQ(drive.read(azi + ".old2"), "secondo danno\r\n");
}

TEST(SelectCompany, SplitsCaptionAndYear) {
    core::CompanyState state;
    const std::string name = longName(200);
    state.registry[0] = name + "2024";
    state.registry[7] = core::padRight("Rossi Srl", 200) + "2025";
    const auto captions = [&](int code) {
        selectCompany(state, code);
        return NameYear{state.companyCaption, state.yearCaption};
    };
    EXPECT_EQ(captions(0), (NameYear{"000 " + name, "2024"}));
    EXPECT_EQ(captions(7), (NameYear{"007 Rossi Srl", "2025"}));
    EXPECT_EQ(captions(9), (NameYear{"009 *", ""}));
    EXPECT_EQ(state.code, 9);
    selectCompany(state, 1000);
    EXPECT_EQ(state.code, 9);
}

}  // namespace
}  // namespace kalvora::company
