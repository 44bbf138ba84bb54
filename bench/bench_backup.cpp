// Measures the backup of a large company folder through the backup window's own copy (each file
// through a temporary, flushed, read back and compared, then renamed) against `cp -r` of the same
// folder followed by `sync`, the same durability. The company is generated once: a few large
// archives and a few hundred small files, about 1 GiB in all (the size in MiB is the second
// argument). The two copies run alternately; the medians and their ratio are printed.
// Usage: bench_backup [runs, default 3] [MiB, default 1024]
#include "company/backup_form.h"
#include "core/clock.h"
#include "core/files.h"
#include "core/paths.h"
#include "core/session.h"
#include "support/quiet_platform.h"

#include "bench_support.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>


using namespace kalvora;
using bench::median;
namespace fs = std::filesystem;

namespace {

// Bytes that no file system can store as holes or compress away.
void writeFile(const fs::path& path, std::uint64_t size, std::mt19937_64& random) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::vector<std::uint64_t> block(1 << 17);
    for (std::uint64_t left = size; left > 0;) {
        for (auto& word : block) word = random();
        const std::uint64_t n = std::min<std::uint64_t>(left, block.size() * sizeof(std::uint64_t));
        out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(n));
        left -= n;
    }
}

// Four large archives take three quarters of the size, 300 small files of varied sizes the rest.
std::uint64_t generateCompany(const fs::path& folder, std::uint64_t total) {
    std::mt19937_64 random(42);
    const std::uint64_t large = total * 3 / 4 / 4;
    std::uint64_t written = 0;
    for (const char* name : {"kalvora.gio", "kalvora.mag", "kalvora.art", "kalvora.cli"}) {
        writeFile(folder / name, large, random);
        written += large;
    }
    const std::uint64_t small = (total - written) / 300;
    for (int i = 0; i < 300; ++i) {
        const std::uint64_t size = small / 2 + random() % (small + 1);
        writeFile(folder / ("ftr" + std::to_string(1000 + i) + ".dat"), size, random);
        written += size;
    }
    return written;
}

// The program's backup of every file into the company's kalaz0.bak, as the window runs it.
double programBackup(core::Session& session, int& failed) {
    company::BackupForm form(session);
    form.open();
    form.chooseScope(company::FileScope::All);
    form.setAll(true);
    const auto start = std::chrono::steady_clock::now();
    form.start();
    const double elapsed = bench::secondsSince(start);
    failed = 0;
    for (const company::ArchiveRow& row : form.rows())
        failed += row.colour == company::ArchiveCopyForm::failedColour;
    return elapsed;
}

double plainCopy(const fs::path& from, const fs::path& to) {
    return bench::timedShell("cp -r '" + from.string() + "' '" + to.string() + "' && sync");
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const std::uint64_t mib = argc > 2 ? std::max(8, std::atoi(argv[2])) : 1024;

    const std::string home = bench::scratchFolder("kalvora-backup");
    if (home.empty()) return 1;
    core::Files files;
    core::SystemClock clock;
    testing::QuietPlatform platform;
    platform.answer = true;  // "Sei proprio sicuro?"
    core::Session session(core::Installation(home), platform, clock, files);
    const fs::path company = session.installation().companyFolder(0);
    fs::create_directories(company);
    const std::uint64_t bytes = generateCompany(company, mib << 20);
    const fs::path backup = company / "kalaz0.bak";
    const fs::path plain = fs::path(home) / "copia";
    std::printf("backup of a company of %.0f MiB in 304 files: the program's verified copy against cp -r and sync, "
                "%d runs each\n",
                static_cast<double>(bytes) / (1 << 20), runs);

    std::vector<double> program, bare;
    bool failed = false;
    for (int i = 0; i < runs && !failed; ++i) {
        // Each copy starts with nothing left to write: the generated files and the copies of the
        // run before are on disk, and neither copy pays for the other's writes.
        fs::remove_all(backup);
        fs::remove_all(plain);
        sync();
        int rows = 0;
        const double p = programBackup(session, rows);
        sync();
        const double b = plainCopy(company, plain);
        if (rows > 0 || b < 0) {
            std::fprintf(stderr, "bench_backup: %s\n", rows > 0 ? "the program's copy failed" : "cp -r failed");
            failed = true;
        }
        program.push_back(p);
        bare.push_back(b);
    }
    fs::remove_all(home);
    if (failed) return 1;

    const double p = median(program), b = median(bare);
    std::printf("program backup  median %7.2f s\n", p);
    std::printf("cp -r and sync  median %7.2f s\n", b);
    std::printf("ratio           median %7.2f      (target: at most 1.50)\n", p / b);
    return 0;
}
