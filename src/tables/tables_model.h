#pragma once
// The tables file kalvora.tab in memory: nine two-dimensional string tables T1..T9, indexed
// (entry, column), read and written in the order of its 18 groups (930 lines).
#include "core/files.h"
#include "core/paths.h"

#include <optional>
#include <span>
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
    // Every column of an entry.
    std::span<std::string> entry(int entry) { return std::span(&at(entry, 0), columns_); }
    std::span<const std::string> entry(int entry) const { return std::span(&at(entry, 0), columns_); }
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

// Cells a window writes: entries firstEntry..lastEntry, columns firstColumn..lastColumn of one
// table. Every other line of the file belongs to some other window or module.
struct TablePart {
    Table TablesFile::*table;
    int firstEntry;
    int lastEntry;
    int firstColumn;
    int lastColumn;
};
using TableParts = std::span<const TablePart>;

// The path of a company's tables file.
std::string tablesPath(const core::Installation& inst, int companyCode);

// Reads groups 1..18 in order; a missing or short file leaves the remaining values empty.
TablesFile loadTables(const core::Files& files, std::string_view path);
// The same from the file's bytes.
TablesFile parseTables(std::string_view bytes);

// The file's bytes, 930 lines ending in CR LF: the cells of `parts` from `mine`, every other
// cell as `onDisk` holds it. A window's cells are written plain, one line each (line breaks
// become blanks); the others so that they read back as they were read. A character of the
// window's cells the file cannot store is written as '?', and the first such cell's text goes
// into `unstorable` when it is given.
std::string tablesBytes(const TablesFile& onDisk, const TablesFile& mine, TableParts parts,
                        std::optional<std::string>* unstorable = nullptr);

}  // namespace kalvora::tables
