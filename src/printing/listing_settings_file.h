#pragma once
// kalvora.tbl, the listing print settings of the installation, as the settings loader reads it.
#include "core/files.h"
#include "core/listing_settings.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora::printing {

// Edges and grid type from lines 1..5, style groups 0..5 from lines 6..41 (font name cut to 30
// characters, size, bold, italic, colour as "&hBBGGRR" or decimal), the line spacing from group
// 0's leading value, the flags and row colours from group 7 (lines 48..52). A missing file gives
// the defaults; a short one the defaults of each missing group; a value outside its choices the
// default of that value.
core::ListingSettings loadListingSettings(const core::Files& files, std::string_view path);
// The same from the file's lines as read (nullopt: the file could not be read).
core::ListingSettings listingSettingsFromLines(std::optional<std::vector<std::string>> lines);
// "&h0000FF" -> 255 (red): the hex digits are blue, green, red. Decimal text is taken as is.
// A value outside 0..&hFFFFFF gives 0 (black).
long parseColour(std::string_view text);

}  // namespace kalvora::printing
