#include "launcher/update_installer.h"

#include "core/module_catalogue.h"
#include "launcher/module_launcher.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <memory>

namespace kalvora::launcher {

namespace {

constexpr const char* notInSuite = "Programma non della collana Kalvora";

// Equal ignoring the case of ASCII letters.
bool sameLetters(const std::string& a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x >= 'A' && x <= 'Z' ? x + 32 : x) == (y >= 'A' && y <= 'Z' ? y + 32 : y);
           });
}

// Gives an installed program the execute bits of its read bits: a downloaded package has none,
// and a copy takes the old program's bits or, for a new one, the package's.
int makeExecutable(core::Files& files, const std::string& path) {
    const std::string file = files.resolve(path);
    const core::FileStat st = files.stat(file);
    const std::uint32_t mode = st.mode | ((st.mode & 0444) >> 2);
    if (!st.exists || mode == st.mode) return st.exists ? 0 : ENOENT;
    std::unique_ptr<core::FileHandle> handle;
    int error = files.fileSystem().open(file, core::OpenMode::Read, handle);
    if (error == 0) {
        error = handle->setPermissions(mode, core::keepOwner, core::keepOwner);
        const int closeError = handle->close();
        if (error == 0) error = closeError;
    }
    return error;
}

// Name order without regard to case; names equal so are taken byte by byte, so that the order
// never depends on how the disk lists the folder.
bool beforeInNameOrder(const std::string& a, const std::string& b) {
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : int(c); };
    const auto less = [&](char x, char y) { return lower(x) < lower(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), less)) return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), less)) return false;
    return a < b;
}

bool isDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::vector<UpdatePackage> findUpdatePackages(const core::Files& files, const std::string& folder) {
    std::vector<core::DirEntry> entries;
    std::vector<UpdatePackage> found;
    if (files.list(folder, entries) != 0) return found;
    // Two packages of one program: the later in name order wins, whatever order the disk keeps.
    std::sort(entries.begin(), entries.end(),
              [](const core::DirEntry& a, const core::DirEntry& b) { return beforeInNameOrder(a.name, b.name); });
    for (const core::DirEntry& entry : entries) {
        if (found.size() >= UpdateInstallerForm::maxPackages) break;
        const std::string& name = entry.name;
        // kal*.lha in any case: "kal" and ".lha" may share no character.
        if (entry.isDirectory || name.size() < 7 || !sameLetters(name.substr(0, 3), "kal") ||
            !sameLetters(name.substr(name.size() - 4), ".lha"))
            continue;
        UpdatePackage package;
        package.file = name;
        package.number = name.substr(name.size() - 7, 3);  // bytes: a non-digit names no module
        const core::ModuleEntry* module =
            isDigits(package.number) ? core::findModuleByPosition(std::stoi(package.number)) : nullptr;
        // The closing and opening windows have a position but no program of their own.
        if (module && !module->program.empty()) {
            package.program = module->program;
            package.displayName = module->title;
        } else {
            package.displayName = notInSuite;
        }
        found.push_back(std::move(package));
    }
    return found;
}

void UpdateInstallerForm::add(std::string line) {
    log_.push_back(std::move(line));
    if (onLog_) onLog_();
    session().platform().processEvents();
}

bool UpdateInstallerForm::install(const UpdatePackage& package) {
    core::Session& s = session();
    core::Files& files = s.files();
    // The file the launcher starts, whatever the case of its name; a new one takes ".EXE".
    // modulePath gives the plain name back when no file answers to it; that name is looked at
    // only then, so a program it found is never second-guessed.
    const std::string plain = s.installation().file(package.program);
    std::string target = modulePath(files, s.installation(), package.program);
    if (target == plain) {
        if (const core::FileStat st = files.stat(plain); !st.exists || st.isDirectory) target = plain + ".EXE";
    }
    // The verified copy goes to a temporary renamed over the program: until the package is
    // whole on disk the old program stays in place, so a failure never leaves the module
    // without a program. The package is kept until the program is also executable.
    const std::string source = core::joinPath(s.installation().downloadFolder(), package.file);
    // An empty package is a download that never arrived: it would replace a working program
    // with nothing.
    if (const core::FileStat st = files.stat(source); st.exists && st.size == 0) {
        add("    Il file scaricato " + package.file +
            " è vuoto (scaricamento interrotto?): il programma precedente è rimasto invariato");
        return false;
    }
    if (const int error = files.copyFile(source, target); error != 0) {
        add("    Copia non riuscita (errore " + std::to_string(error) +
            "): il programma precedente è rimasto invariato");
        return false;
    }
    if (const int error = makeExecutable(files, target); error != 0) {
        add("    Impossibile rendere eseguibile il programma (errore " + std::to_string(error) + ")");
        return false;
    }
    if (cancella_ && files.remove(source) != 0)
        add("    Impossibile eliminare il file scaricato " + package.file);
    return true;
}

int UpdateInstallerForm::run() {
    if (running_ || closed()) return 0;
    running_ = true;
    const int installed = update();
    running_ = false;
    close();
    return installed;
}

int UpdateInstallerForm::update() {
    core::Session& s = session();
    core::Platform& platform = s.platform();
    platform.setBusy(true);
    add("Ricerca dei files scaricati da Internet");
    const std::vector<UpdatePackage> packages = findUpdatePackages(s.files(), s.installation().downloadFolder());
    for (const UpdatePackage& package : packages) add("--> Trovato il programma: " + package.displayName);
    if (packages.empty()) {
        platform.setBusy(false);
        platform.message("Non è stato trovato alcun file scaricato da Internet.", title(), core::Icon::Information);
        return 0;
    }

    add("Verifica ed aggiornamento del sistema");
    int installed = 0;
    std::vector<std::string> failed;
    for (const UpdatePackage& package : packages) {
        add("--> Aggiornamento programma " + package.displayName);
        if (package.program.empty()) {
            add("    Nessun programma da sostituire: il file " + package.file + " è stato lasciato nella cartella");
            continue;
        }
        if (install(package))
            ++installed;
        else
            failed.push_back(package.displayName);
    }
    platform.setBusy(false);

    if (!failed.empty()) {
        std::string text = "Non è stato possibile aggiornare i programmi seguenti; i files scaricati sono stati "
                           "conservati per un nuovo tentativo:";
        for (const std::string& name : failed) text += "\n" + name;
        platform.message(text, title(), core::Icon::Exclamation);
    } else if (installed > 0) {
        platform.message("Aggiornamento effettuato", title(), core::Icon::Information);
    } else {
        platform.message("Non è stato trovato alcun programma da aggiornare. Controllare che la cartella scelta "
                         "sia quella giusta (o che il dischetto sia inserito correttamente).",
                         title(), core::Icon::Information);
    }
    return installed;
}

void UpdateInstallerForm::button(int index) {
    if (index == 0) cancel();
    if (index == 1) run();
}

void openUpdateInstaller(core::Session& session) {
    UpdateInstallerForm form(session);
    session.platform().showModal(form);
}

}  // namespace kalvora::launcher
