#pragma once
// What the benchmarks share: their scratch folder and the median of their runs.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

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

}  // namespace kalvora::bench
