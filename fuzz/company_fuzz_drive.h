#pragma once
// Helpers of the company-file fuzz targets, on the drive every fuzz target of a process shares.
#include "core/files.h"
#include "core/paths.h"
#include "settings_fuzz_drive.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora::fuzzing {

// The company targets share the drive of the settings targets.
inline const core::Installation& companyFuzzDrive() { return fuzz::fuzzInstallation(); }

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Line breaks become blanks, as the writers store them.
inline std::string withoutLineBreaks(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

}  // namespace kalvora::fuzzing
