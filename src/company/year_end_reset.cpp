#include "company/year_end_reset.h"

#include "company/reset_run.h"
#include "core/archive_layouts.h"
#include "core/text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cmath>

namespace kalvora::company {

namespace reset {

namespace L = core;  // the layouts

namespace {

// The extensions of kalvora.* that the safety copy keeps as kalold.*.
constexpr std::array<std::string_view, 30> safetyExtensions = {
    "tot", "age", "art", "aut", "bol", "cli", "con", "for", "fte", "f2e", "ftr", "f2r", "dep", "gio", "ilm",
    "lav", "mag", "mas", "orc", "orf", "pro", "prv", "prx", "ric", "sco", "sra", "srb", "src", "srf", "tab"};

constexpr double largestExactCount = 9007199254740992.0;  // 2^53

}  // namespace

std::string yearText(int year) {
    std::string digits = std::to_string(std::clamp(year, 0, 9999));
    return std::string(4 - digits.size(), '0') + digits;
}

std::string errorText(int error) { return " (errore " + std::to_string(error) + ")"; }

// The count kept in record `n` of kalvora.tot's bytes, read as readArchiveCount reads it.
std::uint64_t countIn(const std::string& tot, std::uint64_t n) {
    if (n == 0) return 0;
    const std::size_t at = static_cast<std::size_t>(n - 1) * L::tot::recordLength + L::tot::count.offset;
    if (tot.size() < at + L::tot::count.width) return 0;
    const double value = core::RecordView(reinterpret_cast<const std::uint8_t*>(tot.data()) + at, 8).float64(0);
    if (!(value >= 1)) return 0;  // NaN too
    return static_cast<std::uint64_t>(std::floor(std::min(value, largestExactCount)));
}

void setCountIn(std::string& tot, std::uint64_t n, std::uint64_t count) {
    const std::size_t at = static_cast<std::size_t>(n - 1) * L::tot::recordLength + L::tot::count.offset;
    if (tot.size() < static_cast<std::size_t>(n) * L::tot::recordLength) tot.resize(n * L::tot::recordLength, '\0');
    const auto bits = std::bit_cast<std::uint64_t>(static_cast<double>(count));
    for (int i = 0; i < 8; ++i) tot[at + i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
}

}  // namespace reset

namespace {

using namespace reset;

// Deletes (and, when planned, creates) the takings files of a year.
bool takings(Run& run) {
    const auto yearFiles = [&](int year) {
        std::vector<std::string> names;
        for (const auto& e : run.entries)
            if (!e.isDirectory && takingsYearOf(e.name) == year && journalSafeName(e.name)) names.push_back(e.name);
        std::sort(names.begin(), names.end());
        return names;
    };
    const std::optional<int> created = run.plan.createTakingsYear;
    if (const auto year = run.plan.deleteTakingsYear) {
        const std::string label = "Cancello l'archivio corrispettivi anno " + yearText(*year);
        run.report(label, 0, 1);
        const std::vector<std::string> names = yearFiles(*year);
        std::string list;
        for (const auto& n : names) list += (list.empty() ? "" : ", ") + n;
        run.counts.push_back({"kal" + yearText(*year),
                              "Corrispettivi anno " + yearText(*year) + ": " +
                                  (names.empty() ? "nessun file da cancellare" : list + " da cancellare"),
                              names.size(), names.size(), 0});
        // The new year's files replace the old ones when both options name the same year.
        if (created != year)
            for (const auto& n : names) run.journal.deletes.push_back(n);
    }
    if (!created) return true;
    const std::string year = yearText(*created);
    const std::string label = "Creo l'archivio corrispettivi anno " + year;
    ResetCount line{"kal" + year, "Corrispettivi anno " + year + ":", 0, 0, 0};
    for (const char* ext : {".cor", ".crr"}) {
        const std::string name = "kal" + year + ext;
        run.report(label, 0, 1);
        if (run.hasEntry(name) && run.plan.deleteTakingsYear != created) {
            line.line += " " + name + " esiste già e non verrà modificato;";
            run.notes.push_back("L'archivio corrispettivi " + name +
                                " esiste già e non è stato modificato, per non "
                                "perdere i corrispettivi che contiene.");
            continue;
        }
        line.line += " " + name + " da creare;";
        line.added += L::takings::records;
        if (!run.stage) continue;
        const std::string staged = stagedName(name);
        core::RecordWriter writer;
        run.staged.push_back(staged);
        int error = run.files.createRecords(run.path(staged), L::takings::recordLength, writer);
        const core::Record blankRecord(L::takings::recordLength);
        for (std::uint64_t i = 0; error == 0 && i < L::takings::records; ++i) error = writer.append(blankRecord);
        if (error == 0) error = writer.finish();
        if (error != 0) return run.fail("scrivere il file " + staged, error);
        run.journal.moves.emplace_back(staged, name);
    }
    line.line.pop_back();
    run.counts.push_back(line);
    return true;
}

// The reprint files of the chosen years and of the documents removed.
void reprints(Run& run) {
    struct YearFiles {
        const std::optional<ReprintChoice>& choice;
        std::array<std::string_view, 3> prefixes;
    };
    const YearFiles families[] = {{run.plan.invoiceReprints, {"par", "ftr", "fp"}},
                                  {run.plan.receiptReprints, {"ric", "rfs", ""}},
                                  {run.plan.ddtReprints, {"bll", "", ""}}};
    if (!run.plan.invoiceReprints && !run.plan.receiptReprints && !run.plan.ddtReprints) return;
    run.report("Cancello i files di ristampa delle fatture emesse", 0, 1);
    std::uint64_t found = 0;
    for (const auto& e : run.entries) {
        if (e.isDirectory || !journalSafeName(e.name)) continue;
        std::string base = core::lower(e.name);
        const bool pdf = base.size() > 4 && base.ends_with(".pdf");
        if (pdf) base.resize(base.size() - 4);
        const std::size_t dot = base.find('.');
        const std::string stem = base.substr(0, dot);
        const std::string ext = dot == std::string::npos ? std::string() : base.substr(dot + 1);
        if (ext.find('.') != std::string::npos) continue;
        bool goes = false;
        if (const auto it = run.documentFiles.find(stem); it != run.documentFiles.end())
            goes = (!pdf || it->second) && !run.keptDocuments.contains(stem);
        for (const auto& f : families) {
            if (goes || !f.choice || ext != "a" + yearText(f.choice->year) || (pdf && !f.choice->pdf)) continue;
            goes = std::any_of(f.prefixes.begin(), f.prefixes.end(),
                               [&](std::string_view p) { return !p.empty() && stem.starts_with(p); });
        }
        if (!goes) continue;
        ++found;
        run.journal.deletes.push_back(e.name);
    }
    run.counts.push_back(
        {"ristampa", "Files di ristampa: " + std::to_string(found) + " da cancellare", found, found, 0});
}

// kalvora.* -> kalold.*, kal<year>.cor/.crr -> kalo<year>.cor/.crr: each copy read back and
// compared before it counts.
std::vector<std::pair<std::string, std::string>> safetyPairs(const Run& run) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const auto& e : run.entries) {
        if (e.isDirectory) continue;
        const std::string n = core::lower(e.name);
        if (n.size() == 11 && n.starts_with("kalvora.") &&
            std::find(safetyExtensions.begin(), safetyExtensions.end(), std::string_view(n).substr(8)) !=
                safetyExtensions.end())
            pairs.emplace_back(e.name, "kalold." + n.substr(8));
        else if (takingsYearOf(n))
            pairs.emplace_back(e.name, "kalo" + n.substr(3));
    }
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

bool safetyCopy(Run& run) {
    const auto pairs = safetyPairs(run);
    const std::string label = " Creo la copia di sicurezza";
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        run.report(label, i, pairs.size());
        const int error = run.files.copyFile(
            run.path(pairs[i].first), run.path(pairs[i].second), [&](std::uint64_t done, std::uint64_t total) {
                run.report(label, i * 100 + done * 100 / std::max<std::uint64_t>(total, 1), pairs.size() * 100);
            });
        if (error != 0) {
            run.failure = "Non è stato possibile creare la copia di sicurezza del file " + pairs[i].first + " in " +
                          pairs[i].second + errorText(error) +
                          ": l'azzeramento non è stato eseguito e gli archivi sono rimasti com'erano.";
            return false;
        }
    }
    return true;
}

// Reads the counts and the folder, then goes through every part of the plan in the window's
// order; when staging, every new file is whole and synced when this returns true.
bool survey(Run& run) {
    const std::string totName = "kalvora.tot";
    if (auto bytes = run.files.readBytes(run.path(totName)))
        run.tot = std::move(*bytes);
    else if (run.files.exists(run.path(totName)))
        return run.fail("leggere il file dei contatori " + totName, EIO);
    if (const int error = run.files.list(run.folder, run.entries))
        return run.fail("leggere la cartella dell'azienda", error);
    for (std::size_t i = 0; i < archiveCount; ++i) {
        if (i == 2 && !takings(run)) return false;  // the takings come after the receipts in the window
        if (!compactArchive(run, i)) return false;
    }
    reprints(run);
    if (run.stage && run.totChanged && !stageBytes(run, totName, run.tot)) return false;
    return true;
}

void removeStaged(Run& run) {
    for (const auto& name : run.staged) run.files.remove(run.path(name));
}

}  // namespace

