#pragma once
// Starts the suite's module programs for the current company, or brings an open one to the
// front, and remembers what it started so the shutdown can close it.
#include "core/module_catalogue.h"
#include "core/session.h"

#include <string>

namespace kalvora::launcher {

// Placed between the program and the company code on every module command line.
constexpr const char* launchMarker = " $$vj%r";

// The program file in the installation folder, found whatever the case of its name and also
// with an ".exe" extension; the plain path when there is none.
std::string modulePath(const core::Files& files, const core::Installation& inst, const std::string& program);

// The single argument a module receives: the launch marker without its leading blank and the
// three-digit code of the current company.
std::string moduleArgument(const core::Session& session);

// Launches `program` ("calc" and "write" are the desktop's calculator and word processor)
// whose main window carries `title`; a failure is reported to the user.
void launch(core::Session& session, const std::string& program, const std::string& title);

// A catalogue entry's click: the warehouse entries write kalvora.cmd first.
void launchModule(core::Session& session, const core::ModuleEntry& module);

// kalvora.cmd: "1" or "0" on one line, telling the warehouse programs the chosen variant.
int writeWarehouseCommand(core::Files& files, const core::Installation& inst, const std::string& value);

}  // namespace kalvora::launcher
