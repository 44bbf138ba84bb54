#include "printing/settings_check.h"

#include "printing/layout_files.h"
#include "support/test_session.h"
#include "tables/tables_model.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace kalvora::printing {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* tbl = "kalwin/kalwin/kalvora.tbl";
constexpr const char* tab = "kalwin/kalwin/kalaz0.000/kalvora.tab";
const std::string finished = "Verifica terminata.";
const std::string clean = "Nessun inconveniente rilevato.";
const std::string edgeAdvice = "E' consigliabile non superare il limite di 950 (in alcune stampanti 920).";
const std::string commaAdvice =
    "E' consigliabile sosituirla con un altro carattere in quanto potrebbe generale errori.";
const std::string rightEdge = "Il margine destro del tabulato potrebbe provocare errori in fase di stampa. ";
const std::string bottomEdge = "Il margine inferiore del tabulato potrebbe provocare errori in fase di stampa.";
const std::string correct =
    "Correggete le impostazioni seguendo le indicazioni riportate sopra oppure rivolgetevi al servizio di "
    "consulenza Kalvora.";
const std::string regionalAdvice =
    "Verificate le impostazioni internazionali (formato data e numeri) nelle impostazioni regionali del sistema.";

class SettingsCheckTest : public ::testing::Test {
protected:
    SettingsCheckTest() { test.drive.makeInstallation(0); }

    // kalvora.tbl with these edges and the font of style group 2, up to that group.
    void writeSettings(int right, int bottom, const std::string& headingFont = "Arial") const {
        Lines lines{" 30 ", " " + std::to_string(right) + " ", " 30 ", " " + std::to_string(bottom) + " ", " 2 "};
        for (int group = 0; group <= 2; ++group)
            lines.insert(lines.end(), {"0", group == 2 ? headingFont : "Arial", "9", "0", "0", "0"});
        test.drive.write(tbl, core::encodeLines(lines));
    }
    struct Cell {
        tables::Table tables::TablesFile::*table;
        int entry, column;
        std::string value;
    };
    // kalvora.tab holding these cells, every other value empty.
    void writeTables(const std::vector<Cell>& cells) const {
        tables::TablesFile mine;
        std::vector<tables::TablePart> parts;
        for (const Cell& c : cells) {
            (mine.*c.table).at(c.entry, c.column) = c.value;
            parts.push_back({c.table, c.entry, c.entry, c.column, c.column});
        }
        test.drive.write(tab, tables::tablesBytes(tables::TablesFile{}, mine, parts));
    }
    Lines run() {
        form.run();
        return form.list();
    }

    testing::TestSession test;
    SettingsCheckForm form{test.session};
};

// Edges up to 950 pass, above it right is listed before bottom; the regional texts come first.
TEST_F(SettingsCheckTest, EdgesAndRegionalFormats) {
    const std::string date = "Il formato data non è corretto. ", number = "La formattazione dei numeri non è corretta. ";
    const struct {
        int right, bottom;
        std::string date, number;
        Lines findings;
    } cases[] = {
        {950, 950, "31/12/2014", " 1.234,50 ", {}},
        {951, 950, "31/12/2014", "1.234,50", {rightEdge, edgeAdvice}},
        {950, 951, "31/12/2014", "1.234,50", {bottomEdge, edgeAdvice}},
        {1000, 990, "31/12/2014", "1.234,50", {rightEdge, edgeAdvice, bottomEdge, edgeAdvice}},
        {950, 950, "31/12/14", "1,234.50", {date, regionalAdvice, number, regionalAdvice}},
        {1000, 950, "31/12/2014", "1234,50", {number, regionalAdvice, rightEdge, edgeAdvice}},  // regional first
    };
    EXPECT_EQ(run(), (Lines{finished, clean}));  // a new installation
    for (const auto& c : cases) {
        writeSettings(c.right, c.bottom);
        test.platform.regionalDateText = c.date;
        test.platform.regionalNumberText = c.number;
        Lines expected = c.findings;
        expected.insert(expected.end(), {finished, c.findings.empty() ? clean : correct});
        EXPECT_EQ(run(), expected) << c.right << " " << c.bottom << " " << c.date << " " << c.number;
    }
}

TEST_F(SettingsCheckTest, FontFailuresNameWhereTheFontIsUsedAndComeInOrder) {
    test.platform.unprintableFonts = {"Fantasia", "Ghost"};
    writeSettings(950, 950, "Fantasia");
    Placements placements;
    placements.row[3] = {"110055", "9", "Fantasia", "0", "0", " 0"};
    placements.row[4] = {"000000", "9", "Ghost", "0", "0", " 0"};  // not printed: not tried
    ASSERT_TRUE(writePlacements(test.files, test.session.installation(), 0, 6, placements));
    FormGrid grid;
    grid.count = 3;
    grid.elements[1] = {"Spett.", "Fantasia", 3, 10, 10, 0, 0, 0, 9, 0, 0};
    grid.elements[2] = {"", "Ghost", 1, 10, 10, 50, 10, 0, 0, 0, 0};  // a line: no font
    grid.elements[3] = {"Totale", "Arial", 3, 10, 20, 0, 0, 0, 9, 0, 0};
    grid.elements[4] = {"Oltre", "Ghost", 3, 10, 30, 0, 0, 0, 9, 0, 0};  // past the count
    ASSERT_TRUE(writeFormGrid(test.files, test.session.installation(), 0, 1, grid, GridWriter::Designer));
    writeTables({{&tables::TablesFile::t5, 2, 0, "30 gg, fine mese"}});
    test.platform.regionalDateText = "2014-12-31";

    const Lines list = run();
    EXPECT_EQ(list, (Lines{
        "Il formato data non è corretto. ", regionalAdvice,
        "Il font Fantasia definito nell'impostazione del tabulato non esiste oppure non è stampabile.",
        "Il font Fantasia definito nel modulo ordine clienti non esiste oppure non è stampabile.",
        "Il font Fantasia definito nel modulo personalizzato fattura non esiste oppure non è stampabile.",
        "Nella tabella dei codici di pagamento è stata inserita una ',' (virgola).", commaAdvice,
        finished, correct}));
    // Each font is asked of the printer once, and a font nobody prints with never.
    EXPECT_EQ(std::count(test.platform.fontsTried.begin(), test.platform.fontsTried.end(), "Fantasia"), 1);
    EXPECT_EQ(std::count(test.platform.fontsTried.begin(), test.platform.fontsTried.end(), "Ghost"), 0);

    // A second run lists the same again, not twice as much.
    EXPECT_EQ(run(), list);
}

TEST_F(SettingsCheckTest, EachTableWithACommaInACodeGivesItsTwoLines) {
    using T = tables::TablesFile;
    writeTables({{&T::t3, 16, 0, "Art. 8, c.1"},
                 {&T::t4, 1, 1, "Operazione non imponibile, art. 8"},  // register text: free
                 {&T::t8, 30, 4, "Banca,Roma"},
                 {&T::t7, 100, 1, "Merci, vendite"},
                 {&T::t9, 1, 0, "1,2"}});  // causals are not looked at
    EXPECT_EQ(run(), (Lines{
        "Nella tabella dei codici di esenzione vendite è stata inserita una ',' (virgola).", commaAdvice,
        "Nella tabella delle banche è stata inserita una ',' (virgola).", commaAdvice,
        "Nella tabella della tipologia fatture è stata inserita una ',' (virgola).", commaAdvice,
        finished, correct}));
}

}  // namespace
}  // namespace kalvora::printing
