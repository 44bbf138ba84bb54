#pragma once
// The current company: the one place where a company becomes current, and the choice of
// company 000 at start-up.
#include "core/session.h"

namespace kalvora::company {

// Makes `code` current: the code, the captions from its line of the registry copy, and its
// settings (Load company settings), so that no window saves one company's settings into
// another. Codes outside 0..999 change nothing.
void makeCurrent(core::Session& session, int code);

// Start-up: reads kalvora.azi, completing a short or lost one from the company folders (the
// damaged file is kept aside and the user told), opens the first-company creation only when
// no company is found, makes company 000 current and writes the in-use marker.
void openFirstCompany(core::Session& session);

}  // namespace kalvora::company
