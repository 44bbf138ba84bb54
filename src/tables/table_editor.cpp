#include "tables/table_editor.h"

#include "core/cp1252.h"

#include <algorithm>
#include <cerrno>
#include <optional>

namespace kalvora::tables {

namespace {

// A file as it was before a save: its bytes, or none when it did not exist.
struct Snapshot {
    std::string path;
    std::optional<std::string> bytes;
};

// 0, or an error when the file exists but cannot be read whole: a save that could not put it
// back must not start.
int takeSnapshot(const core::Files& files, std::string path, std::vector<Snapshot>& out) {
    std::optional<std::string> bytes = files.readBytes(path);
    if (!bytes && files.exists(path)) return EIO;
    out.push_back({std::move(path), std::move(bytes)});
    return 0;
}

// After a failed save: each file back as it was, through the atomic rewrite. A file that
// did not exist is removed again.
void restore(core::Files& files, const std::vector<Snapshot>& snapshots) {
    for (const Snapshot& s : snapshots) {
        if (s.bytes)
            files.replaceFile(s.path, *s.bytes);
        else if (files.exists(s.path))
            files.remove(s.path);
    }
}

}  // namespace

bool PageSelector::scrollTo(int first) {
    const int clamped = std::max(1, std::min(first, lastFirst()));
    if (clamped == first_) return false;
    first_ = clamped;
    return true;
}

TableEditorForm::TableEditorForm(core::Session& session, TableParts parts) : core::Form(session), parts_(parts) {}

void TableEditorForm::load() {
    auto& s = session();
    path_ = tablesPath(s.installation(), s.company().code);
    std::optional<std::string> bytes = s.files().readBytes(path_);
    tables_ = parseTables(bytes.value_or(std::string()));
    opened_ = Opened{std::move(bytes), tables_};
    reopen();
}

// Values read from the file always fit its 8-bit encoding; a typed one may not, and would be
// written with '?' in place of its characters.
bool TableEditorForm::reportUnstorable(const std::vector<std::string>& texts) {
    const auto text = std::find_if(texts.begin(), texts.end(), [](const std::string& t) { return !core::fitsCp1252(t); });
    if (text != texts.end()) tellUnstorable(*text);
    return text != texts.end();
}

void TableEditorForm::tellUnstorable(const std::string& text) {
    session().platform().message("Il testo \"" + text + "\"" + unstorableText, "Attenzione", core::Icon::Critical);
}

void TableEditorForm::confirm() {
    if (!readyToSave()) return;
    // The settings go into a copy, so a failed save leaves the window exactly as the user sees it.
    TablesFile encoded = tables_;
    encodeForSave(encoded);
    auto& s = session();
    core::Files& files = s.files();
    std::vector<Snapshot> before;
    int error = takeSnapshot(files, path_, before);
    if (const std::string companion = companionPath(); error == 0 && !companion.empty())
        error = takeSnapshot(files, companion, before);
    if (error == 0) {
        // Read again only when another window or module wrote the file while this one was open.
        const std::optional<std::string>& now = before.front().bytes;
        const TablesFile onDisk =
            opened_ && now == opened_->bytes ? opened_->tables : parseTables(now.value_or(std::string()));
        std::optional<std::string> unstorable;
        const std::string bytes = tablesBytes(onDisk, encoded, parts_, &unstorable);
        if (unstorable) {
            tellUnstorable(*unstorable);
            return;
        }
        error = files.replaceFile(path_, bytes);
        if (error == 0) error = saveCompanionFile();
        if (error != 0) restore(files, before);
    }
    if (error != 0) {
        s.platform().message(saveFailedText + std::to_string(error), "Attenzione", core::Icon::Critical);
        return;
    }
    tables_ = std::move(encoded);
    close();
}

void TableEditorForm::exitWindow() {
    close();
}

}  // namespace kalvora::tables
