// The in-memory file system against the real one: one table of cases, each run on a fresh
// folder of both, must give the same results, error numbers included.
#include "core/filesystem_memory.h"
#include "core/files.h"
#include "support/temp_drive.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

#include <gtest/gtest.h>

namespace kalvora::core {
namespace {

// A write to a read-only file: refused, unless the process is privileged.
const int readOnlyWrite = ::geteuid() == 0 ? 0 : EACCES;
const char* const readOnlyAfter = readOnlyWrite == 0 ? "2" : "1";
const std::string longName(256, 'n');
const std::string longestName(255, 'n');

enum class Op { Mkdir, Rmdir, Write, Create, Read, Rename, Remove, List, Stat, SyncDir, ReadLink, ReadOnly };

// One operation and what it must give: `arg` is the bytes written, the expected bytes read,
// the target of a rename, the names listed ("a,b/" with folders marked), the kind found
// ("file 3", "dir", "none") or "1"/"0" for read-only.
struct Step {
    Op op;
    const char* path;
    const char* arg;
    int result;
};

struct Case {
    const char* name;
    std::vector<Step> steps;
};

const Case cases[] = {
    {"names are exact and case-sensitive",
     {{Op::Write, "a", "x", 0}, {Op::Write, "A", "yy", 0}, {Op::Read, "a", "x", 0}, {Op::Read, "A", "yy", 0},
      {Op::List, "", "A,a", 0}, {Op::Read, "b", "", ENOENT}, {Op::Stat, "B", "none", 0}}},
    {"files: create, rewrite in place, exclusive creation",
     {{Op::Create, "t", "abc", 0}, {Op::Create, "t", "", EEXIST}, {Op::Write, "t", "Z", 0}, {Op::Read, "t", "Zbc", 0},
      {Op::Stat, "t", "file 3", 0}, {Op::Mkdir, "d", "", 0}, {Op::Create, "d", "", EEXIST}}},
    {"folders: make, list, remove",
     {{Op::Mkdir, "d", "", 0}, {Op::Mkdir, "d", "", EEXIST}, {Op::Mkdir, "x/y", "", ENOENT},
      {Op::Write, "d/f", "1", 0}, {Op::Mkdir, "d/e", "", 0}, {Op::List, "d", "e/,f", 0}, {Op::Stat, "d", "dir", 0},
      {Op::Rmdir, "d", "", ENOTEMPTY}, {Op::Rmdir, "d/f", "", ENOTDIR}, {Op::Rmdir, "d/e", "", 0},
      {Op::Remove, "d/f", "", 0}, {Op::Rmdir, "d", "", 0}, {Op::Rmdir, "d", "", ENOENT}, {Op::List, "", "", 0}}},
    {"a file where a folder is expected and the other way round",
     {{Op::Write, "f", "1", 0}, {Op::Mkdir, "d", "", 0}, {Op::Read, "f/x", "", ENOTDIR},
      {Op::Write, "f/x", "", ENOTDIR}, {Op::Mkdir, "f/x", "", ENOTDIR}, {Op::List, "f", "", ENOTDIR},
      {Op::List, "missing", "", ENOENT}, {Op::Read, "d", "", EISDIR}, {Op::Write, "d", "", EISDIR},
      {Op::Remove, "d", "", EISDIR}, {Op::SyncDir, "f", "", ENOTDIR}, {Op::SyncDir, "d", "", 0},
      {Op::SyncDir, "missing", "", ENOENT}, {Op::Stat, "f/", "none", 0}, {Op::Stat, "d/", "dir", 0},
      {Op::Stat, "d/../f", "file 1", 0}, {Op::Stat, "f/..", "none", 0}, {Op::Mkdir, "f", "", EEXIST}}},
    {"renames replace files, never folders that hold something",
     {{Op::Write, "a", "new", 0}, {Op::Write, "b", "old", 0}, {Op::Rename, "a", "b", 0}, {Op::Read, "b", "new", 0},
      {Op::Stat, "a", "none", 0}, {Op::Rename, "a", "b", ENOENT}, {Op::Rename, "b", "no/b", ENOENT},
      {Op::Mkdir, "d", "", 0}, {Op::Mkdir, "e", "", 0}, {Op::Write, "e/f", "1", 0}, {Op::Rename, "b", "d", EISDIR},
      {Op::Rename, "d", "b", ENOTDIR}, {Op::Rename, "d", "e", ENOTEMPTY}, {Op::Rename, "e", "d", 0},
      {Op::Read, "d/f", "1", 0}, {Op::Rename, "d", "d/sub", EINVAL}, {Op::Rename, "b", "b", 0},
      {Op::List, "", "b,d/", 0}}},
    {"read-only files",
     {{Op::Write, "r", "1", 0}, {Op::ReadOnly, "r", "1", 0}, {Op::Stat, "r", "read-only", 0},
      {Op::Write, "r", "2", readOnlyWrite}, {Op::Read, "r", readOnlyAfter, 0}, {Op::ReadOnly, "r", "0", 0},
      {Op::Write, "r", "3", 0}, {Op::Read, "r", "3", 0}, {Op::ReadOnly, "missing", "1", ENOENT},
      {Op::Remove, "r", "", 0}, {Op::Remove, "r", "", ENOENT}}},
    {"names too long, links that are none",
     {{Op::Write, longName.c_str(), "", ENAMETOOLONG}, {Op::Stat, longestName.c_str(), "none", 0},
      {Op::Write, "f", "", 0}, {Op::ReadLink, "f", "", EINVAL}, {Op::ReadLink, "missing", "", ENOENT},
      {Op::ReadLink, "f/x", "", ENOTDIR}}},
};

class FileSystemCase : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (GetParam()) {
            base_ = memory_.makeDirectory("/drive") == 0 ? "/drive" : "";
        } else {
            base_ = drive_.root();
        }
        ASSERT_FALSE(base_.empty());
    }
    FileSystem& fs() { return GetParam() ? static_cast<FileSystem&>(memory_) : realFileSystem(); }
    std::string at(const char* relative) const { return *relative ? base_ + "/" + relative : base_; }

