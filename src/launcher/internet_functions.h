#pragma once
// The functions of the "Internet" menu: the maker's web site, and the assistance program
// kalfass, which does the rest given a function code.
#include "core/session.h"

namespace kalvora::launcher {

// Internet item 1..8 (7 is the web site); other numbers do nothing. A failure to start the
// assistance program is reported to the user.
void internetFunction(core::Session& session, int item);

}  // namespace kalvora::launcher
