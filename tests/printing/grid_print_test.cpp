#include "printing/grid_print.h"

#include "support/test_session.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kalvora::printing {
namespace {

using Kind = core::PrintOp::Kind;

// One element of each sort, deliberately out of drawing order.
FormGrid mixedGrid() {
    FormGrid grid;
    grid.count = 6;
    grid.elements[1] = {"Spett.", "Times New Roman", 3, 2, 46, 0, 0, 255, 6, 1, 0};
    grid.elements[2] = {"", "", 1, 10, 50, 200, 50, 0, 0, 0, 0};
    grid.elements[3] = {"", "", 2, 10, 10, 100, 30, 65280, 1, 0, 0};
    grid.elements[4] = {"", "", 2, 5, 5, 205, 292, 0, 0, 0, 0};
    grid.elements[5] = {"\\kalwin\\kalwin\\logo.bmp", "", 4, 15, 12, 40, 20, 0, 0, 0, 0};
    grid.elements[6] = {"past the count", "", 3, 1, 1, 0, 0, 0, 9, 0, 0};  // 6 is in use: drawn
    grid.elements[7] = {"", "", 1, 1, 1, 2, 2, 0, 0, 0, 0};                  // not in use
    return grid;
}

std::vector<Kind> kinds(const std::vector<core::PrintOp>& ops) {
    std::vector<Kind> out;
    for (const core::PrintOp& op : ops) out.push_back(op.kind);
    return out;
}

TEST(GridPrintTest, PassesInEachOrder) {
    testing::TempDrive drive;
    core::Files files;
    const struct {
        GridOrder order;
        std::vector<Kind> expected;
    } cases[] = {
        {GridOrder::TestPrint,
         {Kind::Picture, Kind::FilledRectangle, Kind::Rectangle, Kind::Line, Kind::Text, Kind::Text}},
        {GridOrder::Sample,
         {Kind::Picture, Kind::Rectangle, Kind::Line, Kind::Text, Kind::Text, Kind::FilledRectangle}},
    };
    for (const auto& c : cases) {
        core::RecordingPrintJob job;
        EXPECT_TRUE(printGrid(job, mixedGrid(), c.order, files, drive.installation()).empty());
        EXPECT_EQ(kinds(job.ops()), c.expected);
        const core::PrintOp &picture = job.ops()[0], &text = job.ops()[c.order == GridOrder::TestPrint ? 4 : 3];
        EXPECT_EQ(std::tuple(picture.x1, picture.y1, picture.text),
                  std::tuple(15.0, 12.0, drive.root() + "/kalwin/kalwin/logo.bmp"));
        // A text takes the element's position, font and colour.
        EXPECT_EQ(std::tuple(text.x1, text.y1, text.text, text.colour), std::tuple(2.0, 46.0, "Spett.", 255L));
        EXPECT_EQ(text.font, (core::PrintFont{"Times New Roman", 6, true, false}));
    }
}

TEST(GridPrintTest, PicturesNeedANamePositionAndALoadableFile) {
    testing::TestSession t;
    FormGrid grid;
    grid.count = 5;
    grid.elements[1] = {"   ", "", 4, 10, 10};                          // no name: skipped
    grid.elements[2] = {"\\kalwin\\a.bmp", "", 4, 0, 10};               // X1 0: skipped
    grid.elements[3] = {"\\kalwin\\b.bmp", "", 4, 10, 0};               // Y1 0: skipped
    grid.elements[4] = {"logo.bmp", "", 4, 10, 10};                     // not a path of any form
    grid.elements[5] = {"C:\\kalwin\\missing.jpg", "", 4, 10, 10};      // does not load
    auto job = t.platform.startPrintJob("x");
    EXPECT_EQ(printGrid(*job, grid, GridOrder::TestPrint, t.files, t.session.installation()),
              (std::vector<std::string>{"logo.bmp", "C:\\kalwin\\missing.jpg"}));
    EXPECT_TRUE(static_cast<core::RecordingPrintJob&>(*job).ops().empty());

    // The test print names the picture no job could be given; the job reports the other itself.
    t.platform.answers = {true};
    testPrint(t.session, grid);
    ASSERT_EQ(t.platform.messages().size(), 1u);
    EXPECT_NE(t.platform.messages()[0].text.find("\nlogo.bmp\n"), std::string::npos);
    EXPECT_EQ(t.platform.messages()[0].text.find("missing.jpg"), std::string::npos);
}

TEST(GridPrintTest, TestPrintAsksFirst) {
    for (bool yes : {false, true}) {
        testing::TestSession t;
        t.platform.answers = {yes};
        EXPECT_EQ(testPrint(t.session, mixedGrid()), yes);
        ASSERT_EQ(t.platform.questions().size(), 1u);
        const testing::Shown q = t.platform.questions()[0];
        EXPECT_EQ(std::tuple(q.text, q.title, q.icon),
                  std::tuple("Iniziare la stampa?", "Prova stampa", core::Icon::Question));
        EXPECT_EQ(t.platform.busyCalls, yes ? 2 : 0);
        EXPECT_TRUE(!t.platform.busy && t.platform.messages().empty());
        ASSERT_EQ(t.platform.printJobs.size(), yes ? 1u : 0u);
        for (const auto& job : t.platform.printJobs)  // the picture does not load here
            EXPECT_TRUE(job.title == "Prova stampa" && job.ended && job.ops.size() == 5u);
    }
}

}  // namespace
}  // namespace kalvora::printing
