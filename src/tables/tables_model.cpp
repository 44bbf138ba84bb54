#include "tables/tables_model.h"

#include <array>

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

// Calls `visit(cell, group)` for every stored cell in file order; stops early when it
// returns false.
template <typename Tables, typename Visit>
void forEachCell(Tables& tables, Visit visit) {
    for (const Group& g : groups) {
        auto& table = tables.*(g.table);
        for (int entry = g.firstEntry; entry <= g.lastEntry; ++entry)
            for (int column = g.firstColumn; column <= g.lastColumn; ++column)
                if (!visit(table.at(entry, column), g)) return;
    }
}

// A line break inside a value would shift every following line of the file.
std::string oneLine(std::string value) {
    for (char& c : value)
        if (c == '\r' || c == '\n') c = ' ';
    return value;
}

// A posting account is read back as a delimited item, so it is written as one: as it is
// when item input gives it back unchanged, else in double quotes. A comma written bare would
// split it into two values and shift every following line of the file. Double quotes cannot
// be carried inside quotes and are dropped then.
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

}  // namespace

std::string tablesPath(const core::Installation& inst, int companyCode) {
    return inst.companyFile(companyCode, "kalvora.tab");
}

TablesFile loadTables(const core::Files& files, std::string_view path) {
    TablesFile tables;
    auto reader = files.openText(path);
    if (!reader) return tables;
    forEachCell(tables, [&](std::string& cell, const Group& g) {
        auto value = g.itemInput ? reader->readItem() : reader->readLine();
        if (!value) return false;
        cell = std::move(*value);
        return true;
    });
    return tables;
}

std::vector<std::string> tablesLines(const TablesFile& tables) {
    std::vector<std::string> lines;
    lines.reserve(TablesFile::lineCount);
    forEachCell(tables, [&](const std::string& cell, const Group& g) {
        lines.push_back(g.itemInput ? itemLine(oneLine(cell)) : oneLine(cell));
        return true;
    });
    return lines;
}

int saveTables(core::Files& files, std::string_view path, const TablesFile& tables) {
    return files.writeLines(path, tablesLines(tables));
}

}  // namespace kalvora::tables
