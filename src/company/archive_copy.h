#pragma once
// What the backup window zelabak and the restore window zelarip share: the list of company
// files, each marked to copy ("SI") or not ("NO"), the folder on the other side chosen with the
// drive and folder chooser, and the copy, row by row, that counts a file only once it is
// complete on the other side.
//
// Colours are the grid's integer colour values, red + 256 * green + 65536 * blue.
#include "company/backup_files.h"
#include "core/folder_chooser.h"
#include "core/form.h"
#include "core/session.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kalvora::company {

struct ArchiveRow {
    std::string name;  // as on disk; empty on a filler row
    std::string description;
    bool selected = false;
    std::int32_t colour = -1;
};

// How far a copy has gone: files of those selected, and bytes of their total size.
struct CopyProgress {
    int filesDone = 0;
    int filesTotal = 0;
    std::uint64_t bytesDone = 0;
    std::uint64_t bytesTotal = 0;
};

class ArchiveCopyForm : public core::Form {
public:
    static constexpr int minimumRows = 25;
    // Rows the grid shows at once: while copying, a row below these scrolls into view.
    static constexpr int visibleRows = 17;
    static constexpr std::int32_t gridColour = -1;
    static constexpr std::int32_t copyingColour = 0x80FF;   // orange
    static constexpr std::int32_t copiedColour = 0xC0FFC0;  // light green
    static constexpr std::int32_t failedColour = 0xC0C0FF;  // light red

    // Column headers: "Archivio", "Tipologia" and the window's choice column.
    std::array<std::string, 3> columnHeaders() const { return {"Archivio", "Tipologia", texts_.choiceColumn}; }
    // The two scope choices, operating archives first.
    std::array<std::string, 2> scopeTexts() const { return {texts_.operatingScope, texts_.allScope}; }
    std::string chooserLabel() const { return texts_.chooserLabel; }

    // The data rows: the files listed, then empty rows up to minimumRows.
    const std::vector<ArchiveRow>& rows() const { return rows_; }
    int filledRows() const { return filled_; }
    // What row `row` shows in each column: the name in capitals, the description, "SI"/"NO".
    std::string cell(int row, int column) const;

    FileScope scope() const { return scope_; }
    void chooseScope(FileScope scope);
    // "Cartella selezionata": the folder the files are copied to (backup) or from (restore).
    const std::string& folder() const { return folder_; }
    core::FolderChooser& chooser() { return chooser_; }
    // The browse button shows the drive and folder lists; button 2 takes the folder chosen
    // there and hides them.
    bool browsing() const { return browsing_; }
    void browse();
    void takeChosenFolder();

    void toggle(int row);          // a click on a row
    void setAll(bool selected);    // buttons 3 ("SI" for all) and 4 ("NO" for all)
    void start();                  // button 1
    void closeWindow();            // button 0

    bool copying() const { return copying_; }
    const CopyProgress& progress() const { return progress_; }
    // The first row the grid shows, so that the row being copied stays in view.
    int topRow() const { return topRow_; }
    // Called whenever a copy has moved on (a row begun or ended, a block of a big file), just
    // before pending events run: the window shows the rows and the progress again.
    void onProgress(std::function<void()> listener) { progressListener_ = std::move(listener); }

protected:
    struct Texts {
        std::string title;
        std::string choiceColumn;
        std::string operatingScope;
        std::string allScope;
        std::string chooserLabel;
        std::string folderFailed;  // the folder on the other side cannot be used
        std::string done;
        std::string noneSelected;
        std::string failed;
    };
    ArchiveCopyForm(core::Session& session, Texts texts);

    const Texts& texts() const { return texts_; }
    // The company folder, and the folder proposed on the other side: its kalaz0.bak.
    std::string companyFolder() const;
    void setFolder(std::string folder);
    // Lists the files of `from` as rows; `proposed` says which start as "SI".
    void buildRows(const std::string& from, bool (*proposed)(const std::string& description));
    // A text in the first column of the first row when no file is listed.
    void setFirstRowText(std::string text) { rows_.front().description = std::move(text); }
    // Copies every selected row from `from` to `to`; false when a file failed.
    bool copyRows(const std::string& from, const std::string& to);

    virtual void rebuild() = 0;
    // Checks made after "Sei proprio sicuro?": false stops the copy (the window told why).
    virtual bool readyToCopy() = 0;
    virtual bool copySelected() = 0;  // false when a file failed
    virtual void afterCopy(bool /*allCopied*/) {}
    virtual void beforeClose() {}

private:
    Texts texts_;
    core::FolderChooser chooser_;
    FileScope scope_ = FileScope::Operating;
    std::string folder_;
    bool browsing_ = false;
    std::vector<ArchiveRow> rows_;
    int filled_ = 0;
    bool copying_ = false;
    CopyProgress progress_;
    int topRow_ = 0;
    std::function<void()> progressListener_;
};

// Whether a folder can take files: the probe file kalvora.x$$ is removed, written with the
// line "zel" and removed again.
bool folderTakesFiles(core::Files& files, const std::string& folder);

}  // namespace kalvora::company
