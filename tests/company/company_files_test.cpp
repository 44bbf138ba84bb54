#include "company/company_files.h"

#include "support/fake_platform.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace kalvora::company {
namespace {

using testing::TempDrive;

const std::string folder = "kalwin/kalwin/kalaz0.003/";

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

bool allBytes(const std::string& bytes, char value) {
    return std::all_of(bytes.begin(), bytes.end(), [value](char c) { return c == value; });
}

TEST_F(NewCompany, WritesTheInitialFiles) {
    ASSERT_EQ(createCompanyFiles(session, 3, header, " 2024 "), 0);
    EXPECT_EQ(drive.list(folder),
              (std::vector<std::string>{"kal2024.cor", "kal2024.crr", "kalvora.a14", "kalvora.aut",
                                        "kalvora.int", "kalvora.mas", "kalvora.tab", "kalvora.tot"}));

    EXPECT_EQ(drive.read(folder + "kalvora.a14"), "15/03/2024\r\n");

    const std::string tot = drive.read(folder + "kalvora.tot");
    EXPECT_EQ(tot.size(), 50u * 140u);
    EXPECT_TRUE(allBytes(tot, '\0'));

    for (const char* name : {"kal2024.cor", "kal2024.crr"}) {
        const std::string takings = drive.read(folder + name);
        EXPECT_EQ(takings.size(), 372u * 604u) << name;
        EXPECT_TRUE(allBytes(takings, '\0')) << name;
    }

    const std::string mas = drive.read(folder + "kalvora.mas");
    EXPECT_EQ(mas.size(), 9999u * 40u);
    EXPECT_TRUE(allBytes(mas, ' '));

    // Texts 30+40+40+40, ten pairs of an 8-character code and a 2-byte zero, a 300-character text.
    std::string autRecord(150, ' ');
    for (int pair = 0; pair < 10; ++pair) autRecord += std::string(8, ' ') + std::string(2, '\0');
    autRecord += std::string(300, ' ');
    ASSERT_EQ(autRecord.size(), 550u);
    const std::string aut = drive.read(folder + "kalvora.aut");
    ASSERT_EQ(aut.size(), 999u * 550u);
    for (std::size_t r = 0; r < 999; ++r) ASSERT_EQ(aut.compare(r * 550, 550, autRecord), 0) << "record " << r + 1;

    const std::string header17 = drive.read(folder + "kalvora.int");
    EXPECT_EQ(header17.rfind("Societ\xe0 Rossi & C. Sas\r\nVia Garibaldi 12\r\n", 0), 0u);
    EXPECT_NE(header17.find("\r\nNota pi\xf9 lunga\r\n\r\n\r\n\r\n2024\r\n"), std::string::npos);
}

TEST_F(NewCompany, MatchesTheGoldenFiles) {
    ASSERT_EQ(createCompanyFiles(session, 3, header, "2024"), 0);
    for (const char* name : {"kalvora.a14", "kalvora.tot", "kal2024.cor", "kal2024.crr", "kalvora.mas",
                              "kalvora.aut", "kalvora.tab", "kalvora.int"})
        EXPECT_TRUE(testing::matchesGolden(std::string("company/new_company/") + name, drive.read(folder + name)))
            << name;
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
    for (const char* name : {"kalvora.a14", "kal2024.cor", "kal2024.crr", "kalvora.mas", "kalvora.aut",
                             "kalvora.tab", "kalvora.int"})
        EXPECT_FALSE(drive.read(folder + name).empty()) << name;
}

}  // namespace
}  // namespace kalvora::company
