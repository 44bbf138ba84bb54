#include "company/archive_conversion.h"

#include "core/archive_layouts.h"
#include "core/dates.h"
#include "core/paths.h"
#include "core/text.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <map>

namespace kalvora::company {

namespace {

namespace C = core::conversion;

std::string errorText(int error) { return " (errore " + std::to_string(error) + ")"; }

// "kalvora.tot" -> "kalold.tot": where the old file is kept.
std::string oldCopyName(std::string_view file) {
    const std::size_t dot = file.find('.');
    return "kalold" + std::string(dot == std::string_view::npos ? std::string_view() : file.substr(dot));
}

// Where the new version of a file is written before it replaces the file.
std::string stagedFile(std::string_view file) { return std::string(file) + ".cnv"; }

// "kal<anno>.cor" names the takings file of the current year.
std::string newFileName(std::string_view file, int year) {
    std::string name(file);
    if (const auto at = name.find("<anno>"); at != std::string::npos) name.replace(at, 6, std::to_string(year));
    return name;
}

// A count as the modules read it: below 1, or not a number, is none.
std::uint64_t countOf(double value) {
    if (!(value >= 1)) return 0;
    return static_cast<std::uint64_t>(std::floor(std::min(value, 9007199254740992.0)));
}

// One archive to convert.
struct Step {
    const C::OldArchive* archive;
    std::size_t group;
    std::uint64_t records;  // old records to convert
};

struct Run {
    Run(core::Session& s, const ConversionProgress& p)
        : session(s), files(s.files()), folder(s.installation().companyFolder(s.company().code)), progress(p),
          groups(conversionGroups()) {}

    core::Session& session;
    core::Files& files;
    std::string folder;
    const ConversionProgress& progress;
    std::vector<std::string> groups;
    ConversionResult result;
    std::vector<std::string> staged;  // staged files written so far

    // The folder as it was before the run, listed once: a file that cannot be looked at is
    // never taken for a missing one.
    std::vector<core::DirEntry> entries;

