#include "core/cp1252.h"
#include "core/files.h"
#include "core/paths.h"
#include "support/temp_drive.h"

#include <cerrno>

#include <gtest/gtest.h>

namespace kalvora::core {
namespace {

using testing::TempDrive;

class FilesTest : public ::testing::Test {
protected:
    TempDrive drive;
    Files files;
};

TEST_F(FilesTest, ResolveFindsNamesInAnyCase) {
    drive.write("KALWIN/Kalwin/KALVORA.AZI", "*\r\n");
    EXPECT_EQ(files.resolve(drive.path("kalwin/kalwin/kalvora.azi")), drive.path("KALWIN/Kalwin/KALVORA.AZI"));
    EXPECT_EQ(files.readLines(drive.path("kalwin/KALWIN/Kalvora.azi")), (std::vector<std::string>{"*"}));
    // A new file keeps the spelling it is given, inside the folder found in another case.
    ASSERT_EQ(files.writeLines(drive.path("kalwin/kalwin/kalvora.Uso"), {" 0 "}), 0);
    EXPECT_EQ(drive.read("KALWIN/Kalwin/kalvora.Uso"), " 0 \r\n");
    EXPECT_FALSE(drive.exists("kalwin"));
}

TEST_F(FilesTest, ResolvePrefersTheExactName) {
    drive.write("a/File.txt", "upper");
    drive.write("a/file.txt", "lower");
    EXPECT_EQ(files.readBytes(drive.path("a/file.txt")), "lower");
    EXPECT_EQ(files.readBytes(drive.path("a/File.txt")), "upper");
}

TEST_F(FilesTest, ReadingMissingShortAndLongFiles) {
    EXPECT_EQ(files.readBytes(drive.path("none")), std::nullopt);
    EXPECT_EQ(files.readLines(drive.path("none")), std::nullopt);
    drive.write("empty", "");
    EXPECT_EQ(files.readLines(drive.path("empty")), std::vector<std::string>{});
    drive.write("big", std::string(3u << 20, 'x') + "tail");
    EXPECT_EQ(files.readBytes(drive.path("big"), 10), std::string(10, 'x'));
    EXPECT_EQ(files.readBytes(drive.path("big"))->size(), (3u << 20) + 4);
    drive.write("binary", std::string("\0\xFF\r\x80\n", 5));
    EXPECT_EQ(files.readLines(drive.path("binary")), (std::vector<std::string>{std::string("\0ÿ", 3), "€"}));
    // Lines are cut before they are decoded: the same lines as decoding the whole text first.
    for (const std::string& bytes : {std::string("a\r\n\r\nb"), std::string("\xE0\r\rx\n\n"), std::string("\r"),
                                    std::string("plain\r\n\x80 \x85\r\nlast\xFF")}) {
        drive.write("mixed", bytes);
        std::vector<std::string> expected;
        TextReader reader(decodeCp1252(bytes));
        while (auto line = reader.readLine()) expected.push_back(*line);
        EXPECT_EQ(files.readLines(drive.path("mixed")), expected) << bytes;
    }
    drive.makeInstallation();
    EXPECT_EQ(files.readBytes(drive.installation().folder()), std::nullopt);  // a folder is no file
}

TEST_F(FilesTest, WritesWindows1252WithCrLfAndSpareReadOnlyFiles) {
    ASSERT_EQ(files.writeLines(drive.path("t.txt"), {"Città", "", "€ 5"}), 0);
    EXPECT_EQ(drive.read("t.txt"), "Citt\xE0\r\n\r\n\x80 5\r\n");
    EXPECT_EQ(files.readLines(drive.path("t.txt")), (std::vector<std::string>{"Città", "", "€ 5"}));
    EXPECT_EQ(drive.list(""), std::vector<std::string>{"t.txt"});  // no temporary left

    drive.write("ro", "old");
    ASSERT_EQ(files.setReadOnly(drive.path("ro"), true), 0);
    EXPECT_EQ(files.replaceFile(drive.path("RO"), "new"), EACCES);
    EXPECT_EQ(drive.read("ro"), "old");
}

TEST_F(FilesTest, FoldersAndListings) {
    EXPECT_EQ(files.makeDirectories(drive.path("KALWIN/PDF/x")), 0);
    EXPECT_EQ(files.makeDirectories(drive.path("kalwin/pdf")), 0);  // already there
    EXPECT_EQ(drive.list(""), std::vector<std::string>{"KALWIN"});
    drive.write("KALWIN/.hidden", "12345");
    drive.write("KALWIN/file", "1");
    std::vector<DirEntry> entries;
    ASSERT_EQ(files.list(drive.path("kalwin"), entries), 0);
    ASSERT_EQ(entries.size(), 3u);
    for (const DirEntry& e : entries)
        EXPECT_EQ(std::tuple(e.isDirectory, e.hidden, e.size),
                  std::tuple(e.name == "PDF", e.name == ".hidden", e.name == ".hidden" ? 5u : e.size))
            << e.name;
    EXPECT_EQ(files.makeDirectories(drive.path("KALWIN/file/sub")), ENOTDIR);
    EXPECT_NE(files.list(drive.path("nothing"), entries), 0);
    EXPECT_TRUE(entries.empty());
}

TEST_F(FilesTest, CopyFromAMissingSourceLeavesTheTarget) {
    drive.write("dst", "old");
    EXPECT_EQ(files.copyFile(drive.path("missing"), drive.path("dst")), ENOENT);
    EXPECT_EQ(drive.list(""), std::vector<std::string>{"dst"});
    EXPECT_EQ(drive.read("dst"), "old");
}

TEST_F(FilesTest, RecordFilesReadBlankPastTheEnd) {
    RecordFile f;
    EXPECT_EQ(files.openRecords(drive.path("kalvora.tot"), 40, false, f), ENOENT);
    ASSERT_EQ(files.openRecords(drive.path("kalvora.tot"), 40, true, f), 0);
    Record r(40);
    r.setFloat64(0, 123.5);
    r.setText(32, 8, "Città");
    ASSERT_EQ(f.write(3, r), 0);
    EXPECT_EQ(f.recordCount(), 3u);
    EXPECT_EQ(f.read(3), r);
    int error = -1;
    EXPECT_EQ(f.read(99, &error), Record(40));
    EXPECT_EQ(error, 0);
    EXPECT_EQ(f.read(0, &error), Record(40));
    EXPECT_EQ(error, EINVAL);
    EXPECT_EQ(f.close(), 0);
    const std::string bytes = drive.read("kalvora.tot");
    ASSERT_EQ(bytes.size(), 120u);
    EXPECT_EQ(bytes.substr(0, 80), std::string(80, '\0'));
    EXPECT_EQ(bytes.substr(112), "Citt\xE0   ");
}

TEST_F(FilesTest, ReplaceRecordKeepsTheOtherBytes) {
    drive.write("kalvora.gnr", "AAAABBBBCC");
    Record r(std::string("xy"));
    ASSERT_EQ(files.replaceRecord(drive.path("KALVORA.GNR"), 4, 2, r), 0);
    EXPECT_EQ(drive.read("kalvora.gnr"), std::string("AAAAxy\0\0CC", 10));
    ASSERT_EQ(files.replaceRecord(drive.path("kalvora.gnr"), 4, 5, Record(std::string("12345"))), 0);
    EXPECT_EQ(drive.read("kalvora.gnr"), std::string("AAAAxy\0\0CC", 10) + std::string(6, '\0') + "1234");
    EXPECT_EQ(files.replaceRecord(drive.path("new.gnr"), 3, 0, Record(3)), EINVAL);
}

TEST(Paths, InstallationLayout) {
    const Installation inst("/home/u");
    EXPECT_EQ(inst.companyFile(999, "kalvora.gnr"), "/home/u/kalwin/kalwin/kalaz0.999/kalvora.gnr");
    EXPECT_EQ(inst.noticeFile(), "/home/u/kalwin/kalvora.bnn");
    EXPECT_EQ(inst.pdfFolder(), "/home/u/kalwin/PDF");
    EXPECT_EQ(Installation("/").folder(), "/kalwin/kalwin");
}

}  // namespace
}  // namespace kalvora::core
