#pragma once
// The causals window zelstcau: three lists side by side, each 18 rows with its own scroll bar:
// the 40 warehouse movement causals (T9 column 0), the 40 descriptions of the goods' outward
// appearance (T9 column 1) and the product categories, lines of kalvora.tb2 (500 kept, the
// first 200 reachable).
#include "tables/table_editor.h"

#include <array>
#include <string>
#include <vector>

namespace kalvora::tables {

enum class CausalList {
    Causals,     // sc4, VScroll1
    Appearance,  // text, VScroll2
    Categories,  // text1, VScroll3
};
constexpr int causalListCount = 3;

// The path of a company's product categories.
std::string categoriesPath(const core::Installation& inst, int companyCode);
// Exactly `count` lines of the file: the first ones, with empty lines for what is missing.
std::vector<std::string> loadCategories(const core::Files& files, std::string_view path);

class CausalsForm : public TableEditorForm {
public:
    static constexpr int visibleRows = 18;
    static constexpr int entryCount = 40;
    static constexpr int categoryCount = 500;
    // The scroll bar of the categories stops at 183, so only categories 1..200 are shown.
    static constexpr int reachableCategories = 200;

    static constexpr std::array<const char*, causalListCount> frameTexts = {
        "Causali movimentazioni di magazzino", "Aspetto esteriore dei beni", "Cat.Merceologiche"};

    explicit CausalsForm(core::Session& session);
    using TableEditorForm::tables;

    std::string name() const override { return "zelstcau"; }
    std::string title() const override { return "Tabella causali di magazzino"; }

    // Loads the tables file and kalvora.tb2 and shows the first page of each list.
    void open();

    int firstEntry(CausalList list) const { return pages(list).first(); }
    int lastFirstEntry(CausalList list) const { return pages(list).lastFirst(); }
    void scrollTo(CausalList list, int firstEntry);
    int entryOf(CausalList list, int r) const { return pages(list).entryOf(r); }
    const std::string& text(CausalList list, int r) const { return rows_.at(index(list)).at(r); }
    const std::vector<std::string>& categories() const { return categories_; }

    // A change of a box: written at once into the entry row r of the list shows.
    void edit(CausalList list, int r, std::string text);

    CausalList focusedList() const { return focusList_; }
    int focusedRow() const { return focusRow_; }
    void setFocus(CausalList list, int r);
    // Enter goes down the list; from row 17 the list scrolls one entry while it can.
    void enterPressed(CausalList list, int r);

protected:
    // Refuses categories the file cannot hold before anything is written.
    bool readyToSave() override;
    std::string companionPath() const override { return categoriesPath_; }
    int saveCompanionFile() override;

private:
    static int index(CausalList list) { return static_cast<int>(list); }
    const PageSelector& pages(CausalList list) const { return pages_.at(index(list)); }
    std::string& cell(CausalList list, int entry);
    void showPage(CausalList list);

    std::array<PageSelector, causalListCount> pages_{PageSelector{entryCount, visibleRows},
                                                     PageSelector{entryCount, visibleRows},
                                                     PageSelector{reachableCategories, visibleRows}};
    std::array<std::array<std::string, visibleRows>, causalListCount> rows_{};
    std::vector<std::string> categories_;
    std::string categoriesPath_;
    CausalList focusList_ = CausalList::Causals;
    int focusRow_ = 0;
};

}  // namespace kalvora::tables
