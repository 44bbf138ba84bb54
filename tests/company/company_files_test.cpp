#include "company/company_files.h"

#include "support/fake_platform.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kalvora::company {
namespace {

using testing::TempDrive;

const std::string folder = "kalwin/kalwin/kalaz0.003/";
const std::vector<std::string> newFiles{"kal2024.cor", "kal2024.crr", "kalvora.a14", "kalvora.aut",
                                        "kalvora.int", "kalvora.mas", "kalvora.tab", "kalvora.tot"};

struct NewCompany : ::testing::Test {
    TempDrive drive;
    testing::FakePlatform platform;
    core::FixedClock clock{core::Date{2024, 3, 15}};
    core::Files files;
    core::Session session{drive.installation(), platform, clock, files};
    std::vector<std::string> header{"Società Rossi & C. Sas", "Via Garibaldi 12", "06012 Città di Castello",
                                    "", "", "075 123456", "", "info@rossi.it", "RSSMRA80A01C745X",
                                    "01234567890", "PG 123456", "Perugia", "Nota più lunga", "", "", ""};

    void SetUp() override { drive.makeInstallation(); }
};

TEST_F(NewCompany, WritesTheInitialFilesAsTheGoldenOnes) {
    ASSERT_EQ(createCompanyFiles(session, 3, header, " 2024 "), 0);
    EXPECT_EQ(drive.list(folder), newFiles);
    for (const std::string& name : newFiles)
        EXPECT_TRUE(testing::matchesGolden("company/new_company/" + name, drive.read(folder + name))) << name;
}

TEST_F(NewCompany, ReplacesFilesOfAnEarlierCompanyAndKeepsTheOthers) {
    drive.makeInstallation(3);
    drive.write(folder + "kalvora.mas", std::string(500000, 'Z'));
    drive.write(folder + "kalvora.cli", "clienti");
    ASSERT_EQ(createCompanyFiles(session, 3, header, "2024"), 0);
    EXPECT_EQ(drive.read(folder + "kalvora.mas"), std::string(9999u * 40u, ' '));
    EXPECT_EQ(drive.read(folder + "kalvora.cli"), "clienti");
}

TEST_F(NewCompany, AFailedFileDoesNotStopTheOthers) {
    drive.makeInstallation(3);
    std::filesystem::create_directories(drive.path(folder + "kalvora.tot/occupied"));
    EXPECT_NE(createCompanyFiles(session, 3, header, "2024"), 0);
    for (const std::string& name : newFiles) {
        if (name != "kalvora.tot") {
            EXPECT_FALSE(drive.read(folder + name).empty()) << name;
        }
    }
}

}  // namespace
}  // namespace kalvora::company
