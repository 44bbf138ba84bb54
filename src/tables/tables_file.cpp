#include "tables/tables_file.h"

#include <array>
#include <string_view>

namespace kalvora::tables {

namespace {

// Lines of groups 1..5 and of groups 7..10 (T7 twice, T8, T9), and the empty tail that stands
// for groups 11..18 in a new company's file.
constexpr std::size_t firstGroupsLines = 32 + 24 + 18 + 18 + 60;
constexpr std::size_t laterGroupsLines = 40 + 40 + 150 + 240;
constexpr std::size_t emptyTailLines = 5000;

// T6 entries 1..9, two columns each.
constexpr std::array<std::string_view, 18> defaultPostingAccounts = {
    "0202",     "2802",     "51010001", "52010001", "28030001", "02030001",
    "51010002", "52010002", "04010001", "",         "51020002", "",
    "51020002", "",         "",         "",         "02060001", "02060001",
};

}  // namespace

std::vector<std::string> defaultTablesLines() {
    std::vector<std::string> lines(firstGroupsLines);
    lines.reserve(firstGroupsLines + defaultPostingAccounts.size() + laterGroupsLines + emptyTailLines);
    for (std::string_view account : defaultPostingAccounts)
        lines.emplace_back(account);
    lines.resize(lines.size() + laterGroupsLines + emptyTailLines);
    return lines;
}

int writeDefaultTables(core::Files& files, std::string_view path) {
    return files.writeLines(path, defaultTablesLines());
}

}  // namespace kalvora::tables
