#pragma once
// Load company settings: header lines, currency, listing settings and general settings of the
// current company, with their defaults and version fixes.
#include "core/session.h"

namespace kalvora::company {

void loadCompanySettings(core::Session& session);
// Writes the general settings held in memory as record 1 of the current company's kalvora.gnr.
int saveGeneralSettings(core::Session& session);

}  // namespace kalvora::company
