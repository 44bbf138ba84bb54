// Measures how long kalxena takes to start on a large installation, against a bare Qt program
// that only shows an empty main window. Prepares a temporary home folder whose registry lists
// 1000 companies, with company 000 created as a first start creates it and today's notice in
// place; starts an Xvfb when there is no display and a session bus when there is none; then
// runs the two probes alternately and prints the median wall times from spawn to exit and their
// ratio.
// Usage: bench_startup [runs per probe, default 15] [--keep: leave the prepared home folder for profiling]
#include "company/company_creation.h"
#include "company/registry.h"
#include "core/clock.h"
#include "core/dates.h"
#include "core/files.h"
#include "core/session.h"
#include "core/text.h"
#include "support/quiet_platform.h"

#include "bench_support.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace kalvora;
using bench::median;

namespace {

// Preparing the installation needs no desktop: anything the forms would show is a fault here.
// The installation is prepared without any window: a question or message means it went wrong.
struct SilentPlatform : testing::QuietPlatform {
    bool complained() const { return messages + questions > 0; }
};

bool prepareInstallation(const std::string& home) {
    core::SystemClock clock;
    core::Files files;
    SilentPlatform platform;
    core::Session session(core::Installation(home), platform, clock, files);
    const auto& inst = session.installation();

    company::CompanyCreationForm first(session, company::CreationMode::First);
    first.open();
    first.setField(0, "Azienda di prova 000");
    first.setField(2, "Città di prova");
    first.confirm();
    if (!first.closed() || platform.complained()) return false;

    const std::string year = std::to_string(clock.today().year);
    std::vector<std::string> registry;
    for (int code = 0; code < core::CompanyState::registrySize; ++code)
        registry.push_back(company::registryLine("Azienda di prova " + core::threeDigits(code), year));
    if (company::writeRegistry(files, inst, registry) != 0) return false;
    return files.writeLines(inst.noticeFile(), {core::toYyyymmdd(clock.today())}) == 0;
}

void removeTree(core::Files& files, const std::string& folder) {
    std::vector<core::DirEntry> entries;
    files.list(folder, entries);
    for (const auto& e : entries) {
        if (e.name == "." || e.name == "..") continue;
        const std::string path = core::joinPath(folder, e.name);
        if (e.isDirectory)
            removeTree(files, path);
        else
            files.remove(path);
    }
    files.fileSystem().removeDirectory(folder);
}

// Starts a program with stdout and stderr discarded; returns its pid or -1.
pid_t spawn(const std::vector<std::string>& command, char** environment, int extraFd = -1) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    if (extraFd >= 0) posix_spawn_file_actions_adddup2(&actions, extraFd, 3);
    std::vector<char*> argv;
    for (const auto& a : command) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environment);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
}

// Starts a server that writes one line about itself (display number, bus address) on
// descriptor 3; returns its pid with that line, or -1 when it does not start or says nothing.
pid_t startReporting(const std::vector<std::string>& command, std::string& line) {
    int fds[2];
    if (pipe(fds) != 0) return -1;
    const pid_t pid = spawn(command, environ, fds[1]);
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return -1;
    }
    line.clear();
    char c = 0;
    while (line.size() < 512 && read(fds[0], &c, 1) == 1 && c != '\n') line += c;
    close(fds[0]);
    if (line.empty()) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        return -1;
    }
    return pid;
}

// An Xvfb on a free display. -noreset: otherwise the server starts afresh each time a probe,
// its only client, ends.
pid_t startXvfb(std::string& display) {
    std::string number;
    const pid_t pid = startReporting(
        {"Xvfb", "-displayfd", "3", "-screen", "0", "1366x768x24", "-nolisten", "tcp", "-noreset"}, number);
    if (pid >= 0) display = ":" + number;
    return pid;
}

