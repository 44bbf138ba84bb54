#include "company/reset_journal.h"

#include "company/year_end_reset.h"
#include "core/paths.h"
#include "core/text.h"

#include <algorithm>
#include <array>
#include <cerrno>

namespace kalvora::company {

namespace {

constexpr std::string_view header = "AZZERAMENTO ARCHIVI";
constexpr std::string_view importHeader = "IMPORTAZIONE ARCHIVI";
constexpr std::string_view footer = "FINE";
// The extensions whose new version can be staged: the archives, the counts, the chart and the
// takings.
constexpr std::array<std::string_view, 15> stagedExtensions = {"fte", "ric", "ftr", "mag", "bol", "gio", "orc", "orf",
                                                               "prv", "lav", "dep", "tot", "con", "cor", "crr"};

bool isStagedExtension(std::string_view ext) {
    return std::find(stagedExtensions.begin(), stagedExtensions.end(), ext) != stagedExtensions.end();
}

std::string deleteLabel(const std::string& name) {
    if (const auto year = takingsYearOf(name)) return "Cancello l'archivio corrispettivi anno " + std::to_string(*year);
    return "Cancello i files di ristampa delle fatture emesse";
}

}  // namespace

std::optional<int> takingsYearOf(std::string_view name) {
    const std::string n = core::lower(name);
    if (n.size() != 11 || !n.starts_with("kal") || !(n.ends_with(".cor") || n.ends_with(".crr"))) return std::nullopt;
    int year = 0;
    for (std::size_t i = 3; i < 7; ++i) {
        if (n[i] < '0' || n[i] > '9') return std::nullopt;
        year = year * 10 + (n[i] - '0');
    }
    return year;
}

std::string stagedName(std::string_view target) {
    const std::string n = core::lower(target);
    if (takingsYearOf(n)) return "kalvora." + n.substr(8) + ".azz";
    if (n.size() == 11 && n.starts_with("kalvora.") && isStagedExtension(std::string_view(n).substr(8)))
        return n + ".azz";
    return {};
}

std::string importStagedName(std::size_t index) { return "kalvora.i" + std::to_string(index) + ".azz"; }

bool isImportStagedName(std::string_view name) {
    const std::string n = core::lower(name);
    if (n.size() < 14 || n.size() > 22 || !n.starts_with("kalvora.i") || !n.ends_with(".azz")) return false;
    return std::all_of(n.begin() + 9, n.end() - 4, [](char c) { return c >= '0' && c <= '9'; });
}

bool isStagedName(std::string_view name) {
    const std::string n = core::lower(name);
    return (n.size() == 15 && n.starts_with("kalvora.") && n.ends_with(".azz") &&
            isStagedExtension(std::string_view(n).substr(8, 3))) ||
           isImportStagedName(n);
}

bool journalSafeName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\t\r\n\0", 5)) == std::string_view::npos;
}

std::string encodeJournal(const ResetJournal& journal) {
    std::string out(journal.kind == JournalKind::Import ? importHeader : header);
    out += '\n';
    for (const auto& [staged, target] : journal.moves) out += "M\t" + staged + "\t" + target + "\n";
    for (const auto& name : journal.deletes) out += "D\t" + name + "\n";
    return out + std::string(footer) + "\n";
}

std::optional<ResetJournal> decodeJournal(std::string_view bytes) {
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = bytes.find('\n', at);
        if (end == std::string_view::npos) return std::nullopt;  // every line of a whole journal ends
        lines.push_back(bytes.substr(at, end - at));
        at = end + 1;
    }
    if (lines.size() < 2 || (lines.front() != header && lines.front() != importHeader) || lines.back() != footer)
        return std::nullopt;
    ResetJournal journal;
    if (lines.front() == importHeader) journal.kind = JournalKind::Import;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.size() < 3 || line[1] != '\t') return std::nullopt;
        const std::string_view rest = line.substr(2);
        if (line[0] == 'M') {
            const std::size_t tab = rest.find('\t');
            if (tab == std::string_view::npos) return std::nullopt;
            const std::string_view staged = rest.substr(0, tab), target = rest.substr(tab + 1);
            if (!isStagedName(staged) || !journalSafeName(target)) return std::nullopt;
            journal.moves.emplace_back(staged, target);
        } else if (line[0] == 'D' && journalSafeName(rest)) {
            journal.deletes.emplace_back(rest);
        } else {
            return std::nullopt;
        }
    }
    return journal;
}

