#pragma once
// Entries of a company folder that must not stay there (the files of a company deleted earlier
// in a code used again, the work files of an interrupted reset, import or conversion) are moved
// into a folder beside the company folders and never deleted. That folder is named
// "spostati-da-kalaz0.NNN-YYYYMMDD-HHMMSS" (a "-2", "-3" ... after it when taken): it says where
// the entries came from and when, and never starts with "kalaz0.", so it is never taken for a
// company folder.
#include "core/session.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora::company {

// Whether a name of a company folder is a work file of an interrupted year-end reset or import
// (the journal kalvora.azz and the files staged as *.azz) or conversion (staged as *.cnv), any
// case: left in a folder, they would be completed on whatever archives are there.
bool isInterruptedWorkFile(std::string_view name);

class FolderAside {
public:
    FolderAside(core::Session& session, int code);

    // Before a copy of the files `incoming` (directories among them are not copied) into the
    // company folder: moves aside every subfolder and every file the copy will not write over,
    // that is every file no incoming name resolves to, the file layer matching names without
    // regard to case. A missing folder holds nothing. False, with failure() set, when the folder
    // cannot be read or an entry cannot be moved: that entry and the ones after it stay.
    bool clearForCopy(const std::vector<core::DirEntry>& incoming);
    // Moves aside the work files of interrupted runs (isInterruptedWorkFile); false as above.
    bool moveInterruptedWork();
    // After a copy of `name` failed: the file there under that name, if any, is the old
    // company's, not the source's, and goes aside too. False, with failure() set, when it stays.
    bool moveLeftBehind(const std::string& name);

    bool used() const { return !folder_.empty(); }
    // The full path of the folder the entries went to (empty while nothing was moved).
    const std::string& folder() const { return folder_; }
    // What could not be done, as "spostare X dalla cartella dell'azienda NNN nella cartella Y:
    // errore E" or "leggere la cartella dell'azienda NNN: errore E".
    const std::string& failure() const { return failure_; }
    // `what` followed by " sono stati spostati dalla cartella dell'azienda NNN nella cartella "
    // and the folder; empty while nothing was moved.
    std::string movedSentence(std::string_view what) const;

private:
    bool moveWhere(const std::function<bool(const core::DirEntry&)>& goesAside);
    int move(const std::string& name);

    core::Session& session_;
    int code_;
    std::string companyFolder_;
    std::string baseName_;          // the aside folder's name without a number
    std::string folder_;
    std::vector<std::string> moved_;  // names given inside folder_
    std::string failure_;
};

}  // namespace kalvora::company
