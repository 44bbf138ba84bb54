// Every whole-file rewrite is run against a failure at each primitive call in turn, both as a
// plain error and as a crash that stops all later calls.
#include "core/files.h"
#include "support/faulty_file_system.h"
#include "support/temp_drive.h"

#include <cerrno>
#include <functional>

#include <gtest/gtest.h>

namespace kalvora::core {
namespace {

using testing::FaultyFileSystem;
using testing::TempDrive;

struct Scenario {
    const char* name;
    std::string oldContent;  // empty: the target does not exist beforehand
    std::string newContent;
    std::function<int(Files&, const TempDrive&)> run;
};

std::string pattern(std::size_t size, int seed) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>((i * 31 + static_cast<std::size_t>(seed)) % 251);
    return s;
}

// Runs the scenario with the k-th call failing, k = 1, 2 ... until it succeeds untouched.
void tryEveryFailurePoint(const Scenario& sc, bool crash) {
    SCOPED_TRACE(std::string(sc.name) + (crash ? " (crash)" : " (error)"));
    int newDespiteError = 0;
    long k = 1;
    for (;; ++k) {
        ASSERT_LT(k, 500) << "the operation never completed";
        TempDrive drive;
        drive.write("src", sc.newContent);
        if (!sc.oldContent.empty()) drive.write("target", sc.oldContent);
        FaultyFileSystem faulty(realFileSystem());
        Files files(faulty);
        faulty.failAt(k, crash);
        const int rc = sc.run(files, drive);
        const bool hit = faulty.failed();
        faulty.reset();

        const bool present = drive.exists("target");
        const bool isOld = sc.oldContent.empty() ? !present : drive.read("target") == sc.oldContent;
        const bool isNew = present && drive.read("target") == sc.newContent;
        ASSERT_TRUE(isOld || isNew) << "k=" << k << ": a mix of old and new";
        EXPECT_TRUE(rc != 0 || isNew) << "k=" << k << ": success reported, old content kept";
        if (!hit) {
            EXPECT_EQ(rc, 0);
            break;
        }
        // A plain failure cleans up after itself.
        EXPECT_TRUE(crash || drive.list("").size() == (present ? 2u : 1u)) << "k=" << k;
        newDespiteError += !crash && rc != 0 && isNew;  // only the final folder sync fails after the rename
    }
    EXPECT_GE(k, 8) << "too few calls to exercise";
    EXPECT_LE(newDespiteError, 1);
}

TEST(AtomicWrite, EveryRewriteLeavesOldOrNewAtEveryFailurePoint) {
    const std::string oldText = "vecchio contenuto\r\n";
    const std::string bigText = pattern((2u << 20) + 1234, 3);  // several blocks
    const std::string oldRecords = pattern(479 * 3, 5);
    const std::string newRecords = std::string(oldRecords).replace(479, 479, std::string(479, 'R'));
    const Scenario scenarios[] = {
        {"replaceFile", oldText, bigText,
         [&](Files& f, const TempDrive& d) { return f.replaceFile(d.path("TARGET"), bigText); }},
        {"writeLines new file", "", "Citt\xE0\r\n",
         [](Files& f, const TempDrive& d) { return f.writeLines(d.path("target"), {"Città"}); }},
        {"copyFile", oldText, bigText,
         [](Files& f, const TempDrive& d) { return f.copyFile(d.path("Src"), d.path("target")); }},
        {"replaceRecord", oldRecords, newRecords,
         [](Files& f, const TempDrive& d) {
             return f.replaceRecord(d.path("target"), 479, 2, Record(std::string(479, 'R')));
         }},
    };
    for (const Scenario& sc : scenarios) {
        tryEveryFailurePoint(sc, false);
        tryEveryFailurePoint(sc, true);
    }
}

TEST(AtomicWrite, FailedSyncOrCloseIsReported) {
    for (bool syncs : {true, false}) {
        TempDrive drive;
        drive.write("target", "vecchio");
        drive.write("src", "nuovo");
        FaultyFileSystem failing(realFileSystem());
        (syncs ? failing.failEverySync : failing.failEveryClose) = true;
        Files files(failing);
        EXPECT_EQ(files.replaceFile(drive.path("target"), "nuovo"), EIO);
        EXPECT_EQ(files.copyFile(drive.path("src"), drive.path("target")), EIO);
        EXPECT_EQ(files.replaceRecord(drive.path("target"), 4, 1, Record(4)), EIO);
        EXPECT_EQ(drive.read("target"), "vecchio");
        EXPECT_EQ(drive.list(""), (std::vector<std::string>{"src", "target"}));
        if (syncs) {  // removing a file and making a folder must last as writes do
            EXPECT_EQ(files.remove(drive.path("src")), EIO);
            EXPECT_EQ(files.makeDirectory(drive.path("cartella")), EIO);
            EXPECT_EQ(files.makeDirectories(drive.path("a/b")), EIO);
        }
    }
}

// A copy is read back before it takes the target's name: one that did not land as it was
// written is never reported as done, and the target keeps its old content.
TEST(AtomicWrite, ACopyThatDoesNotReadBackTheSameIsRefused) {
    TempDrive drive;
    const std::string content = pattern((2u << 20) + 5, 7);
    drive.write("src", content);
    drive.write("target", "vecchio");
    FaultyFileSystem faulty(realFileSystem());
    Files files(faulty);
    std::vector<std::pair<std::uint64_t, std::uint64_t>> heard;
    const auto progress = [&](std::uint64_t done, std::uint64_t total) { heard.emplace_back(done, total); };
    faulty.corruptWrites = true;
    EXPECT_EQ(files.copyFile(drive.path("src"), drive.path("target"), progress), EIO);
    EXPECT_EQ(drive.read("target"), "vecchio");
    EXPECT_EQ(drive.list(""), (std::vector<std::string>{"src", "target"}));
    faulty.corruptWrites = false;
    heard.clear();
    EXPECT_EQ(files.copyFile(drive.path("src"), drive.path("target"), progress), 0);
    EXPECT_EQ(drive.read("target"), content);
    ASSERT_GE(heard.size(), 2u);  // a big file is heard of block by block, up to its size
    EXPECT_EQ(heard.back(), std::make_pair(std::uint64_t{content.size()}, std::uint64_t{content.size()}));
}

TEST(AtomicWrite, FailedReadsNeverGivePartialContent) {
    TempDrive drive;
    const std::string content = pattern((3u << 20) + 17, 9);
    drive.write("f", content);
    FaultyFileSystem faulty(realFileSystem());
    Files files(faulty);
    for (long k = 1, done = 0; !done; ++k) {
        ASSERT_LT(k, 100);
        faulty.failAt(k);
        const auto bytes = files.readBytes(drive.path("f"));
        done = !faulty.failed();
        EXPECT_TRUE(done ? bytes == content : !bytes || *bytes == content) << "k=" << k;  // never a part
    }
}

}  // namespace
}  // namespace kalvora::core
