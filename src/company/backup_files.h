#pragma once
// Which files of a company folder a backup or a restore offers, and what each one is.
#include "core/files.h"

#include <string>
#include <string_view>
#include <vector>

namespace kalvora::company {

// What a company file holds, by its name alone: "File non riconosciuto" when no rule knows it.
std::string describeFile(std::string_view name);
// Files a restore proposes not to copy back: obsolete or not recognised.
bool proposedNotToRestore(std::string_view description);

enum class FileScope {
    Operating,  // the archives the programs work on: KALVORA.* and the yearly .COR and .CRR files
    All         // those and the files kept to reprint documents
};

// The names of the files of `folder` a backup or restore lists, as they are on disk, in the
// order of their names in capitals; never the backup folders and the old registry copy kept in
// a company folder, never a folder. 0 or the error of listing the folder.
int listCompanyFiles(const core::Files& files, const std::string& folder, FileScope scope,
                     std::vector<std::string>& names);

}  // namespace kalvora::company