// A private session bus, as every desktop session has one: without it, the first focused
// widget of any Qt program makes the accessibility layer fork a bus launcher, a cost a desktop
// never pays. Returns the daemon's pid (address in `address`), or -1 without a dbus-daemon.
pid_t startSessionBus(std::string& address) {
    return startReporting({"dbus-daemon", "--session", "--nofork", "--print-address=3"}, address);
}

// Wall time in milliseconds from spawn to exit; negative when the probe failed.
double timeRun(const std::string& program, char** environment) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = spawn({program}, environment);
    if (pid < 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return std::chrono::duration<double, std::milli>(end - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const bool keep = argc > 2 && std::strcmp(argv[2], "--keep") == 0;

    const std::string home = bench::scratchFolder("kalvora-bench");
    if (home.empty()) return 1;
    core::Files files;
    if (!prepareInstallation(home)) {
        std::fprintf(stderr, "bench_startup: could not prepare the installation in %s\n", home.c_str());
        removeTree(files, home);
        return 1;
    }

    pid_t xvfb = -1;
    std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    if (display.empty()) {
        xvfb = startXvfb(display);
        if (xvfb < 0) {
            std::fprintf(stderr, "bench_startup: no DISPLAY and Xvfb could not be started\n");
            removeTree(files, home);
            return 1;
        }
    }

    pid_t bus = -1;
    std::string busAddress;
    if (!std::getenv("DBUS_SESSION_BUS_ADDRESS")) {
        bus = startSessionBus(busAddress);
        if (bus < 0) std::fprintf(stderr, "bench_startup: no session bus (dbus-daemon missing): both probes run without\n");
    }

    // The probes see the prepared home, the display and the bus; the rest of the environment is kept.
    std::vector<std::string> variables;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "HOME=", 5) != 0 && std::strncmp(*e, "DISPLAY=", 8) != 0) variables.emplace_back(*e);
    variables.push_back("HOME=" + home);
    variables.push_back("DISPLAY=" + display);
    if (!busAddress.empty()) variables.push_back("DBUS_SESSION_BUS_ADDRESS=" + busAddress);
    std::vector<char*> environment;
    for (auto& v : variables) environment.push_back(v.data());
    environment.push_back(nullptr);

    std::printf("start-up of kalxena on 1000 companies against a bare Qt window, display %s, %d runs each\n",
                display.c_str(), runs);
    std::vector<double> program, bare;
    bool failed = false;
    // One unmeasured run each first, so both start with warm file caches.
    for (int i = -1; i < runs && !failed; ++i) {
        const double p = timeRun(KALXENA_PROBE, environment.data());
        const double b = timeRun(BARE_QT_PROBE, environment.data());
        if (p < 0 || b < 0) {
            std::fprintf(stderr, "bench_startup: a probe failed (%s)\n", p < 0 ? "kalxena_probe" : "bare_qt_probe");
            failed = true;
        } else if (i >= 0) {
            program.push_back(p);
            bare.push_back(b);
        }
    }

    if (bus > 0) {
        kill(bus, SIGTERM);
        waitpid(bus, nullptr, 0);
    }
    if (xvfb > 0) {
        kill(xvfb, SIGTERM);
        waitpid(xvfb, nullptr, 0);
    }
    if (keep)
        std::printf("prepared home kept in %s\n", home.c_str());
    else
        removeTree(files, home);
    if (failed) return 1;

    const double p = median(program), b = median(bare);
    // The fastest runs are the ones least disturbed by other work on the machine.
    const double pMin = *std::min_element(program.begin(), program.end());
    const double bMin = *std::min_element(bare.begin(), bare.end());
    std::printf("kalxena_probe  median %8.1f ms   fastest %8.1f ms\n", p, pMin);
    std::printf("bare_qt_probe  median %8.1f ms   fastest %8.1f ms\n", b, bMin);
    std::printf("ratio          median %8.2f      fastest %8.2f      (target: at most 1.30)\n", p / b, pMin / bMin);
    return 0;
}
