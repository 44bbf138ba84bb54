#pragma once
// Windows-1252 <-> UTF-8. Every one of the 256 byte values maps to a code point (the five
// bytes Windows-1252 leaves undefined map to the C1 controls of the same value), so any file
// survives a decode/encode round trip byte for byte.
#include <string>
#include <string_view>

namespace kalvora::core {

std::string decodeCp1252(std::string_view bytes);
// Characters with no Windows-1252 byte become '?'. Invalid UTF-8 bytes become '?' too.
std::string encodeCp1252(std::string_view utf8);
// The same, added to the end of `out`; false when some character became '?'.
bool appendCp1252(std::string& out, std::string_view utf8);
// True when every character of the text has a Windows-1252 byte.
bool fitsCp1252(std::string_view utf8);
// The characters of the text that have no Windows-1252 byte, each once, blank-separated, in the
// order they first appear: what a refusal names. Empty when the whole text fits.
std::string charactersOutsideCp1252(std::string_view utf8);

}  // namespace kalvora::core
