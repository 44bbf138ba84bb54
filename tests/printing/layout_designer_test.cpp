#include "printing/layout_designer.h"

#include "core/text.h"
#include "support/faulty_file_system.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

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
        for (const char* name : {"kalwin/Logo.BMP", "kalwin/foto.jpg", "kalwin/foto.png", "kalwin/*.jpg",
                                 "kalwin/a\\b.bmp", "kalwin/логотип.jpg", "kalwin/cartella.jpg/x"})
            test.drive.write(name, "x");
        if (!elements.empty()) {
            FormGrid g;
            for (GridElement e : elements) {  // a picture's "@" stands for the drive root
                if (e.text.starts_with('@')) e.text.replace(0, 1, test.drive.root());
                g.elements[static_cast<std::size_t>(++g.count)] = e;
            }
            test.drive.write(gridFile, core::encodeLines(formGridLines(g, GridWriter::Designer)));
            before = test.drive.read(gridFile);
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
    std::string before;
};

std::string describe(const GridElement& e) {
    std::ostringstream out;
    out << "?LRTP"[std::clamp(static_cast<int>(e.kind), 0, 4)];
    out << ' ' << e.x1 << ' ' << e.y1 << ' ' << e.x2 << ' ' << e.y2;
    if (e.kind >= 3) out << ' ' << e.text;
    if (e.kind == 3)
        out << " / " << e.fontName << ' ' << e.filledOrSize << ' ' << e.bold << ' ' << e.italic << ' ' << e.colour;
    if (e.kind == 2) out << " fill " << e.filledOrSize;
    if (e.kind != 3 && (e.colour || e.bold || e.italic || !e.fontName.empty() || (e.kind != 2 && e.filledOrSize) ||
                        (e.kind < 3 && !e.text.empty())))  // what these kinds do not use
        out << " + " << e.text << '/' << e.fontName << ' ' << e.filledOrSize << ' ' << e.bold << ' ' << e.italic
            << ' ' << e.colour;
    return out.str();
}

// The count and the first three elements, the open frame's fields (and picture file), what was
// said and asked, and the grid file when it is no longer as the example started.
std::string state(const Designer& d) {
    std::ostringstream out;
    out << d.form.grid().count << ':';
    for (int i = 1; i <= std::min(d.form.grid().count, 3); ++i) out << " [" << describe(d.slot(i)) << ']';
    if (const auto listed = d.form.entries().size(); listed != static_cast<std::size_t>(d.form.grid().count))
        out << " listed " << listed;
    if (const F frame = d.form.frame(); frame != F::Nulla) {
        out << " <";
        for (int i = 0; i < LayoutDesignerForm::fieldCount(frame); ++i)
            out << (i ? "|" : "") << d.form.coordinate(frame, i);
        out << (frame == F::Logo ? "|" + d.form.pictureFile() : "") << '>';
    }
    for (const testing::Shown& s : d.test.platform.shown)
        out << (s.kind == testing::Shown::Kind::Question ? " ?" : " !") << s.title << ": " << s.text;
    if (d.form.closed()) out << " closed";
    if (d.test.drive.exists(gridFile) && d.test.drive.read(gridFile) != d.before) {
        const auto lines = d.test.files.readLines(d.test.drive.path(gridFile)).value_or(std::vector<std::string>{});
        const FormGrid written = parseFormGrid(lines);
        out << " saved " << lines.size() << " lines " << written.count;
        if (written.count == 0 && written.elements == FormGrid{}.elements) out << " all empty";
    }
    return out.str();
}

