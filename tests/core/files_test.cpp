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
    void write(std::string_view rel, std::string_view bytes, unsigned bits) const {
        drive.write(rel, bytes);
        fs::permissions(drive.path(rel), fs::perms(bits));
    }
    TempDrive drive;
    Files files;
};

TEST_F(FilesTest, NamesInAnyCaseWindows1252WithCrLfAndReadOnlyFilesSpared) {
    drive.write("KALWIN/Kalwin/KALVORA.AZI", "*\r\n");
    EXPECT_EQ(files.readLines(drive.path("kalwin/KALWIN/Kalvora.azi")), Names{"*"});
    // A new file keeps the spelling it is given, inside the folder found in another case.
    ASSERT_EQ(files.writeLines(drive.path("kalwin/kalwin/kalvora.Uso"), {"Città", "", "€ 5"}), 0);
    EXPECT_EQ(drive.read("KALWIN/Kalwin/kalvora.Uso"), "Citt\xE0\r\n\r\n\x80 5\r\n");
    EXPECT_EQ(files.readLines(drive.path("KALWIN/KALWIN/KALVORA.USO")), (Names{"Città", "", "€ 5"}));
    EXPECT_EQ(drive.list(""), Names{"KALWIN"});
    drive.write("a/File.txt", "upper");
    drive.write("a/file.txt", "lower");
    EXPECT_EQ(files.readBytes(drive.path("a/file.txt")), "lower");  // the exact name first
    EXPECT_EQ(files.readBytes(drive.path("a/File.txt")), "upper");
    ASSERT_EQ(files.setReadOnly(drive.path("a/file.txt"), true), 0);
    EXPECT_EQ(files.replaceFile(drive.path("a/file.txt"), "new"), EACCES);
    EXPECT_EQ(files.copyFile(drive.path("missing"), drive.path("a/File.txt")), ENOENT);
    EXPECT_EQ(drive.read("a/file.txt") + drive.read("a/File.txt"), "lowerupper");
    EXPECT_EQ(drive.list("a"), (Names{"File.txt", "file.txt"}));  // no temporary left
}

TEST_F(FilesTest, ReadingMissingEmptyAndTooLargeFiles) {
    drive.write("empty", "");
    EXPECT_EQ(files.readLines(drive.path("empty")), Names{});
    drive.write("big", std::string(3u << 20, 'x') + "tail");
    EXPECT_EQ(files.readBytes(drive.path("big"), (3u << 20) + 4)->size(), (3u << 20) + 4);
    // A file over the limit is too large, never silently cut; a prefix is asked for as such.
    EXPECT_EQ(files.readBytes(drive.path("big"), (3u << 20) + 3), std::nullopt);
    EXPECT_EQ(files.readLines(drive.path("big"), 10), std::nullopt);
    EXPECT_EQ(files.readPrefix(drive.path("big"), 10), std::string(10, 'x'));
    EXPECT_EQ(files.readPrefix(drive.path("empty"), 10), "");
    // Every line end (CR LF, LF, a lone CR); a last line without one; every byte decoded.
    const std::pair<std::string, Names> texts[] = {
        {"a\r\n\r\nb\n\n", {"a", "", "b", ""}}, {"a\r\nb\r", {"a", "b"}}, {"\xE0\r\rx", {"à", "", "x"}},
        {std::string("\0\xFF\r\x80\n", 5), {std::string("\0ÿ", 3), "€"}}, {"pi\r\n\x80 \x85\r\n", {"pi", "€ …"}}};
    for (const auto& [bytes, lines] : texts) {
        drive.write("mixed", bytes);
        EXPECT_EQ(files.readLines(drive.path("mixed")), lines) << bytes;
    }
    EXPECT_EQ(files.readBytes(drive.root()), std::nullopt);  // a folder is no file
}

