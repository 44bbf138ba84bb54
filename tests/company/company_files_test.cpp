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
        {"kalvora.mas", 9999 * 40}, {"kalvora.aut", 999 * 550}, {"kalvora.a14", 12}};  // "15/03/2024" CR LF
    for (const auto& [name, size] : sizes) EXPECT_EQ(drive.read(folder + name).size(), size) << name;
    // kalvora.aut: 150 blanks, ten pairs of 8 blanks and a zero integer, 300 blanks.
    const std::string aut = drive.read(folder + "kalvora.aut").substr(550, 550);
    EXPECT_EQ(aut.substr(0, 150) + aut.substr(240, 10) + aut.substr(250), std::string(158, ' ') + std::string(2, '\0') + std::string(300, ' '));
    // kalvora.tab: groups 1..10 (152 empty lines, 18 account lines, 470 empty) and 5,000 empty.
    const auto tab = core::split(drive.read(folder + "kalvora.tab"), '\n');
    EXPECT_EQ(tab.size(), 152u + 18 + 470 + 5000 + 1);
    EXPECT_EQ(tab[151] + tab[152] + tab[154] + tab[169] + tab[170], "\r0202\r51010001\r02060001\r\r");
    EXPECT_EQ(core::split(drive.read(folder + "kalvora.int"), '\n').at(16), "2024\r");  // line 17, trimmed
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
