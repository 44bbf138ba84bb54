// kalkfpa and kalvora.fpa: the record's bytes against a table of offsets written out here,
// the identifier check against codes worked out by hand, the order of the checks at confirm.
#include "support/test_session.h"
#include "tables/einvoice_issuer_form.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <tuple>

using namespace kalvora;
using tables::EInvoiceIssuerForm;

namespace {

constexpr const char* fpa = "kalwin/kalwin/kalaz0.000/kalvora.fpa";
constexpr std::size_t length = 2421;

// Where Text2 k lies in the record: offset and width, copied from the record's description.
constexpr std::size_t boxAt[25][2] = {
    {191, 60}, {251, 60}, {111, 80}, {73, 20},  {71, 2},   {93, 14},  {311, 60}, {371, 8}, {379, 5},
    {384, 60}, {444, 2},  {446, 2},  {448, 60}, {508, 8},  {516, 5},  {521, 60}, {581, 2}, {583, 2},
    {585, 12}, {597, 12}, {609, 98}, {5, 28},   {3, 2},    {39, 16},  {55, 12},
};

void put(std::string& record, std::size_t offset, std::size_t width, std::string value) {
    value.resize(width, ' ');
    record.replace(offset, width, value);
}

struct EInvoiceIssuerTest : ::testing::Test {
    kalvora::testing::TestSession test;
    EInvoiceIssuerForm form{test.session};
    EInvoiceIssuerTest() { test.drive.makeInstallation(0); }

