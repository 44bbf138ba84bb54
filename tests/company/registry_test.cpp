#include "company/registry.h"

#include "core/text.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

#include <map>

namespace kalvora::company {
namespace {

// A name of exactly `width` characters, accented, ending in a letter.
std::string longName(std::size_t width) {
    std::string name;
    while (core::length(name) < width) name += "Città ";
    return core::left(name, width - 1) + "X";
}

TEST(RegistryLine, ReadingAndWritingRules) {
    EXPECT_TRUE(parseRegistryLine("*").free);
    const std::string name = longName(200), rossi = core::padRight("Rossi Srl", 200) + "2025";
    // line, name and year read, company and year captions for code 0
    const std::array<std::string, 5> cases[] = {
        {name, name, "", "000 " + name, ""},
        {name + "2024", name, "2024", "000 " + name, "2024"},
        {rossi, "Rossi Srl", "2025", "000 Rossi Srl", "2025"},
        {registryLine("", "2024"), "", "2024", "000", "2024"},  // a blank name keeps the year
        {"Copia di Rossi Srl", "Copia di Rossi Srl", "", "000 Copia di Rossi Srl", ""},
    };
    for (const auto& [line, name, year, caption, yearCaption] : cases) {
        const RegistryEntry e = parseRegistryLine(line);
        EXPECT_EQ(std::tuple(e.free, e.name, e.year), std::tuple(false, name, year)) << line;
        const CompanyCaptions c = companyCaptions(0, line);
        EXPECT_EQ(std::pair(c.company, c.year), std::pair(caption, yearCaption)) << line;
    }
    EXPECT_EQ(core::length(registryLine("Città", " 2024 ")), 204u);
    EXPECT_EQ(registryLine(longName(210), "2024"), core::left(longName(210), 200) + "2024");
    EXPECT_EQ(registryLine("Rossi\r\nSrl\t", ""), core::padRight("Rossi  Srl ", 200));
}

struct RegistryFile : ::testing::Test {
    void SetUp() override { drive.makeInstallation(); }
    void writeLines(std::size_t count, const char* end = "\r\n") {
        std::string bytes;
        for (std::size_t i = 0; i < count; ++i) bytes += (i == 0 ? "Prima" : "*") + std::string(end);
        drive.write(azi, bytes);
    }
    testing::TempDrive drive;
    core::Files files;
    core::Installation inst = drive.installation();
    const std::string azi = "kalwin/kalwin/kalvora.azi";
};

TEST_F(RegistryFile, ReadsExactlyTheFirstThousandLinesAndWritesThousand) {
    writeLines(999);
    EXPECT_FALSE(readRegistry(files, inst));
    writeLines(1001, "\n");
    EXPECT_EQ(readRegistry(files, inst)->size(), 1000u);

    ASSERT_EQ(writeRegistry(files, inst, {registryLine("Società Agricola Città di Castello", "2024")}), 0);
    EXPECT_TRUE(testing::matchesGolden("company/kalvora.azi", drive.read(azi)));
    // Hand count: one line of 204 characters, 999 of "*", each with CR LF.
    EXPECT_EQ(drive.read(azi).size(), 206u + 999 * 3);

    ASSERT_EQ(writeInUseMarker(files, inst, 0), 0);
    EXPECT_TRUE(testing::matchesGolden("company/kalvora.uso", drive.read("kalwin/kalwin/kalvora.uso")));
}

TEST_F(RegistryFile, DamagedRegistryIsKeptWithoutOverwritingEarlierCopies) {
    writeLines(1000);
    EXPECT_EQ(keepDamagedRegistry(files, inst), "") << "a sound registry";
    drive.write(azi, "primo danno\r\n");
    EXPECT_EQ(keepDamagedRegistry(files, inst), "kalvora.azi.old");
    drive.write(azi, "secondo danno\r\n");
    EXPECT_EQ(keepDamagedRegistry(files, inst), "kalvora.azi.old2");
    EXPECT_EQ(drive.read(azi + ".old"), "primo danno\r\n");
    EXPECT_EQ(drive.read(azi + ".old2"), "secondo danno\r\n");
}

TEST_F(RegistryFile, ShortOrLostRegistryIsCompletedFromTheCompanyFolders) {
    std::string header = "Verdi Srl\r\n";
    for (int line = 2; line <= 16; ++line) header += "\r\n";
    for (int code : {2, 5, 995}) drive.write("kalwin/kalwin/kalaz0." + core::threeDigits(code) + "/kalvora.int", header + "2023\r\n");
    drive.makeInstallation(7);                              // a folder without kalvora.int
    drive.write("kalwin/kalwin/KALAZ0.008/kalvora.int", "Otto\r\n");  // any case, no year
    drive.write("kalwin/kalwin/kalaz0.9x9/kalvora.int", "Non una azienda\r\n");
    const std::string verdi = registryLine("Verdi Srl", "2023");

    drive.write(azi, "Alfa\r\n*\r\nQuella vera\r\n");  // three lines: codes 0..2 stay as they are
    RecoveredRegistry r = recoverRegistry(files, inst);
    EXPECT_EQ(std::tuple(r.source, r.lines.size(), r.rebuiltLines), std::tuple(RecoveredRegistry::Source::Short, 1000u, 4));
    for (const auto& [code, line] : std::map<int, std::string>{{0, "Alfa"}, {1, "*"}, {2, "Quella vera"}, {3, "*"},
                                                            {5, verdi}, {7, registryLine("", "")}, {8, registryLine("Otto", "")},
                                                            {9, "*"}, {995, "Copia di Verdi Srl"}, {999, "*"}})
        EXPECT_EQ(r.lines[code], line) << code;
    EXPECT_TRUE(r.anyCompany());
}

}  // namespace
}  // namespace kalvora::company
