#include "tables/banks.h"

#include "core/text.h"
#include "support/test_session.h"
#include "tables/tables_file.h"

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

namespace kalvora::tables {
namespace {

using Field = BankField;
constexpr const char* tabFile = "kalwin/kalwin/kalaz0.000/kalvora.tab";
// Group 9 (T8 entries 1..30, five columns each) starts at line 251.
std::size_t bankLine(int entry, int column) { return 250 + 5 * (entry - 1) + column; }

class BanksTest : public ::testing::Test {
protected:
    void SetUp() override { test.drive.makeInstallation(0); }

    void writeLines(const std::vector<std::string>& lines) { test.drive.write(tabFile, core::encodeLines(lines)); }
    // A tables file whose T8 holds these (entry, five columns) banks.
    void writeBanks(const std::vector<std::pair<int, std::array<std::string, 5>>>& banks) {
        std::vector<std::string> lines(TablesFile::lineCount);
        for (const auto& [entry, columns] : banks)
            for (int c = 0; c < 5; ++c) lines[bankLine(entry, c)] = columns[c];
        writeLines(lines);
    }
    std::vector<std::string> savedLines() {
        auto lines = test.files.readLines(test.drive.path(tabFile));
        return lines ? *lines : std::vector<std::string>{};
    }
    const std::string& cell(int entry, int column) const { return form.tables().t8.at(entry, column); }

