#pragma once
// Shared by the settings-file fuzz targets: one temporary drive root per process (under
// /dev/shm when it exists), the installation's folders inside it, and a platform that shows
// nothing, so a Session can run the loader.
#include "core/files.h"
#include "core/paths.h"
#include "support/quiet_platform.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace kalvora::fuzz {

using NullPlatform = testing::QuietPlatform;

inline std::string makeDriveRoot() {
    std::string pattern = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
    pattern += "/kalvora-fuzz-settings-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    return pattern;
}

inline void removeTree(core::Files& files, const std::string& folder) {
    std::vector<core::DirEntry> entries;
    files.list(folder, entries);
    for (const core::DirEntry& e : entries) {
        const std::string path = core::joinPath(folder, e.name);
        if (e.isDirectory)
            removeTree(files, path);
        else
            files.remove(path);
    }
    files.fileSystem().removeDirectory(folder);
}

// The drive of this process, with the installation folder and company 000's folder; removed
// when the process exits normally.
inline const core::Installation& fuzzInstallation() {
    // Never destroyed, so the exit handler can still find the root.
    static const core::Installation& inst = *[] {
        auto* i = new core::Installation(makeDriveRoot());
        core::Files files;
        if (files.makeDirectories(i->companyFolder(0)) != 0)
            std::abort();
        std::atexit([] {
            core::Files files;
            removeTree(files, fuzzInstallation().driveRoot());
        });
        return i;
    }();
    return inst;
}

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Places `bytes` at `path` exactly, or removes the file when `present` is false.
inline void placeFile(core::Files& files, const std::string& path, std::string_view bytes, bool present = true) {
    if (!present) {
        files.remove(path);
        return;
    }
    if (files.replaceFile(path, bytes) != 0)
        std::abort();
}

inline void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

}  // namespace kalvora::fuzz
