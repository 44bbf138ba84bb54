#pragma once
// Amount routines. `euro` is the currency flag of the current company ("1" euro, "0" lire).
#include <string>
#include <string_view>

namespace kalvora::core {

// floor(value * 100 + 0.51) / 100 in euro, floor(value + 0.51) in lire.
double roundAmount(double value, bool euro);
// Empty for zero, else "###,###,###,##0.#0" (euro) or "###,###,###,###" (lire), localised.
std::string formatAmount(double value, bool euro);
// Trims, drops every ".", turns "," into the decimal point; text that is no number gives 0.
double parseAmount(std::string_view text);
// Formats with a pattern of the listing engine ("###,###,###,##0.#0", "###,###,###,###",
// "#,###.##" ...), independent of the system locale, then shows "." between thousands and ","
// before the decimals.
std::string localiseNumber(double value, std::string_view pattern);
// The listing engine's variant: the decimal comma goes `decimals` characters from the end.
std::string localiseNumber(double value, std::string_view pattern, int decimals);
// The pattern alone, with "," grouping and "." decimal point, as the platform would give it.
std::string formatPattern(double value, std::string_view pattern);

}  // namespace kalvora::core
