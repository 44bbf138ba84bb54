#pragma once
// What the benchmarks share: their scratch folder, the median of their runs and the timing of
// the plain tools they are compared with.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kalvora::bench {

// A new folder under $TMPDIR (or /tmp) named `stem` and a unique end; empty when it cannot be made.
inline std::string scratchFolder(const std::string& stem) {
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = std::string(tmp ? tmp : "/tmp") + "/" + stem + "-XXXXXX";
    if (!mkdtemp(folder.data())) {
        std::perror("scratch folder");
        return {};
    }
    return folder;
}

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

inline double secondsSince(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Runs `script` with sh and returns how long it took; -1 when it failed.
inline double timedShell(const std::string& script) {
    const char* argv[] = {"sh", "-c", script.c_str(), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = -1;
    if (posix_spawnp(&pid, "sh", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    const double elapsed = secondsSince(start);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? elapsed : -1;
}

}  // namespace kalvora::bench
