#include "core/text.h"
#include "users_fixture.h"

#include <gtest/gtest.h>

namespace kalvora::launcher {
namespace {

TEST(Scramble, LengthCharacterThenShiftedWindows1252Codes) {
    EXPECT_EQ(scramble("  abc  "), "Ccfi");
    EXPECT_EQ(scramble(""), "@");
    EXPECT_EQ(scramble("è€"), "Bê„");  // 232 + 2, 128 + 4
    // Every typeable character, at several positions, comes back and never makes a blank
    // or a line break in the file.
    for (int byte = 0x21; byte <= 0xFF; ++byte) {
        const std::string ch = core::decodeCp1252(std::string(1, static_cast<char>(byte)));
        for (int pos = 0; pos < 5; ++pos) {
            const auto s = scramble(std::string(pos, 'A') + ch);
            if (!s) continue;
            EXPECT_EQ(core::encodeCp1252(*s).find_first_of("\r\n "), std::string::npos) << byte;
            EXPECT_EQ(unscramble(*s), std::string(pos, 'A') + ch) << byte << " at " << pos;
        }
    }
}

TEST(Scramble, RefusesWhatTheFileCannotHold) {
    EXPECT_TRUE(scramble(std::string(79, 'a')));  // 97 + 158 = 255
    EXPECT_FALSE(scramble(std::string(80, 'a')));
    EXPECT_FALSE(scramble(std::string(192, '!')));  // the length character itself
    for (const char* bad : {"aaaù", "Łódź", "a\tb", "a\nb", "a\x81", "a\xC2\x81"}) EXPECT_FALSE(scramble(bad)) << bad;
}

TEST(Scramble, UnscrambleSurvivesAnyStoredText) {
    for (const char* s : {"", "@", "Z"}) EXPECT_EQ(unscramble(s), "");
    EXPECT_EQ(unscramble("C!!"), "??");  // codes below a blank
    const std::string plain = unscramble(std::string(10000, 'z'));
    EXPECT_EQ(core::length(plain), 9999u);
    EXPECT_EQ(core::left(plain, 2), "xv");
    EXPECT_EQ(core::right(plain, 1), "?");
}

TEST(DefaultUsers, OnlyTheAdministrator) {
    const UsersTable t = defaultUsers();
    EXPECT_EQ(t[1], (UserRecord{"Amministratore", defaultAdministratorPassword(), "9", "", std::string(500, '0')}));
    for (int u = 2; u <= userCount; ++u) EXPECT_EQ(t[u], UserRecord{}) << u;
}

class UsersFile : public ::testing::Test {
protected:
    void SetUp() override { drive.makeInstallation(); }
    testing::TempDrive drive;
    core::Files files;
    core::Installation inst = drive.installation();
};

TEST_F(UsersFile, ShortMissingOrBinaryMeansNoFile) {
    EXPECT_FALSE(readUsers(files, inst));
    auto lines = testing::rawUserLines({});
    lines.pop_back();
    for (const std::string& bytes : {testing::joinCrLf(lines), std::string(), std::string(1000, '\0')}) {
        drive.write(testing::usersPath, bytes);
        EXPECT_FALSE(readUsers(files, inst));
    }
}

TEST_F(UsersFile, ReadsRecordsInOrderAndWritesThemBack) {
    std::string bytes;
    for (const auto& l : testing::rawUserLines({{1, {"Amministratore", "Ccfi"}}, {3, {"Nicol\xF2", "Bcd"}}}))
        bytes += l + "\n";  // bare line feeds are accepted
    drive.write(testing::usersPath, bytes + "oltre la fine\r\n");
    auto t = readUsers(files, inst);
    ASSERT_TRUE(t);
    EXPECT_EQ((*t)[1], (UserRecord{"Amministratore", "Ccfi", "9", "", ""}));
    EXPECT_EQ((*t)[2], (UserRecord{"", "", "", "riservato", "0101"}));
    EXPECT_EQ((*t)[3].name, "Nicolò");

    (*t)[4] = {"riga\r\ndoppia", "", "", "", "1\n1"};
    ASSERT_EQ(writeUsers(files, inst, *t), 0);
    auto lines = testing::fileLines(drive);
    ASSERT_EQ(lines.size(), 495u);
    EXPECT_EQ(lines[10], "Nicol\xF2");
    EXPECT_EQ(lines[15], "riga  doppia");  // nothing shifts
    EXPECT_EQ(lines[19], "1 1");
    lines[15] = lines[19] = "";
    EXPECT_EQ(lines, testing::rawUserLines({{1, {"Amministratore", "Ccfi"}}, {3, {"Nicol\xF2", "Bcd"}}}));
}

}  // namespace
}  // namespace kalvora::launcher
