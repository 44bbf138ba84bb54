#include "core/stored_path.h"
#include "support/temp_drive.h"

#include <gtest/gtest.h>

namespace kalvora::core {
namespace {

TEST(StoredPath, ReadsTheSuitesFormsAndThisSystemsOntoThisSystem) {
    testing::TempDrive drive;
    drive.write("KALWIN/Kalwin/Icone/Clienti.BMP", "BM");
    Files files;
    const Installation inst = drive.installation();
    const std::string picture = drive.path("KALWIN/Kalwin/Icone/Clienti.BMP");
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"C:\\kalwin\\kalwin\\icone\\clienti.bmp", picture}, {"\\kalwin\\kalwin\\icone\\clienti.bmp", picture},
        {"d:/KALWIN/KALWIN/ICONE/CLIENTI.BMP", picture},  // any drive letter is the drive root
        {"\\kalwin\\.\\kalwin\\\\x\\..\\icone\\clienti.bmp", picture},
        {drive.path("kalwin/kalwin/icone/clienti.bmp"), picture},
        {"\\kalwin\\nuova.bmp", drive.path("KALWIN/nuova.bmp")},  // a missing file keeps its name
        {"\\", drive.root()}, {drive.path("kalwin/altro.bmp"), drive.path("KALWIN/altro.bmp")},
        // Outside the drive root through "..", relative, a network share, no path at all.
        {"\\kalwin\\..\\..\\etc\\passwd", std::nullopt}, {"C:\\..\\x.bmp", std::nullopt},
        {"icone\\clienti.bmp", std::nullopt}, {"C:clienti.bmp", std::nullopt}, {"", std::nullopt},
        {"\\\\server\\share\\x.bmp", std::nullopt}, {std::string("\\a\0b", 4), std::nullopt}};
    for (const auto& [stored, expected] : cases)
        EXPECT_EQ(storedPathOnThisSystem(files, inst, stored), expected) << stored;
}

TEST(StoredPath, WritesPathsUnderTheDriveRootInTheSuitesForm) {
    const Installation inst("/home/u/");
    const std::pair<const char*, const char*> cases[] = {
        {"/home/u/kalwin/kalwin/Logo.bmp", "\\kalwin\\kalwin\\Logo.bmp"}, {"/home/u", "\\"},
        {"/home/u//kalwin/./x/../sfondo.jpg", "\\kalwin\\sfondo.jpg"}, {"/home/utente/x.bmp", "/home/utente/x.bmp"},
        {"/media/chiavetta/../foto/a b.jpg", "/media/foto/a b.jpg"},
        {"/home/u/a\\b.bmp", "/home/u/a\\b.bmp"}};  // a backslash in a name has no suite form
    for (const auto& [path, stored] : cases) EXPECT_EQ(storedForm(inst, path), stored) << path;
    EXPECT_EQ(storedForm(Installation("/"), "/kalwin/x"), "\\kalwin\\x");
    // With a drive letter: only what lies under the root without a backslash in a name.
    EXPECT_EQ(driveLetterForm(inst, "/home/u/Immagini/logo.bmp"), "C:\\Immagini\\logo.bmp");
    for (const char* path : {"/home/utente/x.bmp", "/home/u/a\\b.bmp", "home/u/x.bmp"})
        EXPECT_EQ(driveLetterForm(inst, path), std::nullopt) << path;
}

}  // namespace
}  // namespace kalvora::core
