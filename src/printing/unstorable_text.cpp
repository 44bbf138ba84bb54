#include "printing/unstorable_text.h"

#include "core/cp1252.h"

namespace kalvora::printing {

namespace {

bool refuse(core::Platform& platform, const std::string& what, const std::string& text, const char* remedy) {
    const std::string odd = core::charactersOutsideCp1252(text);
    if (odd.empty()) return false;
    platform.message(what + " contiene caratteri che non possono essere memorizzati (" + odd + "): " + remedy,
                     "Attenzione", core::Icon::Critical);
    return true;
}

}  // namespace

bool refuseUnstorable(core::Platform& platform, const std::string& what, const std::string& text) {
    return refuse(platform, what, text, "toglierli o sostituirli.");
}

bool refuseUnstorableFont(core::Platform& platform, const std::string& name) {
    return refuse(platform, "Il tipo di carattere \"" + name + "\"", name, "sceglierne un altro.");
}

}  // namespace kalvora::printing
