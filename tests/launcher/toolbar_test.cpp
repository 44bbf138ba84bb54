#include "launcher/toolbar.h"

#include "core/cp1252.h"
#include "core/files.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

namespace kalvora::launcher {
namespace {

struct ToolbarFile {
    testing::TempDrive drive;
    core::Files files;
    std::vector<std::string> fields = std::vector<std::string>(Toolbar::lineCount);

    ToolbarFile() { drive.makeInstallation(); }
    // Line 1..4 (picture, tooltip, command, reserved) of button b.
    std::string& field(int b, int line) { return fields[(b - 1) * 4 + line - 1]; }
    Toolbar read(const char* lineEnd = "\r\n") {
        std::string bytes;
        for (const std::string& f : fields) bytes += core::encodeCp1252(f) + lineEnd;
        drive.write("kalwin/kalwin/kalvora.btt", bytes);
        return readToolbar(files, drive.installation());
    }
};

void expectDefaults(const Toolbar& toolbar) {
    EXPECT_TRUE(toolbar.usesDefaults());
    EXPECT_EQ(toolbar.layout(Toolbar::buttonCount), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(toolbar.pictureKind(11), PictureKind::BuiltIn);
    EXPECT_EQ(toolbar.command(13), "");
}

TEST(ToolbarFileTest, MissingOrShortFileGivesTheDefaultToolbar) {
    ToolbarFile f;
    expectDefaults(readToolbar(f.files, f.drive.installation()));

    // 119 lines: what was read is dropped, not mixed into the defaults.
    f.field(13, 2) = "Clienti";
    f.field(13, 3) = "=CLI";
    f.fields.pop_back();
    expectDefaults(f.read());
}

TEST(ToolbarFileTest, WholeFileIsReadFieldByFieldWithEitherLineEnd) {
    ToolbarFile f;
    f.field(30, 1) = "*";
    f.field(30, 2) = "Città e clienti";
    f.field(30, 3) = "  =CLI  ";
    f.field(30, 4) = "riservato";
    f.fields.push_back("an extra line is ignored");
    for (const char* lineEnd : {"\r\n", "\n"}) {
        const Toolbar toolbar = f.read(lineEnd);
        EXPECT_FALSE(toolbar.usesDefaults());
        // Only button 30 has a command: it takes the first position of the row.
        EXPECT_EQ(toolbar.layout(1), std::vector<int>{30});
        EXPECT_EQ(toolbar.command(30), "=CLI");
        EXPECT_EQ(toolbar.tooltipLabel(30), " Città e clienti ");
        EXPECT_EQ(toolbar.button(30).reserved, "riservato");
        EXPECT_EQ(toolbar.pictureKind(1), PictureKind::None);
    }
}

TEST(ToolbarFileTest, PicturesAndLayout) {
    ToolbarFile f;
    f.field(2, 1) = "*";
    f.field(4, 1) = "   ";
    f.field(5, 1) = " /home/utente/icone/clienti.png ";
    for (int b : {2, 4, 5, 6, 9, 30}) f.field(b, 3) = "*info";
    f.field(7, 3) = "    ";
    const Toolbar toolbar = f.read();
    EXPECT_EQ(toolbar.builtInPicture(2), "*help1");  // the default command's picture, whatever the command
    EXPECT_EQ(toolbar.pictureKind(4), PictureKind::None);
    EXPECT_EQ(toolbar.pictureKind(5), PictureKind::File);
    EXPECT_EQ(toolbar.picturePath(5), "/home/utente/icone/clienti.png");
    EXPECT_EQ(toolbar.layout(3), (std::vector<int>{2, 4, 5}));
    EXPECT_EQ(toolbarSlots(100, 30), 3);
    EXPECT_EQ(toolbarSlots(100000, 30), Toolbar::buttonCount);
    EXPECT_EQ(toolbarSlots(100, 0), 0);
}

}  // namespace
}  // namespace kalvora::launcher
