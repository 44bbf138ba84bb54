#include "tables/vat_codes.h"

#include "core/cp1252.h"
#include "core/text.h"
#include "support/faulty_file_system.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

namespace kalvora::tables {
namespace {

using Form = VatCodesForm;

constexpr int company = 3;
constexpr const char* tabFile = "kalwin/kalwin/kalaz0.003/kalvora.tab";
constexpr const char* ilmFile = "kalwin/kalwin/kalaz0.003/kalvora.ilm";

// Line numbers (from 0) of the VAT cells in the tables file: first halves in groups 1..4,
// second halves in groups 11..14.
int t1Line(int k, int c) { return k <= 8 ? 4 * (k - 1) + c : 640 + 4 * (k - 9) + c; }
int t2Line(int k, int c) { return k <= 8 ? 32 + 3 * (k - 1) + c : 672 + 3 * (k - 9) + c; }
int t3Line(int k, int c) { return k <= 8 ? 56 + 2 * k + c : 696 + 2 * (k - 9) + c; }
int t4Line(int k, int c) { return k <= 8 ? 74 + 2 * k + c : 712 + 2 * (k - 9) + c; }

bool isVatLine(int line) { return line < 92 || (line >= 640 && line < 728); }

std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

// Description padded to 100, nature, 99 blanks, "*", spelled out by hand.
std::string stored(const std::string& description, const std::string& nature) {
    return description + blanks(100 - static_cast<int>(core::length(description))) + nature + blanks(99) + "*";
}

// A full file whose every line differs, with accents, commas and leading blanks in the values
// read as whole lines; the posting accounts are plain codes.
std::vector<std::string> richTables() {
    std::vector<std::string> lines(930);
    for (int i = 0; i < 930; ++i) lines[i] = " Città, riga " + std::to_string(i + 1);
    for (int i = 152; i < 170; ++i) lines[i] = "510100" + std::to_string(10 + i - 152);
    for (int i = 788; i < 810; ++i) lines[i] = "520200" + std::to_string(10 + i - 788);
    return lines;
}

class VatCodesTest : public ::testing::Test {
protected:
    VatCodesTest() {
        t.drive.makeInstallation(company);
        t.session.company().code = company;
    }

    void writeTables(const std::vector<std::string>& lines) { t.drive.write(tabFile, core::encodeLines(lines)); }
    std::vector<std::string> emptyTables() const { return std::vector<std::string>(930); }
    std::vector<std::string> savedTables() const { return readBack(tabFile); }
    std::vector<std::string> readBack(const char* file) const {
        return t.files.readLines(t.drive.path(file)).value_or(std::vector<std::string>{});
    }
    void confirmAndExpectClosed() {
        form.confirm();
        ASSERT_TRUE(form.closed());
        ASSERT_TRUE(t.platform.messages().empty()) << t.platform.messages().front().text;
    }

