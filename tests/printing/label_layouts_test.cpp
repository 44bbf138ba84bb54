#include "printing/label_layout_form.h"
#include "printing/label_layouts.h"

#include "core/files.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace kalvora::printing {
namespace {

using Lines = std::vector<std::string>;
using Kind = core::PrintOp::Kind;

struct LabelLayoutsTest : ::testing::Test {
    LabelLayoutsTest() { test.drive.makeInstallation(); }

    std::string file(int kind) const { return "kalwin/kalwin/" + labelFileName(kind); }
    Lines savedLines(int kind) const { return test.files.readLines(test.drive.path(file(kind))).value_or(Lines{}); }

    testing::TestSession test;
};

// The defaults each kind opens with on a new installation, and the file saving them creates; the
// number of fields each kind offers.
TEST_F(LabelLayoutsTest, NewInstallationOpensAndSavesTheDefaultsOfEachKind) {
    struct Placed {
        int field;
        std::string x, y;
    };
    const struct {
        int kind;
        std::string fileName;
        std::size_t fields;
        std::vector<Placed> placed;
        std::string euro;
    } cases[] = {
        {1, "kalvora.etc", 23, {{1, "5", "10"}, {2, "5", "15"}, {3, "5", "20"}, {4, "5", "25"}, {5, "15", "25"}}, ""},
        {2, "kalvora.etf", 18, {{1, "5", "10"}, {5, "15", "25"}}, ""},
        {3, "kalvora.eta", 21, {{1, "5", "10"}, {6, "15", "20"}, {13, "5", "20"}, {4, "0", "0"}}, "Euro"},
        {4, "kalvora.etb", 22, {{2, "5", "9"}, {4, "5", "24"}, {7, "15", "13"}, {14, "5", "13"}}, "Euro"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        LabelLayoutForm form(test.session, c.kind);
        form.open();
        EXPECT_EQ(labelFileName(c.kind), c.fileName);
        EXPECT_EQ(labelCatalogue(c.kind).size(), c.fields);
        Lines texts;
        for (int k = 0; k < LabelLayoutForm::textCount; ++k) texts.push_back(form.text(k));
        EXPECT_EQ(texts, (Lines{"210", "297", "0", "0", "0", "0", "3", "8", c.euro, "", "", "", ""}));
        for (const Placed& p : c.placed)
            EXPECT_EQ(std::tie(form.layout().at(p.field, 1), form.layout().at(p.field, 2)), std::tie(p.x, p.y));
        EXPECT_EQ(form.row(3).carattere, c.kind == 4 ? "Arial (8)" : "Arial (9)");  // the bars' size
        EXPECT_EQ(form.layout().at(25, 7), "&h000000");
        form.confirm();
        EXPECT_TRUE(form.closed());
        EXPECT_EQ(savedLines(c.kind), labelLayoutLines(defaultLabelLayout(c.kind)));
    }
    // The bytes: CR LF after each of the 210 lines, empty lines for records 26 and 27.
    const std::string bytes = test.drive.read(file(1));
    EXPECT_TRUE(bytes.starts_with("5\r\n10\r\nArial\r\n9\r\n0\r\n0\r\n&h000000\r\n5\r\n15\r\nArial\r\n"));
    EXPECT_TRUE(bytes.ends_with("\r\n\r\n3\r\n8\r\n\r\n\r\n\r\n\r\n\r\n210\r\n297\r\n0\r\n0\r\n0\r\n0\r\n\r\n"));
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 210);
    EXPECT_TRUE(labelCatalogue(0).empty() && labelCatalogue(5).empty() && labelFileName(5).empty());
}

// Every value the file holds comes back as read, records 26 and 27 and value 7 of 28..30
// included; a short file takes the defaults of what it lacks, lines past the 210th are dropped.
TEST_F(LabelLayoutsTest, SavingKeepsWhatWasReadAndShortOrLongFilesAreMended) {
    Lines held;
    for (int i = 1; i <= 212; ++i) held.push_back(i % 7 == 3 ? "Città " + std::to_string(i) : " v" + std::to_string(i));
    test.drive.write(file(2), core::encodeLines(held));
    LabelLayoutForm form(test.session, 2);
    form.open();
    form.confirm();
    EXPECT_EQ(savedLines(2), Lines(held.begin(), held.begin() + 210));

    test.drive.write(file(3), "7\r\n8\r\nTimes");
    const LabelLayout shortFile = readLabelLayout(test.files, test.session.installation(), 3);
    LabelLayout expected = defaultLabelLayout(3);
    expected.at(1, 1) = "7";
    expected.at(1, 2) = "8";
    expected.at(1, 3) = "Times";
    EXPECT_EQ(shortFile, expected);
}

TEST_F(LabelLayoutsTest, NumbersAreRefusedAsTypedAndFixedTextsStayOneLine) {
    LabelLayoutForm form(test.session, 1);
    form.open();
    const struct {
        std::string typed;
        bool taken;
    } cases[] = {{"12.5", true}, {"7.", true}, {"", true}, {"-3", false}, {"1,5", false},
                 {"abc", false}, {"1.2.3", false}, {" 4", false}, {"1e3", false}};
    for (const auto& c : cases) {
        const std::string before = form.text(2);
        EXPECT_EQ(form.editText(2, c.typed), c.taken) << c.typed;
        EXPECT_EQ(form.editHorizontal(1, c.typed), c.taken) << c.typed;
        EXPECT_EQ(form.text(2), c.taken ? c.typed : before) << c.typed;
    }
    EXPECT_TRUE(form.editText(8, "Prezzo\r\nal kg"));
    EXPECT_TRUE(form.editVertical(1, "."));
    form.confirm();
    const Lines saved = savedLines(1);
    // A box left empty or holding only the point is saved as 0.
    EXPECT_EQ((Lines{saved[7], saved[8], saved[189], saved[205]}), (Lines{"0", "0", "Prezzo  al kg", "0"}));
}

TEST_F(LabelLayoutsTest, SheetGeometryNeverDividesByZero) {
    const struct {
        std::vector<std::string> values;  // width, height, borders L R T B, columns, rows
        std::size_t labels;
        LabelRect last;
    } cases[] = {
        {{"210", "297", "0", "0", "0", "0", "3", "8"}, 24, {140, 259.875, 70, 37.125}},
        {{"210", "297", "10", "10", "20", "17", "2.9", "4"}, 8, {105, 215, 95, 65}},
        {{"210", "297", "0", "0", "0", "0", "abc", "8"}, 0, {}},
        {{"210", "297", "0", "0", "0", "0", "0", "0"}, 0, {}},
        {{"100", "297", "60", "60", "0", "0", "3", "8"}, 0, {}},
        {{"", "x", "0", "0", "0", "0", "3", "8"}, 0, {}},
    };
    for (const auto& c : cases) {
        LabelLayout layout = defaultLabelLayout(1);
        for (int i = 0; i < 6; ++i) layout.at(30, i + 1) = c.values[static_cast<std::size_t>(i)];
        layout.at(29, 1) = c.values[6];
        layout.at(29, 2) = c.values[7];
        const std::vector<LabelRect> labels = labelSheet(layout).labels();
        ASSERT_EQ(labels.size(), c.labels) << c.values[6];
        if (!labels.empty()) {
            EXPECT_EQ(labels.back(), c.last);
        }
    }
}

TEST_F(LabelLayoutsTest, FontAndColourChoicesGoToTheFieldOnTheRow) {
    LabelLayoutForm form(test.session, 1);
    form.open();
    form.scrollTo(99);
    EXPECT_TRUE(form.firstRow() == 15 && form.row(7).campo == "Campo libero numero 5");
    test.platform.fontAnswers = {{"Times\nNew Roman", 10.5, true, false}};
    test.platform.colourAnswers = {255};
    form.chooseFont(0);
    form.chooseColour(0);
    form.chooseFont(1);  // cancelled: nothing changes
    EXPECT_EQ(test.platform.dialogTitles,
              (Lines{"Seleziona il tipo di carattere", "Seleziona il colore", "Seleziona il tipo di carattere"}));
    EXPECT_EQ(test.platform.fontPresets.at(0), (core::PrintFont{"Arial", 9, false, false}));
    const LabelLayout& layout = form.layout();
    EXPECT_EQ(Lines(layout.text.begin() + 15 * 7 + 2, layout.text.begin() + 16 * 7),
              (Lines{"Times New Roman", "10.5", "1", "0", "&h0000FF"}));
    EXPECT_EQ(form.row(0).carattere, "Times New Roman (10.5)");
    EXPECT_EQ(form.row(1).carattere, "Arial (9)");
}

TEST_F(LabelLayoutsTest, TestSheetPrintsSampleDataAtEachLabelsFields) {
    LabelLayout layout = defaultLabelLayout(4);
    layout.at(2, 1) = "abc";  // not a number: 0, not printed
    layout.at(4, 7) = "&hFF0000";
    core::RecordingPrintJob job;
    printLabelTestSheet(job, 4, layout);
    std::vector<core::PrintOp> second;  // what the label in the second column holds
    for (const core::PrintOp& op : job.ops())
        if (op.x1 >= 70 && op.x1 < 140 && op.y1 < 37.125) second.push_back(op);
    ASSERT_EQ(second.size(), 1u + 3u + 30u);
    EXPECT_EQ(std::tuple(second[0].kind, second[0].x2, second[0].y2, second[0].colour),
              std::tuple(Kind::Rectangle, 140.0, 37.125, 0xC0C0C0L));
    EXPECT_EQ(std::tuple(second[1].kind, second[1].x1, second[1].y1, second[1].text),
              std::tuple(Kind::Text, 75.0, 5.0, std::string("Art. 1001")));
    std::vector<double> bars;  // from 5, 24 in the label, 8 mm high, in the field's colour
    for (const core::PrintOp& op : second)
        if (op.kind == Kind::FilledRectangle && op.y1 == 24 && op.y2 == 32 && op.colour == 0xFF0000)
            bars.push_back(op.x1);
    ASSERT_EQ(bars.size(), 30u);
    EXPECT_EQ(bars.front(), 75);
    EXPECT_NEAR(bars.back(), 75 + 29, 1e-9);
    EXPECT_EQ(std::tuple(second.back().x1, second.back().y1, second.back().text),
              std::tuple(75.0, 13.0, std::string("10,98")));  // field 14, "Prezzo vendita 4 (ivato)"
    EXPECT_TRUE(std::none_of(job.ops().begin(), job.ops().end(), [](const auto& op) { return op.text == "Euro"; }));
}

TEST_F(LabelLayoutsTest, TestPrintAsksFirstAndAFailedSaveKeepsTheWindowOpen) {
    LabelLayoutForm form(test.session, 1);
    form.open();
    form.testPrint();
    EXPECT_TRUE(test.platform.printJobs.empty());
    test.platform.answers = {true};
    form.button(2);
    ASSERT_EQ(test.platform.printJobs.size(), 1u);
    EXPECT_TRUE(test.platform.printJobs[0].title == "Stampa di prova" && test.platform.printJobs[0].ended);
    EXPECT_EQ(test.platform.questions().at(0).text, "Iniziare la stampa?");

    test.drive.write(file(2) + "/x", "");  // there, and no file: it is said on opening
    LabelLayoutForm unreadable(test.session, 2);
    unreadable.open();
    EXPECT_EQ(test.platform.messages().at(0).text,
              "Impossibile leggere il file kalvora.etf: sono mostrate le impostazioni predefinite, che lo "
              "sostituiranno se saranno salvate.");

    testing::TestSession bare;  // no installation folder: the write fails
    LabelLayoutForm lost(bare.session, 3);
    lost.open();
    lost.confirm();
    EXPECT_FALSE(lost.closed());
    ASSERT_EQ(bare.platform.messages().size(), 1u);
    EXPECT_TRUE(bare.platform.messages()[0].text.starts_with(
        "Non è stato possibile salvare l'impostazione delle etichette: errore "));
}

}  // namespace
}  // namespace kalvora::printing
