#pragma once
// The decimal digits of a double as the old runtime saw them: at most 15 significant digits,
// so binary noise below that (1.005 is really 1.00499999...) does not decide a rounding.
#include <string>

namespace kalvora::core {

struct DecimalDigits {
    bool negative = false;
    std::string digits;  // significant digits, no trailing zeros; empty for zero
    int exponent = 0;    // value = 0.<digits> * 10^exponent
};

// Zero (and anything not finite) gives no digits.
DecimalDigits decimalDigits(double value);

// The magnitude in fixed notation rounded half away from zero to `decimals` places:
// the integer digits (without leading zeros, empty for zero) and exactly `decimals` fraction digits.
struct FixedDigits {
    std::string integer;
    std::string fraction;
};
FixedDigits fixedDigits(const DecimalDigits& d, int decimals);

}  // namespace kalvora::core
