#pragma once
// kalvora.eur, the currency settings of the installation.
#include "core/files.h"
#include "core/paths.h"

#include <array>
#include <string>

namespace kalvora::tables {

// Items 1..5 as delimited items (defaults "1", "1936.27", "ITL", "EUR", "2" when they cannot
// all be read), item 6 the next whole line (default "0"), item 11 the one after (default "9");
// item 1 ends as "1" when its numeric value is not zero, else "0".
void loadCurrency(const core::Files& files, const core::Installation& inst,
                  std::array<std::string, 21>& items);

}  // namespace kalvora::tables
