#pragma once
// The update installer zelagg2 ("Aggiornamento software"): turns the program packages
// downloaded into the download folder (kal<number>.lha, a module's program file under another
// name) into the installed programs, logging each step in List1.
#include "core/form.h"
#include "core/session.h"

#include <functional>
#include <string>
#include <vector>

namespace kalvora::launcher {

// A package found in the download folder.
struct UpdatePackage {
    std::string file;         // its name in the download folder
    std::string number;       // the three characters before ".lha": the module's product number
    std::string program;      // the module's program; empty when the number names no module
    std::string displayName;  // the module's window title, or "Programma non della collana Kalvora"
};

// The packages of `folder` in name order without regard to case, at most `maxPackages`: files
// named kal*.lha in any case.
std::vector<UpdatePackage> findUpdatePackages(const core::Files& files, const std::string& folder);

class UpdateInstallerForm : public core::Form {
public:
    static constexpr std::size_t maxPackages = 1000;
    static constexpr const char* help1 = "Questa funzione rende eseguibili gli aggiornamenti scaricati da Internet.";
    static constexpr const char* help2 =
        "Se avete installato gli aggiornamenti da floppy o da CD-ROM non è necessario richiamare questa funzione.";

    explicit UpdateInstallerForm(core::Session& session) : Form(session) {}
    std::string name() const override { return "zelagg2"; }
    std::string title() const override { return "Aggiornamento software"; }

    // List1: the log of the run so far.
    const std::vector<std::string>& log() const { return log_; }
    // Called after each line added to the log, before the pending events run.
    void onLog(std::function<void()> listener) { onLog_ = std::move(listener); }
    // cancella: delete each package once its program is installed.
    bool cancella() const { return cancella_; }
    void setCancella(bool on) { cancella_ = on; }

    // bottone_1: runs the update, says how it went, closes. Returns the programs installed.
    // Pending events run between steps, so a click that comes meanwhile does nothing.
    int run();
    bool running() const { return running_; }
    // bottone_0 and the close box; not while the update runs.
    void cancel() {
        if (!running_) close();
    }
    void button(int index);

private:
    // The run itself; the programs installed.
    int update();
    void add(std::string line);
    // Installs one package over its program; false (the old program in place) on failure.
    bool install(const UpdatePackage& package);

    std::vector<std::string> log_;
    std::function<void()> onLog_;
    bool cancella_ = false;
    bool running_ = false;
};

// Opens zelagg2 and waits for it to close.
void openUpdateInstaller(core::Session& session);

}  // namespace kalvora::launcher
