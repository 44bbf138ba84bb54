#pragma once
// For the users file fuzz target: the shared fuzz drive and the quiet platform.
#include "core/clock.h"
#include "core/files.h"
#include "core/form.h"
#include "core/paths.h"
#include "settings_fuzz_drive.h"
#include "support/quiet_platform.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace kalvora::fuzzing {

// The users target shares the drive of the settings targets.
inline const core::Installation& usersFuzzDrive() { return fuzz::fuzzInstallation(); }

}  // namespace kalvora::fuzzing
