#include "printing/field_placement.h"

#include "core/files.h"
#include "printing/layout_designer.h"
#include "support/faulty_file_system.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kalvora::printing {
namespace {

using C = PlacementColumn;
using Kind = core::PrintOp::Kind;
const std::string folder = "kalwin/kalwin/kalaz0.000/";

// zellay (code 5 unless said: fields 1..52, markers 53 and 54, columns 55..62) on a company
// whose placement file holds `positions`.
struct Window {
    explicit Window(DocumentType type = 5, const std::vector<std::pair<int, std::string>>& positions = {}) {
        test.drive.makeInstallation(0);
        Placements p = defaultPlacements(type);
        for (const auto& [row, position] : positions) p.row[static_cast<std::size_t>(row)].position = position;
        if (!positions.empty())
            test.drive.write(folder + placementFileName(type), core::encodeLines(placementLines(p)));
        form = std::make_unique<FieldPlacementForm>(test.session, type);
        form->open();
    }
    const std::string& pos(int r) const { return form->placements().row[static_cast<std::size_t>(r)].position; }
    std::vector<std::string> asked() const {
        std::vector<std::string> out;
        for (const testing::Shown& s : test.platform.questions()) out.push_back(s.title + ": " + s.text);
        return out;
    }
    std::string at(const core::PrintOp& op) const {
        return op.text + " " + std::to_string(op.x1) + " " + std::to_string(op.y1);
    }