    std::string path(std::string_view name) const { return core::joinPath(folder, name); }
    const core::DirEntry* entry(std::string_view name) const {
        const auto it = std::find_if(entries.begin(), entries.end(), [&](const core::DirEntry& e) {
            return !e.isDirectory && core::equalsIgnoreCase(e.name, name);
        });
        return it == entries.end() ? nullptr : &*it;
    }
    std::uint64_t size(std::string_view name) const {
        const core::DirEntry* e = entry(name);
        return e ? e->size : 0;
    }
    bool fail(const std::string& what, int error) {
        result.outcome = ConversionResult::Outcome::Failed;
        result.failure = "La conversione degli archivi non è riuscita: non è stato possibile " + what +
                         errorText(error) + ". Gli archivi dell'azienda sono rimasti come erano.";
        for (const std::string& name : staged) files.remove(path(name));
        staged.clear();
        return false;
    }
    void report(std::size_t group, std::uint64_t done, std::uint64_t total) const {
        if (progress) progress(group, total == 0 ? 100 : static_cast<int>(std::min<std::uint64_t>(done * 100 / total, 100)));
    }
};

// Writes the new files of one archive beside it from its first `step.records` old records, then
// zeroed records up to the archive's minimum. In the count file, `caps` cuts a count to the
// records its archive's file holds.
bool stage(Run& run, const Step& step, const std::map<std::uint64_t, std::uint64_t>& caps) {
    const C::OldArchive& a = *step.archive;
    const int year = run.session.clock().today().year;
    std::vector<core::RecordWriter> writers;
    std::vector<core::Record> records;
    for (const C::NewFile& nf : a.newFiles) {
        if (nf.file.empty()) continue;
        const std::string name = stagedFile(newFileName(nf.file, year));
        core::RecordWriter& w = writers.emplace_back();
        if (const int e = run.files.createRecords(run.path(name), nf.recordLength, w); e != 0)
            return run.fail("creare il file " + name, e);
        run.staged.push_back(name);
        records.emplace_back(nf.recordLength);
    }
    const auto append = [&](std::uint64_t number) {
        for (std::size_t i = 0; i < writers.size(); ++i) {
            // The counts of archives whose files hold fewer records are cut to what they hold.
            if (i == 0 && &a == &C::archives[0])
                if (const auto cap = caps.find(number); cap != caps.end())
                    records[0].setFloat64(core::tot::count.offset, static_cast<double>(cap->second));
            if (const int e = writers[i].append(records[i]); e != 0) return e;
        }
        return 0;
    };
    std::uint64_t done = 0;
    if (step.records > 0) {
        core::RecordFile old;
        if (const int e = run.files.openRecords(run.path(a.file), a.recordLength, false, old); e != 0)
            return run.fail("leggere l'archivio " + std::string(a.file), e);
        core::RecordReader reader(old, 1, step.records);
        while (reader.next()) {
            const core::RecordView from = reader.record();
            for (core::Record& r : records) r.fill(0, r.length(), 0);
            for (const C::FieldMove& move : a.fields) {
                core::Record& to = records[move.target];
                const std::size_t width = std::min(move.from.width, move.to.width);
                if (move.from.offset + width <= from.length() && move.to.offset + width <= to.length())
                    std::memcpy(to.bytes().data() + move.to.offset, from.data() + move.from.offset, width);
            }
            if (const int e = append(++done); e != 0) return run.fail("scrivere il nuovo archivio " + std::string(a.file), e);
            if (done % 4096 == 0) run.report(step.group, done, step.records);
        }
        if (reader.error() != 0 || done < step.records)
            return run.fail("leggere l'archivio " + std::string(a.file), reader.error() != 0 ? reader.error() : EIO);
    }
    while (done < a.minimumRecords) {
        for (core::Record& r : records) r.fill(0, r.length(), 0);
        if (const int e = append(++done); e != 0) return run.fail("scrivere il nuovo archivio " + std::string(a.file), e);
    }
    for (core::RecordWriter& w : writers)
        if (const int e = w.finish(); e != 0) return run.fail("scrivere il nuovo archivio " + std::string(a.file), e);
    run.report(step.group, step.records, step.records);
    return true;
}

// Moves every staged file over its target, the count file last; on a failure the targets
// already replaced are put back from their kalold.* copies.
bool swapIn(Run& run, const std::vector<Step>& steps) {
    const int year = run.session.clock().today().year;
    std::vector<std::pair<std::string, bool>> moved;  // target, whether it was there before
    for (auto step = steps.rbegin(); step != steps.rend(); ++step)
        for (const C::NewFile& nf : step->archive->newFiles) {
            if (nf.file.empty()) continue;
            const std::string target = newFileName(nf.file, year);
            const bool existed = run.entry(target) != nullptr;
            if (const int e = run.files.moveOver(run.path(stagedFile(target)), run.path(target)); e != 0) {
                // A move can fail after the file took its new name (the folder's sync): then it
                // is put back too.
                if (!run.files.exists(run.path(stagedFile(target)))) moved.emplace_back(target, existed);
                std::string undone;
                for (const auto& [name, before] : moved) {
                    const int back = before ? run.files.copyFile(run.path(oldCopyName(name)), run.path(name))
                                            : run.files.remove(run.path(name));
                    if (back != 0) undone += (undone.empty() ? "" : ", ") + name;
                }
                run.fail("sostituire il file " + target, e);
                if (!undone.empty())
                    run.result.failure = "La conversione degli archivi non è riuscita e non è stato possibile "
                                         "rimettere a posto " + undone + ": gli archivi originali sono nei file kalold.*.";
                return false;
            }
            run.staged.erase(std::remove(run.staged.begin(), run.staged.end(), stagedFile(target)), run.staged.end());
            moved.emplace_back(target, existed);
        }
    return true;
}

}  // namespace

std::vector<std::string> conversionGroups() {
    std::vector<std::string> groups;
    for (const C::OldArchive& a : C::archives)
        if (std::find(groups.begin(), groups.end(), a.group) == groups.end()) groups.emplace_back(a.group);
    return groups;
}

CountLayout countFileLayout(std::uint64_t bytes) {
    const std::uint64_t current = core::tot::recordLength;
    if (bytes % current == 0 && bytes / current >= C::currentCountRecords) return CountLayout::Current;
    return bytes % C::oldCountRecordLength == 0 ? CountLayout::Old : CountLayout::Neither;
}

ConversionResult convertArchives(core::Session& session, const ConversionProgress& progress) {
    Run run(session, progress);
    ConversionResult& result = run.result;
    if (const int e = run.files.list(run.folder, run.entries); e != 0) {
        run.fail("leggere la cartella dell'azienda", e);
        return result;
    }
    if (run.entry(C::oldLayouts)) result.kept.emplace_back(C::oldLayouts);
    const auto mark = [&] {
        result.marked =
            run.files.writeLines(run.path(conversionMarkerName), {core::toDdMmYyyy(session.clock().today())}) == 0;
        for (std::size_t g = 0; g < run.groups.size(); ++g)
            if (progress) progress(g, 100);
    };

    const std::uint64_t totSize = run.size("kalvora.tot");
    switch (countFileLayout(totSize)) {
    case CountLayout::Current:
        result.outcome = ConversionResult::Outcome::AlreadyCurrent;
        mark();
        return result;
    case CountLayout::Neither:
        // Read with either record length it would give wrong counts: better to touch nothing.
        result.failure = "La conversione degli archivi non è stata eseguita: il file dei contatori kalvora.tot (" +
                         std::to_string(totSize) +
                         " byte) non è né nel formato delle versioni precedenti né in quello attuale. Gli archivi "
                         "dell'azienda sono rimasti come erano.";
        return result;
    case CountLayout::Old:
        break;
    }

    core::RecordFile tot;
    if (totSize > 0)
        if (const int e = run.files.openRecords(run.path("kalvora.tot"), C::oldCountRecordLength, false, tot); e != 0) {
            run.fail("leggere il file kalvora.tot", e);
            return result;
        }
    std::vector<Step> steps;
    std::map<std::uint64_t, std::uint64_t> caps;  // count record -> records its archive holds
    for (const C::OldArchive& a : C::archives) {
        const std::size_t group = static_cast<std::size_t>(
            std::find(run.groups.begin(), run.groups.end(), a.group) - run.groups.begin());
        const std::uint64_t size = run.size(a.file);
        const std::uint64_t held = a.recordLength == 0 ? 0 : size / a.recordLength;
        if (&a == &C::archives[0]) {
            steps.push_back({&a, group, held});
            continue;
        }
        std::uint64_t count = 0;
        if (a.countRecord != 0 && tot.isOpen()) {
            int error = 0;
            count = countOf(tot.read(a.countRecord, &error).float64(C::oldCount.offset));
            if (error != 0) {
                run.fail("leggere il file kalvora.tot", error);
                return result;
            }
            if (count > held) caps[a.countRecord] = held;
        }
        // A count is capped to the records the file holds, so the data is what the file holds.
        if (size == 0) continue;
        if (a.fields.empty())
            result.left.emplace_back(a.file);
        else
            steps.push_back({&a, group, std::min(count, held)});
    }
    tot.close();
    if (!result.left.empty()) {
        result.outcome = ConversionResult::Outcome::NotConverted;
        return result;
    }

    // The way back: the files about to be replaced, copied and checked.
    const int year = session.clock().today().year;
    for (const Step& step : steps)
        for (const C::NewFile& nf : step.archive->newFiles) {
            const std::string target = newFileName(nf.file, year);
            if (nf.file.empty() || !run.entry(target)) continue;
            if (const int e = run.files.copyFile(run.path(target), run.path(oldCopyName(target))); e != 0) {
                run.fail("copiare " + target + " in " + oldCopyName(target), e);
                return result;
            }
        }
    for (const Step& step : steps)
        if (!stage(run, step, caps)) return result;
    if (!swapIn(run, steps)) return result;
    result.outcome = ConversionResult::Outcome::Converted;
    mark();
    return result;
}

std::string conversionReport(const ConversionResult& result) {
    using Outcome = ConversionResult::Outcome;
    if (result.outcome == Outcome::Failed) return result.failure;
    std::string text = result.outcome == Outcome::AlreadyCurrent ? "Gli archivi dell'azienda sono già nel formato attuale."
                       : result.outcome == Outcome::Converted  ? "Conversione degli archivi eseguita."
                                                               : "Nessun archivio è stato convertito.";
    if (result.outcome == Outcome::NotConverted) {
        text += " Questi archivi contengono dati che il programma non sa convertire:";
        for (std::size_t i = 0; i < result.left.size(); ++i) text += (i == 0 ? " " : ", ") + result.left[i];
        text += ". Gli archivi dell'azienda sono rimasti tutti come erano, nel formato delle versioni precedenti.";
    }
    for (const std::string& name : result.kept)
        text += " Il file dei formati di stampa " + name + " delle versioni precedenti è stato conservato così com'è.";
    if (result.outcome != Outcome::NotConverted && !result.marked)
        text += " Non è stato possibile scrivere il file " + std::string(conversionMarkerName) +
                ": la conversione verrà proposta di nuovo.";
    return text;
}

ArchiveConversionForm::ArchiveConversionForm(core::Session& session) : core::Form(session) {}

void ArchiveConversionForm::open() {
    groups_.clear();
    for (std::string& name : conversionGroups()) groups_.push_back({std::move(name), 0});
}

void ArchiveConversionForm::confirm() {
    if (working_) return;
    auto& platform = session().platform();
    if (!platform.askYesNo("Confermi la conversione degli archivi?", "Attenzione", core::Icon::Question)) return;
    if (groups_.empty()) open();
    for (Group& g : groups_) g.percent = 0;
    working_ = true;
    platform.setBusy(true);
    const ConversionResult result = convertArchives(session(), [this, &platform](std::size_t group, int percent) {
        if (group < groups_.size()) groups_[group].percent = percent;
        if (listener_) listener_();
        platform.processEvents();
    });
    platform.setBusy(false);
    working_ = false;
    const bool failed = result.outcome == ConversionResult::Outcome::Failed;
    const bool declined = result.outcome == ConversionResult::Outcome::NotConverted;
    platform.message(conversionReport(result), title(),
                     failed ? core::Icon::Critical : declined ? core::Icon::Exclamation : core::Icon::Information);
    if (failed) return;
    // Nothing converted: the start-up offer then says the conversion did not take place.
    converted_ = !declined;
    close();
}

void ArchiveConversionForm::cancel() {
    if (!working_) close();
}

bool offerConversion(core::Session& session) {
    core::Files& files = session.files();
    const std::string folder = session.installation().companyFolder(session.company().code);
    if (!files.isDirectory(folder) || files.exists(core::joinPath(folder, conversionMarkerName))) return false;
    ArchiveConversionForm form(session);
    form.open();
    session.platform().showModal(form);
    if (!form.converted())
        session.platform().message("La conversione degli archivi è stata annullata", "Attenzione",
                                   core::Icon::Exclamation);
    return true;
}

void openArchiveConversion(core::Session& session) {
    session.platform().message(conversionNotice, "Conversione archivi", core::Icon::Information);
    ArchiveConversionForm form(session);
    form.open();
    session.platform().showModal(form);
}

}  // namespace kalvora::company
