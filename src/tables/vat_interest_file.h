#pragma once
// kalvora.ilm, beside the tables file: line 1 the interest rate on the VAT settlement of
// quarterly taxpayers, lines 2..17 the agricultural compensation % of sales VAT codes 1..16.
// In memory it is column 4 of T1, entries 0..16.
#include "core/files.h"
#include "core/paths.h"
#include "tables/tables_model.h"

#include <string>
#include <string_view>

namespace kalvora::tables {

constexpr int vatInterestLines = 17;
constexpr int vatInterestColumn = 4;

std::string vatInterestPath(const core::Installation& inst, int companyCode);

// Whole lines into T1(0..16, 4); what the file lacks (all of it when missing) reads as empty,
// lines after the 17th are ignored.
void loadVatInterest(const core::Files& files, std::string_view path, Table& t1);
// T1(0..16, 4) as 17 lines (a value's line breaks become blanks), rewritten atomically.
int saveVatInterest(core::Files& files, std::string_view path, const Table& t1);

}  // namespace kalvora::tables