    // A record that passes every check: a company with a numeric tax code.
    void fillValid() {
        form.editText(2, "Rossi Srl");
        form.editText(21, "00743110157");
        form.editText(22, "IT");
        form.editText(23, "00743110157");
        form.editText(24, "00743110157");
    }
};

TEST_F(EInvoiceIssuerTest, SaveWritesEveryFieldAtItsOffsetAndKeepsTheModulesBytes) {
    // Letters everywhere, and in the modules' fields bytes no text would hold; a second record
    // started after the first.
    std::string old(length + 7, ' ');
    for (std::size_t i = 0; i < old.size(); ++i) old[i] = char('a' + i % 26);
    for (std::size_t i : {33u, 38u, 709u, 1000u, 1220u, 1223u, 2020u}) old[i] = char(i % 2 ? 0xE8 : 0x00);
    test.drive.write(fpa, old);
    std::filesystem::create_directories(test.drive.path("kalwin/fatture"));

    ASSERT_TRUE(form.open());
    EXPECT_EQ(form.regime(), -1);  // letters are no index
    EXPECT_FALSE(form.rea());
    const std::string name81 = std::string(80, 'D') + "X", city61 = std::string(60, 'C') + "X";
    const std::string mail98 = std::string(91, 'm') + "@pec.it", address60(60, 'V'), id28(28, '7');
    const std::pair<int, std::string> typed[] = {
        {0, ""},         {1, ""},        {2, name81},     {3, "12345678901234567890"}, {4, "MI"},
        {5, "1000000,5"}, {6, address60}, {7, "123/ABCD"}, {8, "20121"},               {9, city61},
        {10, "MI"},      {11, "IT"},     {18, "+39021234567"}, {19, "0212345678901"}, {20, mail98},
        {21, id28},      {22, "it"},     {23, "00743110157"},  {24, " 00743110157 "},
    };
    for (const auto& [k, value] : typed) form.editText(k, value);
    form.chooseRegime(17);
    form.chooseSubjectKind(1);
    form.chooseVatRegister(8);
    form.setRea(true);
    form.setSingleShareholder(true);
    form.setInLiquidation(false);
    form.setSeparateNumbering(true);
    form.chooseStandard(0);
    form.chooser().setFolder(test.drive.path("kalwin/fatture"));
    form.browse(0);
    form.confirm();
    ASSERT_TRUE(form.closed()) << (test.platform.last() ? test.platform.last()->text : "");

    std::string want = old;
    for (const auto& [k, value] : typed) put(want, boxAt[k][0], boxAt[k][1], value.substr(0, boxAt[k][1]));
    const std::tuple<std::size_t, std::size_t, const char*> stored[] = {
        {0, 3, "999"}, {93, 14, "1000000.5"}, {3, 2, "IT"}, {55, 12, "00743110157"}, {67, 2, "17"}, {69, 1, "1"},
        {708, 1, "8"}, {70, 1, "1"}, {107, 2, "SU"}, {109, 2, "LN"}, {707, 1, "1"}, {1221, 2, "0"},
        {2221, 200, "\\kalwin\\fatture"}};
    for (const auto& [offset, width, value] : stored) put(want, offset, width, value);
    EXPECT_EQ(test.drive.read(fpa), want);
}

TEST_F(EInvoiceIssuerTest, NewRecordHasTheDefaults) {
    ASSERT_TRUE(form.open());
    fillValid();
    form.confirm();
    ASSERT_TRUE(form.closed());

    std::string want(length, ' ');
    const std::pair<std::size_t, const char*> defaults[] = {
        {0, "999"}, {3, "IT"}, {67, "0"},   {69, "2"},  {70, "0"},     {107, "SM"},   {109, "LN"},
        {707, "0"}, {708, "0"}, {1221, "1"}, {2021, "C:\\"}, {2221, "C:\\"},
        {111, "Rossi Srl"}, {5, "00743110157"}, {39, "00743110157"}, {55, "00743110157"},
    };
    for (const auto& [offset, value] : defaults) want.replace(offset, std::string_view(value).size(), value);
    EXPECT_EQ(test.drive.read(fpa), want);
}

TEST_F(EInvoiceIssuerTest, ShortFileGivesWhatItHoldsAndBlanksAfter) {
    test.drive.write(fpa, "999FR0123");
    ASSERT_TRUE(form.open());
    EXPECT_EQ(form.text(22), "FR");
    EXPECT_EQ(form.text(21), "0123");
    EXPECT_EQ(form.regime(), -1);
    EXPECT_EQ(form.folder(0), "");
}

TEST_F(EInvoiceIssuerTest, UnreadableFileIsToldAndNotReplaced) {
    std::filesystem::create_directories(test.drive.path(fpa));
    EXPECT_FALSE(form.open());
    ASSERT_EQ(test.platform.messages().size(), 1u);
    tables::openEInvoiceIssuer(test.session);  // no window: the fake would throw without a user
    EXPECT_TRUE(test.platform.modalsOpened.empty());
}

TEST(EInvoiceIdentifier, KnownCodes) {
    const std::pair<const char*, bool> codes[] = {
        // VAT numbers. 00743110157: odd digits 0+7+3+1+1 = 12, even 0,4,1,0,5 doubled 0+8+2+0+1
        // (10 - 9) = 11; 23 -> (10 - 3) % 10 = 7.
        {"00743110157", true}, {"00743110158", false},
        // 12345678903: 1+3+5+7+9 = 25, 2,4,6,8,0 -> 4+8+3+7+0 = 22; 47 -> 3.
        {"12345678903", true}, {"12345678901", false},
        // 19000000000: 1 + (18 - 9) = 10, so the check digit is (10 - 0) % 10 = 0, not 10.
        {"19000000000", true}, {"0074311015A", false}, {"007431101570", false}, {"0074311015", false},
        // Tax codes. RSSMRA85T10A562S: odd R8 S12 R8 8:19 T14 0:1 5:13 2:5 = 80, even S18 M12 A0 5 1 A0
        // 6 = 42; 122 % 26 = 18 -> S.
        {"RSSMRA85T10A562S", true}, {" RSSMRA85T10A562S ", true}, {"RSSMRA85T10A562T", false},
        // VRDGPP80A01H501U: odd V10 D7 P3 8:19 A1 1:0 5:13 1:0 = 53, even R17 G6 P15 0 0 H7 0 = 45;
        // 98 % 26 = 20 -> U.
        {"VRDGPP80A01H501U", true}, {"VRDGPP80A01H501S", false},
        // Homocodes of RSSMRA85T10A562S. Position 15 2 -> N: odd 80 - 5 + 20 = 95, 137 % 26 = 7 -> H.
        {"RSSMRA85T10A56NH", true}, {"RSSMRA85T10A56NS", false},
        // And position 14 6 -> S: even 42 - 6 + 18 = 54, 149 % 26 = 19 -> T.
        {"RSSMRA85T10A5SNT", true},
        // Position 7 8 -> U: odd 80 - 19 + 16 = 77, 119 % 26 = 15 -> P.
        {"RSSMRAU5T10A562P", true},
        // All seven: odd R8 S12 R8 U16 T14 L4 R8 N20 = 90, even S18 M12 A0 R17 M12 A0 S18 = 77;
        // 167 % 26 = 11 -> L.
        {"RSSMRAURTMLARSNL", true}, {"RSSMRAURTMLARSNT", false},
        {"RSSMRA85T10A56-S", false}, {"RSSMRA85T10A562", false}, {"", false},
    };
    for (const auto& [code, valid] : codes) EXPECT_EQ(tables::validIdentifier(code), valid) << code;
}

TEST(EInvoiceShareCapital, Normalised) {
    const std::pair<const char*, const char*> cases[] = {
        {"10000,5", "10000.5"}, {"10000", "10000.00"}, {"0", ""},   {"0,00", ""},
        {" 250 ", "250.00"},    {"abc", ""},            {"0,5", "0.5"}, {"1.5", "1.5"},
    };
    for (const auto& [typed, stored] : cases) EXPECT_EQ(tables::normalisedShareCapital(typed), stored) << typed;
}

TEST_F(EInvoiceIssuerTest, ChecksStopAtTheFirstFailureInOrder) {
    ASSERT_TRUE(form.open());
    form.editText(0, "Rossi");
    form.editText(2, "Rossi & C. Srl");
    form.editText(22, "");
    form.editText(23, "");
    form.editText(24, "");
    form.editText(9, "Città");
    form.editText(5, "1234567890123");
    const std::string fiscal = "nel riquadro 'Dati fiscali' non è ";
    // Each row mends what the previous check refused; the next check then speaks.
    const struct {
        std::function<void()> mend;
        std::string message;
        int focus;
    } steps[] = {
        {[] {}, "Non compilare contemporaneamente i campi 'Cognome' e 'Nome' e il campo 'Denominazione'", 2},
        {[&] { form.editText(0, ""); },
         "Il campo 'ID Codice' " + fiscal + "stato compilato: per i soggetti italiani residenti compilare questo "
         "campo con il codice fiscale", 21},
        {[&] { form.editText(21, "00743110157"); },
         "Il campo 'ID Paese' " + fiscal + "stato compilato: per i soggetti italiani residenti compilare questo "
         "campo con il IT", 22},
        {[&] { form.editText(22, "it"); }, "Il campo 'Codice fiscale' " + fiscal + "stato compilato", 23},
        {[&] { form.editText(23, "RSSMRA85T10A562T"); }, "Il campo 'Codice fiscale' " + fiscal + "corretto", 23},
        {[&] { form.editText(23, "RSSMRA85T10A562S"); }, "Il campo 'Partita iva' " + fiscal + "stato compilato", 24},
        {[&] { form.editText(24, "00743110158"); }, "Il campo 'Partita iva' " + fiscal + "corretto", 24},
        {[&] { form.editText(24, "00743110157"); },
         "Il campo 'Capitale Sociale' nel riquadro 'Dati fiscali' non può superare 14 caratteri", 5},
        {[&] { form.editText(5, "123,4"); },
         "Sono stati utilizzati caratteri non ammessi nel file XML (simboli o trattini)", 2},
        {[&] { form.editText(2, "Rossi e C. Srl"); },
         "Sono stati utilizzati caratteri non ammessi nel file XML (simboli o trattini)", 9},
    };
    for (const auto& step : steps) {
        step.mend();
        form.confirm();
        ASSERT_FALSE(form.closed());
        ASSERT_NE(test.platform.last(), nullptr);
        EXPECT_EQ(test.platform.last()->text, step.message);
        EXPECT_EQ(test.platform.last()->title, "Attenzione");
        EXPECT_EQ(test.platform.last()->icon, core::Icon::Critical);
        EXPECT_EQ(form.focusedText(), step.focus) << step.message;
    }
    EXPECT_FALSE(test.drive.exists(fpa));
    form.editText(9, "Citta");
    form.confirm();
    EXPECT_TRUE(form.closed() && test.drive.exists(fpa));
}

TEST_F(EInvoiceIssuerTest, FolderTooLongForItsFieldIsRefused) {
    const std::string deep = test.drive.path("kalwin/" + std::string(200, 'f'));
    std::filesystem::create_directories(deep);
    ASSERT_TRUE(form.open());
    form.chooser().setFolder(deep);
    form.browse(1);
    EXPECT_EQ(form.folder(1), "C:\\");
}

}  // namespace