JournalOutcome applyJournal(core::Files& files, const std::string& folder, const ResetJournal& journal,
                            const std::function<void(const std::string&, int)>& progress) {
    const std::size_t total = journal.moves.size() + journal.deletes.size();
    std::size_t done = 0;
    const auto step = [&](const std::string& label) {
        if (progress) progress(label, static_cast<int>(done * 100 / std::max<std::size_t>(total, 1)));
        ++done;
    };
    for (const auto& [staged, target] : journal.moves) {
        step("Aggiorno gli archivi");
        const std::string from = core::joinPath(folder, staged);
        // A staged file that is gone was moved before the run was cut short.
        if (const int error = files.moveOver(from, core::joinPath(folder, target));
            error != 0 && !(error == ENOENT && !files.exists(from)))
            return {error, target};
    }
    for (const auto& name : journal.deletes) {
        if (done % 64 == 0 || takingsYearOf(name))
            step(deleteLabel(name));
        else
            ++done;
        const std::string path = core::joinPath(folder, name);
        const int error = files.remove(path);
        // A file already gone is what was wanted; a failed removal of one that is gone too.
        if (error != 0 && error != ENOENT && files.exists(path)) return {error, name};
    }
    const std::string path = core::joinPath(folder, resetJournalName);
    if (const int error = files.remove(path); error != 0 && files.exists(path))
        return {error, std::string(resetJournalName)};
    if (progress) progress("Aggiorno gli archivi", 100);
    return {};
}

StagedRemoval removeStagedFiles(core::Files& files, const std::string& folder) {
    StagedRemoval out;
    std::vector<core::DirEntry> entries;
    if ((out.error = files.list(folder, entries)) != 0) return out;
    for (const auto& e : entries) {
        if (e.isDirectory || !isStagedName(e.name)) continue;
        out.found.push_back(e.name);
        if (const int error = files.remove(core::joinPath(folder, e.name)); error != 0 && out.error == 0)
            out.error = error;
    }
    return out;
}

namespace {

// How the user is told about an interrupted run of each kind.
struct Wording {
    const char* title;
    const char* what;       // "Un azzeramento degli archivi"
    const char* stopped;    // "era stato interrotto"
    const char* completed;  // "è stato completato"
    const char* it;         // "completarlo"
    const char* retried;    // "Verrà ritentato"
    const char* ofIt;       // "di un azzeramento degli archivi interrotto"
};

const Wording& wordingOf(JournalKind kind) {
    static const Wording reset{"Azzeramento archivi", "Un azzeramento degli archivi", "era stato interrotto",
                               "è stato completato", "completarlo", "Verrà ritentato",
                               "di un azzeramento degli archivi interrotto"};
    static const Wording import{"Conversione archivi", "Una conversione di archivi di programmi compatibili",
                                "era stata interrotta", "è stata completata", "completarla", "Verrà ritentata",
                                "di una conversione di archivi di programmi compatibili interrotta"};
    return kind == JournalKind::Import ? import : reset;
}

}  // namespace

void completeInterruptedReset(core::Session& session, int code) {
    core::Files& files = session.files();
    auto& platform = session.platform();
    const std::string folder = session.installation().companyFolder(code);
    const std::string journalPath = core::joinPath(folder, resetJournalName);
    using std::string;
    if (!files.exists(journalPath)) {
        const StagedRemoval removal = removeStagedFiles(files, folder);
        if (removal.found.empty()) return;  // nothing was interrupted (or nothing can be told)
        const bool imported = std::all_of(removal.found.begin(), removal.found.end(),
                                          [](const string& n) { return isImportStagedName(n); });
        const Wording& w = wordingOf(imported ? JournalKind::Import : JournalKind::Reset);
        platform.message(
            string(w.what) + " " + w.stopped + " prima di modificare gli archivi, che sono rimasti com'erano. " +
                (removal.removedAll()
                     ? string("I files di lavoro che aveva lasciato sono stati rimossi.")
                     : "Non è stato possibile rimuovere tutti i files di lavoro che aveva lasciato (errore " +
                           std::to_string(removal.error) + "): verranno rimossi alla prossima apertura."),
            w.title, removal.removedAll() ? core::Icon::Information : core::Icon::Exclamation);
        return;
    }
    const auto bytes = files.readBytes(journalPath);
    const auto journal = bytes ? decodeJournal(*bytes) : std::nullopt;
    if (!journal) {
        const bool imported = bytes && bytes->starts_with(importHeader);
        platform.message("Il file " + string(resetJournalName) + " " +
                             wordingOf(imported ? JournalKind::Import : JournalKind::Reset).ofIt +
                             " non è leggibile: gli archivi non sono stati toccati. Verificare gli archivi "
                             "dell'azienda o ripristinarli dalla copia di sicurezza.",
                         "Attenzione", core::Icon::Critical);
        return;
    }
    const Wording& w = wordingOf(journal->kind);
    platform.setBusy(true);
    const JournalOutcome outcome = applyJournal(files, folder, *journal);
    // A staged file the journal does not name was left by an earlier run that never got to
    // its journal: nothing will ever move it into place.
    if (outcome.error == 0) removeStagedFiles(files, folder);
    platform.setBusy(false);
    if (outcome.error == 0)
        platform.message(string(w.what) + " " + w.stopped + ": " + w.completed + " ora.", w.title,
                         core::Icon::Information);
    else
        platform.message(string(w.what) + " " + w.stopped + " e non è stato possibile " + w.it + " (file " +
                             outcome.file + ", errore " + std::to_string(outcome.error) + "). " + w.retried +
                             " alla prossima apertura dell'azienda: fino ad allora non utilizzare i moduli del "
                             "programma.",
                         "Attenzione", core::Icon::Critical);
}

}  // namespace kalvora::company
