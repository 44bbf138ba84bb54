#include "launcher/internet_functions.h"

#include "launcher/module_launcher.h"

#include <utility>

namespace kalvora::launcher {

void internetFunction(core::Session& session, int item) {
    auto& platform = session.platform();
    if (item == 7) {
        platform.openDocument(session.installation().siteAddress());
        return;
    }
    static constexpr std::pair<int, const char*> functions[] = {
        {1, "005"}, {2, "001"}, {3, "011"}, {4, "007"}, {5, "008"}, {6, "002"}, {8, "009"}};
    for (const auto& [index, code] : functions) {
        if (index != item) continue;
        const std::string program = modulePath(session.files(), session.installation(), "kalfass");
        if (const int error = platform.startProgram(program, {code}, ""); error != 0)
            platform.message(
                "Si è verificato un errore durante l'esecuzione del programma: errore " + std::to_string(error),
                "Attenzione", core::Icon::Critical);
    }
}

}  // namespace kalvora::launcher
