#pragma once
// Character-aware helpers over UTF-8 text. Widths and positions count characters (code
// points), never bytes, so "Città" has length 5. Positions are 1-based where noted, as the
// file formats count columns from 1.
#include <string>
#include <string_view>
#include <vector>

namespace kalvora::core {

std::size_t length(std::string_view s);
std::string left(std::string_view s, std::size_t count);
std::string right(std::string_view s, std::size_t count);
// Characters from 1-based position `start`, at most `count` of them (all to the end when npos).
std::string mid(std::string_view s, std::size_t start, std::size_t count = std::string_view::npos);
// Pads with blanks or cuts to exactly `width` characters.
std::string padRight(std::string_view s, std::size_t width);
// Removes leading and trailing blanks (space only, as the files use them).
std::string trim(std::string_view s);
std::string trimLeft(std::string_view s);
std::string trimRight(std::string_view s);
// Upper case for ASCII and the Latin-1 letters (à -> À ...).
std::string upper(std::string_view s);
std::string lower(std::string_view s);
bool equalsIgnoreCase(std::string_view a, std::string_view b);
bool startsWith(std::string_view s, std::string_view prefix);
std::vector<std::string> split(std::string_view s, char separator);
// What a one-line value may hold: line breaks, tabs, other control characters and the Unicode
// line and paragraph separators become blanks, so a value can never split a line of a file.
std::string singleLine(std::string_view s);
// Where the line starting at `pos` ends: its first CR or LF, or the end of the text.
std::size_t lineEnd(std::string_view s, std::size_t pos);
// The last three characters of "000" followed by the trimmed decimal code: 7 -> "007".
std::string threeDigits(int code);

// Numeric value of text the way the old BASIC Val reads it: leading blanks skipped, optional
// sign, digits with one decimal point, optional exponent; stops at the first other character;
// no number gives 0. Never throws.
double numericValue(std::string_view s);
// numericValue truncated toward zero and clamped into the int range.
int integerValue(std::string_view s);

}  // namespace kalvora::core