    // Runs one step; returns its result and, where it gives one, what it found.
    int run(const Step& step, std::string& found);

    testing::TempDrive drive_;
    MemoryFileSystem memory_;
    std::string base_;
};

int FileSystemCase::run(const Step& step, std::string& found) {
    const std::string path = at(step.path);
    std::unique_ptr<FileHandle> handle;
    switch (step.op) {
    case Op::Mkdir: return fs().makeDirectory(path);
    case Op::Rmdir: return fs().removeDirectory(path);
    case Op::Remove: return fs().remove(path);
    case Op::SyncDir: return fs().syncDirectory(path);
    case Op::Rename: return fs().rename(path, at(step.arg));
    case Op::ReadOnly: return fs().setReadOnly(path, *step.arg == '1');
    case Op::ReadLink: {
        std::string target;
        return fs().readLink(path, target);
    }
    case Op::Write:
    case Op::Create: {
        const int error = fs().open(path, step.op == Op::Write ? OpenMode::ReadWrite : OpenMode::CreateExclusive, handle);
        if (error != 0) return error;
        if (const int w = handle->writeAt(0, step.arg, std::strlen(step.arg)); w != 0) return w;
        return handle->close();
    }
    case Op::Read: {
        const int error = fs().open(path, OpenMode::Read, handle);
        if (error != 0) return error;
        found.resize(static_cast<std::size_t>(handle->size()));
        if (handle->readAt(0, found.data(), found.size()) != static_cast<std::int64_t>(found.size())) return EIO;
        char beyond;
        if (handle->readAt(found.size(), &beyond, 1) != 0) return EIO;
        return handle->close();
    }
    case Op::List: {
        std::vector<DirEntry> entries;
        const int error = fs().list(path, entries);
        std::sort(entries.begin(), entries.end(), [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
        for (const DirEntry& e : entries) found += (found.empty() ? "" : ",") + e.name + (e.isDirectory ? "/" : "");
        return error;
    }
    case Op::Stat: {
        const FileStat st = fs().stat(path);
        found = !st.exists ? "none" : st.isDirectory ? "dir" : st.readOnly ? "read-only" : "file " + std::to_string(st.size);
        return 0;
    }
    }
    return -1;
}

TEST_P(FileSystemCase, EveryCaseOfTheTable) {
    const std::string root = base_;
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        base_ = root + "/" + std::to_string(++n);  // each case starts from an empty folder
        ASSERT_EQ(fs().makeDirectory(base_), 0);
        for (const Step& step : c.steps) {
            std::string found;
            EXPECT_EQ(run(step, found), step.result) << step.path << " " << step.arg;
            const bool reads = step.op == Op::Read || step.op == Op::List || step.op == Op::Stat;
            if (reads && step.result == 0) {
                EXPECT_EQ(found, step.arg) << step.path;
            }
        }
    }
}

// A handle keeps its file through a rename or a removal, as the atomic rewrite relies on.
TEST_P(FileSystemCase, HandlesOutliveRenameAndRemovalAndPermissionsStay) {
    std::unique_ptr<FileHandle> h;
    ASSERT_EQ(fs().open(at("tmp"), OpenMode::CreateExclusive, h), 0);
    ASSERT_EQ(h->writeAt(4, "ab", 2), 0);
    EXPECT_EQ(h->size(), 6);  // the gap reads as zero bytes
    ASSERT_EQ(h->setPermissions(0640, keepOwner, keepOwner), 0);
    ASSERT_EQ(fs().rename(at("tmp"), at("file")), 0);
    ASSERT_EQ(h->truncate(5), 0);
    ASSERT_EQ(h->sync(), 0);
    ASSERT_EQ(h->close(), 0);
    EXPECT_EQ(h->close(), EBADF);
    EXPECT_EQ(fs().stat(at("file")).mode, 0640u);
    EXPECT_EQ(fs().stat(at("file")).size, 5u);

    std::unique_ptr<FileHandle> r;
    ASSERT_EQ(fs().open(at("file"), OpenMode::Read, r), 0);
    EXPECT_EQ(r->writeAt(0, "x", 1), EBADF);
    ASSERT_EQ(fs().remove(at("file")), 0);
    char bytes[8] = {};
    EXPECT_EQ(r->readAt(0, bytes, sizeof bytes), 5);
    EXPECT_EQ(std::string(bytes, 5), std::string("\0\0\0\0a", 5));
    EXPECT_FALSE(fs().stat(at("file")).exists);
}

INSTANTIATE_TEST_SUITE_P(RealAndMemory, FileSystemCase, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Memory" : "Real"; });

// The file layer above it works the same in memory: names in any case, atomic rewrites.
TEST(MemoryFileSystem, CarriesTheFileLayer) {
    MemoryFileSystem memory;
    Files files(memory);
    ASSERT_EQ(files.makeDirectories("/home/u/KALWIN/Kalwin"), 0);
    ASSERT_EQ(files.writeLines("/home/u/kalwin/kalwin/Kalvora.azi", {"Città"}), 0);
    EXPECT_EQ(files.readBytes("/HOME/U/KALWIN/KALWIN/KALVORA.AZI"), "Citt\xE0\r\n");
    std::vector<DirEntry> entries;
    ASSERT_EQ(files.list("/home/u/kalwin/kalwin", entries), 0);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "Kalvora.azi");
    // Below a folder whose name is too long to list, the rest stays as spelled, never empty.
    const std::string tooLong = "/" + std::string(300, 'x') + "/Foto/logo.bmp";
    EXPECT_EQ(files.resolve("/HOME/U" + tooLong), "/home/u" + tooLong);
}

}  // namespace
}  // namespace kalvora::core
