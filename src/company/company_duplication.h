#pragma once
// "Duplica azienda": on-line copies of company 000 (the working company) in the codes 991..999,
// for instance one per closed accounting year.
#include "core/session.h"

#include <string>
#include <string_view>
#include <vector>

namespace kalvora::company {

constexpr int firstDuplicateCode = 991;
constexpr int lastDuplicateCode = 999;

// The lowest code 991..999 whose registry line is "*" (a missing line counts as free), or -1
// when all nine are in use.
int freeDuplicateSlot(const std::vector<std::string>& registry);

// Copies every file of company 000's folder into the lowest free code 991..999 after the user
// confirms, names it "Copia di " and company 000's name in the registry, and makes company 000
// current. `companyCaption` is the main window's: a duplicate in use (code above 990) is
// refused. What the slot's folder still holds of a copy deleted earlier and the new copy would
// not replace goes aside first (FolderAside); when it cannot, nothing is copied. A file that
// cannot be copied does not stop the others; the user is told its name.
void duplicateCompany(core::Session& session, std::string_view companyCaption);

}  // namespace kalvora::company
