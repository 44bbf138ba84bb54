#include "launcher/toolbar.h"

#include "core/stored_path.h"
#include "core/text.h"

#include <algorithm>

namespace kalvora::launcher {

namespace {

// Far more than 120 lines of pictures, tooltips and commands ever need; a bigger file counts
// as unreadable, so it gives the defaults.
constexpr std::size_t toolbarReadLimit = 1u << 20;

// The toolbar's own program names where the menus start a shared program with kalvora.cmd.
struct ProgramOverride {
    std::string_view code;
    std::string_view program;
};
constexpr std::array<ProgramOverride, 5> programOverrides{{
    {"=BOL", "kalbol1"},
    {"=SCA", "kalbol2"},
    {"=ACQ", "kalacq1"},
    {"=CAR", "kalacq2"},
    {"=BLA", "kalbla"},
}};
// "=BLA" is a warehouse function without a menu entry; only its privilege position is known.
constexpr std::string_view unlistedCode = "=BLA";
constexpr int unlistedPosition = 183;

const ToolbarButton& emptyButton() {
    static const ToolbarButton empty;
    return empty;
}

}  // namespace

Toolbar::Toolbar() {
    for (std::size_t i = 0; i < defaultToolbar.size(); ++i) {
        buttons_[i].picture = "*";
        buttons_[i].tooltip = defaultToolbar[i].tooltip;
        buttons_[i].command = defaultToolbar[i].command;
    }
}

const ToolbarButton& Toolbar::button(int number) const {
    if (number < 1 || number > buttonCount) return emptyButton();
    return buttons_[number - 1];
}

std::string Toolbar::command(int number) const { return core::trim(button(number).command); }

PictureKind Toolbar::pictureKind(int number) const {
    const std::string picture = core::trim(button(number).picture);
    if (picture == "*") return PictureKind::BuiltIn;
    return picture.empty() ? PictureKind::None : PictureKind::File;
}

std::string Toolbar::picturePath(int number) const {
    if (pictureKind(number) != PictureKind::File) return {};
    return picturePaths_[static_cast<std::size_t>(number - 1)];
}

std::string_view Toolbar::builtInPicture(int number) const {
    if (number < 1 || number > static_cast<int>(defaultToolbar.size())) return {};
    return defaultToolbar[number - 1].command;
}

std::string Toolbar::tooltipLabel(int number) const { return " " + button(number).tooltip + " "; }

std::vector<int> Toolbar::layout(int slots) const {
    std::vector<int> shown;
    for (int number = 1; number <= buttonCount && static_cast<int>(shown.size()) < slots; ++number)
        if (!command(number).empty()) shown.push_back(number);
    return shown;
}

Toolbar readToolbar(const core::Files& files, const core::Installation& inst) {
    Toolbar toolbar;
    const auto lines = files.readLines(inst.file(toolbarFileName), toolbarReadLimit);
    if (!lines || lines->size() < static_cast<std::size_t>(Toolbar::lineCount)) return toolbar;
    toolbar.usesDefaults_ = false;
    for (int b = 0; b < Toolbar::buttonCount; ++b) {
        const std::size_t first = static_cast<std::size_t>(b) * Toolbar::linesPerButton;
        ToolbarButton& button = toolbar.buttons_[b];
        button.picture = (*lines)[first];
        button.tooltip = (*lines)[first + 1];
        button.command = (*lines)[first + 2];
        button.reserved = (*lines)[first + 3];
        toolbar.picturePaths_[b] =
            core::storedPathOnThisSystem(files, inst, core::trim(button.picture)).value_or(std::string());
    }
    return toolbar;
}

int toolbarSlots(int rowWidth, int buttonStep) {
    if (rowWidth <= 0 || buttonStep <= 0) return 0;
    return std::min(rowWidth / buttonStep, Toolbar::buttonCount);
}

std::string toolbarProgram(std::string_view code) {
    for (const ProgramOverride& o : programOverrides)
        if (o.code == code) return std::string(o.program);
    const core::ModuleEntry* entry = core::findModuleByCode(code);
    return entry ? std::string(entry->program) : std::string();
}

const core::ModuleEntry* toolbarModuleEntry(std::string_view code) {
    return core::findModuleByCode(code);
}

int toolbarPrivilegePosition(std::string_view code) {
    if (code == unlistedCode) return unlistedPosition;
    const core::ModuleEntry* entry = toolbarModuleEntry(code);
    return entry ? entry->position : 0;
}

}  // namespace kalvora::launcher
