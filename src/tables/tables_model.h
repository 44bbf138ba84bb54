#pragma once
// The tables file kalvora.tab in memory: nine two-dimensional string tables T1..T9, indexed
// (entry, column), read and written in the order of its 18 groups (930 lines).
#include "core/files.h"
#include "core/paths.h"

#include <string>
#include <string_view>
#include <vector>

namespace kalvora::tables {

// A string table of entries 0..entries-1 and columns 0..columns-1.
class Table {
public:
    Table(int entries, int columns) : entries_(entries), columns_(columns), cells_(entries * columns) {}
    int entries() const { return entries_; }
    int columns() const { return columns_; }
    std::string& at(int entry, int column) { return cells_.at(index(entry, column)); }
    const std::string& at(int entry, int column) const { return cells_.at(index(entry, column)); }
    friend bool operator==(const Table&, const Table&) = default;

private:
    std::size_t index(int entry, int column) const {
        if (entry < 0 || entry >= entries_ || column < 0 || column >= columns_) return cells_.size();  // at() throws
        return static_cast<std::size_t>(entry * columns_ + column);
    }
    int entries_;
    int columns_;
    std::vector<std::string> cells_;
};

struct TablesFile {
    static constexpr int lineCount = 930;

    Table t1{17, 5};   // sales VAT rates; column 4 is kept in kalvora.ilm, not in this file
    Table t2{17, 3};   // purchase VAT rates
    Table t3{17, 3};   // sales exemption article, register description; column 2 in memory only
    Table t4{17, 3};   // purchase exemption article, register description; column 2 in memory only
    Table t5{61, 2};   // payment terms
    Table t6{21, 2};   // automatic-posting accounts
    Table t7{101, 2};  // invoice types
    Table t8{31, 5};   // banks
    Table t9{41, 6};   // causals, goods appearance, carriers
    friend bool operator==(const TablesFile&, const TablesFile&) = default;
};

// The path of a company's tables file.
std::string tablesPath(const core::Installation& inst, int companyCode);

// Reads groups 1..18 in order; a missing or short file leaves the remaining values empty.
TablesFile loadTables(const core::Files& files, std::string_view path);
// The 930 lines in the order of the groups (a value's line breaks become blanks).
std::vector<std::string> tablesLines(const TablesFile& tables);
// Rewrites the whole file atomically.
int saveTables(core::Files& files, std::string_view path, const TablesFile& tables);

}  // namespace kalvora::tables
