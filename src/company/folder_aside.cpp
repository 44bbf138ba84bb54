#include "company/folder_aside.h"

#include "core/dates.h"
#include "core/paths.h"
#include "core/text.h"

#include <algorithm>
#include <set>

namespace kalvora::company {

namespace {

std::string twoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

std::string baseOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace

bool isInterruptedWorkFile(std::string_view name) {
    const std::string n = core::lower(name);
    return n.size() > 4 && (n.ends_with(".azz") || n.ends_with(".cnv"));
}

FolderAside::FolderAside(core::Session& session, int code)
    : session_(session), code_(code), companyFolder_(session.installation().companyFolder(code)) {
    const core::DateTime now = session.clock().now();
    baseName_ = "spostati-da-kalaz0." + core::threeDigits(code) + "-" + core::toYyyymmdd(now.date) + "-" +
                twoDigits(now.hour) + twoDigits(now.minute) + twoDigits(now.second);
}

int FolderAside::move(const std::string& name) {
    core::Files& files = session_.files();
    std::string into = folder_;
    int error = 0;
    if (into.empty()) {
        const std::string base = core::joinPath(session_.installation().folder(), baseName_);
        into = base;
        for (int n = 2; files.exists(into); ++n) into = base + "-" + std::to_string(n);
        error = files.makeDirectory(into);
        if (error == 0) folder_ = into;
    }
    if (error == 0) {
        // Two entries whose names differ only in case must not land on one name: the file layer
        // would take the second for the first and write over it.
        std::string given = name;
        for (int n = 2; std::any_of(moved_.begin(), moved_.end(),
                                    [&](const std::string& m) { return core::equalsIgnoreCase(m, given); });
             ++n)
            given = name + "." + std::to_string(n);
        error = files.moveOver(core::joinPath(companyFolder_, name), core::joinPath(folder_, given));
        if (error == 0) moved_.push_back(given);
    }
    if (error != 0)
        failure_ = "spostare " + name + " dalla cartella dell'azienda " + core::threeDigits(code_) +
                   " nella cartella " + into + ": errore " + std::to_string(error);
    return error;
}

bool FolderAside::moveWhere(const std::function<bool(const core::DirEntry&)>& goesAside) {
    core::Files& files = session_.files();
    if (!files.exists(companyFolder_)) return true;
    std::vector<core::DirEntry> entries;
    if (const int error = files.list(companyFolder_, entries); error != 0) {
        failure_ = "leggere la cartella dell'azienda " + core::threeDigits(code_) + ": errore " + std::to_string(error);
        return false;
    }
    std::sort(entries.begin(), entries.end(),
              [](const core::DirEntry& a, const core::DirEntry& b) { return a.name < b.name; });
    for (const core::DirEntry& entry : entries)
        if (goesAside(entry) && move(entry.name) != 0) return false;
    return true;
}

bool FolderAside::clearForCopy(const std::vector<core::DirEntry>& incoming) {
    core::Files& files = session_.files();
    // The names the copy will write over: each incoming file lands where the file layer
    // resolves its name, an existing spelling in any case.
    std::set<std::string> overwritten;
    for (const core::DirEntry& entry : incoming)
        if (!entry.isDirectory)
            overwritten.insert(baseOf(files.resolve(core::joinPath(companyFolder_, entry.name))));
    return moveWhere(
        [&](const core::DirEntry& entry) { return entry.isDirectory || !overwritten.contains(entry.name); });
}

bool FolderAside::moveInterruptedWork() {
    return moveWhere(
        [](const core::DirEntry& entry) { return !entry.isDirectory && isInterruptedWorkFile(entry.name); });
}

bool FolderAside::moveLeftBehind(const std::string& name) {
    core::Files& files = session_.files();
    const std::string path = core::joinPath(companyFolder_, name);
    if (!files.exists(path)) return true;
    return move(baseOf(files.resolve(path))) == 0;
}

std::string FolderAside::movedSentence(std::string_view what) const {
    if (folder_.empty()) return {};
    return std::string(what) + " sono stati spostati dalla cartella dell'azienda " + core::threeDigits(code_) +
           " nella cartella " + folder_ + ".";
}

}  // namespace kalvora::company
