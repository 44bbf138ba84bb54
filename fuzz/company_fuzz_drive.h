#pragma once
// A drive root created once per fuzzing process, in memory-backed /dev/shm when there is one,
// with its installation folder ready.
#include "core/files.h"
#include "core/paths.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include <sys/stat.h>

namespace kalvora::fuzzing {

// Removes a folder and everything below it, through the file layer.
inline void removeTree(core::Files& files, const std::string& folder) {
    std::vector<core::DirEntry> entries;
    files.list(folder, entries);
    for (const core::DirEntry& entry : entries) {
        const std::string path = core::joinPath(folder, entry.name);
        if (entry.isDirectory)
            removeTree(files, path);
        else
            files.remove(path);
    }
    files.fileSystem().removeDirectory(folder);
}

inline const core::Installation& companyFuzzDrive() {
    // Never destroyed, so the clean-up at exit can still use it.
    static const core::Installation* inst = [] {
        struct stat st {};
        std::string pattern = stat("/dev/shm", &st) == 0 ? "/dev/shm" : "/tmp";
        pattern += "/kalvora-fuzz-company-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        auto* made = new core::Installation(pattern);
        core::Files files;
        if (files.makeDirectories(made->folder()) != 0) std::abort();
        std::atexit([] {
            core::Files cleaner;
            removeTree(cleaner, companyFuzzDrive().driveRoot());
        });
        return made;
    }();
    return *inst;
}

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Line breaks become blanks, as the writers store them.
inline std::string withoutLineBreaks(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

}  // namespace kalvora::fuzzing
