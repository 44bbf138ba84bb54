#include "core/cp1252.h"
#include "core/files.h"
#include "support/faulty_file_system.h"
#include "support/temp_drive.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace kalvora::core {
namespace {

namespace fs = std::filesystem;
using testing::TempDrive;
using Names = std::vector<std::string>;

class FilesTest : public ::testing::Test {
protected:
    fs::perms mode(std::string_view rel) const { return fs::status(drive.path(rel)).permissions(); }
    void setMode(std::string_view rel, unsigned bits) const { fs::permissions(drive.path(rel), fs::perms(bits)); }
    TempDrive drive;
    Files files;
};

TEST_F(FilesTest, ResolveFindsNamesInAnyCasePreferringTheExactOne) {
    drive.write("KALWIN/Kalwin/KALVORA.AZI", "*\r\n");
    EXPECT_EQ(files.readLines(drive.path("kalwin/KALWIN/Kalvora.azi")), Names{"*"});
    // A new file keeps the spelling it is given, inside the folder found in another case.
    ASSERT_EQ(files.writeLines(drive.path("kalwin/kalwin/kalvora.Uso"), {" 0 "}), 0);
    EXPECT_EQ(drive.read("KALWIN/Kalwin/kalvora.Uso"), " 0 \r\n");
    EXPECT_FALSE(drive.exists("kalwin"));
    drive.write("a/File.txt", "upper");
    drive.write("a/file.txt", "lower");
    EXPECT_EQ(files.readBytes(drive.path("a/file.txt")), "lower");
    EXPECT_EQ(files.readBytes(drive.path("a/File.txt")), "upper");
}

TEST_F(FilesTest, ReadingMissingEmptyAndTooLargeFiles) {
    EXPECT_EQ(files.readLines(drive.path("none")), std::nullopt);
    drive.write("empty", "");
    EXPECT_EQ(files.readLines(drive.path("empty")), Names{});
    drive.write("big", std::string(3u << 20, 'x') + "tail");
    EXPECT_EQ(files.readBytes(drive.path("big"))->size(), (3u << 20) + 4);
    EXPECT_EQ(files.readBytes(drive.path("big"), (3u << 20) + 4)->size(), (3u << 20) + 4);
    // A file over the limit is too large, never silently cut; a prefix is asked for as such.
    EXPECT_EQ(files.readBytes(drive.path("big"), (3u << 20) + 3), std::nullopt);
    EXPECT_EQ(files.readLines(drive.path("big"), 10), std::nullopt);
    EXPECT_EQ(files.readPrefix(drive.path("big"), 10), std::string(10, 'x'));
    EXPECT_EQ(files.readPrefix(drive.path("empty"), 10), "");
    // Lines are cut before they are decoded: the same lines as decoding the whole text first.
    for (const std::string& bytes : {std::string("a\r\n\r\nb"), std::string("\xE0\r\rx\n\n"), std::string("\r"),
                                    std::string("plain\r\n\x80 \x85\r\nlast\xFF"), std::string("\0\xFF\r\x80\n", 5)}) {
        drive.write("mixed", bytes);
        Names expected;
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
    EXPECT_EQ(files.readLines(drive.path("t.txt")), (Names{"Città", "", "€ 5"}));
    drive.write("ro", "old");
    ASSERT_EQ(files.setReadOnly(drive.path("ro"), true), 0);
    EXPECT_EQ(files.replaceFile(drive.path("RO"), "new"), EACCES);
    EXPECT_EQ(files.copyFile(drive.path("missing"), drive.path("t.txt")), ENOENT);
    EXPECT_EQ(drive.read("ro"), "old");
    EXPECT_EQ(drive.list(""), (Names{"ro", "t.txt"}));  // no temporary left
}

TEST_F(FilesTest, RewritesKeepModeAndFollowLinksCopiesKeepExecuteBits) {
    drive.write("prog", "v1");
    setMode("prog", 0750);
    ASSERT_EQ(files.replaceFile(drive.path("prog"), "v2"), 0);
    EXPECT_EQ(mode("prog"), fs::perms(0750));
    // Through a chain of links: the file named gets the content, each link stays a link.
    drive.write("real/kalvora.tab", "old");
    setMode("real/kalvora.tab", 0604);
    fs::create_symlink("real/kalvora.tab", drive.path("link"));
    fs::create_symlink(drive.path("link"), drive.path("chain"));
    ASSERT_EQ(files.writeLines(drive.path("chain"), {"new"}), 0);
    ASSERT_EQ(files.replaceRecord(drive.path("LINK"), 3, 1, Record(std::string("NEW"))), 0);
    EXPECT_TRUE(fs::is_symlink(drive.path("link")) && fs::is_symlink(drive.path("chain")));
    EXPECT_EQ(drive.read("real/kalvora.tab"), "NEW\r\n");
    EXPECT_EQ(mode("real/kalvora.tab"), fs::perms(0604));
    EXPECT_EQ(drive.list("real"), Names{"kalvora.tab"});
    // A program copied from a download stays startable, as a new file or over an old one.
    drive.write("kalwin/kalfass.lha", "ELF");
    setMode("kalwin/kalfass.lha", 0755);
    drive.write("kalwin/old.exe", "old");
    setMode("kalwin/old.exe", 0640);
    ASSERT_EQ(files.copyFile(drive.path("kalwin/kalfass.lha"), drive.path("kalwin/kalfass.exe")), 0);
    ASSERT_EQ(files.copyFile(drive.path("kalwin/kalfass.lha"), drive.path("kalwin/old.exe")), 0);
    EXPECT_EQ(mode("kalwin/kalfass.exe") & fs::perms::owner_exec, fs::perms::owner_exec);
    EXPECT_EQ(mode("kalwin/old.exe"), fs::perms(0750));  // executable where it may be read
}

// Ends the process where a write would rename its temporary into place.
struct DyingFileSystem final : testing::FaultyFileSystem {
    DyingFileSystem() : FaultyFileSystem(realFileSystem()) {}
    int rename(const std::string&, const std::string&) override { ::_exit(0); }
};

TEST_F(FilesTest, TemporariesOfACrashAreNeverListedAndGoAtTheNextWrite) {
    drive.write("az/kalvora.tab", "old");
    const pid_t child = ::fork();
    if (child == 0) {
        DyingFileSystem dying;
        Files(dying).replaceFile(drive.path("az/kalvora.tab"), "new");
        ::_exit(1);
    }
    ASSERT_GT(child, 0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const Names left = drive.list("az");
    ASSERT_EQ(left.size(), 2u);
    const std::string crashed = left[1], pid = std::to_string(child);
    ASSERT_NE(crashed.find("-" + pid + "-"), std::string::npos) << crashed;
    // Beside it: one of a running instance (this one), one of another machine, a user's file.
    std::string running = crashed;
    running.replace(crashed.find("-" + pid + "-") + 1, pid.size(), std::to_string(::getpid()));
    const std::string elsewhere = "kalvora.tab.~altro-pc-" + pid + "-1.tmp";
    for (const std::string& name : {running, elsewhere, std::string("nota.~1.tmp")})
        drive.write("az/" + name, "x");
    // Copies and backups take what a listing gives.
    std::vector<DirEntry> entries;
    ASSERT_EQ(files.list(drive.path("az"), entries), 0);
    Names listed;
    for (const DirEntry& e : entries) listed.push_back(e.name);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (Names{"kalvora.tab", "nota.~1.tmp"}));
    ASSERT_EQ(files.writeLines(drive.path("az/altro"), {"x"}), 0);
    Names expected{"altro", "kalvora.tab", running, elsewhere, "nota.~1.tmp"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(drive.list("az"), expected);
    EXPECT_EQ(drive.read("az/kalvora.tab"), "old");
}

TEST_F(FilesTest, FoldersAndListings) {
    EXPECT_EQ(files.makeDirectories(drive.path("KALWIN/PDF/x")), 0);
    EXPECT_EQ(files.makeDirectories(drive.path("kalwin/pdf")), 0);  // already there
    EXPECT_EQ(drive.list(""), Names{"KALWIN"});
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

TEST_F(FilesTest, RecordFilesReadBlankPastTheEndAndRewriteOneRecord) {
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
    const std::string tot = drive.read("kalvora.tot");
    EXPECT_EQ(tot.size(), 120u);
    EXPECT_EQ(tot.substr(0, 80), std::string(80, '\0'));
    EXPECT_EQ(tot.substr(112), "Citt\xE0   ");

    drive.write("kalvora.gnr", "AAAABBBBCC");
    ASSERT_EQ(files.replaceRecord(drive.path("KALVORA.GNR"), 4, 2, Record(std::string("xy"))), 0);
    EXPECT_EQ(drive.read("kalvora.gnr"), std::string("AAAAxy\0\0CC", 10));
    ASSERT_EQ(files.replaceRecord(drive.path("kalvora.gnr"), 4, 5, Record(std::string("12345"))), 0);
    EXPECT_EQ(drive.read("kalvora.gnr"), std::string("AAAAxy\0\0CC", 10) + std::string(6, '\0') + "1234");
    EXPECT_EQ(files.replaceRecord(drive.path("new.gnr"), 3, 0, Record(3)), EINVAL);
}

}  // namespace
}  // namespace kalvora::core
