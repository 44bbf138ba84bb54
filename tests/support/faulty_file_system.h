#pragma once
// Wraps a FileSystem and breaks it at a chosen call: every primitive call (open, each read,
// write, sync, truncate, permissions, close on a handle, rename, remove, mkdir, list, readlink
// ...) is counted; call number `failAt` (1-based) fails with EIO, and with `crashAfter` set
// every call from then on fails too, as if the process had died there.
#include "core/filesystem.h"

#include <atomic>

namespace kalvora::testing {

class FaultyFileSystem : public core::FileSystem {
public:
    explicit FaultyFileSystem(core::FileSystem& inner) : inner_(inner) {}

    void failAt(long call, bool crashAfter = false) {
        failAt_ = call;
        crash_ = crashAfter;
        calls_ = 0;
    }
    void reset() { failAt_ = 0; calls_ = 0; crash_ = false; }
    // Every sync (of a file or a folder), or every close, fails too; the data still gets there,
    // so only the result shows whether the error was passed on.
    bool failEverySync = false;
    bool failEveryClose = false;
    // Every write lands with its first byte changed and reports success: a medium that loses
    // data without saying so.
    bool corruptWrites = false;
    long calls() const { return calls_; }
    bool failed() const { return failAt_ > 0 && calls_ >= failAt_; }

    // Counts the call and says whether it must fail.
    bool tick();

    int open(const std::string& path, core::OpenMode mode, std::unique_ptr<core::FileHandle>& out) override;
    int rename(const std::string& from, const std::string& to) override;
    int remove(const std::string& path) override;
    int makeDirectory(const std::string& path) override;
    int removeDirectory(const std::string& path) override;
    int syncDirectory(const std::string& path) override;
    int list(const std::string& folder, std::vector<core::DirEntry>& out) override;
    core::FileStat stat(const std::string& path) override;
    int readLink(const std::string& path, std::string& target) override;
    int setReadOnly(const std::string& path, bool readOnly) override;

private:
    core::FileSystem& inner_;
    long failAt_ = 0;
    std::atomic<long> calls_ = 0;  // reads of one file may come from two threads
    bool crash_ = false;
};

}  // namespace kalvora::testing
