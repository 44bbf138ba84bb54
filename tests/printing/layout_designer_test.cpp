#include "printing/layout_designer.h"

#include "core/text.h"
#include "support/faulty_file_system.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

namespace kalvora::printing {
namespace {

using F = DesignerFrame;
const std::string gridFile = "kalwin/kalwin/kalaz0.000/kalvora.lkf";

GridElement line(double x1, double y1, double x2, double y2) { return {"", "", 1, x1, y1, x2, y2, 0, 0, 0, 0}; }
GridElement rect(double x1, double y1, double x2, double y2) { return {"", "", 2, x1, y1, x2, y2, 0, 1, 0, 0}; }
GridElement text(double x, double y, std::string t) { return {std::move(t), "Arial", 3, x, y, 0, 0, 0, 9, 0, 0}; }
GridElement picture(double x, double y, std::string path) { return {std::move(path), "", 4, x, y, 40, 20, 0, 0, 0, 0}; }

struct Designer {
    explicit Designer(const std::vector<GridElement>& elements = {}) {
        test.drive.makeInstallation(0);
        if (!elements.empty()) {
            FormGrid g;
            for (const GridElement& e : elements) g.elements[static_cast<std::size_t>(++g.count)] = e;
            test.drive.write(gridFile, core::encodeLines(formGridLines(g, GridWriter::Designer)));
        }
        form.open();
    }
    const GridElement& slot(int i) const { return form.grid().elements[static_cast<std::size_t>(i)]; }
    void type(F frame, const std::vector<std::string>& values) {
        for (std::size_t i = 0; i < values.size(); ++i) {
            form.editCoordinate(frame, static_cast<int>(i), values[i]);
            form.leaveCoordinate(frame, static_cast<int>(i));
        }
    }

    testing::TestSession test;
    LayoutDesignerForm form{test.session, 1};
};

std::vector<double> coords(const GridElement& e) { return {e.x1, e.y1, e.x2, e.y2}; }

TEST(LayoutDesigner, FieldsAreCorrectedOnLeavingThem) {
    struct Case { F frame; int index; std::string typed, kept; };
    const std::vector<Case> cases = {
        {F::Linea, 0, "-5", "0"},      {F::Linea, 1, "-0.5", "0"},     {F::Linea, 2, "250", "210"},
        {F::Linea, 3, "300", "297"},   {F::Linea, 2, "-3", "-3"},      {F::Linea, 0, "", ""},
        {F::Rettangolo, 1, "-1", "0"}, {F::Rettangolo, 3, "297", "297"}, {F::Rettangolo, 2, "12abc", "12abc"},
        {F::Testo, 0, "-1", "0"},      {F::Testo, 2, "-1", "-1"},      {F::Logo, 0, "-2", "0"},
        {F::Logo, 2, "0.5", "1"},      {F::Logo, 3, "", "1"},          {F::Logo, 3, "300", "300"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.frame)) + "/" + std::to_string(c.index) + " " + c.typed);
        Designer d;
        d.form.newElement(static_cast<int>(c.frame) - 1);
        d.type(c.frame, {});
        d.form.editCoordinate(c.frame, c.index, c.typed);
        d.form.leaveCoordinate(c.frame, c.index);
        EXPECT_EQ(d.form.coordinate(c.frame, c.index), c.kept);
    }
}

TEST(LayoutDesigner, ALineOffThePageIsCorrectedThenNormalised) {
    Designer d;
    d.form.newElement(0);
    EXPECT_EQ(d.form.frame(), F::Linea);
    EXPECT_EQ(d.form.focusField(), 0);
    d.type(F::Linea, {"0", "0", "250", "300"});
    EXPECT_EQ(d.form.coordinate(F::Linea, 2) + " " + d.form.coordinate(F::Linea, 3), "210 297");
    d.form.confirm(0);
    EXPECT_EQ(d.form.grid().count, 1);
    EXPECT_EQ(coords(d.slot(1)), (std::vector<double>{1, 1, 210, 297}));
    EXPECT_EQ(d.form.entries(), std::vector<std::string>{"001 Linea (X1= 1; Y1= 1; X2= 210; Y2= 297"});
    EXPECT_EQ(d.form.frame(), F::Nulla);
    EXPECT_FALSE(d.test.drive.exists(gridFile));  // nothing written before save
}

