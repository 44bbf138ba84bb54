#pragma once
// What every table window shares: the whole tables file of the current company in memory, a
// grid of visible rows over one of its tables with a page selector, the loading flag that keeps
// the grid's own refills from writing back, and the button bar (bottone 1 confirms and saves,
// bottone 0 leaves without saving).
//
// A window writes only its own cells: at confirm the file is read again and every line the
// window does not own is kept as it is on disk then, so two table windows open at once on the
// same company do not undo each other's work. A window that also writes a companion file
// (kalvora.ilm, kalvora.tb2) saves both or neither.
#include "core/form.h"
#include "core/session.h"
#include "tables/tables_model.h"

#include <optional>
#include <string>
#include <vector>

namespace kalvora::tables {

// The page selector of a grid (selpag, VScroll1 ...): the table entry shown in the first of
// `visibleRows` rows, from 1 to entries - visibleRows + 1. Row r shows entry first + r.
class PageSelector {
public:
    constexpr PageSelector(int entries, int visibleRows)
        : entries_(entries), visibleRows_(visibleRows) {}

    int first() const { return first_; }
    int visibleRows() const { return visibleRows_; }
    int lastFirst() const { return entries_ - visibleRows_ + 1; }
    // Clamps into 1..lastFirst; returns whether the first entry changed.
    bool scrollTo(int first);
    bool contains(int row) const { return row >= 0 && row < visibleRows_; }
    // The entry shown in `row`, or 0 for a row outside the grid.
    int entryOf(int row) const { return contains(row) ? first_ + row : 0; }

private:
    int entries_;
    int visibleRows_;
    int first_ = 1;
};

class TableEditorForm : public core::Form {
public:
    static constexpr const char* saveFailedText = "Non è stato possibile salvare la tabella: errore ";
    static constexpr const char* unstorableText = " contiene caratteri che non possono essere memorizzati.";

    // `parts`: the cells of the tables file the window edits (static data of the window).
    TableEditorForm(core::Session& session, TableParts parts);

    // Raises the loading flag for its lifetime: refills of the grid write nothing back.
    class LoadingGuard {
    public:
        explicit LoadingGuard(TableEditorForm& form) : form_(form), was_(form.loading_) { form.loading_ = true; }
        ~LoadingGuard() { form_.loading_ = was_; }
        LoadingGuard(const LoadingGuard&) = delete;
        LoadingGuard& operator=(const LoadingGuard&) = delete;

    private:
        TableEditorForm& form_;
        bool was_;
    };
    bool loading() const { return loading_; }

    const TablesFile& tables() const { return tables_; }
    const std::string& path() const { return path_; }

    // bottone 1: encodes the window-wide settings, writes the window's cells into the file as it
    // is on disk now, then the companion file, and closes. A failed save is reported, leaves
    // both files as they were, and keeps the window open with everything the user typed.
    void confirm();
    // bottone 0, the close box: closes without saving.
    void exitWindow();

protected:
    // Reads the tables file of the current company; a missing or short file opens as empty.
    void load();
    TablesFile& tables() { return tables_; }

    // Checks made before anything is written; false (after telling the user) keeps the window
    // open and writes nothing.
    virtual bool readyToSave() { return true; }
    // Packs what the window keeps outside the tables into the copy that is about to be saved.
    virtual void encodeForSave(TablesFile&) const {}
    // The file the window writes beside the tables file, after it (empty when none), and its
    // save: 0 or an error number.
    virtual std::string companionPath() const { return {}; }
    virtual int saveCompanionFile() { return 0; }

    // Tells the user about the first text the file's encoding cannot hold; true when there is one.
    bool reportUnstorable(const std::vector<std::string>& texts);

private:
    void tellUnstorable(const std::string& text);

    TableParts parts_;
    TablesFile tables_;
    // The file as it was when the window opened (none when missing) and what was read from it;
    // dropped once the window has saved.
    struct Opened {
        std::optional<std::string> bytes;
        TablesFile tables;
    };
    std::optional<Opened> opened_;
    std::string path_;
    bool loading_ = false;
};

}  // namespace kalvora::tables
