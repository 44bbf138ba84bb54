#pragma once
// kalvora.int, the company header: 17 lines (name, offices, phone, fax, e-mail, tax code, VAT
// number, CCIAA, court, four note lines, accounting year).
#include "core/files.h"

#include <string>
#include <string_view>
#include <vector>

namespace kalvora::tables {

constexpr int companyHeaderLines = 17;

// Always 17 values; lines missing from the file (or a missing file) are empty.
std::vector<std::string> readCompanyHeader(const core::Files& files, std::string_view path);
// Lines 1..16 from `fields` (missing ones empty), line 17 the trimmed year.
int writeCompanyHeader(core::Files& files, std::string_view path, const std::vector<std::string>& fields,
                       std::string_view year);

}  // namespace kalvora::tables