TEST(LayoutDesigner, ListEntriesAndOpeningNormalises) {
    EXPECT_EQ(LayoutDesignerForm::entryText(1, line(2, 45, 95, 80)), "001 Linea (X1= 2; Y1= 45; X2= 95; Y2= 80");
    EXPECT_EQ(LayoutDesignerForm::entryText(37, rect(0.5, -3, 10, 20)),
              "037 Rettangolo (X1= .5; Y1=-3; X2= 10; Y2= 20");
    EXPECT_EQ(LayoutDesignerForm::entryText(12, text(10, 20, "Città")), "012 Testo (X1= 10; Y1= 20); Città");
    EXPECT_EQ(LayoutDesignerForm::entryText(500, picture(3, 4, "/foto/logo.bmp")),
              "500 Bitmap (X1= 3; Y1= 4); /foto/logo.bmp");
    Designer d({line(0, -4, 400, 500), picture(0.5, 2, "/x.bmp")});
    EXPECT_EQ(coords(d.slot(1)), (std::vector<double>{1, 1, 210, 297}));
    EXPECT_EQ(coords(d.slot(2)), (std::vector<double>{1, 2, 40, 20}));
    ASSERT_EQ(d.form.entries().size(), 2u);
    EXPECT_EQ(d.form.title(), "Personalizza griglia modulo fattura");
}