DryRun countRemovals(core::Session& session, const ResetPlan& plan) {
    const ResetProgress none;
    Run run(session, plan, none, false);
    DryRun out;
    if (!survey(run)) out.failure = run.failure;
    out.counts = std::move(run.counts);
    if (plan.safetyCopy && out.failure.empty()) {
        const auto n = safetyPairs(run).size();
        out.counts.push_back({"kalold", "Copia di sicurezza: " + std::to_string(n) + " files da copiare", 0, 0, n});
    }
    return out;
}

std::string dryRunText(const DryRun& dryRun) {
    std::string text = "L'azzeramento eseguirà queste operazioni:";
    for (const auto& c : dryRun.counts) text += "\r" + c.line;
    return text;
}

ResetResult runReset(core::Session& session, const ResetPlan& plan, const ResetProgress& progress) {
    Run run(session, plan, progress, true);
    ResetResult result;
    core::Files& files = session.files();
    const std::string journalPath = run.path(resetJournalName);
    if (files.exists(journalPath)) {
        result.failure =
            "Un'operazione precedente sugli archivi dell'azienda è stata interrotta e non è ancora stata "
            "completata: riaprire l'azienda per completarla prima di eseguire l'azzeramento.";
        return result;
    }
    removeStagedFiles(files, run.folder);  // of a run stopped before its journal
    if (plan.safetyCopy) {
        if (const int error = files.list(run.folder, run.entries)) {
            result.failure = "Non è stato possibile leggere la cartella dell'azienda" + errorText(error) +
                             ": l'azzeramento non è stato eseguito.";
            return result;
        }
        if (!safetyCopy(run)) {
            result.failure = run.failure;
            return result;
        }
    }
    if (!survey(run)) {
        removeStaged(run);
        result.failure = run.failure + " L'azzeramento non è stato eseguito: gli archivi sono rimasti com'erano.";
        return result;
    }
    result.notes = std::move(run.notes);
    if (run.journal.empty()) {
        result.done = true;
        return result;
    }
    // A journal whose rename landed is whole even when the folder sync after it failed: from
    // then on the reset goes forward.
    if (const int error = files.replaceFile(journalPath, encodeJournal(run.journal));
        error != 0 && !files.exists(journalPath)) {
        removeStaged(run);
        result.failure = "Non è stato possibile scrivere il file " + std::string(resetJournalName) + errorText(error) +
                         ". L'azzeramento non è stato eseguito: gli archivi sono rimasti com'erano.";
        return result;
    }
    result.changed = true;
    JournalOutcome outcome = applyJournal(files, run.folder, run.journal, progress);
    // A passing error should not leave the archives half replaced until the next opening.
    if (outcome.error != 0) outcome = applyJournal(files, run.folder, run.journal, progress);
    if (outcome.error != 0) {
        result.failure = "L'azzeramento è stato interrotto durante l'aggiornamento degli archivi (file " +
                         outcome.file + errorText(outcome.error) +
                         "). Verrà completato alla prossima apertura dell'azienda: fino ad allora non utilizzare i "
                         "moduli del programma.";
        return result;
    }
    result.done = true;
    return result;
}

}  // namespace kalvora::company
