#pragma once
// Paths kept in the suite's files. The module programs write them from the original platform,
// "C:\kalwin\kalwin\logo.bmp" or, without a drive, "\kalwin\kalwin\logo.bmp"; this program may
// also have stored an absolute path of this system, "/media/foto/logo.bmp". The drive of the
// first two forms is the installation's drive root, whatever its letter.
#include "core/files.h"
#include "core/paths.h"

#include <optional>
#include <string>
#include <string_view>

namespace kalvora::core {

// The path on this system that a stored path names, resolved case-insensitively. nullopt for
// what is none of the three forms (a relative path, a network share "\\server\...") and for a
// path of the suite's forms that would climb out of the drive root through "..".
std::optional<std::string> storedPathOnThisSystem(const Files& files, const Installation& inst,
                                                  std::string_view stored);

// How a path of this system chosen by the user is stored: under the drive root in the suite's
// form (backslashes from the root, no drive letter) so the module programs read it too, else
// as the absolute path of this system.
std::string storedForm(const Installation& inst, std::string_view path);

// The suite's form with a drive letter, "C:\Immagini\logo.bmp", for a path of this system under
// the drive root, for the readers that look for one. nullopt for a path outside the drive root
// and for one with a backslash in a name, which that form cannot hold.
std::optional<std::string> driveLetterForm(const Installation& inst, std::string_view path);

}  // namespace kalvora::core
