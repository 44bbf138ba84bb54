#include "launcher/module_launcher.h"

#include "core/text.h"

namespace kalvora::launcher {

namespace {

bool isFile(const core::Files& files, const std::string& path) {
    const core::FileStat st = files.stat(path);
    return st.exists && !st.isDirectory;
}

// The four warehouse entries and the variant each one tells its program.
const char* warehouseVariant(std::string_view entry) {
    if (entry == "x_kalacq1" || entry == "x_kalbol1") return "1";
    if (entry == "x_kalacq2" || entry == "x_kalbol2") return "0";
    return nullptr;
}

}  // namespace

std::string modulePath(const core::Files& files, const core::Installation& inst, const std::string& program) {
    const std::string base = inst.file(core::trim(program));
    if (isFile(files, base)) return files.resolve(base);
    if (isFile(files, base + ".exe")) return files.resolve(base + ".exe");
    return base;
}

std::string moduleArgument(const core::Session& session) {
    return core::mid(launchMarker, 2) + core::left(session.company().companyCaption, 3);
}

void launch(core::Session& session, const std::string& program, const std::string& title) {
    auto& platform = session.platform();
    platform.setBusy(true);
    // Without a title there is no telling the program's window from any untitled window.
    if (!title.empty() && platform.bringToFront(title)) {
        platform.setBusy(false);
        return;
    }
    auto& slots = session.run().startedModules;
    for (std::size_t slot = 1; slot < slots.size(); ++slot) {
        if (slots[slot].empty()) {
            slots[slot] = title;
            break;
        }
    }
    int error = 0;
    if (program == "calc" || program == "write") {
        const std::string tool = platform.desktopProgram(program == "calc" ? core::DesktopTool::Calculator
                                                                           : core::DesktopTool::WordProcessor);
        error = tool.empty() ? 2 : platform.startProgram(tool, {}, title);
    } else {
        error = platform.startProgram(modulePath(session.files(), session.installation(), program),
                                      {moduleArgument(session)}, title);
    }
    platform.setBusy(false);
    if (error != 0)
        platform.message("Non è possibile eseguire questa applicazione: errore " + std::to_string(error),
                         "Attenzione", core::Icon::Critical);
}

void launchModule(core::Session& session, const core::ModuleEntry& module) {
    if (module.program.empty()) return;
    if (const char* variant = warehouseVariant(module.entry))
        writeWarehouseCommand(session.files(), session.installation(), variant);
    launch(session, std::string(module.program), std::string(module.title));
}

int writeWarehouseCommand(core::Files& files, const core::Installation& inst, const std::string& value) {
    return files.writeLines(inst.file("kalvora.cmd"), {value});
}

}  // namespace kalvora::launcher
