#include "launcher/internet_functions.h"

#include "launcher/module_launcher.h"

#include <array>
#include <memory>
#include <utility>

namespace kalvora::launcher {

namespace {

// Starts a program of the installation folder, reporting a failure with its error number.
void startInstalled(core::Session& session, const std::string& program, const std::vector<std::string>& arguments) {
    auto& platform = session.platform();
    const std::string path = modulePath(session.files(), session.installation(), program);
    if (const int error = platform.startProgram(path, arguments, ""); error != 0)
        platform.message("Si è verificato un errore durante l'esecuzione del programma: errore " + std::to_string(error),
                         "Attenzione", core::Icon::Critical);
}

struct AssistanceButton {
    int index;
    int page;  // 0: every page
    const char* caption;
};

constexpr std::array<AssistanceButton, 9> assistanceButtons{{
    {0, 1, "Invia un messaggio al centro di assistenza ZEL"},
    {1, 1, "Invia copia degli archivi per il controllo al centro di assistenza ZEL"},
    {2, 1, "Prenota servizio \"richiamami\""},
    {3, 1, "Prenota servizio \"teleassistenza\""},
    {5, 2, "Prenota la chiamata del centro di assistenza"},
    {9, 3, "Prenota una sessione di teleassistenza"},
    {10, 3, "Avvia ora la teleassistenza"},
    {6, 0, "Indietro"},
    {4, 0, "Chiudi"},
}};

const AssistanceButton* findButton(int index) {
    for (const auto& b : assistanceButtons)
        if (b.index == index) return &b;
    return nullptr;
}

}  // namespace

void startAssistance(core::Session& session, const std::string& code) {
    startInstalled(session, "kalfass", {code});
}

void internetFunction(core::Session& session, int item) {
    if (item == 7) {
        session.platform().openDocument(session.installation().siteAddress());
        return;
    }
    static constexpr std::pair<int, const char*> functions[] = {
        {1, "005"}, {2, "001"}, {3, "011"}, {4, "007"}, {5, "008"}, {6, "002"}, {8, "009"}};
    for (const auto& [index, code] : functions)
        if (index == item) startAssistance(session, code);
}

AssistanceForm::AssistanceForm(core::Session& session, int page)
    : core::Form(session), page_(page >= 1 && page <= pageCount ? page : 1) {}

bool AssistanceForm::onPage(int button, int page) {
    const AssistanceButton* b = findButton(button);
    if (!b) return false;
    // "Indietro" leads back to page 1 from the other two.
    if (b->index == 6) return page != 1;
    return b->page == 0 || b->page == page;
}

std::string AssistanceForm::caption(int button) {
    const AssistanceButton* b = findButton(button);
    return b ? b->caption : "";
}

void AssistanceForm::press(int button) {
    if (!onPage(button, page_)) return;
    switch (button) {
    case 0: startAssistance(session(), "007"); break;
    case 1: startAssistance(session(), "008"); break;
    case 2: page_ = 2; break;
    case 3: page_ = 3; break;
    case 4: close(); break;
    case 5: startAssistance(session(), "017"); break;
    case 6: page_ = 1; break;
    case 9: startAssistance(session(), "016"); break;
    case 10:
        session().platform().message(
            "Sta per essere avviato il programma di teleassistenza. Quando il programma mostra il codice di "
            "collegamento, comunicalo al centro di assistenza ZEL per permettere all'operatore di collegarsi.",
            "Attenzione", core::Icon::Information);
        startInstalled(session(), "kalkass", {});
        break;
    default: break;
    }
}

void openAssistance(core::Session& session, int page) {
    session.platform().show(std::make_unique<AssistanceForm>(session, page));
}

}  // namespace kalvora::launcher
