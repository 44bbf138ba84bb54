#pragma once
// The initial files of a new company.
#include "core/session.h"

#include <string>
#include <vector>

namespace kalvora::company {

enum class ExistingFiles { Replace, Keep };

// Creates the company folder and writes, in order: kalvora.a14, kalvora.tot, kalYYYY.cor,
// kalYYYY.crr (YYYY the current calendar year), kalvora.mas, kalvora.aut, kalvora.tab and
// kalvora.int (lines 1..16 from `header`, line 17 the trimmed year). Each file is written
// atomically; a failed step does not stop the others. With ExistingFiles::Keep a file that
// is already there is left alone. Returns 0 or the first error number.
int createCompanyFiles(core::Session& session, int code, const std::vector<std::string>& header,
                       const std::string& year, ExistingFiles existing = ExistingFiles::Replace);

}  // namespace kalvora::company
