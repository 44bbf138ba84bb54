// Every whole-file rewrite is run against a failure at each primitive call in turn, both as a
// plain error and as a crash that stops all later calls.
#include "core/files.h"
#include "support/faulty_file_system.h"
#include "support/temp_drive.h"

#include <functional>

#include <gtest/gtest.h>

namespace kalvora::core {
namespace {

using testing::FaultyFileSystem;
using testing::TempDrive;

struct Scenario {
    std::string oldContent;      // empty: the target does not exist beforehand
    std::string newContent;
    std::function<int(Files&, const TempDrive&)> run;
};

std::string pattern(std::size_t size, int seed) {
    std::string s(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        s[i] = static_cast<char>((i * 31 + static_cast<std::size_t>(seed)) % 251);
    return s;
}

// Runs the scenario with the k-th call failing, k = 1, 2 ... until it succeeds untouched.
void tryEveryFailurePoint(const Scenario& sc, bool crash) {
    int newDespiteError = 0;
    long k = 1;
    for (;; ++k) {
        ASSERT_LT(k, 500) << "the operation never completed";
        TempDrive drive;
        drive.write("src", sc.newContent);
        if (!sc.oldContent.empty())
            drive.write("target", sc.oldContent);
        FaultyFileSystem faulty(realFileSystem());
        Files files(faulty);
        faulty.failAt(k, crash);
        const int rc = sc.run(files, drive);
        const bool hit = faulty.failed();
        faulty.reset();

        const bool present = drive.exists("target");
        const std::string now = drive.read("target");
        const bool isOld = sc.oldContent.empty() ? !present : now == sc.oldContent;
        const bool isNew = present && now == sc.newContent;
        ASSERT_TRUE(isOld || isNew) << "k=" << k << " crash=" << crash << ": a mix of old and new";
        if (!hit) {
            EXPECT_EQ(rc, 0);
            EXPECT_TRUE(isNew);
            break;
        }
        if (rc == 0) {
            EXPECT_TRUE(isNew) << "k=" << k << ": success reported, old content kept";
        }
        if (crash)
            continue;
        // A plain failure cleans up after itself.
        EXPECT_EQ(drive.list(""), present ? (std::vector<std::string>{"src", "target"})
                                          : std::vector<std::string>{"src"})
            << "k=" << k;
        if (rc != 0 && isNew)
            ++newDespiteError;  // only the final folder sync fails after the rename
    }
    EXPECT_GE(k, 8) << "too few calls to exercise";
    EXPECT_LE(newDespiteError, 1);
}

const std::string oldText = "vecchio contenuto\r\n";
const std::string bigText = pattern((2u << 20) + 1234, 3);  // several blocks

TEST(AtomicWrite, ReplaceFileLeavesOldOrNew) {
    const Scenario sc{oldText, bigText, [](Files& f, const TempDrive& d) {
                          return f.replaceFile(d.path("TARGET"), bigText);
                      }};
    tryEveryFailurePoint(sc, false);
    tryEveryFailurePoint(sc, true);
}

TEST(AtomicWrite, NewFileAppearsWholeOrNotAtAll) {
    const Scenario sc{"", "Citt\xE0\r\n", [](Files& f, const TempDrive& d) {
                          return f.writeLines(d.path("target"), {"Città"});
                      }};
    tryEveryFailurePoint(sc, false);
    tryEveryFailurePoint(sc, true);
}

TEST(AtomicWrite, CopyLeavesOldOrNew) {
    const Scenario sc{oldText, bigText, [](Files& f, const TempDrive& d) {
                          return f.copyFile(d.path("Src"), d.path("target"));
                      }};
    tryEveryFailurePoint(sc, false);
    tryEveryFailurePoint(sc, true);
}

TEST(AtomicWrite, ReplaceRecordLeavesOldOrNew) {
    const std::string old = pattern(479 * 3, 5);
    std::string expected = old;
    expected.replace(479, 479, std::string(479, 'R'));
    const Scenario sc{old, expected, [](Files& f, const TempDrive& d) {
                          return f.replaceRecord(d.path("target"), 479, 2, Record(std::string(479, 'R')));
                      }};
    tryEveryFailurePoint(sc, false);
    tryEveryFailurePoint(sc, true);
}

TEST(AtomicWrite, FailedReadsNeverGivePartialContent) {
    TempDrive drive;
    const std::string content = pattern((3u << 20) + 17, 9);
    drive.write("f", content);
    FaultyFileSystem faulty(realFileSystem());
    Files files(faulty);
    for (long k = 1;; ++k) {
        ASSERT_LT(k, 100);
        faulty.failAt(k);
        const auto bytes = files.readBytes(drive.path("f"));
        if (!faulty.failed()) {
            EXPECT_EQ(bytes, content);
            break;
        }
        if (bytes) {
            EXPECT_EQ(*bytes, content) << "k=" << k;
        }
    }
}

TEST(AtomicWrite, FaultyHandlesCountTheirCalls) {
    TempDrive drive;
    drive.write("f", "abc");
    FaultyFileSystem faulty(realFileSystem());
    std::unique_ptr<FileHandle> h;
    ASSERT_EQ(faulty.open(drive.path("f"), OpenMode::Read, h), 0);
    char buf[3];
    EXPECT_EQ(h->readAt(0, buf, 3), 3);
    EXPECT_EQ(faulty.calls(), 2);
    faulty.failAt(2);
    EXPECT_EQ(h->size(), 3);
    EXPECT_EQ(h->readAt(0, buf, 3), -1);
    EXPECT_EQ(h->close(), 0);
    EXPECT_FALSE(faulty.tick());
    faulty.failAt(1, true);
    EXPECT_TRUE(faulty.tick());
    EXPECT_TRUE(faulty.tick());
}

}  // namespace
}  // namespace kalvora::core
