#include "tables/tables_model.h"

#include "core/cp1252.h"
#include "core/text.h"

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
        for (int entry = g.firstEntry; entry <= g.lastEntry; ++entry)
            for (int column = g.firstColumn; column <= g.lastColumn; ++column)
                if (!visit(table.at(entry, column), g, entry, column)) return;
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

// The start of the file that holds its first `lines` lines: no value is read past it (an item
// never runs over a line end), and a damaged file of megabytes is not decoded whole.
std::string_view firstLines(std::string_view bytes, int lines) {
    std::size_t pos = 0;
    for (int n = 0; n < lines && pos < bytes.size(); ++n) {
        const std::size_t end = core::lineEnd(bytes, pos);
        if (end == bytes.size()) return bytes;
        pos = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return bytes.substr(0, pos);
}

TablesFile readTables(std::optional<core::TextReader> reader) {
    TablesFile tables;
    if (!reader) return tables;
    forEachCell(tables, [&](std::string& cell, const Group& g, int, int) {
        if (!g.itemInput) return reader->readLineInto(cell);
        auto value = reader->readItem();
        if (!value) return false;
        cell = std::move(*value);
        return true;
    });
    return tables;
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
    return readTables(core::TextReader(core::decodeCp1252(firstLines(bytes, TablesFile::lineCount))));
}

std::vector<std::string> tablesLines(const TablesFile& onDisk, const TablesFile& mine, TableParts parts) {
    std::vector<std::string> lines;
    lines.reserve(TablesFile::lineCount);
    forEachCell(onDisk, [&](const std::string& read, const Group& g, int entry, int column) {
        if (owns(parts, g.table, entry, column))
            lines.push_back(core::singleLine((mine.*(g.table)).at(entry, column)));
        else
            lines.push_back(g.itemInput ? itemLine(read) : read);  // a whole line read never holds a line break
        return true;
    });
    return lines;
}

}  // namespace kalvora::tables
