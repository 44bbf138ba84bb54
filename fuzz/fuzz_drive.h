#pragma once
// What every fuzz target shares: a fresh drive in memory for each input (nothing touches the
// disk, and no input sees what an earlier one left), the installation and company 000's folder
// on it, a platform that shows nothing, and the check that stops the run on a broken rule.
#include "core/clock.h"
#include "core/filesystem_memory.h"
#include "core/files.h"
#include "core/paths.h"
#include "core/session.h"
#include "support/quiet_platform.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace kalvora::fuzz {

using NullPlatform = testing::QuietPlatform;

struct Drive {
    core::MemoryFileSystem fs;
    core::Files files{fs};
    core::Installation inst{"/home/fuzz"};

    Drive() {
        for (const std::string& folder : {std::string("/home"), inst.driveRoot(), inst.downloadFolder(), inst.folder(),
                                          inst.companyFolder(0)})
            if (fs.makeDirectory(folder) != 0) std::abort();
    }
};

// A drive with a session on it, for the targets that run the program's windows and loaders.
struct SessionDrive : Drive {
    NullPlatform platform;
    core::FixedClock clock{core::Date{2026, 12, 6}};
    core::Session session{inst, platform, clock, files};
};

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// `what` names the rule; the line of the call is printed with it.
inline void check(bool condition, const char* what = "", int line = __builtin_LINE()) {
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed at line %d: %s\n", line, what);
        std::abort();
    }
}

// Places `bytes` at `path` exactly, or removes the file when `present` is false.
inline void placeFile(core::Files& files, const std::string& path, std::string_view bytes, bool present = true) {
    if (!present) {
        files.remove(path);
        return;
    }
    check(files.replaceFile(path, bytes) == 0, "place the input");
}

// Line breaks become blanks, as the writers store them.
inline std::string withoutLineBreaks(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

}  // namespace kalvora::fuzz
