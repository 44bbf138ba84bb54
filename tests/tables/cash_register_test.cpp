#include "tables/cash_register_form.h"

#include "tables_fixture.h"

#include <string>
#include <vector>

namespace kalvora::tables {
namespace {

constexpr const char* casFile = "kalwin/kalwin/kalaz0.000/kalvora.cas";

using Lines = std::vector<std::string>;

// 100 lines of junk in every box the presets fill, port `port`, flag 3, the options 1 1 0,
// and the lines the window does not own marked with their number.
Lines filledFile(const std::string& port) {
    Lines lines(100);
    for (std::size_t i = 0; i < lines.size(); ++i) lines[i] = "x" + std::to_string(i + 1);
    lines[0] = port;
    lines[1] = "3";
    for (std::size_t i = 20; i < 26; ++i) lines[i] = "2";
    lines[53] = "1";
    lines[54] = "1";
    lines[55] = "0";
    for (std::size_t i = 80; i < 94; ++i) lines[i] = "800000000" + std::to_string(1000 + i);
    return lines;
}

class CashRegisterTest : public TablesTest {
protected:
    CashRegisterForm form{test.session};

    Lines saved() {
        form.confirm();
        EXPECT_TRUE(form.closed());
        return read(casFile);
    }
};

// Lines 1..56 of a preset written out by hand, from a file whose port line was "0".
struct PresetCase {
    int model;
    std::string name;  // as listed
    Lines head;  // lines 1, 3, 4: port, data file, driver
    Lines fields;  // lines 21..26
    Lines slotBoxes;  // lines 27..44
    Lines codes;  // lines 45..53
};

Lines departments() {
    Lines d;
    for (int k = 1; k <= 16; ++k) d.push_back(std::to_string(k));
    return d;
}

class CashRegisterPresetTest : public CashRegisterTest, public ::testing::WithParamInterface<PresetCase> {};

TEST_P(CashRegisterPresetTest, FillsTheWindowAndSavesOnlyOnConfirm) {
    const PresetCase& c = GetParam();
    EXPECT_EQ(registerPresets[c.model].name, c.name);
    const Lines before = filledFile("0");
    write(casFile, before);
    form.open();
    form.chooseModel(c.model);
    form.button(2);
    EXPECT_EQ(read(casFile), before) << "nothing saved before confirm";

    Lines expected = {c.head[0], "3", c.head[1], c.head[2]};  // the flag is the user's
    for (const std::string& d : departments()) expected.push_back(d);
    expected.insert(expected.end(), c.fields.begin(), c.fields.end());
    expected.insert(expected.end(), c.slotBoxes.begin(), c.slotBoxes.end());
    expected.insert(expected.end(), c.codes.begin(), c.codes.end());
    expected.insert(expected.end(), {"1", "1", "0"});  // the options too
    const Lines after = saved();
    ASSERT_EQ(after.size(), 100u);
    EXPECT_EQ(Lines(after.begin(), after.begin() + 56), expected);
    EXPECT_EQ(Lines(after.begin() + 56, after.end()), Lines(before.begin() + 56, before.end()));
}

INSTANTIATE_TEST_SUITE_P(
    Models, CashRegisterPresetTest,
    ::testing::Values(
        PresetCase{0, "Sarema  (POS1)",
                   {"2", "C:\\KALWIN\\KALWIN\\INPUT.SCR", "C:\\KALWIN\\KALWIN\\POS1 2"},
                   {"1", "3", "6", "4", "5", "0"},
                   {"plud,c[", "],", "0", ":", ",", "0", "n", ",", "0", "p", ",", "0", "q", "", "0", "", "", ""},
                   {"", "", "", "", "", "", "cash;", "cheq;", "cred;"}},
        PresetCase{1, "Olivetti  (PF)",
                   {"2", "C:\\KALWIN\\KALWIN\\PFSND.DAT", "C:\\KALWIN\\KALWIN\\PF"},
                   {"3", "4", "5", "6", "0", "0"},
                   {"VE#", "", "0", "#", "", "0", "#", "", "0", "#", "", "0", "", "", "", "", "", ""},
                   {"CF#", "", "", "", "", "", "CO", "AS", "C1"}},
        PresetCase{2, "Olivetti  (PRINTERF)",
                   {"2", "C:\\KALWIN\\KALWIN\\REGCASX", "C:\\KALWIN\\KALWIN\\PRINTERF 2"},
                   {"1", "3", "5", "4", "6", "0"},
                   {"D", "", "16", "", "", "16", "", "", "6", "", "", "9", "", "", "2", "", "?", "2"},
                   {"", "", "", "", "", "", "", "", ""}},
        PresetCase{3, "Sweda",
                   {"0", "", ""},
                   {"2", "3", "5", "6", "6", "4"},
                   {"", "", "13", "", "", "14", "", "", "8", "0004", "", "2", "", " 000000000", "2", " 0", "000", "3"},
                   {"", "", "", "", "", "", "", "", ""}},
        PresetCase{4, "Rch",
                   {"0", "C:\\SCONTRINO.INP", ""},
                   {"6", "4", "5", "3", "0", "0"},
                   {"/R", "", "0", "/$", "", "0", "/*", "", "0", "/(", ")", "0", "", "", "", "", "", ""},
                   {"1", "9600,8,N,1", "#", "=K", "=C1", "", "T1", "", ""}}));

// The chosen COM port stays and its digit follows the driver; with no port, COM2 for the
// serial drivers only.
TEST_F(CashRegisterTest, PortRuleOfThePresets) {
    struct Case {
        std::string portLine;
        int model;
        std::string savedPort, driver;
    } cases[] = {
        {"3", 0, "3", "C:\\KALWIN\\KALWIN\\POS1 3"},
        {"4", 2, "4", "C:\\KALWIN\\KALWIN\\PRINTERF 4"},
        {"1", 1, "1", "C:\\KALWIN\\KALWIN\\PF"},
        {"9", 0, "2", "C:\\KALWIN\\KALWIN\\POS1 2"},  // a line naming no port: none connected
        {"0", 4, "0", ""},
        {"2", 3, "2", ""},
    };
    for (const Case& c : cases) {
        CashRegisterForm f(test.session);
        write(casFile, filledFile(c.portLine));
        f.open();
        f.chooseModel(c.model);
        f.applyModel();
        f.confirm();
        const Lines after = read(casFile);
        EXPECT_EQ(after.at(0) + "|" + after.at(3), c.savedPort + "|" + c.driver) << c.portLine << " " << c.model;
    }
}

TEST_F(CashRegisterTest, ConfirmWithoutChangesRewritesTheSameBytes) {
    Lines lines = filledFile(" 3 ");
    lines[1] = "2  ";
    lines[2] = "  C:\\Città\\input.scr  ";
    lines[20] = " 4";
    lines[33] = " 000000000";
    lines[34] = " 0";
    lines[53] = " 1";
    lines[55] = "1.0";
    lines[81] = " 8001234567890 ";
    for (std::size_t i = 56; i < 80; ++i) lines[i] = "  riservato " + std::to_string(i + 1) + " Perù ";
    for (std::size_t i = 94; i < 100; ++i) lines[i] = std::to_string(i + 1) + "\t ";
    lines.push_back("oltre la riga 100");
    const std::string bytes = core::encodeLines(lines);
    test.drive.write(casFile, bytes);

    form.open();
    EXPECT_EQ(form.port(), 2);
    EXPECT_EQ(form.text1(25), "000000000");
    EXPECT_EQ(form.field(0), 4);
    EXPECT_TRUE(form.checked(0) && form.checked(1) && form.checked(2));
    EXPECT_EQ(form.text2(1), "8001234567890");
    form.confirm();
    EXPECT_EQ(test.drive.read(casFile), bytes);

    // A change touches its own line only; a value typed with blanks is kept as typed.
    CashRegisterForm again(test.session);
    again.open();
    again.editText1(0, "C:\\Città\\input.scr");  // as shown: still unchanged
    again.editText1(37, " 9600 ");
    again.chooseFlag(4);
    again.setChecked(2, false);
    again.confirm();
    Lines expected = lines;
    expected[1] = "4";
    expected[45] = " 9600 ";
    expected[55] = "0";
    EXPECT_EQ(read(casFile), expected);
}

TEST_F(CashRegisterTest, MissingFileOpensWithTheDefaults) {
    form.open();
    const Lines after = saved();
    Lines expected(100);
    expected[0] = "0";
    expected[1] = "2";
    expected[53] = "0";
    expected[54] = "0";
    expected[55] = "1";
    EXPECT_EQ(after, expected);
    EXPECT_TRUE(test.platform.messages().empty());
}

// A short file keeps what it has; the rest takes the defaults.
TEST_F(CashRegisterTest, ShortFileKeepsItsLines) {
    write(casFile, {"3", "", "C:\\dati.scr"});
    form.open();
    EXPECT_EQ(form.port(), 2);
    EXPECT_EQ(form.flag(), 0);  // an empty line reads as 0
    const Lines after = saved();
    ASSERT_EQ(after.size(), 100u);
    EXPECT_EQ(after[2] + "|" + after[55], "C:\\dati.scr|1");
}

// A folder in the file's place: the window refuses to open and says so; a save that fails is
// said and the window stays open.
TEST_F(CashRegisterTest, UnreadableFileIsNotOpenedAndAFailedSaveStaysOpen) {
    ASSERT_EQ(test.files.makeDirectory(test.drive.path(casFile)), 0);
    EXPECT_FALSE(form.open());
    ASSERT_EQ(test.platform.messages().size(), 1u);
    EXPECT_EQ(test.platform.last()->text, "Impossibile leggere il file kalvora.cas: il collegamento al registratore "
                                          "di cassa non può essere modificato.");
    form.confirm();
    EXPECT_FALSE(form.closed());
    ASSERT_EQ(test.platform.messages().size(), 2u);
    ASSERT_TRUE(test.platform.last());
    EXPECT_EQ(test.platform.last()->title, "Attenzione");
    EXPECT_TRUE(test.platform.last()->text.starts_with("Non è stato possibile salvare il collegamento"));
}

TEST_F(CashRegisterTest, EnterMovesOn) {
    form.open();
    // The bar codes go in the order they are shown: Prezzo 2 (5), Prezzo 3 (12) ... Annulla (7).
    const std::pair<CashRegisterForm::Focus, CashRegisterForm::Focus> steps[] = {
        {{false, 17}, {false, 18}}, {{false, 44}, {false, 0}}, {{true, 11}, {true, 6}}, {{true, 7}, {true, 0}}};
    for (const auto& [from, next] : steps) {
        from.barCode ? form.enterText2(from.index) : form.enterText1(from.index);
        EXPECT_EQ(form.focus(), next) << from.index;
    }
}

}  // namespace
}  // namespace kalvora::tables
