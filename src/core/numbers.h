#pragma once
// The print forms of numbers that the files share with the module programs.
#include <string>

namespace kalvora::core {

// As a print statement writes a number: a blank in place of the sign of a non-negative value,
// the shortest decimal text, and a trailing blank. 0 -> " 0 ", -3 -> "-3 ", 1936.27 -> " 1936.27 ".
std::string printForm(double value);
// As Str() gives it: the same without the trailing blank. 5 -> " 5", -5 -> "-5", 0.5 -> " .5".
std::string strForm(double value);
// The shortest decimal text that reads back as the same value (at most 15 significant
// digits), without leading zero before the point: 0.5 -> ".5", 33 -> "33", -2.25 -> "-2.25".
std::string shortestDecimal(double value);

}  // namespace kalvora::core
