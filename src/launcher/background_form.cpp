#include "launcher/background_form.h"

#include "core/stored_path.h"
#include "core/text.h"

namespace kalvora::launcher {

void BackgroundForm::open() {
    auto& s = session();
    const Background stored = readBackground(s.files(), s.installation());
    choice_ = stored.choice;
    path_ = stored.path;
    colour_ = stored.colour;
}

void BackgroundForm::select(int choice) {
    if (choice >= 0 && choice < backgroundChoices) choice_ = choice;
}

void BackgroundForm::setPath(std::string text) { path_ = std::move(text); }

void BackgroundForm::browse() {
    auto& s = session();
    // The dialog starts in the folder of the picture shown, else in the installation folder.
    std::string folder = s.installation().folder();
    if (auto current = core::storedPathOnThisSystem(s.files(), s.installation(), core::trim(path_))) {
        const std::size_t slash = current->rfind('/');
        if (slash != std::string::npos && slash > 0 && s.files().isDirectory(current->substr(0, slash)))
            folder = current->substr(0, slash);
    }
    const auto chosen = s.platform().chooseFile(fileDialogTitle, fileFilter, folder);
    if (!chosen) return;
    const std::string capitals = core::upper(*chosen);
    const bool picture = capitals.find("JPG") != std::string::npos || capitals.find("BMP") != std::string::npos;
    if (picture && capitals.find('*') == std::string::npos) path_ = core::trim(*chosen);
}

void BackgroundForm::chooseColour() {
    if (auto chosen = session().platform().chooseColour(colourDialogTitle, colour_)) colour_ = *chosen;
}

void BackgroundForm::confirm() {
    auto& s = session();
    Background b;
    b.choice = choice_;
    b.colour = colour_;
    // A line break typed or pasted into the path would split the file's lines.
    b.path = core::trim(core::singleLine(path_));
    if (const std::string delivered = deliveredPictureName(choice_); !delivered.empty())
        b.path = core::storedForm(s.installation(), s.installation().file(delivered));
    if (const int error = writeBackground(s.files(), s.installation(), b)) {
        s.platform().message("Impossibile salvare la scelta dello sfondo nel file " + std::string(backgroundFileName) +
                                 " (errore " + std::to_string(error) + "): lo sfondo non è stato cambiato.",
                             "Attenzione", core::Icon::Critical);
        return;
    }
    close();
    if (applied_) applied_();
}

void openBackgroundSelection(core::Session& session, std::function<void()> applied) {
    // The main window applies the choice once the dialog is gone: a change to or from the
    // transparent screen makes the main window's native window again.
    bool saved = false;
    BackgroundForm form(session, [&saved] { saved = true; });
    form.open();
    session.platform().showModal(form);
    if (saved && applied) applied();
}

}  // namespace kalvora::launcher