TEST(LayoutDesigner, ShiftingStopsAtTheEdgesAndNeverMovesPictures) {
    struct Case { int index; std::vector<double> line, text; };
    const std::vector<Case> cases = {
        {4, {1, 5, 209, 297}, {9, 20}},  // X1 1 -> 0 -> normalised back to 1
        {5, {2, 4, 210, 296}, {10, 19}},
        {6, {2, 6, 210, 297}, {10, 21}},
        {7, {3, 5, 210, 297}, {11, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        Designer d({line(2, 5, 210, 297), text(10, 20, "Spett."), picture(50, 60, "/logo.bmp")});
        d.form.shift(c.index);
        EXPECT_EQ(coords(d.slot(1)), c.line);
        EXPECT_EQ((std::vector<double>{d.slot(2).x1, d.slot(2).y1}), c.text);
        EXPECT_EQ(d.slot(2).x2 + d.slot(2).y2, 0);
        EXPECT_EQ(d.slot(3), picture(50, 60, "/logo.bmp"));
    }
}

TEST(LayoutDesigner, SelectingModifiesAndDeletingMovesTheRestDown) {
    Designer d({line(2, 45, 95, 80), rect(5, 5, 50, 50), text(10, 20, "Spett.")});
    d.form.selectEntry(1);
    EXPECT_EQ(d.form.frame(), F::Rettangolo);
    EXPECT_TRUE(d.form.mode() == 1 && d.form.deleteVisible() && d.form.currentSlot() == 2);
    EXPECT_EQ(d.form.coordinate(F::Rettangolo, 2), "50");
    EXPECT_TRUE(d.form.filled());
    d.form.setFilled(false);
    d.form.editCoordinate(F::Rettangolo, 2, "60.5");
    d.form.confirm(1);
    EXPECT_EQ(d.form.grid().count, 3);
    EXPECT_EQ(d.slot(2), (GridElement{"", "", 2, 5, 5, 60.5, 50, 0, 0, 0, 0}));

    d.form.remove(0);  // nothing selected any more
    EXPECT_EQ(d.form.grid().count, 3);
    d.form.selectSlot(1);
    d.form.remove(0);
    EXPECT_EQ(d.form.grid().count, 2);
    EXPECT_EQ(d.slot(1).kind, 2);
    EXPECT_EQ(d.slot(2), text(10, 20, "Spett."));
    EXPECT_EQ(d.slot(3), GridElement{});
    EXPECT_EQ(d.form.frame(), F::Nulla);
    EXPECT_EQ(d.form.entries().front().substr(0, 15), "001 Rettangolo ");
}

TEST(LayoutDesigner, TextStyleAndColourChoices) {
    Designer d;
    d.form.newElement(2);
    d.type(F::Testo, {"2", "46", "Fattura\nnumero"});
    d.form.confirm(2);
    EXPECT_EQ(d.slot(1), (GridElement{"Fattura numero", "Arial", 3, 2, 46, 0, 0, 0, 9, 0, 0}));

    d.test.platform.colourAnswers = {255 + 65536};
    d.test.platform.fontAnswers = {core::PrintFont{"DejaVu Serif", 10.5, true, false}};
    d.form.selectSlot(1);
    d.form.chooseColour(2);
    d.form.chooseFont();
    EXPECT_EQ(d.test.platform.fontPresets.back(), (core::PrintFont{"Arial", 9, false, false}));
    EXPECT_EQ(d.test.platform.dialogTitles,
              (std::vector<std::string>{"Seleziona il colore", "Seleziona il tipo di carattere"}));
    EXPECT_EQ(d.form.fontCaption(), "DejaVu Serif");
    EXPECT_EQ(d.form.pendingStyle(), (PendingStyle{"DejaVu Serif", "10.5", "1", "0"}));
    d.form.chooseFont();  // cancelled: nothing changes
    EXPECT_EQ(d.form.pendingStyle().fontName, "DejaVu Serif");
    d.form.confirm(2);
    EXPECT_EQ(d.slot(1), (GridElement{"Fattura numero", "DejaVu Serif", 3, 2, 46, 0, 0, 65791, 10.5, 1, 0}));

    d.form.newElement(2);  // a new text starts from the default style again
    EXPECT_EQ(d.form.pendingStyle(), PendingStyle{});
    EXPECT_EQ(d.form.enterCoordinate(F::Testo, 0), 1);
    EXPECT_EQ(d.form.enterCoordinate(F::Testo, 2), 2);
    EXPECT_EQ(d.form.enterCoordinate(F::Logo, 3), 3);
}

TEST(LayoutDesigner, PicturePathRules) {
    // "@" stands for the drive root.
    struct Case { std::string chosen; bool accepted; };
    const std::vector<Case> cases = {
        {"@/kalwin/Logo.BMP", true},    {"  @/kalwin/foto.jpg ", true}, {"kalwin/foto.jpg", false},
        {"@/kalwin/foto.png", false},   {"@/kalwin/manca.jpg", false},  {"@/kalwin/cartella.jpg", false},
        {"@/kalwin/*.jpg", false},      {"@/kalwin/логотип.jpg", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        Designer d;
        for (const char* name : {"kalwin/Logo.BMP", "kalwin/foto.jpg", "kalwin/foto.png", "kalwin/*.jpg",
                                 "kalwin/логотип.jpg"})
            d.test.drive.write(name, "x");
        d.test.drive.write("kalwin/cartella.jpg/x", "x");
        std::string chosen = c.chosen;
        if (const auto at = chosen.find('@'); at != std::string::npos) chosen.replace(at, 1, d.test.drive.root());
        d.test.platform.fileAnswers = {chosen};
        d.form.newElement(3);
        d.form.choosePicture();
        EXPECT_EQ(d.test.platform.fileFilters, std::vector<std::string>{"*.bmp; *.jpg"});
        EXPECT_TRUE(d.test.platform.shown.empty());
        EXPECT_EQ(!d.form.pictureFile().empty(), c.accepted);
        if (!c.accepted) continue;
        // Kept in the suite's form, and found again for the previews.
        EXPECT_TRUE(core::startsWith(d.form.pictureFile(), "\\kalwin\\"));
        EXPECT_EQ(d.form.pictureOnThisSystem(d.form.pictureFile()), core::trim(chosen));
        d.type(F::Logo, {"10", "10", "0", "20"});
        d.form.confirm(3);
        EXPECT_EQ(d.slot(1).text, d.form.entries()[0].substr(d.form.entries()[0].find("); ") + 3));
        EXPECT_EQ(d.slot(1).x2, 1);
    }
}

TEST(LayoutDesigner, TheFiveHundredAndFirstElementIsRefused) {
    Designer d(std::vector<GridElement>(500, text(5, 5, "x")));
    d.form.newElement(0);
    d.type(F::Linea, {"1", "2", "3", "4"});
    d.form.confirm(0);
    EXPECT_EQ(d.form.grid().count, 500);
    EXPECT_EQ(d.slot(500), text(5, 5, "x"));
    ASSERT_EQ(d.test.platform.messages().size(), 1u);
    EXPECT_EQ(d.test.platform.last()->text, "Il modulo contiene già 500 oggetti: non è possibile aggiungerne altri.");
    EXPECT_EQ(d.test.platform.last()->title, "Attenzione");
}

TEST(LayoutDesigner, ExitClearSaveAndTestPrint) {
    Designer d({line(2, 45, 95, 80)});
    const std::string before = d.test.drive.read(gridFile);
    d.test.platform.answers = {false, false};
    d.form.button(0);
    EXPECT_FALSE(d.form.closed());
    d.form.button(4);  // No: nothing cleared
    EXPECT_EQ(d.form.grid().count, 1);
    d.test.platform.answers = {true};
    d.form.button(3);
    ASSERT_EQ(d.test.platform.printJobs.size(), 1u);
    EXPECT_EQ(d.test.platform.printJobs[0].ops.size(), 1u);
    d.form.button(2);  // no default layouts offered yet
    EXPECT_FALSE(d.form.defaultLayoutAvailable());
    EXPECT_EQ(d.form.grid().count, 1);

    d.test.platform.answers = {true, true};
    d.form.button(4);
    EXPECT_TRUE(d.form.entries().empty());
    d.form.button(0);
    EXPECT_TRUE(d.form.closed());
    EXPECT_EQ(d.test.drive.read(gridFile), before);
    const auto q = d.test.platform.questions();
    EXPECT_EQ(q[0].text + "|" + q[0].title, "Uscire senza salvare le modifiche|Attenzione");
    EXPECT_EQ(q[1].text + "|" + q[1].title, "Confermi l'azzeramento di tutto il modulo?|Azzera tutto");

    Designer cleared({line(2, 45, 95, 80)});
    cleared.test.platform.answers = {true};
    cleared.form.button(4);
    cleared.form.button(1);
    EXPECT_TRUE(cleared.form.closed());
    const auto lines = cleared.test.files.readLines(cleared.test.drive.path(gridFile));
    ASSERT_TRUE(lines && lines->size() == 5501u);
    const FormGrid written = parseFormGrid(*lines);
    EXPECT_EQ(written.count, 0);
    EXPECT_EQ(written.elements, FormGrid{}.elements);
}

TEST(LayoutDesigner, AFailedSaveKeepsTheWindowAndTheOldFile) {
    Designer d({line(2, 45, 95, 80)});
    const std::string before = d.test.drive.read(gridFile);
    testing::FaultyFileSystem faulty{core::realFileSystem()};
    core::Files files{faulty};
    core::Session session{d.test.drive.installation(), d.test.platform, d.test.clock, files};
    LayoutDesignerForm form(session, 1);
    form.open();
    form.shift(7);
    faulty.failAt(1, true);
    form.save();
    EXPECT_FALSE(form.closed());
    ASSERT_EQ(d.test.platform.messages().size(), 1u);
    EXPECT_EQ(d.test.platform.last()->title, "Attenzione");
    EXPECT_EQ(d.test.drive.read(gridFile), before);
}

TEST(LayoutDesigner, OpeningByDocumentType) {
    struct Case { int type; std::string title; };
    for (const Case& c : std::vector<Case>{{2, "Personalizza griglia modulo ricevuta fiscale"},
                                           {6, "Personalizza griglia modulo ordine clienti"},
                                           {10, "Personalizza griglia modulo ordine fornitori"},
                                           {11, "Personalizza modulo"}}) {
        testing::TestSession t;
        EXPECT_EQ(LayoutDesignerForm(t.session, c.type).title(), c.title);
    }
    testing::TestSession t;
    t.drive.makeInstallation(0);
    std::string seen;
    t.platform.modalHandlers["zellyy"] = [&seen](core::Form& f) {
        auto& form = dynamic_cast<LayoutDesignerForm&>(f);
        seen = form.title() + (form.defaultLayoutAvailable() ? " +" : "");
        form.defaultLayout();
        form.save();
    };
    openLayoutDesigner(t.session, 4);
    openLayoutDesigner(t.session, 12);
    EXPECT_TRUE(t.platform.modalsOpened.empty());
    EXPECT_EQ(t.platform.messages().size(), 2u);
    openLayoutDesigner(t.session, 3, [](DocumentType) {
        FormGrid g;
        g.count = 1;
        g.elements[1] = line(0, 0, 300, 20);
        return g;
    });
    EXPECT_EQ(seen, "Personalizza griglia modulo parcella +");
    const FormGrid written = readFormGrid(t.files, t.session.installation(), 0, 3);
    EXPECT_EQ(written.count, 1);
    EXPECT_EQ(coords(written.elements[1]), (std::vector<double>{1, 1, 210, 20}));
}

}  // namespace
}  // namespace kalvora::printing