    testing::TestSession t;
    Form form{t.session};
};

TEST_F(VatCodesTest, StoredDescriptionsSplitAndOldShortOnesGainTheStoredForm) {
    auto lines = emptyTables();
    lines[t3Line(1, 1)] = stored("Iva 22%", "3");
    lines[t3Line(2, 1)] = "Esente art.10";  // written before the nature existed
    lines[t4Line(1, 1)] = stored("Acquisti intra", "5");
    lines[t4Line(2, 1)] = stored("", "7");  // a nature the list does not have
    lines[t4Line(4, 1)] = stored("", "");   // an unused code as this window saves it
    lines[t3Line(16, 1)] = stored("Città", "1");
    writeTables(lines);

    form.open();
    EXPECT_EQ(form.text(4), "Iva 22%");
    EXPECT_EQ(form.salesNature(0), 3);
    EXPECT_EQ(form.text(10), "Esente art.10");
    EXPECT_EQ(form.salesNature(1), Form::noSelection);
    EXPECT_EQ(form.text(50), "Acquisti intra");
    EXPECT_EQ(form.purchaseNature(0), 5);
    EXPECT_EQ(form.purchaseNature(1), Form::noSelection);
    EXPECT_EQ(form.text(62), "");
    EXPECT_EQ(form.purchaseNature(3), Form::noSelection);
    form.scrollSales(9);
    EXPECT_EQ(form.text(6 * 7 + 4), "Città");
    EXPECT_EQ(form.salesNature(7), 1);

    confirmAndExpectClosed();
    const auto saved = savedTables();
    ASSERT_EQ(saved.size(), 930u);
    for (int line : {t3Line(1, 1), t4Line(1, 1), t4Line(2, 1), t4Line(4, 1), t3Line(16, 1)})
        EXPECT_EQ(saved[line], lines[line]) << "line " << line + 1;
    EXPECT_EQ(saved[t3Line(2, 1)], stored("Esente art.10", ""));
    EXPECT_EQ(saved[t3Line(12, 1)], stored("", ""));
}

TEST_F(VatCodesTest, DescriptionIsCutAt100CharactersAtSave) {
    writeTables(emptyTables());
    form.open();
    std::string longText;
    for (int i = 0; i < 24; ++i) longText += "Città";  // 120 characters, 144 bytes
    form.editText(4, longText);
    form.chooseSalesNature(0, 2);
    confirmAndExpectClosed();

    const std::string expected = core::left(longText, 100) + "2" + blanks(99) + "*";
    EXPECT_EQ(savedTables()[t3Line(1, 1)], expected);
    // One byte per accented letter on disk: 100 + 1 + 99 + 1.
    EXPECT_NE(t.drive.read(tabFile).find(core::encodeCp1252(expected) + "\r\n"), std::string::npos);
    EXPECT_EQ(core::encodeCp1252(expected).size(), 201u);
}

TEST_F(VatCodesTest, IntraForPurchaseCode12ChangesOnlyItsCharacter) {
    for (const std::string& types : {std::string("0120"), std::string("12012012012012012012")}) {
        auto lines = emptyTables();
        lines[t4Line(0, 0)] = types;
        writeTables(lines);
        Form f(t.session);
        f.open();
        f.scrollPurchases(9);  // row 3 shows code 12
        f.choosePurchaseType(3, 2);
        f.choosePurchaseType(2, 3);  // not in the list: ignored
        EXPECT_EQ(f.purchaseType(3), 2);
        f.confirm();
        ASSERT_TRUE(f.closed());

        std::string expected = core::padRight(types, 16);
        expected[11] = '2';
        EXPECT_EQ(savedTables()[t4Line(0, 0)], expected) << "from \"" << types << "\"";
    }
}

TEST_F(VatCodesTest, ScrollingOneSetLeavesTheOtherWhereItWas) {
    auto lines = emptyTables();
    for (int k = 1; k <= 16; ++k) {
        lines[t1Line(k, 0)] = std::to_string(k);
        lines[t2Line(k, 0)] = std::to_string(100 + k);
    }
    lines[t1Line(6, 0)] = "0.00";
    lines[t4Line(0, 0)] = "012 9x";
    writeTables(lines);
    form.open();
    EXPECT_EQ(form.purchaseType(0), 0);
    EXPECT_EQ(form.purchaseType(2), 2);
    EXPECT_EQ(form.purchaseType(3), Form::noSelection);
    EXPECT_EQ(form.purchaseType(4), Form::noSelection);  // "9" is not a type
    form.scrollPurchases(4);
    form.scrollSales(5);
    EXPECT_EQ(form.salesFirst(), 5);
    EXPECT_EQ(form.purchaseFirst(), 4);
    EXPECT_EQ(form.text(0), "5");
    EXPECT_EQ(form.text(6), "");  // a zero rate shows empty
    EXPECT_EQ(form.text(48), "104");
    EXPECT_EQ(form.purchaseType(0), Form::noSelection);
    EXPECT_EQ(form.salesRateLabel(0), "Codice iva 5");
    EXPECT_EQ(form.salesExemptionLabel(7), "Codice esente 12");
    EXPECT_EQ(form.purchaseRateLabel(0), "Codice iva 4");

    // Edits land on the code each row shows now.
    form.editText(12, "10");
    form.editText(49, "40");
    EXPECT_EQ(form.tables().t1.at(7, 0), "10");
    EXPECT_EQ(form.tables().t2.at(4, 1), "40");

    form.scrollSales(20);
    EXPECT_EQ(form.salesFirst(), 9);
    EXPECT_EQ(form.text(42), "16");
    EXPECT_EQ(form.purchaseFirst(), 4);
    confirmAndExpectClosed();
    EXPECT_EQ(savedTables()[t1Line(6, 0)], "0.00");
}

TEST_F(VatCodesTest, CompanyWideValuesAndPastedLineBreaks) {
    auto lines = emptyTables();
    lines[t3Line(0, 0)] = "Contributo cassa";
    lines[t3Line(0, 1)] = "01";
    writeTables(lines);
    form.open();
    EXPECT_EQ(form.text(80), "Contributo cassa");
    EXPECT_FALSE(form.tassa());
    EXPECT_TRUE(form.esig());

    form.editText(80, "  Cassa forense  ");
    EXPECT_EQ(form.text(80), "  Cassa forense  ");
    form.setTassa(true);
    form.editText(5, "art.10\r\ncomma 1");
    form.editText(50, "riga\nseconda");
    EXPECT_EQ(form.text(5), "art.10  comma 1");
    confirmAndExpectClosed();
    const auto saved = savedTables();
    ASSERT_EQ(saved.size(), 930u);
    EXPECT_EQ(saved[t3Line(0, 0)], "Cassa forense");
    EXPECT_EQ(saved[t3Line(0, 1)], "11" + blanks(18));
    EXPECT_EQ(saved[t3Line(1, 0)], "art.10  comma 1");
    EXPECT_EQ(saved[t4Line(1, 1)], stored("riga seconda", ""));
}

TEST_F(VatCodesTest, EnterMovesAlongTheBoxesWithItsExceptions) {
    form.open();
    EXPECT_EQ(form.focusedBox(), 0);
    const std::vector<std::pair<int, int>> moves = {
        {0, 1}, {4, 5}, {5, 6},                // along a sales row and on to the next
        {3, 82}, {82, 4}, {9, 83}, {83, 10},   // %CP -> %Agr -> description
        {45, 89}, {89, 46}, {47, 48}, {78, 79}  // last sales row, then the purchases
    };
    for (const auto& [from, to] : moves) {
        form.enterPressed(from);
        EXPECT_EQ(form.focusedBox(), to) << "Enter in text1 " << from;
    }
    for (int stays : {79, 80, 81}) {
        form.enterPressed(stays);
        EXPECT_EQ(form.focusedBox(), stays) << "Enter in text1 " << stays;
    }
    for (int outside : {-1, 90}) {
        form.enterPressed(outside);
        EXPECT_EQ(form.focusedBox(), 81) << "Enter in text1 " << outside;
    }
}

TEST_F(VatCodesTest, MissingFilesOpenEmptyAndAreWrittenWholeAtSave) {
    form.open();  // no tables file either
    for (int i = 0; i < Form::boxCount; ++i) EXPECT_EQ(form.text(i), "") << "text1 " << i;
    EXPECT_FALSE(form.tassa());
    form.editText(81, "1,5");
    form.editText(83, "6,4");
    confirmAndExpectClosed();

    std::string expected = "1,5\r\n\r\n6,4\r\n";
    for (int i = 0; i < 14; ++i) expected += "\r\n";
    EXPECT_EQ(t.drive.read(ilmFile), expected);
    const auto saved = savedTables();
    ASSERT_EQ(saved.size(), 930u);
    EXPECT_EQ(saved[t3Line(0, 1)], "00" + blanks(18));
    EXPECT_EQ(saved[t4Line(0, 0)], blanks(16));
}

TEST_F(VatCodesTest, PresentInterestFileFillsTheBoxesOfTheCodesShown) {
    writeTables(emptyTables());
    std::string ilm = "1\n";  // bare LF line ends are read too
    for (int k = 1; k <= 16; ++k) ilm += std::to_string(k) + ",5\n";
    ilm += "in piu'\n";
    t.drive.write(ilmFile, ilm);

    form.open();
    EXPECT_EQ(form.text(81), "1");
    EXPECT_EQ(form.text(82), "1,5");
    EXPECT_EQ(form.text(89), "8,5");
    form.scrollSales(9);
    EXPECT_EQ(form.text(82), "9,5");
    form.editText(89, "7");
    EXPECT_EQ(form.tables().t1.at(16, 4), "7");
    confirmAndExpectClosed();

    const auto saved = readBack(ilmFile);
    ASSERT_EQ(saved.size(), 17u);
    EXPECT_EQ(saved[0], "1");
    EXPECT_EQ(saved[1], "1,5");
    EXPECT_EQ(saved[15], "15,5");
    EXPECT_EQ(saved[16], "7");
}

TEST_F(VatCodesTest, FailedSaveIsReportedAndARetryStoresEachDescriptionOnce) {
    testing::FaultyFileSystem faulty(core::realFileSystem());
    core::Files files(faulty);
    core::Session session(t.drive.installation(), t.platform, t.clock, files);
    session.company().code = company;
    auto lines = emptyTables();
    lines[t3Line(1, 1)] = stored("Iva 22%", "3");
    writeTables(lines);
    const std::string before = t.drive.read(tabFile);

    Form f(session);
    f.open();
    f.editText(0, "22");
    faulty.failAt(1, true);
    f.confirm();
    EXPECT_FALSE(f.closed());
    ASSERT_EQ(t.platform.messages().size(), 1u);
    EXPECT_TRUE(core::startsWith(t.platform.messages()[0].text, Form::saveFailedText));
    EXPECT_EQ(t.platform.messages()[0].title, "Attenzione");
    EXPECT_EQ(t.drive.read(tabFile), before);
    // The window still shows the plain description, not its stored form.
    EXPECT_EQ(f.text(4), "Iva 22%");
    EXPECT_EQ(f.tables().t3.at(1, 1), "Iva 22%");

    faulty.reset();
    f.confirm();
    EXPECT_TRUE(f.closed());
    const auto saved = savedTables();
    EXPECT_EQ(saved[t3Line(1, 1)], stored("Iva 22%", "3"));
    EXPECT_EQ(saved[t1Line(1, 0)], "22");
}

TEST_F(VatCodesTest, GarbageFilesOpenAndSaveAsWholeFiles) {
    std::string garbage;
    for (int i = 0; i < 3000; ++i) garbage += static_cast<char>((i * 37) % 256);
    garbage += std::string(200000, '\xe0') + "\r\r\n\n" + std::string(5, '\0');
    t.drive.write(tabFile, garbage);
    t.drive.write(ilmFile, garbage);

    form.open();
    EXPECT_EQ(core::length(form.tables().t4.at(0, 0)), 16u);
    for (int row = 0; row < Form::visibleRows; ++row) form.choosePurchaseType(row, 1);
    form.scrollSales(9);
    form.scrollPurchases(9);
    for (int i = 0; i < Form::boxCount; ++i) form.editText(i, form.text(i));
    confirmAndExpectClosed();
    EXPECT_EQ(savedTables().size(), 930u);
    EXPECT_EQ(readBack(ilmFile).size(), 17u);
}

TEST_F(VatCodesTest, SavingLeavesEveryOtherTableAsItWas) {
    const auto lines = richTables();
    writeTables(lines);
    t.drive.write(ilmFile, "2\r\n4\r\n");
    form.open();
    form.editText(0, "22");
    form.editText(4, "Imponibile 22%");
    form.chooseSalesNature(0, 3);
    form.editText(82, "7,3");
    form.scrollPurchases(9);
    form.choosePurchaseType(3, 2);
    form.editText(48, "10");
    form.editText(81, "1");
    form.setEsig(true);
    confirmAndExpectClosed();

    const auto saved = savedTables();
    ASSERT_EQ(saved.size(), 930u);
    for (int i = 0; i < 930; ++i) {
        if (isVatLine(i)) continue;
        EXPECT_EQ(saved[i], lines[i]) << "line " << i + 1;
    }
    EXPECT_TRUE(testing::matchesGolden("vat_codes/kalvora.tab", t.drive.read(tabFile)));
    EXPECT_TRUE(testing::matchesGolden("vat_codes/kalvora.ilm", t.drive.read(ilmFile)));
}

}  // namespace
}  // namespace kalvora::tables
