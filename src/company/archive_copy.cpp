#include "company/archive_copy.h"

#include "company/list_colours.h"
#include "core/paths.h"
#include "core/text.h"

#include <algorithm>

namespace kalvora::company {

ArchiveCopyForm::ArchiveCopyForm(core::Session& session, Texts texts)
    : core::Form(session), texts_(std::move(texts)), chooser_(session) {}

std::string ArchiveCopyForm::companyFolder() const {
    return session().installation().companyFolder(session().company().code);
}

void ArchiveCopyForm::setFolder(std::string folder) {
    folder_ = std::move(folder);
    chooser_.setFolder(folder_);
}

std::string ArchiveCopyForm::cell(int row, int column) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return {};
    const ArchiveRow& r = rows_[row];
    if (r.name.empty()) return column == 0 ? r.description : std::string();  // a filler row, or "Nessun files trovato"
    switch (column) {
    case 0: return core::upper(r.name);
    case 1: return r.description;
    default: return r.selected ? "SI" : "NO";
    }
}

void ArchiveCopyForm::chooseScope(FileScope scope) {
    if (copying_) return;
    scope_ = scope;
    rebuild();
}

void ArchiveCopyForm::browse() { browsing_ = true; }

void ArchiveCopyForm::takeChosenFolder() {
    if (copying_) return;
    folder_ = chooser_.folder();
    browsing_ = false;
    rebuild();
}

void ArchiveCopyForm::toggle(int row) {
    if (copying_ || row < 0 || row >= filled_ || rows_[row].name.empty()) return;
    rows_[row].selected = !rows_[row].selected;
}

void ArchiveCopyForm::setAll(bool selected) {
    if (copying_) return;
    for (int r = 0; r < filled_; ++r) rows_[r].selected = selected && !rows_[r].name.empty();
}

void ArchiveCopyForm::buildRows(const std::string& from, bool (*proposed)(const std::string& description)) {
    std::vector<std::string> names;
    listCompanyFiles(session().files(), from, scope_, names);  // a folder that cannot be listed lists nothing
    rows_.clear();
    for (std::string& name : names) {
        std::string description = describeFile(name);
        const bool selected = proposed(description);
        rows_.push_back({std::move(name), std::move(description), selected, gridColour});
    }
    filled_ = static_cast<int>(rows_.size());
    if (rows_.size() < static_cast<std::size_t>(minimumRows)) rows_.resize(minimumRows);
    const core::GeneralSettings& general = session().company().general;
    for (std::size_t r = 0; r < rows_.size(); ++r)
        rows_[r].colour = alternateColoursOn(general) ? alternateRowColour(general, r) : gridColour;
    topRow_ = 0;
    progress_ = {};
}

void ArchiveCopyForm::start() {
    if (copying_) return;
    auto& platform = session().platform();
    if (!readyToCopy()) return;
    const bool any = std::any_of(rows_.begin(), rows_.begin() + filled_, [](const ArchiveRow& r) { return r.selected; });
    bool allCopied = true;
    if (any) {
        copying_ = true;
        platform.setBusy(true);
        allCopied = copySelected();
        platform.setBusy(false);
        copying_ = false;
    }
    if (!any)
        platform.message(texts_.noneSelected, texts_.title, core::Icon::Critical);
    else if (allCopied)
        platform.message(texts_.done, texts_.title, core::Icon::Exclamation);
    else
        platform.message(texts_.failed, texts_.title, core::Icon::Critical);
    afterCopy(allCopied);
}

bool ArchiveCopyForm::copyRows(const std::string& from, const std::string& to) {
    core::Files& files = session().files();
    auto& platform = session().platform();
    const auto movedOn = [&] {
        if (progressListener_) progressListener_();
        platform.processEvents();
    };
    progress_ = {};
    for (int r = 0; r < filled_; ++r) {
        if (!rows_[r].selected) continue;
        ++progress_.filesTotal;
        const core::FileStat st = files.stat(core::joinPath(from, rows_[r].name));
        progress_.bytesTotal += st.size;
    }
    bool allCopied = true;
    for (int r = 0; r < filled_; ++r) {
        ArchiveRow& row = rows_[r];
        if (!row.selected) continue;
        row.colour = copyingColour;
        topRow_ = std::max(0, r - (visibleRows - 1));
        movedOn();
        const std::uint64_t before = progress_.bytesDone;
        // The copy takes the file's name only once it is whole and read back the same, so a
        // failure leaves the file on the other side as it was.
        const int error = files.copyFile(core::joinPath(from, row.name), core::joinPath(to, row.name),
                                         [&](std::uint64_t done, std::uint64_t) {
                                             progress_.bytesDone = before + done;
                                             movedOn();
                                         });
        row.colour = error == 0 ? copiedColour : failedColour;
        allCopied = allCopied && error == 0;
        ++progress_.filesDone;
        movedOn();
    }
    return allCopied;
}

void ArchiveCopyForm::closeWindow() {
    if (copying_) return;
    beforeClose();
    close();
}

bool folderTakesFiles(core::Files& files, const std::string& folder) {
    const std::string probe = core::joinPath(folder, "kalvora.x$$");
    files.remove(probe);
    const bool written = files.writeLines(probe, {"zel"}) == 0;
    const bool removed = files.remove(probe) == 0;
    return written && removed;
}

}  // namespace kalvora::company
