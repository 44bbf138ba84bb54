#include "core/text.h"
#include "users_fixture.h"

#include <gtest/gtest.h>

namespace kalvora::launcher {
namespace {

TEST(Scramble, LengthCharacterThenShiftedWindows1252Codes) {
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"  abc  ", "Ccfi"}, {"", "@"}, {"è€", "Bê„"}, {std::string(80, 'a'), std::nullopt},  // è€: 232 + 2, 128 + 4
        {std::string(192, '!'), std::nullopt}, {"aaaù", std::nullopt}, {"Łódź", std::nullopt}, {"a\tb", std::nullopt}};
    for (const auto& [plain, stored] : cases) EXPECT_EQ(scramble(plain), stored) << plain;
    EXPECT_TRUE(scramble(std::string(79, 'a')));  // 97 + 158 = 255, the highest code
    EXPECT_EQ(unscramble(*scramble("Però è")), "Però è");  // the fuzz target tries every character
    EXPECT_EQ(unscramble("Z") + unscramble("C!!"), "??");  // codes below a blank
}

TEST(UsersFile, AShortFileGivesTheUsersItHoldsAndAWriteKeepsTheShape) {
    testing::TempDrive drive;
    core::Files files;
    const core::Installation inst = drive.installation();
    EXPECT_FALSE(readUsers(files, inst));
    drive.write(testing::usersPath, "");
    EXPECT_FALSE(readUsers(files, inst)) << "an empty file holds nobody";

    auto lines = testing::rawUserLines({{1, {"Amministratore", "Ccfi"}}, {3, {"Nicol\xF2", "Bcd"}}});
    lines.resize(12);  // user 3's record is cut after its password
    std::string bytes;
    for (const auto& l : lines) bytes += l + "\n";  // bare line feeds are accepted
    drive.write(testing::usersPath, bytes);
    auto t = readUsers(files, inst);
    ASSERT_TRUE(t);
    EXPECT_EQ((*t)[1], (UserRecord{"Amministratore", "Ccfi", "9", "", ""}));
    EXPECT_EQ((*t)[2], (UserRecord{"", "", "", "riservato", "0101"}));
    EXPECT_EQ((*t)[3], (UserRecord{"Nicolò", "Bcd", "", "", ""}));
    for (int u = 4; u <= userCount; ++u) EXPECT_EQ((*t)[u], UserRecord{}) << u;

    (*t)[4] = {"riga\r\ndoppia", "A\x7F", "", "", "1\n1"};  // a scrambled "}" holds DEL
    ASSERT_EQ(writeUsers(files, inst, *t), 0);
    const auto written = testing::fileLines(drive);
    ASSERT_EQ(written.size(), 495u);
    EXPECT_EQ(std::vector<std::string>(written.begin(), written.begin() + 12), lines);
    EXPECT_EQ(written[15], "riga  doppia");  // nothing shifts
    EXPECT_EQ(written[16], "A\x7F");
    EXPECT_EQ(written[19], "1 1");
}

}  // namespace
}  // namespace kalvora::launcher
