#pragma once
// kalvora.gnr: random access, 479-byte records, only record 1 used.
#include "core/files.h"
#include "core/general_settings.h"

#include <optional>
#include <string_view>

namespace kalvora::tables {

// Record 1, or nullopt when the file cannot be opened. A short file reads as zero bytes past
// its end.
std::optional<core::GeneralSettings> readGeneralSettings(const core::Files& files, std::string_view path);
// Writes record 1 atomically, keeping any further bytes of the file.
int saveGeneralSettings(core::Files& files, std::string_view path, const core::GeneralSettings& settings);

}  // namespace kalvora::tables