    testing::TestSession test;
    BanksForm form{test.session};
};

TEST_F(BanksTest, PackedCodesAreShownBoxByBox) {
    writeBanks({{1, {"Banca Città", "03069", "IT60X0542811101000000123456", "0201", "  000012345  "}},
                {2, {"Corta", "0306912", " 11101 ", "02", ""}},
                {3, {"Intera", "030691234 RBX", "", "020100050000", ""}}});
    form.open();
    EXPECT_EQ(form.row(0), (BankRow{"Banca Città", "03069", "IT60X0542811101000000123456", "", "000012345", "", "",
                                    "02", "01", ""}));
    // A short code shows the sub-fields it reaches; the rest is empty.
    EXPECT_EQ(form.text(1, Field::Abi), "03069");
    EXPECT_EQ(form.text(1, Field::Sia), "12");
    EXPECT_EQ(form.text(1, Field::Ib), "");
    EXPECT_EQ(form.text(1, Field::Cab), "11101");
    EXPECT_EQ(form.text(2, Field::Sia), "1234");
    EXPECT_EQ(form.text(2, Field::Ib), "RB");
    EXPECT_EQ(form.text(2, Field::Cin), "X");
    EXPECT_EQ(form.text(2, Field::SubAccount), "0005");  // positions 5-8 only
    EXPECT_EQ(form.row(3), BankRow{});
}

TEST_F(BanksTest, EveryChangeRebuildsTheWholePackedCode) {
    writeBanks({{2, {"Corta", "0306912", "11101", "02", "123"}}});
    form.open();
    form.edit(1, Field::Cin, "K");
    EXPECT_EQ(cell(2, 1), "0306912     K");
    EXPECT_EQ(core::length(cell(2, 1)), 13u);
    form.edit(1, Field::Ib, "RBX");  // a box keeps no more than its width
    EXPECT_EQ(form.text(1, Field::Ib), "RB");
    EXPECT_EQ(cell(2, 1), "0306912   RBK");
    form.edit(1, Field::Abi, "");
    EXPECT_EQ(cell(2, 1), "     12   RBK");

    form.edit(1, Field::LedgerAccount, "3");
    EXPECT_EQ(cell(2, 3), "023     ");
    // The boxes stored as typed keep their blanks; line breaks become blanks.
    form.edit(1, Field::Account, " 00 12 ");
    form.edit(1, Field::Description, "Banca\r\nnuova");
    EXPECT_EQ(cell(2, 4), " 00 12 ");
    EXPECT_EQ(cell(2, 0), "Banca  nuova");
    EXPECT_EQ(cell(2, 2), "11101");
    EXPECT_EQ(cell(1, 1), "");  // other banks untouched
    EXPECT_EQ(cell(3, 3), "");
}

TEST_F(BanksTest, LeavingAnAccountBoxPadsItWithZeros) {
    form.open();
    form.setFocus(4, Field::SubAccount);
    form.edit(4, Field::SubAccount, "5");
    form.leaveField(4, Field::SubAccount);
    EXPECT_EQ(form.text(4, Field::SubAccount), "0005");
    EXPECT_EQ(cell(5, 3), "    0005");
    form.setFocus(4, Field::Group);
    form.edit(4, Field::Group, "2");
    form.leaveField(4, Field::Group);
    form.setFocus(4, Field::LedgerAccount);
    form.edit(4, Field::LedgerAccount, "1");
    form.enterPressed(4, Field::LedgerAccount);  // Enter leaves the box too
    EXPECT_EQ(cell(5, 3), "02010005");

    // 0, text and values that do not fit stay as typed.
    for (const char* typed : {"0", "00", "ab", "-3", ""}) {
        form.setFocus(5, Field::Group);
        form.edit(5, Field::Group, typed);
        form.leaveField(5, Field::Group);
        EXPECT_EQ(form.text(5, Field::Group), typed);
    }
    form.setFocus(5, Field::SubAccount);
    form.edit(5, Field::SubAccount, "9e99");
    form.leaveField(5, Field::SubAccount);
    EXPECT_EQ(form.text(5, Field::SubAccount), "9e99");

    // Only the focused box can be left, and the other boxes are never padded.
    form.edit(6, Field::SubAccount, "7");
    form.leaveField(6, Field::SubAccount);
    EXPECT_EQ(form.text(6, Field::SubAccount), "7");
    form.setFocus(6, Field::Abi);
    form.edit(6, Field::Abi, "7");
    form.leaveField(6, Field::Abi);
    EXPECT_EQ(form.text(6, Field::Abi), "7");
}

TEST_F(BanksTest, EnterFollowsTheFocusOrderAndScrollsFromTheLastRow) {
    std::vector<std::pair<int, std::array<std::string, 5>>> banks;
    for (int k = 1; k <= 30; ++k) banks.push_back({k, {"Banca " + std::to_string(k), "", "", "    7", ""}});
    writeBanks(banks);
    form.open();
    for (int f = 0; f + 1 < bankFieldCount; ++f) {
        form.enterPressed(2, static_cast<Field>(f));
        EXPECT_EQ(form.focusedRow(), 2);
        EXPECT_EQ(static_cast<int>(form.focusedField()), f + 1);
    }
    form.enterPressed(2, Field::SubAccount);
    EXPECT_EQ(form.focusedRow(), 3);
    EXPECT_EQ(form.focusedField(), Field::Description);

    // From the sub-account of row 17 the page moves one bank, padding the box that was left
    // and not the one of the bank scrolled into its place.
    form.enterPressed(17, Field::SubAccount);
    EXPECT_EQ(form.firstEntry(), 2);
    EXPECT_EQ(form.focusedRow(), 17);
    EXPECT_EQ(form.focusedField(), Field::Description);
    EXPECT_EQ(cell(18, 3), "    0007");
    form.leaveField(17, Field::SubAccount);
    EXPECT_EQ(cell(19, 3), "    7");
    EXPECT_EQ(form.text(17, Field::Description), "Banca 19");

    form.scrollTo(99);
    EXPECT_EQ(form.firstEntry(), 13);
    EXPECT_EQ(form.lastFirstEntry(), 13);
    EXPECT_EQ(form.entryOf(17), 30);
    form.enterPressed(17, Field::SubAccount);
    EXPECT_EQ(form.firstEntry(), 13);
    EXPECT_EQ(form.focusedRow(), 17);
    EXPECT_EQ(form.focusedField(), Field::SubAccount);
}

// Scrolling refills the rows without writing them back: only the edited bank changes.
TEST_F(BanksTest, SaveAfterScrollingWritesTheEditedBankOnly) {
    std::ifstream in(std::string(KALVORA_GOLDEN_DIR) + "/tables/kalvora_full_saved.tab", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(bytes.empty());
    test.drive.write(tabFile, bytes);
    const std::vector<std::string> original = savedLines();
    form.open();
    form.scrollTo(13);
    form.scrollTo(4);
    form.setFocus(0, Field::SubAccount);
    form.edit(0, Field::SubAccount, "12");
    form.leaveField(0, Field::SubAccount);
    form.edit(0, Field::Cin, "Q");
    form.confirm();
    ASSERT_TRUE(form.closed());
    const std::vector<std::string> saved = savedLines();
    ASSERT_EQ(saved.size(), original.size());
    for (std::size_t i = 0; i < saved.size(); ++i) {
        if (i != bankLine(4, 1) && i != bankLine(4, 3)) {
            EXPECT_EQ(saved[i], original[i]) << "line " << i + 1;
        }
    }
    EXPECT_TRUE(testing::matchesGolden("banks/kalvora.tab", test.drive.read(tabFile)));
}

}  // namespace
}  // namespace kalvora::tables
