#include "launcher/help_documents.h"

#include "company/settings_loader.h"
#include "core/stored_path.h"
#include "core/text.h"

#include <algorithm>

namespace kalvora::launcher {

namespace {

constexpr const char* helpTitle = "Guida in linea";

// The viewer field is 120 bytes of a record that may never have been written: zero bytes end
// the path, blanks around it do not belong to it. It is a stored path, or a bare program name
// looked up as the system does.
std::string viewerProgram(const core::Session& session) {
    std::string path = session.company().general.pdfReaderPath();
    path.resize(std::min(path.size(), path.find('\0')));
    path = core::trim(path);
    if (path.find_first_of("/\\:") == std::string::npos) return path;
    return core::storedPathOnThisSystem(session.files(), session.installation(), path).value_or(std::string());
}

}  // namespace

std::string helpDocumentPath(const core::Files& files, const core::Installation& inst, int number) {
    if (number < 1 || number > static_cast<int>(helpDocuments.size())) return {};
    return files.resolve(inst.file(helpDocuments[number - 1]));
}

std::string openFailureText(int result) {
    switch (result) {
    case 2: return "File PDF non trovato";
    case 3: return "Cartella o Percorso non trovato";
    case 5: return "Accesso negato";
    case 8: return "Memoria esaurita";
    case 31: return "Programma Acrobat Reader non installato o non disponibile";
    case 32: return "DLL non trovata";
    default: return "Errore sconosciuto";
    }
}

void openHelpDocument(core::Session& session, int number) {
    const std::string file = helpDocumentPath(session.files(), session.installation(), number);
    if (file.empty()) return;
    company::loadCompanySettings(session);
    auto& platform = session.platform();
    const core::GeneralSettings& general = session.company().general;

    if (general.manualPdfReader() == "1") {
        // The path is one argument of its own, so blanks in it need no quoting and no shell.
        const int error = platform.startProgram(viewerProgram(session), {file}, "");
        if (error != 0)
            platform.message("Non è possibile eseguire il programma Acrobat Reader: errore " + std::to_string(error),
                             "Attenzione", core::Icon::Critical);
        return;
    }

    const int result = platform.openDocument(file);
    if (result >= 33) return;
    const std::string text = openFailureText(result);
    if (result < 30) {
        platform.message("Non è stato possibile aprire il file PDF della guida in linea (" + text + ")", helpTitle,
                         core::Icon::Critical);
    } else if (result == 31 || result == 32) {
        if (platform.askYesNo("Si è verificato un errore durante l'esecuzione di Acrobat Reader (" + text +
                                  "). Clic su SI per scaricare ed installare una nuova versione di Acrobat "
                                  "Reader oppure su NO per terminare la procedura",
                              helpTitle, core::Icon::Question))
            platform.openDocument(pdfReaderDownloadPage);
    }
}

}  // namespace kalvora::launcher