TEST_F(FilesTest, RewritesKeepModeAndFollowLinksCopiesKeepExecuteBits) {
    write("prog", "v1", 0750);
    ASSERT_EQ(files.replaceFile(drive.path("prog"), "v2"), 0);
    EXPECT_EQ(mode("prog"), fs::perms(0750));
    // Through a chain of links: the file named gets the content, each link stays a link.
    write("real/kalvora.tab", "old", 0604);
    fs::create_symlink("real/kalvora.tab", drive.path("link"));
    fs::create_symlink(drive.path("link"), drive.path("chain"));
    ASSERT_EQ(files.writeLines(drive.path("chain"), {"new"}), 0);
    ASSERT_EQ(files.replaceRecord(drive.path("LINK"), 3, 1, Record(std::string("NEW"))), 0);
    EXPECT_TRUE(fs::is_symlink(drive.path("link")) && fs::is_symlink(drive.path("chain")));
    EXPECT_EQ(drive.read("real/kalvora.tab"), "NEW\r\n");
    EXPECT_EQ(mode("real/kalvora.tab"), fs::perms(0604));
    // A program copied from a download stays startable, as a new file or over an old one.
    write("kalwin/kalfass.lha", "ELF", 0755);
    write("kalwin/old.exe", "old", 0640);
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
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const std::string crashed = drive.list("az").back(), pid = "-" + std::to_string(child) + "-";
    const std::size_t at = crashed.find(pid);
    ASSERT_NE(at, std::string::npos) << crashed;
    // Beside it: one of a running instance (this one), one of another machine, a user's file.
    const std::string running =
        crashed.substr(0, at) + "-" + std::to_string(::getpid()) + crashed.substr(at + pid.size() - 1);
    const std::string elsewhere = "kalvora.tab.~altro-pc" + pid + "1.tmp";
    for (const std::string& name : {running, elsewhere, std::string("nota.~1.tmp")}) drive.write("az/" + name, "x");
    std::vector<DirEntry> entries;  // copies and backups take what a listing gives
    ASSERT_EQ(files.list(drive.path("az"), entries), 0);
    EXPECT_EQ(entries.size(), 2u);  // kalvora.tab and the user's file
    ASSERT_EQ(files.writeLines(drive.path("az/altro"), {"x"}), 0);
    Names expected{"altro", "kalvora.tab", running, elsewhere, "nota.~1.tmp"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(drive.list("az"), expected);
    EXPECT_EQ(drive.read("az/kalvora.tab"), "old");
}

TEST_F(FilesTest, FoldersAndRecordFiles) {
    EXPECT_EQ(files.makeDirectories(drive.path("KALWIN/PDF/x")), 0);
    EXPECT_EQ(files.makeDirectories(drive.path("kalwin/pdf")), 0);  // already there
    drive.write("KALWIN/file", "1");
    EXPECT_EQ(files.makeDirectories(drive.path("KALWIN/file/sub")), ENOTDIR);
    EXPECT_EQ(drive.list("KALWIN"), (Names{"PDF", "file"}));
    RecordFile f;
    EXPECT_EQ(files.openRecords(drive.path("kalvora.tot"), 40, false, f), ENOENT);
    ASSERT_EQ(files.openRecords(drive.path("kalvora.tot"), 40, true, f), 0);
    Record r(40);
    r.setText(32, 8, "Città");
    ASSERT_EQ(f.write(3, r), 0);
    int past = -1, zero = -1;
    EXPECT_TRUE(f.read(99, &past) == Record(40) && f.read(0, &zero) == Record(40));  // past the end: blank
    EXPECT_EQ(std::pair(past, zero), std::pair(0, EINVAL));
    EXPECT_EQ(f.close(), 0);
    EXPECT_EQ(drive.read("kalvora.tot"), std::string(112, '\0') + "Citt\xE0   ");
    // One record rewritten, the other bytes kept; a gap reads as zero bytes.
    drive.write("kalvora.gnr", "AAAABBBBCC");
    ASSERT_EQ(files.replaceRecord(drive.path("KALVORA.GNR"), 4, 2, Record(std::string("xy"))), 0);
    ASSERT_EQ(files.replaceRecord(drive.path("kalvora.gnr"), 4, 5, Record(std::string("12345"))), 0);
    EXPECT_EQ(drive.read("kalvora.gnr"), std::string("AAAAxy\0\0CC", 10) + std::string(6, '\0') + "1234");
    EXPECT_EQ(files.replaceRecord(drive.path("new.gnr"), 3, 0, Record(3)), EINVAL);
}

TEST(TextReader, ItemsSplitAtCommasAndLineEndsThenLinesGoOn) {
    TextReader r("  1, due ,\"tre, quattro\" ,\r\n\"cinque\"\r\n  \r\n\"x\"yz,w\n"
                 "\"aperta, senza fine\r\nriga, intera\r\n");
    // The empty value after the last comma, a blank line, what follows a closing quote dropped,
    // an unclosed quote ends at its line end.
    for (const char* expected : {"1", "due", "tre, quattro", "", "cinque", "", "x", "w", "aperta, senza fine"})
        EXPECT_EQ(r.readItem(), expected);
    EXPECT_EQ(r.readLine(), "riga, intera");
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.readItem(), std::nullopt);
    EXPECT_EQ(r.readLine(), std::nullopt);
}

}  // namespace
}  // namespace kalvora::core
