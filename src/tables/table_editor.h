#pragma once
// What every table window shares: the whole tables file of the current company in memory, a
// grid of visible rows over one of its tables with a page selector, the loading flag that keeps
// the grid's own refills from writing back, and the button bar (bottone 1 confirms and saves,
// bottone 0 leaves without saving).
#include "core/form.h"
#include "core/session.h"
#include "tables/tables_model.h"

#include <string>

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

// A one-line value: line breaks (a pasted text) become blanks.
std::string singleLine(std::string text);

class TableEditorForm : public core::Form {
public:
    static constexpr const char* saveFailedText = "Non è stato possibile salvare la tabella: errore ";
    static constexpr const char* unstorableText = " contiene caratteri che non possono essere memorizzati.";

    explicit TableEditorForm(core::Session& session);

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

    // bottone 1: encodes the window-wide settings, saves the whole file and closes. A failed
    // save is reported and the window stays open with everything the user typed.
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
    // Files the window writes beside the tables file, after it; 0 or an error number.
    virtual int saveCompanionFiles() { return 0; }

private:
    bool reportUnstorable(const TablesFile& tables);

    TablesFile tables_;
    std::string path_;
    bool loading_ = false;
};

}  // namespace kalvora::tables