    testing::TestSession test;
    std::unique_ptr<FieldPlacementForm> form;
};

TEST(FieldPlacement, OpeningWritesOnlyAMissingGrid) {
    Window w;
    FieldPlacementForm& f = *w.form;
    EXPECT_TRUE(testing::matchesGolden("kalvora.lkb", w.test.drive.read(folder + "kalvora.lkb")));
    EXPECT_TRUE(f.bianca() && f.rows() == 62);
    EXPECT_EQ(f.cell(33, C::Caption) + "|" + f.cell(33, C::X) + "|" + f.cell(53, C::X) + "|" + f.cell(53, C::Y) + "|" +
                  f.cell(55, C::X) + "|" + f.cell(55, C::Y) + "|" + f.cell(1, C::Font),
              "Numero documento|000||000|000||Arial (9)");

    // A grid already there is kept byte for byte; an empty one leaves bianca unticked.
    const std::string designed = core::encodeLines(formGridLines(FormGrid{}, GridWriter::Designer));
    w.test.drive.write(folder + "kalvora.lkb", designed);
    f.open();
    EXPECT_EQ(w.test.drive.read(folder + "kalvora.lkb"), designed);
    EXPECT_FALSE(f.bianca());

    // A grid that is there but cannot be read is said and left alone, and nothing stands in
    // for it; one that cannot be written is said, and used all the same.
    w.test.drive.write(folder + "kalvora.lkf/x", "");
    FieldPlacementForm invoice(w.test.session, 1);
    invoice.open();
    EXPECT_TRUE(invoice.grid().count == 0 && !invoice.bianca());
    EXPECT_EQ(w.test.drive.read(folder + "kalvora.lkf/x"), "");
    ASSERT_EQ(w.test.platform.messages().size(), 1u);
    EXPECT_EQ(w.test.platform.last()->text, "Impossibile leggere il file kalvora.lkf: la griglia del modulo non sarà stampata.");
    testing::FaultyFileSystem faulty{core::realFileSystem()};
    core::Files files{faulty};
    core::Session session{w.test.drive.installation(), w.test.platform, w.test.clock, files};
    FieldPlacementForm order(session, 6);
    faulty.failAt(1, true);
    order.open();
    EXPECT_GT(order.grid().count, 0);
    EXPECT_EQ(w.test.platform.messages().size(), 2u);
}

TEST(FieldPlacement, TypedCoordinatesAreStoredAtOnce) {
    struct Case {
        int row;
        C column;
        std::string before;
        std::vector<std::string> typed;
        std::string after;  // position / dato
    };
    const Case cases[] = {
        {1, C::X, "000000", {"5"}, "005000 / 5"},
        {1, C::Y, "005000", {"9", "95"}, "005095 / 95"},
        {1, C::Y, "005095", {"1234", "ab", "7x"}, "005095 / 095"},  // refused as typed
        {1, C::X, "123456", {""}, "000456 / "},
        {1, C::Y, "12", {"7"}, "012007 / 7"},  // a short position keeps its X
        {1, C::X, "abcdefgh", {"3"}, "003defgh / 3"},
        {53, C::Y, "000", {"128"}, "128 / 128"},  // marker
        {55, C::X, "000", {"40"}, "040 / 40"},    // column
    };
    for (const Case& c : cases) {
        Window w(5, {{c.row, c.before}});
        w.form->clickCell(c.row, c.column);
        for (const std::string& t : c.typed) w.form->editEntry(t);
        EXPECT_EQ(w.pos(c.row) + " / " + w.form->entryText(), c.after) << c.before;
        EXPECT_TRUE(w.form->entryVisible());
        w.form->leaveEntry();
        EXPECT_FALSE(w.form->entryVisible());
    }
    // The empty cell of a marker or a column has nothing to edit.
    Window w;
    for (auto [row, column] : {std::pair{53, C::X}, {55, C::Y}, {1, C::Caption}, {63, C::X}}) {
        w.form->clickCell(row, column);
        EXPECT_FALSE(w.form->entryVisible()) << row;
    }
}

TEST(FieldPlacement, FontAndColourDialogs) {
    Window w;
    w.test.platform.fontAnswers = {core::PrintFont{"Courier New", 10.5, true, false}};
    w.test.platform.colourAnswers = {255};
    for (C column : {C::Font, C::Colour, C::Font}) w.form->clickCell(7, column);  // the last one cancelled
    const Placement& p = w.form->placements().row[7];
    EXPECT_EQ(p.font + "|" + p.size + "|" + p.bold + "|" + p.italic + "|" + p.colour, "Courier New|10.5|1|0| 255");
    EXPECT_TRUE(w.form->cell(7, C::Font) == "Courier New (10.5)" && w.form->colour(7) == 255);
    EXPECT_EQ(w.test.platform.fontPresets,
              (std::vector<core::PrintFont>{{"Arial", 9, false, false}, {"Courier New", 10.5, true, false}}));
    EXPECT_EQ(w.test.platform.dialogTitles[1], "Seleziona il colore");
    EXPECT_EQ(w.test.platform.dialogTitles[2], "Seleziona il tipo di carattere");
}

TEST(FieldPlacement, ResetAndDefaultPlacementsAskFirst) {
    const std::string confirm = "Modulo di default: Confermi l'impostazione del modulo di default (le coordinate di "
                                "stampa verranno calcolate automaticamente)?";
    const std::string withholding = "Modulo di default: Desideri impostare un modulo fattura con spazio per "
                                    "l'esposizione della ritenuta d'acconto?";
    struct Case {
        DocumentType type;
        std::deque<bool> answers;
        std::vector<std::string> asked;
        std::string rows69to71and80;
    };
    const Case cases[] = {
        {1, {false}, {confirm}, "111111 111111 111111 111111"},
        {1, {true, false}, {confirm, withholding}, "000000 000000 000000 190262"},
        {1, {true, true}, {confirm, withholding}, "065265 115265 190262 190250"},
        {2, {true, true}, {confirm}, "000000 000000 000000 190262"},
    };
    for (const Case& c : cases) {
        Window w(c.type, {{69, "111111"}, {70, "111111"}, {71, "111111"}, {80, "111111"}});
        w.test.platform.answers = c.answers;
        w.form->button(3);
        EXPECT_EQ(w.asked(), c.asked);
        EXPECT_EQ(w.pos(69) + " " + w.pos(70) + " " + w.pos(71) + " " + w.pos(80), c.rows69to71and80);
    }

    Window w(5, {{1, "005095"}, {53, "128"}});
    w.test.platform.answers = {false, true};
    w.form->button(2);
    EXPECT_EQ(w.pos(1), "005095");
    w.form->button(2);
    EXPECT_EQ(w.pos(1) + " " + w.pos(53) + " " + w.pos(62), "000000 000 000");
    EXPECT_EQ(w.asked(), std::vector<std::string>(2, "Azzeramento coordinate: Confermi?"));
}

TEST(FieldPlacement, SaveWritesPlacementsAndMailCloseWritesNothing) {
    for (int button : {0, 1}) {
        Window w;
        w.form->clickCell(1, C::X);
        w.form->editEntry("5");
        w.form->editSubject("DDT n.\r1");
        w.form->editBody("Gentile cliente,\nin allegato.");
        w.form->button(button);
        EXPECT_TRUE(w.form->closed());
        const auto lines = w.test.files.readLines(w.test.drive.path(folder + "kalvora.lyb"));
        if (button == 0) {
            EXPECT_FALSE(lines || w.test.drive.exists(folder + "kalvora.lxb"));
            continue;
        }
        ASSERT_TRUE(lines && lines->size() == 600u);
        EXPECT_EQ((*lines)[0] + "|" + (*lines)[5] + "|" + (*lines)[6 * 52], "005000| 0|000");
        EXPECT_EQ(w.test.drive.read(folder + "kalvora.lxb"), "DDT n. 1\r\nGentile cliente,\r\nin allegato.\r\n");
    }
    Window w;
    w.test.drive.write(folder + "kalvora.lyb/x", "");  // a placement file that cannot be replaced
    w.form->button(1);
    EXPECT_FALSE(w.form->closed());
    EXPECT_EQ(w.test.platform.messages().size(), 1u);
}

TEST(FieldPlacement, CoordinateListing) {
    Window w(5, {{33, "005095"}});
    w.test.session.company().listing.styles[3].size = 11;  // the cells keep their own size 9
    w.test.platform.answers = {false, true};
    w.form->button(4);
    EXPECT_TRUE(w.test.platform.printJobs.empty());
    w.form->button(4);
    EXPECT_EQ(w.asked().back(), "Stampa coordinate: Iniziare la stampa?");
    ASSERT_EQ(w.test.platform.printJobs.size(), 1u);
    const auto& job = w.test.platform.printJobs[0];
    EXPECT_TRUE(job.title == "Coordinate modulo documento di trasporto" && job.ended);
    EXPECT_TRUE(w.test.platform.busyCalls == 2 && !w.test.platform.busy);  // under the busy pointer
    // The texts on the first page's line of `text` (they come left to right); the cells in size 9.
    const auto line = [&job](const std::string& text) {
        const auto at = std::find_if(job.ops.begin(), job.ops.end(), [&](auto& op) { return op.text == text; });
        std::string out;
        const auto end =
            std::find_if(job.ops.begin(), job.ops.end(), [](auto& op) { return op.kind == Kind::NewPage; });
        for (auto op = job.ops.begin(); at < end && op != end; ++op)
            if (op->kind == Kind::Text && op->y1 == at->y1 && (op->font.size == 9 || text == "Numero"))
                out += op->text + "|";
        return out;
    };
    EXPECT_EQ(line("Numero"), "Numero|Descrizione del campo|Orizzontale|Verticale|Carattere|");
    EXPECT_EQ(line("Numero documento"), "33|Numero documento|5|95|Arial (9)|");
    EXPECT_EQ(line("Numero pagina"), "35|Numero pagina|Arial (9)|");
}

TEST(FieldPlacement, SamplePrint) {
    Window w(5, {{33, "005095"}, {34, "000095"}, {36, "abc040"}, {53, "128"}, {55, "005"}, {56, "000"}});
    w.test.platform.fontAnswers = {core::PrintFont{"Times", 12, false, true}};
    w.test.platform.colourAnswers = {0xFF0000};
    w.form->clickCell(33, C::Font);
    w.form->clickCell(33, C::Colour);
    for (bool bianca : {true, false}) {
        w.form->setBianca(bianca);
        w.test.platform.answers = {true};
        w.form->button(5);
        const auto& job = w.test.platform.printJobs.back();
        EXPECT_TRUE(job.title == "Stampa esempio" && job.ended && !w.test.platform.busy);
        // Grid first when bianca: its 33 elements (texts in size 6), then two captions.
        ASSERT_EQ(job.ops.size(), bianca ? 35u : 2u);
        EXPECT_EQ(job.ops.front().kind, bianca ? Kind::Rectangle : Kind::Text);
        const core::PrintOp& field = job.ops[job.ops.size() - 2];
        EXPECT_EQ(w.at(field), "Numero documento 5.000000 95.000000");
        EXPECT_TRUE(field.font == (core::PrintFont{"Times", 12, false, true}) && field.colour == 0xFF0000);
        EXPECT_EQ(w.at(job.ops.back()), "Codice articolo 5.000000 128.000000");
    }
    EXPECT_EQ(w.test.platform.busyCalls, 4);
    EXPECT_EQ(w.asked().back(), "Stampa esempio: Iniziare la stampa?");
}

TEST(FieldPlacement, OpensModallyAndRereadsTheGridAfterTheDesigner) {
    testing::TestSession test;
    test.drive.makeInstallation(0);
    openFieldPlacement(test.session, 4);
    EXPECT_TRUE(test.platform.modalsOpened.empty() && test.platform.messages().size() == 1u);

    test.platform.modalHandlers["zellyy"] = [&](core::Form& designer) {
        test.platform.answers = {true};
        dynamic_cast<LayoutDesignerForm&>(designer).button(4);  // clear all, then save
        dynamic_cast<LayoutDesignerForm&>(designer).button(1);
    };
    test.platform.modalHandlers["zellay"] = [&](core::Form& form) {
        auto& f = dynamic_cast<FieldPlacementForm&>(form);
        EXPECT_EQ(f.grid().count, 33);
        f.customiseGrid();
        EXPECT_EQ(f.grid().count, 0);
        f.button(0);
    };
    openFieldPlacement(test.session, 5);
    EXPECT_EQ(test.platform.modalsOpened, (std::vector<std::string>{"zellay", "zellyy"}));
}

}  // namespace
}  // namespace kalvora::printing
