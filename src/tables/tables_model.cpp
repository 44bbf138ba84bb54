#include "tables/tables_model.h"

#include "core/cp1252.h"
#include "core/text.h"
#include "core/utf8.h"

#include <algorithm>
#include <array>
#include <optional>

namespace kalvora::tables {

namespace {

// One run of consecutive lines of the file: entries first..last of a table, and inside each
// entry the columns firstColumn..lastColumn.
struct Group {
    Table TablesFile::*table;
    int firstEntry;
    int lastEntry;
    int firstColumn;
    int lastColumn;
    bool itemInput;  // read as delimited items instead of whole lines

    constexpr int lines() const { return (lastEntry - firstEntry + 1) * (lastColumn - firstColumn + 1); }
};

// The first halves of every table, then the second halves the file gained later. T7's two
// columns are written as separate runs.
constexpr std::array<Group, 18> groups = {{
    {&TablesFile::t1, 1, 8, 0, 3, false},
    {&TablesFile::t2, 1, 8, 0, 2, false},
    {&TablesFile::t3, 0, 8, 0, 1, false},
    {&TablesFile::t4, 0, 8, 0, 1, false},
    {&TablesFile::t5, 1, 30, 0, 1, false},
    {&TablesFile::t6, 1, 9, 0, 1, true},
    {&TablesFile::t7, 1, 40, 0, 0, false},
    {&TablesFile::t7, 1, 40, 1, 1, false},
    {&TablesFile::t8, 1, 30, 0, 4, false},
    {&TablesFile::t9, 1, 40, 0, 5, false},
    {&TablesFile::t1, 9, 16, 0, 3, false},
    {&TablesFile::t2, 9, 16, 0, 2, false},
    {&TablesFile::t3, 9, 16, 0, 1, false},
    {&TablesFile::t4, 9, 16, 0, 1, false},
    {&TablesFile::t5, 31, 60, 0, 1, false},
    {&TablesFile::t6, 10, 20, 0, 1, true},
    {&TablesFile::t7, 41, 100, 0, 0, false},
    {&TablesFile::t7, 41, 100, 1, 1, false},
}};

constexpr int totalLines() {
    int n = 0;
    for (const Group& g : groups) n += g.lines();
    return n;
}
static_assert(totalLines() == TablesFile::lineCount);

// Calls `visit(cell, group, entry, column)` for every stored cell in file order; stops early when it
// returns false.
template <typename Tables, typename Visit>
void forEachCell(Tables& tables, Visit visit) {
    for (const Group& g : groups) {
        auto& table = tables.*(g.table);
        for (int entry = g.firstEntry; entry <= g.lastEntry; ++entry) {
            const auto cells = table.entry(entry).subspan(g.firstColumn, g.lastColumn - g.firstColumn + 1);
            for (int column = g.firstColumn; auto& cell : cells)
                if (!visit(cell, g, entry, column++)) return;
        }
    }
}

// A posting account that another window wrote is read back as a delimited item, so it is
// passed on in a form item input gives back unchanged: bare when it can be, else in double
// quotes, as older versions of the program stored such values. Double quotes cannot be carried
// inside quotes and are dropped then.
std::string itemLine(const std::string& value) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    const bool bare = value.find(',') == std::string::npos &&
                      (value.empty() || (!blank(value.front()) && value.front() != '"' && !blank(value.back())));
    if (bare) return value;
    std::string quoted = "\"";
    for (char c : value)
        if (c != '"') quoted += c;
    return quoted + "\"";
}

bool owns(TableParts parts, Table TablesFile::*table, int entry, int column) {
    return std::any_of(parts.begin(), parts.end(), [&](const TablePart& p) {
        return p.table == table && entry >= p.firstEntry && entry <= p.lastEntry && column >= p.firstColumn &&
               column <= p.lastColumn;
    });
}

}  // namespace

std::string tablesPath(const core::Installation& inst, int companyCode) {
    return inst.companyFile(companyCode, "kalvora.tab");
}

TablesFile loadTables(const core::Files& files, std::string_view path) {
    const std::optional<std::string> bytes = files.readBytes(path);
    if (!bytes) return TablesFile{};
    return parseTables(*bytes);
}

TablesFile parseTables(std::string_view bytes) {
    // Lines and items are split on the file's bytes, and each value is decoded on its own: the
    // delimiters are plain ASCII, so this reads as decoding the whole file first would, and
    // nothing past the 930 lines of a damaged file of megabytes is ever decoded.
    TablesFile tables;
    core::TextReader reader{std::string(bytes)};
    forEachCell(tables, [&](std::string& cell, const Group& g, int, int) {
        if (!g.itemInput) {
            if (!reader.readLineInto(cell)) return false;
        } else if (std::optional<std::string> value = reader.readItem()) {
            cell = std::move(*value);
        } else {
            return false;
        }
        if (core::utf8::asciiEnd(cell.data(), cell.data() + cell.size()) != cell.data() + cell.size())
            cell = core::decodeCp1252(cell);
        return true;
    });
    return tables;
}

std::string tablesBytes(const TablesFile& onDisk, const TablesFile& mine, TableParts parts,
                        std::optional<std::string>* unstorable) {
    std::string out;
    out.reserve(TablesFile::lineCount * 4);
    const Group* seen = nullptr;
    bool touched = false;  // whether `parts` hold any cell of the group's table
    forEachCell(onDisk, [&](const std::string& read, const Group& g, int entry, int column) {
        if (&g != seen) {
            seen = &g;
            touched = std::any_of(parts.begin(), parts.end(), [&](const TablePart& p) { return p.table == g.table; });
        }
        if (touched && owns(parts, g.table, entry, column)) {
            const std::string line = core::singleLine((mine.*(g.table)).at(entry, column));
            if (!core::appendCp1252(out, line) && unstorable && !*unstorable) *unstorable = line;
        } else {
            // A value read always has its byte, and a whole line read never holds a line break.
            core::appendCp1252(out, g.itemInput ? itemLine(read) : read);
        }
        out.append("\r\n", 2);
        return true;
    });
    return out;
}

}  // namespace kalvora::tables
