#pragma once
// Amount routines. `euro` is the currency flag of the current company ("1" euro, "0" lire).
#include <cmath>
#include <string>
#include <string_view>

namespace kalvora::core {

// floor(value * 100 + 0.51) / 100 in euro, floor(value + 0.51) in lire; inline, as archive
// work rounds millions of amounts.
inline double roundAmount(double value, bool euro) {
    if (!std::isfinite(value)) return 0;
    const double t = euro ? value * 100 + 0.51 : value + 0.51;
    // floor() through an integer where the value fits one: the same result, without the call.
    double f;
    if (std::fabs(t) < 4.5e15) {
        f = static_cast<double>(static_cast<long long>(t));
        if (f > t) f -= 1;
    } else {
        f = std::floor(t);
    }
    return euro ? f / 100 : f;
}
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
