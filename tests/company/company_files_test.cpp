#include "company/company_files.h"

#include "core/text.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kalvora::company {
namespace {

const std::string folder = "kalwin/kalwin/kalaz0.003/";
const std::vector<std::string> newFiles{"kal2024.cor", "kal2024.crr", "kalvora.a14", "kalvora.aut",
                                        "kalvora.int", "kalvora.mas", "kalvora.tab", "kalvora.tot"};

struct NewCompany : ::testing::Test, testing::TestSession {
    NewCompany() : TestSession({2024, 3, 15}) { drive.makeInstallation(3); }
    std::vector<std::string> header{"Società Rossi & C. Sas", "Via Garibaldi 12", "06012 Città di Castello",
                                    "", "", "075 123456", "", "info@rossi.it", "RSSMRA80A01C745X",
                                    "01234567890", "PG 123456", "Perugia", "Nota più lunga", "", "", ""};
};

TEST_F(NewCompany, WritesTheInitialFilesAsTheGoldenOnes) {
    ASSERT_EQ(createCompanyFiles(session, 3, header, " 2024 "), 0);
    EXPECT_EQ(drive.list(folder), newFiles);
    for (const std::string& name : newFiles)
        EXPECT_TRUE(testing::matchesGolden("company/new_company/" + name, drive.read(folder + name))) << name;

    // Sizes counted by hand: records times record length.
    const std::pair<std::string, std::size_t> sizes[] = {
        {"kalvora.tot", 50 * 140}, {"kal2024.cor", 372 * 604}, {"kal2024.crr", 372 * 604},
        {"kalvora.mas", 9999 * 40}, {"kalvora.aut", 999 * 550}, {"kalvora.a14", 12}};
    for (const auto& [name, size] : sizes) EXPECT_EQ(drive.read(folder + name).size(), size) << name;
    EXPECT_EQ(drive.read(folder + "kalvora.a14"), "15/03/2024\r\n");
    // kalvora.aut: 150 blanks, ten pairs of 8 blanks and a zero integer, 300 blanks.
    const std::string aut = drive.read(folder + "kalvora.aut");
    EXPECT_EQ(aut.substr(550, 150), std::string(150, ' '));
    EXPECT_EQ(aut.substr(550 + 150 + 90, 10), std::string(8, ' ') + std::string(2, '\0'));
    EXPECT_EQ(aut.substr(1100 - 300, 300), std::string(300, ' '));
    // kalvora.tab: groups 1..10 (152 empty lines, 18 account lines, 470 empty) and 5,000 empty.
    const auto tab = core::split(drive.read(folder + "kalvora.tab"), '\n');
    EXPECT_EQ(tab.size(), 152u + 18 + 470 + 5000 + 1);
    EXPECT_EQ(tab[151], "\r");
    EXPECT_EQ(tab[152], "0202\r");
    EXPECT_EQ(tab[154], "51010001\r");
    EXPECT_EQ(tab[169], "02060001\r");
    EXPECT_EQ(tab[170], "\r");
    // kalvora.int: 17 lines, the year trimmed.
    const auto lines = core::split(drive.read(folder + "kalvora.int"), '\n');
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines[2], "06012 Citt\xE0 di Castello\r");
    EXPECT_EQ(lines[16], "2024\r");
}

TEST_F(NewCompany, ReplacesOrKeepsWhatIsThereAndCarriesOnAfterAFailure) {
    drive.write(folder + "kalvora.mas", std::string(500, 'Z'));
    drive.write(folder + "kalvora.cli", "clienti");
    ASSERT_EQ(createCompanyFiles(session, 3, header, "2024", ExistingFiles::Keep), 0);
    EXPECT_EQ(drive.read(folder + "kalvora.mas"), std::string(500, 'Z'));
    EXPECT_EQ(drive.read(folder + "kalvora.tot").size(), 7000u);

    std::filesystem::remove(drive.path(folder + "kalvora.tot"));
    std::filesystem::create_directories(drive.path(folder + "kalvora.tot/occupied"));
    EXPECT_NE(createCompanyFiles(session, 3, header, "2024"), 0);
    EXPECT_EQ(drive.read(folder + "kalvora.mas"), std::string(9999u * 40u, ' '));
    EXPECT_EQ(drive.read(folder + "kalvora.cli"), "clienti");
    EXPECT_TRUE(core::startsWith(drive.read(folder + "kalvora.int"), "Societ\xE0"));
}

}  // namespace
}  // namespace kalvora::company