using Act = std::function<void(Designer&)>;
// A new element with these fields typed and left in turn, then confirmed if asked.
Act add(F frame, std::vector<std::string> values, bool confirm = true) {
    return [=](Designer& d) {
        d.form.newElement(static_cast<int>(frame) - 1);
        d.type(frame, values);
        if (confirm) d.form.confirm(static_cast<int>(frame) - 1);
    };
}
Act shift(int index) { return [=](Designer& d) { d.form.shift(index); }; }
// A picture chosen in the file dialog ("@" stands for the drive root), confirmed if accepted,
// its fields left in turn or, with `leave` false, only typed.
Act choose(std::string path, bool leave = true) {
    return [=](Designer& d) {
        std::string chosen = path;
        if (const auto at = chosen.find('@'); at != std::string::npos) chosen.replace(at, 1, d.test.drive.root());
        d.test.platform.fileAnswers = {chosen};
        d.form.newElement(3);
        d.form.choosePicture();
        EXPECT_EQ(d.test.platform.fileFilters, std::vector<std::string>{"*.bmp; *.jpg"});
        if (d.form.pictureFile().empty()) return;
        EXPECT_EQ(d.form.pictureOnThisSystem(d.form.pictureFile()), core::trim(chosen));  // found for previews
        if (leave) d.type(F::Logo, {"10", "10", "0", "20"});
        for (int i = 0; !leave && i < 4; ++i) d.form.editCoordinate(F::Logo, i, i < 2 ? "10" : "0");
        d.form.confirm(3);
    };
}

