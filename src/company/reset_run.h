#pragma once
// What the parts of one year-end reset share: the run over the company folder, from the counts
// read at the start to the journal of new files and deletions it builds.
#include "company/reset_journal.h"
#include "company/year_end_reset.h"
#include "core/paths.h"
#include "core/session.h"
#include "core/text.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace kalvora::company::reset {

std::string yearText(int year);    // four digits
std::string errorText(int error);  // " (errore 5)"
// The count kept in record `n` of kalvora.tot's bytes, read as readArchiveCount reads it.
std::uint64_t countIn(const std::string& tot, std::uint64_t n);
// Stores a count in record `n`, the record's other bytes kept (a short file is lengthened).
void setCountIn(std::string& tot, std::uint64_t n, std::uint64_t count);

// The state of one run over the company folder, for the dry run (nothing written) and the
// reset (every change staged).
struct Run {
    Run(core::Session& s, const ResetPlan& p, const ResetProgress& pr, bool st)
        : session(s),
          files(s.files()),
          folder(s.installation().companyFolder(s.company().code)),
          plan(p),
          progress(pr),
          stage(st) {}

    core::Session& session;
    core::Files& files;
    std::string folder;
    const ResetPlan& plan;
    const ResetProgress& progress;
    bool stage;

    std::string tot;
    bool totChanged = false;
    std::vector<core::DirEntry> entries;
    std::vector<std::string> staged;
    ResetJournal journal;
    std::vector<ResetCount> counts;
    // The base names ("f123") of the reprint files of removed documents, and whether their PDF
    // copies go too.
    std::unordered_map<std::string, bool> documentFiles;
    // The same names of the documents kept: once numbering restarts, a kept document can share
    // its number with a removed one, and its files stay.
    std::unordered_set<std::string> keptDocuments;
    std::string failure;
    std::vector<std::string> notes;

    std::string path(std::string_view name) const { return core::joinPath(folder, name); }
    void report(const std::string& label, std::uint64_t done, std::uint64_t total) const {
        if (progress)
            progress(label, total == 0 ? 0 : static_cast<int>(std::min<std::uint64_t>(done * 100 / total, 100)));
    }
    bool fail(const std::string& what, int error) {
        failure = "Non è stato possibile " + what + errorText(error) + ".";
        return false;
    }
    // Whether fewer records than the file holds were read: then the read failed.
    bool readFailed(const std::string& name, std::size_t length, std::uint64_t read) {
        return files.stat(path(name)).size / length > read;
    }
    bool hasEntry(std::string_view name) const {
        return std::any_of(entries.begin(), entries.end(), [&](const core::DirEntry& e) {
            return !e.isDirectory && core::equalsIgnoreCase(e.name, name);
        });
    }
};

// Writes bytes as a staged file beside `target` (one record of their whole length) and notes
// the move.
bool stageBytes(Run& run, const std::string& target, std::string_view bytes);

// The archives compacted, in the order the window lists them; the takings come after the
// second.
constexpr std::size_t archiveCount = 11;
// Compacts archive `i` when the plan asks for it; false (run.failure set) on a failure.
bool compactArchive(Run& run, std::size_t i);

}  // namespace kalvora::company::reset
