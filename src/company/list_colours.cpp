#include "company/list_colours.h"

namespace kalvora::company {

namespace {

std::int32_t colourValue(double stored, double fallback) {
    if (!(stored >= 0 && stored <= 0xFFFFFF)) stored = fallback;
    return static_cast<std::int32_t>(stored);
}

}  // namespace

std::int32_t alternateRowColour(const core::GeneralSettings& general, std::size_t row) {
    return (row + 1) % 2 == 0 ? colourValue(general.firstColour(), core::GeneralSettings::defaultFirstColour)
                              : colourValue(general.secondColour(), core::GeneralSettings::defaultSecondColour);
}

}  // namespace kalvora::company
