#include "tables/general_settings_file.h"

namespace kalvora::tables {

std::optional<core::GeneralSettings> readGeneralSettings(const core::Files& files, std::string_view path) {
    constexpr std::size_t length = core::GeneralSettings::recordLength;
    std::optional<std::string> bytes = files.readPrefix(path, length);
    if (!bytes)
        return std::nullopt;
    bytes->resize(length, '\0');
    return core::GeneralSettings(core::Record(std::move(*bytes)));
}

int saveGeneralSettings(core::Files& files, std::string_view path, const core::GeneralSettings& settings) {
    return files.replaceRecord(path, core::GeneralSettings::recordLength, 1, settings.record());
}

}  // namespace kalvora::tables