TEST(LayoutDesigner, Examples) {
    testing::TempDrive elsewhere;
    elsewhere.write("logo.bmp", "x");
    const std::string notHere = "L'immagine scelta non potrebbe essere letta dai programmi: scegliere un'immagine "
                                "che si trovi nella cartella personale (@) e il cui percorso non contenga il "
                                "carattere \\.";
    const std::vector<GridElement> one = {line(2, 45, 95, 80)}, three = {one[0], rect(5, 5, 50, 50), text(10, 20, "S")};
    const std::vector<GridElement> mixed = {line(2, 5, 210, 297), text(10, 20, "S"), picture(50, 60, "/logo.bmp")};
    const std::string pic = " [P 50 60 40 20 /logo.bmp]", arial = " / Arial 9 0 0 0]";
    const std::string exit = "Uscire senza salvare le modifiche";
    const std::string clear = "?Azzera tutto: Confermi l'azzeramento di tutto il modulo?";
    const struct {
        std::vector<GridElement> start;
        Act act;
        std::string expected;
    } examples[] = {
        // Fields corrected on leaving them: below 0 and past the page, a picture's size at least 1.
        {{}, add(F::Linea, {"-5", "-0.5", "250", "300"}, false), "0: <0|0|210|297>"},
        {{}, add(F::Linea, {"", "", "-3", ""}, false), "0: <||-3|>"},
        {{}, add(F::Rettangolo, {"", "-1", "12abc", "297"}, false), "0: <|0|12abc|297>"},
        {{}, add(F::Testo, {"-1", "", "-1"}, false), "0: <0||-1>"},
        {{}, add(F::Logo, {"-2", "", "0.5", ""}, false), "0: <0||1|1|>"},
        {{}, add(F::Logo, {"", "", "2", "300"}, false), "0: <||2|300|>"},
        // Normalised on confirming (nothing written before saving) and on opening.
        {{}, add(F::Linea, {"0", "0", "250", "300"}), "1: [L 1 1 210 297]"},
        {{line(0, -4, 400, 500), picture(0.5, 2, "/x.bmp")}, {}, "2: [L 1 1 210 297] [P 1 2 40 20 /x.bmp]"},
        // Shifting left, up, down, right stops at the edges (X1 0 is normalised back to 1); pictures never shift.
        {mixed, shift(4), "3: [L 1 5 209 297] [T 9 20 0 0 S" + arial + pic},
        {mixed, shift(5), "3: [L 2 4 210 296] [T 10 19 0 0 S" + arial + pic},
        {mixed, shift(6), "3: [L 2 6 210 297] [T 10 21 0 0 S" + arial + pic},
        {mixed, shift(7), "3: [L 3 5 210 297] [T 11 20 0 0 S" + arial + pic},
        // Selecting an entry modifies its element; deleting slot 1 of 3 moves the rest down.
        {three, [](Designer& d) {
             d.form.selectEntry(1);
             EXPECT_TRUE(d.form.mode() == 1 && d.form.currentSlot() == 2 && d.form.filled());
             d.form.setFilled(false);
             d.form.editCoordinate(F::Rettangolo, 2, "60.5");
             d.form.confirm(1);
             d.form.remove(0);  // nothing selected any more
         }, "3: [L 2 45 95 80] [R 5 5 60.5 50 fill 0] [T 10 20 0 0 S" + arial},
        {three, [](Designer& d) { d.form.selectSlot(1); d.form.remove(0); },
         "2: [R 5 5 50 50 fill 1] [T 10 20 0 0 S" + arial},
        // A text without a font choice is Arial 9 0 0 (its line break a blank); after a chosen
        // font and colour, a new text starts from the default style again.
        {{}, add(F::Testo, {"2", "46", "Fattura\nnumero"}), "1: [T 2 46 0 0 Fattura numero" + arial},
        {{}, [](Designer& d) {
             d.test.platform.colourAnswers = {255 + 65536};
             d.test.platform.fontAnswers = {core::PrintFont{"DejaVu Serif", 10.5, true, false}};
             d.form.newElement(2);
             d.type(F::Testo, {"2", "46", "Fattura"});
             d.form.chooseColour(2);
             d.form.chooseFont();
             EXPECT_EQ(d.test.platform.fontPresets.back(), (core::PrintFont{"Arial", 9, false, false}));
             EXPECT_EQ(d.test.platform.dialogTitles,
                       (std::vector<std::string>{"Seleziona il colore", "Seleziona il tipo di carattere"}));
             EXPECT_EQ(d.form.fontCaption(), "DejaVu Serif");
             d.form.chooseFont();  // cancelled: nothing changes
             d.form.confirm(2);
             add(F::Testo, {"5", "6", "Data"})(d);
         }, "2: [T 2 46 0 0 Fattura / DejaVu Serif 10.5 1 0 65791] [T 5 6 0 0 Data" + arial},
        {std::vector<GridElement>(500, text(5, 5, "x")), add(F::Linea, {"1", "2", "3", "4"}),
         "500: [T 5 5 0 0 x" + arial + " [T 5 5 0 0 x" + arial + " [T 5 5 0 0 x" + arial + " !Attenzione: "
         "Il modulo contiene già 500 oggetti: non è possibile aggiungerne altri."},
        // Exit without saving asks first, then writes nothing; clear all (refused, then
        // accepted) and save writes count 0 and 500 empty slots; the test print button.
        {one, [](Designer& d) {
             d.test.platform.answers = {false, true};
             d.form.shift(7);
             d.form.button(0);
             d.form.button(0);
         }, "1: [L 3 45 96 80] ?Attenzione: " + exit + " ?Attenzione: " + exit + " closed"},
        {one, [](Designer& d) {
             d.test.platform.answers = {false, true};
             d.form.button(4);
             EXPECT_EQ(d.form.grid().count, 1);
             d.form.button(4);
             d.form.button(1);
         }, "0: " + clear + " " + clear + " closed saved 5501 lines 0 all empty"},
        {one, [](Designer& d) {
             d.test.platform.answers = {true};
             d.form.button(3);
             d.form.button(2);  // the default layout refused: the grid stays
             EXPECT_EQ(d.test.platform.printJobs.at(0).ops.size(), 1u);
         }, "1: [L 2 45 95 80] ?Prova stampa: Iniziare la stampa? "
            "?Modulo di default: Confermi l'impostazione del modulo di default della fattura?"},
        // Pictures: a .bmp or .jpg file under the drive root, kept with a drive letter from the
        // root; the size typed 0 is 1 whether its field was left or not. Elsewhere, a backslash
        // in a name or a character Windows-1252 lacks: refused.
        {{}, choose("@/kalwin/Logo.BMP"), "1: [P 10 10 1 20 C:\\kalwin\\Logo.BMP]"},
        {{}, choose("  @/kalwin/foto.jpg ", false), "1: [P 10 10 1 1 C:\\kalwin\\foto.jpg]"},
        {{}, choose(elsewhere.path("logo.bmp")), "0: <||||> !Attenzione: " + notHere},
        {{}, choose("@/kalwin/a\\b.bmp"), "0: <||||> !Attenzione: " + notHere},
        {{}, choose("@/kalwin/логотип.jpg"),
         "0: <||||> !Attenzione: Il percorso dell'immagine contiene caratteri che non possono essere memorizzati "
         "(л о г т и п): toglierli o sostituirli."},
        {{}, choose("kalwin/foto.jpg"), "0: <||||>"},        {{}, choose("@/kalwin/foto.png"), "0: <||||>"},
        {{}, choose("@/kalwin/manca.jpg"), "0: <||||>"},     {{}, choose("@/kalwin/cartella.jpg"), "0: <||||>"},
        {{}, choose("@/kalwin/*.jpg"), "0: <||||>"},
        // Saving gives pictures kept without a drive letter one, if they lie under the drive root.
        {{picture(5, 5, "\\kalwin\\Logo.BMP"), picture(5, 5, "@/kalwin/x.jpg"), picture(5, 5, "/media/x.bmp")},
         [](Designer& d) { d.form.save(); },
         "3: [P 5 5 40 20 C:\\kalwin\\Logo.BMP] [P 5 5 40 20 C:\\kalwin\\x.jpg] [P 5 5 40 20 /media/x.bmp] closed "
         "saved 5501 lines 3"},
    };
    for (const auto& example : examples) {
        SCOPED_TRACE(example.expected);
        Designer d(example.start);
        if (example.act) example.act(d);
        std::string expected = example.expected;
        if (const auto at = expected.find("(@)"); at != expected.npos) expected.replace(at + 1, 1, d.test.drive.root());
        EXPECT_EQ(state(d), expected);
        if (d.form.grid().count < 500) {
            EXPECT_EQ(d.slot(d.form.grid().count + 1), GridElement{});
        }
    }
}

