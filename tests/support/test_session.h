#pragma once
// A whole session on a fresh temporary drive with the fake platform and a fixed clock.
#include "core/session.h"
#include "support/fake_platform.h"
#include "support/temp_drive.h"

namespace kalvora::testing {

struct TestSession {
    explicit TestSession(core::Date today = {2026, 12, 6}) : clock(today) {}

    TempDrive drive;
    FakePlatform platform;
    core::FixedClock clock;
    core::Files files;
    core::Session session{drive.installation(), platform, clock, files};
};

}  // namespace kalvora::testing
