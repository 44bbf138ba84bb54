#pragma once
// A company folder of small hand-built archives for the year-end reset: every byte the reset
// does not own is a filler, and each record ends with its own tag so moves can be followed.
#include "core/archive_layouts.h"
#include "core/filesystem_memory.h"
#include "core/record.h"
#include "core/text.h"
#include "support/archive_bytes.h"
#include "support/faulty_file_system.h"
#include "support/test_session.h"

#include <map>
#include <string>
#include <vector>

namespace kalvora::testing {

inline const std::string resetFolder = "kalwin/kalwin/kalaz0.000/";

// A record of `length` filler bytes, its last byte `tag`, with `text` fields set.
inline core::Record resetRecord(std::size_t length, char tag,
                                const std::vector<std::pair<core::Field, std::string>>& text = {}) {
    core::Record r(length);
    r.fill(0, length, 0xEE);
    r.bytes().back() = static_cast<std::uint8_t>(tag);
    for (const auto& [field, value] : text) r.setText(field.offset, field.width, value);
    return r;
}

// Every file of the folder but the safety copies, without the file layer's temporaries.
inline std::map<std::string, std::string> snapshotOf(const core::Files& files, const std::string& folder) {
    std::vector<core::DirEntry> entries;
    files.list(folder, entries);
    std::map<std::string, std::string> out;
    for (const auto& e : entries)
        if (!e.name.starts_with("kalo")) out[e.name] = files.readBytes(core::joinPath(folder, e.name)).value_or("?");
    return out;
}

struct ResetCompany : TestSession {
    std::map<std::uint64_t, double> counts;

    ResetCompany() {
        drive.makeInstallation(0);
        session.company().currency[1] = "1";
    }
    void put(const std::string& name, const std::string& bytes) const { drive.write(resetFolder + name, bytes); }
    std::string read(const std::string& name) const { return drive.read(resetFolder + name); }
    bool has(const std::string& name) const { return drive.exists(resetFolder + name); }

    // The archive's records, `count` of them in use (all by default), and kalvora.tot again: 20
    // records, each filled with its number, the counts set.
    void archive(const core::Archive& a, const std::vector<core::Record>& records, double count = -1) {
        std::string bytes;
        for (const auto& r : records) bytes += bytesOf(r);
        put(std::string(a.file), bytes);
        counts[a.countRecord] = count < 0 ? static_cast<double>(records.size()) : count;
        put("kalvora.tot", countsFile(counts, 20));
    }
    double count(std::uint64_t n) const { return countIn(read("kalvora.tot"), n); }
    // The file's records as byte strings.
    std::vector<std::string> records(const core::Archive& a) const {
        const std::string bytes = read(std::string(a.file));
        std::vector<std::string> out;
        for (std::size_t at = 0; at < bytes.size(); at += a.recordLength)
            out.push_back(bytes.substr(at, a.recordLength));
        return out;
    }
    std::map<std::string, std::string> snapshot() const { return snapshotOf(files, drive.path(resetFolder)); }
};

// A copy of a company folder in a file system held in memory, where the hundreds of runs of a
// fault loop cost no disk syncs; the same disk seen through one that breaks.
struct InMemory {
    core::MemoryFileSystem memory;
    FaultyFileSystem faulty{memory};
    core::Files files{memory};
    core::Files faultyFiles{faulty};
    FakePlatform platform;
    core::FixedClock clock{core::Date{2026, 12, 6}};
    core::Session session;
    core::Session faultySession;
    std::string folder;

    explicit InMemory(const ResetCompany& from)
        : session(from.drive.installation(), platform, clock, files),
          faultySession(from.drive.installation(), platform, clock, faultyFiles),
          folder(from.drive.installation().companyFolder(0)) {
        files.makeDirectories(folder);
        for (const auto& [name, bytes] : from.snapshot()) files.replaceFile(core::joinPath(folder, name), bytes);
        faultySession.company().currency[1] = "1";
    }
    std::map<std::string, std::string> snapshot() const { return snapshotOf(files, folder); }
};

}  // namespace kalvora::testing
