#pragma once
// The journal of a run that replaces several files of the company folder at once (a year-end
// reset, or an import from a compatible program), kalvora.azz in the company folder: the new
// files staged beside the files they replace, and the files to delete. It is written, whole and
// synced, only once every staged file is; from then on the run can always be completed. Names
// are plain names inside the company folder, one entry a line:
//   AZZERAMENTO ARCHIVI                              (IMPORTAZIONE ARCHIVI for an import)
//   M <tab> kalvora.fte.azz <tab> kalvora.fte      a staged file and the file it replaces
//   D <tab> f123.a2025                              a file to delete
//   FINE
#include "core/files.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kalvora::company {

constexpr std::string_view resetJournalName = "kalvora.azz";

// Where the new version of `target` is staged: "kalvora.fte" -> "kalvora.fte.azz"; a takings
// file "kal2026.cor" -> "kalvora.cor.azz". Empty for a name that is never staged.
std::string stagedName(std::string_view target);
// Where the file numbered `index` of an import is staged: "kalvora.i12.azz". An imported file
// may have any name, so its staged name only says which one it is.
std::string importStagedName(std::size_t index);
bool isImportStagedName(std::string_view name);
// Whether a name of the company folder is one stagedName or importStagedName gives (any case).
bool isStagedName(std::string_view name);
// The year of a takings file "kal" + four digits + ".cor" or ".crr" (any case), else nullopt.
std::optional<int> takingsYearOf(std::string_view name);

enum class JournalKind { Reset, Import };

struct ResetJournal {
    JournalKind kind = JournalKind::Reset;
    std::vector<std::pair<std::string, std::string>> moves;  // staged -> target
    std::vector<std::string> deletes;
    bool empty() const { return moves.empty() && deletes.empty(); }
};

std::string encodeJournal(const ResetJournal& journal);
// nullopt for a journal that is not whole or names a file outside the folder.
std::optional<ResetJournal> decodeJournal(std::string_view bytes);
// Whether a name can go in a journal line (not empty, no folder part, no line or tab break).
bool journalSafeName(std::string_view name);

// What a run of the journal could not do: the file and the error; error 0 when all is done.
struct JournalOutcome {
    int error = 0;
    std::string file;
};

// Moves every staged file still there over its target (one that is gone was moved already),
// deletes the files to delete (one already gone is fine) and removes the journal. A failure
// stops there and keeps the journal, so the rest is done next time.
JournalOutcome applyJournal(core::Files& files, const std::string& folder, const ResetJournal& journal,
                            const std::function<void(const std::string& label, int percent)>& progress = {});

// Removes the staged files in `folder` (left by a run stopped before its journal).
struct StagedRemoval {
    int error = 0;                   // the folder could not be listed, or the first removal failed
    std::vector<std::string> found;  // the staged files there were
    bool removedAll() const { return error == 0; }
};
StagedRemoval removeStagedFiles(core::Files& files, const std::string& folder);

}  // namespace kalvora::company
