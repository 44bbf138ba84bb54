#include "launcher/background.h"
#include "launcher/background_form.h"
#include "support/fake_platform.h"
#include "support/faulty_file_system.h"
#include "support/temp_drive.h"

#include <ostream>

#include <gtest/gtest.h>

namespace kalvora::launcher {

void PrintTo(const Background& b, std::ostream* out) { *out << b.choice << " \"" << b.path << "\" " << b.colour; }

namespace {

constexpr const char* bgrPath = "kalwin/kalwin/kalvora.bgr";

struct Backgrounds : ::testing::Test {
    testing::TempDrive drive;
    testing::FakePlatform platform;
    core::FixedClock clock{core::Date{2026, 12, 6}};
    testing::FaultyFileSystem faulty{core::realFileSystem()};
    core::Files files{faulty};
    core::Session session{drive.installation(), platform, clock, files};
    int applied = 0;
    BackgroundForm form{session, [this] { ++applied; }};

    Backgrounds() { drive.makeInstallation(); }
    Background stored() const { return readBackground(files, drive.installation()); }
};

TEST_F(Backgrounds, ReadsTheThreeLinesAndTheDefaultsForWhatCannotBeRead) {
    struct Case {
        const char* bytes;  // nullptr: no file
        Background expected;
    };
    const Case cases[] = {
        {nullptr, {0, "", 8388608}},
        {"5\r\n\\kalwin\\kalwin\\sfondo4.bmp\r\n 255 \r\n", {5, "\\kalwin\\kalwin\\sfondo4.bmp", 255}},
        {"16\n/foto/cavallo.bmp\n 0 \n", {16, "/foto/cavallo.bmp", 0}},
        // Line 3 cannot be read: the choice stays, the colour is the default.
        {"1\r\n/foto/Citt\xe0.jpg\r\n", {1, "/foto/Città.jpg", 8388608}},
        {"3\r\nx\r\nblu\r\n", {3, "x", 8388608}},
        {"3\r\nx\r\n 16777216 \r\n", {3, "x", 8388608}},
        // Line 2 cannot be read: no choice and no path, the colour is still read.
        {"3\r\n", {0, "", 8388608}},
        {"42\r\n/a.bmp\r\n 65280 \r\n", {0, "", 65280}},
        {"-1\r\n/a.bmp\r\n 65280 \r\n", {0, "", 65280}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes ? c.bytes : "(no file)");
        if (c.bytes) drive.write(bgrPath, c.bytes);
        EXPECT_EQ(stored(), c.expected);
    }
}

TEST_F(Backgrounds, WhatTheMainWindowShowsForEachKindOfChoice) {
    const auto inst = drive.installation();
    // A delivered picture is taken from the installation, whatever line 2 holds.
    auto shown = backgroundDisplay(files, inst, {2, "/foto/mia.jpg", 255});
    EXPECT_EQ(shown.kind, BackgroundDisplay::Kind::Picture);
    EXPECT_EQ(shown.picture, inst.folder() + "/sfondo1.bmp");
    EXPECT_EQ(shown.delivered, 1);
    EXPECT_EQ(shown.colour, 255);
    EXPECT_EQ(backgroundDisplay(files, inst, {16, "", 0}).picture, inst.folder() + "/sfondo15.bmp");

    drive.write("kalwin/kalwin/Foto/Mare.JPG", "x");
    shown = backgroundDisplay(files, inst, {1, "\\kalwin\\kalwin\\foto\\mare.jpg", 0});
    EXPECT_EQ(shown.kind, BackgroundDisplay::Kind::Picture);
    EXPECT_EQ(shown.picture, drive.path("kalwin/kalwin/Foto/Mare.JPG"));
    EXPECT_EQ(shown.delivered, 0);

    EXPECT_EQ(backgroundDisplay(files, inst, {1, "  ", 0}).kind, BackgroundDisplay::Kind::Colour);
    EXPECT_EQ(backgroundDisplay(files, inst, {0, "/foto/mia.jpg", 0}).kind, BackgroundDisplay::Kind::Colour);
    EXPECT_EQ(backgroundDisplay(files, inst, {17, "/foto/mia.jpg", 0}).kind, BackgroundDisplay::Kind::Transparent);
}

TEST_F(Backgrounds, ConfirmWritesChoicePathAndColourThenTellsTheMainWindow) {
    drive.write(bgrPath, "1\r\n/foto/vecchia.bmp\r\n 255 \r\n");
    form.open();
    EXPECT_EQ(form.choice(), 1);
    EXPECT_EQ(form.path(), "/foto/vecchia.bmp");
    EXPECT_EQ(form.colour(), 255);

    // A delivered picture: line 2 names it in the installation, whatever the path field holds.
    form.select(2);
    form.confirm();
    EXPECT_EQ(drive.read(bgrPath), "2\r\n\\kalwin\\kalwin\\sfondo1.bmp\r\n 255 \r\n");
    EXPECT_TRUE(form.closed());
    EXPECT_EQ(applied, 1);

    BackgroundForm own(session);
    own.open();
    platform.colourAnswers = {65280};
    own.chooseColour();
    EXPECT_EQ(platform.dialogTitles.back(), "Seleziona il colore");
    own.select(1);
    own.select(18);  // no such option: the choice stays
    own.setPath("  /foto/Città.jpg\n ");
    own.confirm();
    EXPECT_EQ(drive.read(bgrPath), "1\r\n/foto/Citt\xe0.jpg\r\n 65280 \r\n");

    BackgroundForm plain(session);
    plain.open();
    plain.select(0);
    platform.colourAnswers = {8388608};
    plain.chooseColour();
    plain.confirm();
    EXPECT_EQ(drive.read(bgrPath), "0\r\n/foto/Citt\xe0.jpg\r\n 8388608 \r\n");
}

TEST_F(Backgrounds, BrowseTakesOnlyPathsOfPictures) {
    drive.write(bgrPath, "1\r\n/foto/prima.bmp\r\n 0 \r\n");
    form.open();
    struct Case {
        const char* chosen;
        const char* pathAfter;
    };
    const Case cases[] = {
        {"/foto/documento.png", "/foto/prima.bmp"},
        {"/foto/*.bmp", "/foto/prima.bmp"},
        {" /foto/Mare.Jpg ", "/foto/Mare.Jpg"},
        {"/BMP/senza estensione", "/BMP/senza estensione"},
        {nullptr, "/BMP/senza estensione"},  // the dialog cancelled
    };
    for (const auto& c : cases) {
        platform.fileAnswers.clear();
        if (c.chosen) platform.fileAnswers.push_back(c.chosen);
        form.browse();
        EXPECT_EQ(form.path(), c.pathAfter) << (c.chosen ? c.chosen : "(cancelled)");
    }
    EXPECT_EQ(platform.fileFilters.back(), "*.bmp; *.jpg");
}

TEST_F(Backgrounds, CancelOrAFailedSaveLeavesTheFileAndTheMainWindowAlone) {
    form.open();
    form.select(7);
    form.cancel();
    EXPECT_TRUE(form.closed());
    EXPECT_FALSE(drive.exists(bgrPath));

    drive.write(bgrPath, "4\r\n\\kalwin\\kalwin\\sfondo3.bmp\r\n 0 \r\n");
    BackgroundForm failing(session, [this] { ++applied; });
    failing.open();
    failing.select(0);
    faulty.failAt(1, true);
    failing.confirm();
    faulty.reset();
    EXPECT_EQ(drive.read(bgrPath), "4\r\n\\kalwin\\kalwin\\sfondo3.bmp\r\n 0 \r\n");
    EXPECT_FALSE(failing.closed());
    ASSERT_EQ(platform.messages().size(), 1u);
    EXPECT_EQ(platform.messages()[0].title, "Attenzione");
    EXPECT_EQ(applied, 0);
}

}  // namespace
}  // namespace kalvora::launcher
