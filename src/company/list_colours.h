#pragma once
// The alternate row colours of the company windows' lists, from the general settings.
#include "core/general_settings.h"

#include <cstdint>

namespace kalvora::company {

// The colour of data row `row` (0 = first below the header) when the settings ask for
// alternate colours: the grid counts the header as row 0, so even grid rows take the first
// list colour and odd ones the second. A stored value that is no colour falls back to its
// slot's default.
std::int32_t alternateRowColour(const core::GeneralSettings& general, std::size_t row);
inline bool alternateColoursOn(const core::GeneralSettings& general) { return general.alternateColours() == "1"; }

}  // namespace kalvora::company
