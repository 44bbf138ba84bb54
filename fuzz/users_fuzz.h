#pragma once
// For the users file fuzz target: a drive root created once per process (under /dev/shm when
// it exists) with its installation folder, and a platform that answers every question with a
// fixed answer and counts what it is asked.
#include "core/clock.h"
#include "core/files.h"
#include "core/form.h"
#include "core/paths.h"
#include "support/quiet_platform.h"

#include <cstdlib>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace kalvora::fuzzing {

// Never destroyed, and removed at exit with everything below it.
inline const core::Installation& usersFuzzDrive() {
    static const core::Installation* inst = [] {
        struct stat st {};
        std::string pattern = stat("/dev/shm", &st) == 0 ? "/dev/shm" : "/tmp";
        pattern += "/kalvora-fuzz-users-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        auto* made = new core::Installation(pattern);
        core::Files files;
        if (files.makeDirectories(made->folder()) != 0) std::abort();
        std::atexit([] {
            core::Files cleaner;
            const core::Installation& i = usersFuzzDrive();
            std::vector<core::DirEntry> entries;
            cleaner.list(i.folder(), entries);
            for (const auto& e : entries) cleaner.remove(core::joinPath(i.folder(), e.name));
            cleaner.fileSystem().removeDirectory(i.folder());
            cleaner.fileSystem().removeDirectory(i.downloadFolder());
            cleaner.fileSystem().removeDirectory(i.driveRoot());
        });
        return made;
    }();
    return *inst;
}

}  // namespace kalvora::fuzzing
