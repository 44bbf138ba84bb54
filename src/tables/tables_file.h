#pragma once
// kalvora.tab, the tables file of a company.
#include "core/files.h"

#include <string>
#include <string_view>
#include <vector>

namespace kalvora::tables {

// A new company's file: groups 1..5 empty, the 18 posting-account defaults, groups 7..10
// empty, then 5,000 empty lines standing for groups 11..18.
std::vector<std::string> defaultTablesLines();
int writeDefaultTables(core::Files& files, std::string_view path);

}  // namespace kalvora::tables
