#pragma once
// Everything that lives for the whole run, passed by reference to every form. No other globals.
#include "core/clock.h"
#include "core/files.h"
#include "core/paths.h"
#include "core/platform.h"
#include "core/state.h"

namespace kalvora::core {

class Session {
public:
    Session(Installation installation, Platform& platform, Clock& clock, Files& files)
        : installation_(std::move(installation)), platform_(platform), clock_(clock), files_(files) {}

    Installation& installation() { return installation_; }
    const Installation& installation() const { return installation_; }
    Platform& platform() { return platform_; }
    Clock& clock() { return clock_; }
    Files& files() { return files_; }
    const Files& files() const { return files_; }
    RunState& run() { return run_; }
    const RunState& run() const { return run_; }
    CompanyState& company() { return company_; }
    const CompanyState& company() const { return company_; }

private:
    Installation installation_;
    Platform& platform_;
    Clock& clock_;
    Files& files_;
    RunState run_;
    CompanyState company_;
};

}  // namespace kalvora::core
