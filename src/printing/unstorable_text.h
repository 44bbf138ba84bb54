#pragma once
// Refusing text the layout and label files cannot hold. They are Windows-1252: a character
// outside it would be written as '?', and the printed document would differ from what was typed.
#include "core/platform.h"

#include <string>

namespace kalvora::printing {

// When `text` holds such characters, says "<what> contiene caratteri che non possono essere
// memorizzati (<the characters>): toglierli o sostituirli." and returns true; otherwise false.
bool refuseUnstorable(core::Platform& platform, const std::string& what, const std::string& text);
// The same for a font name that came back from the font dialog, asking for another font.
bool refuseUnstorableFont(core::Platform& platform, const std::string& name);

}  // namespace kalvora::printing