TEST(LayoutDesigner, ListEntriesAndEnterMovingOn) {
    Designer d;
    d.form.newElement(2);
    EXPECT_EQ((std::vector{d.form.enterCoordinate(F::Testo, 0), d.form.enterCoordinate(F::Testo, 2),
                           d.form.enterCoordinate(F::Logo, 3)}),
              (std::vector{1, 2, 3}));
    EXPECT_EQ(LayoutDesignerForm::entryText(37, rect(0.5, -3, 10, 20)),
              "037 Rettangolo (X1= .5; Y1=-3; X2= 10; Y2= 20");
    EXPECT_EQ(LayoutDesignerForm::entryText(500, picture(3, 4, "/foto/logo.bmp")),
              "500 Bitmap (X1= 3; Y1= 4); /foto/logo.bmp");
}

TEST(LayoutDesigner, AFailedSaveKeepsTheWindowAndTheOldFile) {
    Designer d({line(2, 45, 95, 80)});
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
    EXPECT_EQ(d.test.drive.read(gridFile), d.before);
}

TEST(LayoutDesigner, OpeningByDocumentType) {
    testing::TestSession t;
    for (const auto& [type, name] : {std::pair{1, "fattura"}, {6, "ordine clienti"}, {10, "ordine fornitori"}})
        EXPECT_EQ(LayoutDesignerForm(t.session, type).title(), std::string("Personalizza griglia modulo ") + name);
    EXPECT_EQ(LayoutDesignerForm(t.session, 11).title(), "Personalizza modulo");
    t.drive.makeInstallation(0);
    std::string seen;
    t.platform.modalHandlers["zellyy"] = [&seen](core::Form& f) {
        auto& form = dynamic_cast<LayoutDesignerForm&>(f);
        seen = form.title();
        form.defaultLayout();
        form.save();
    };
    openLayoutDesigner(t.session, 4);  // types without a grid are refused
    openLayoutDesigner(t.session, 12);
    EXPECT_TRUE(t.platform.modalsOpened.empty());
    EXPECT_EQ(t.platform.messages().size(), 2u);
    t.platform.answers = {true};
    openLayoutDesigner(t.session, 3);
    EXPECT_EQ(seen, "Personalizza griglia modulo parcella");
    EXPECT_EQ(readFormGrid(t.files, t.session.installation(), 0, 3).count, 45);  // the fee note's boxes and line
}

}  // namespace
}  // namespace kalvora::printing
