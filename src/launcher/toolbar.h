#pragma once
// The main window's toolbar: the file kalvora.btt (30 buttons of four lines each: picture,
// tooltip, command, reserved), the default toolbar used when the file cannot be read whole,
// the row layout, and the vocabulary of its commands.
#include "core/files.h"
#include "core/module_catalogue.h"
#include "core/paths.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora::launcher {

constexpr const char* toolbarFileName = "kalvora.btt";

// Built-in command words of the toolbar file.
namespace toolbar_command {
constexpr std::string_view nothing = "*";
constexpr std::string_view info = "*info";
constexpr std::string_view help1 = "*help1";
constexpr std::string_view help2 = "*help2";
constexpr std::string_view assistance = "*assistenza";
constexpr std::string_view backup = "*backup";
constexpr std::string_view restore = "*restore";
constexpr std::string_view calculator = "*calcolatrice";
constexpr std::string_view print = "*print";
constexpr std::string_view postIt = "*postit";
constexpr std::string_view internet = "*internet";
constexpr std::string_view mail = "*mail";
constexpr std::string_view mailArchive = "*mailarc";
constexpr std::string_view availability = "*dispo";
constexpr std::string_view updateRequest = "*richagg";
constexpr std::string_view site = "*sito";
constexpr std::string_view post = "*posta";
constexpr std::string_view finish = "*fine";
}  // namespace toolbar_command

struct ToolbarButton {
    std::string picture;   // "*" built-in, empty none, else a picture file's path
    std::string tooltip;   // also the window title of a module started from the button
    std::string command;   // a built-in command, a module code ("=CLI") or empty (no button)
    std::string reserved;  // read and kept
};

enum class PictureKind { BuiltIn, None, File };

struct DefaultButton {
    std::string_view tooltip;
    std::string_view command;
};

// Buttons 1 to 11 of the default toolbar; their commands also name the built-in pictures.
inline constexpr std::array<DefaultButton, 11> defaultToolbar{{
    {"Informazioni", toolbar_command::info},
    {"Guida in linea", toolbar_command::help1},
    {"Contatta il servizio di assistenza", toolbar_command::assistance},
    {"Copie di backup", toolbar_command::backup},
    {"Ripristino copie di backup", toolbar_command::restore},
    {"Calcolatrice", toolbar_command::calculator},
    {"Imposta stampante", toolbar_command::print},
    {"Scarica aggiornamenti disponibili", toolbar_command::internet},
    {"Invia messaggio al centro assistenza ZEL", toolbar_command::mail},
    {"Post it", toolbar_command::postIt},
    {"Fine lavoro", toolbar_command::finish},
}};

class Toolbar {
public:
    static constexpr int buttonCount = 30;
    static constexpr int linesPerButton = 4;
    static constexpr int lineCount = buttonCount * linesPerButton;

    // The default toolbar.
    Toolbar();

    // Button 1..30; any other number gives an empty button.
    const ToolbarButton& button(int number) const;
    // True when the file could not be read whole and the defaults are shown.
    bool usesDefaults() const { return usesDefaults_; }

    // The command field trimmed, as the click handles it.
    std::string command(int number) const;
    PictureKind pictureKind(int number) const;
    // The picture file of a File button on this system (the field holds a stored path); empty
    // when the field names no path this system can take.
    std::string picturePath(int number) const;
    // The command whose built-in picture a "*" button keeps; empty past button 11.
    std::string_view builtInPicture(int number) const;
    // What the label beside the button under the mouse shows.
    std::string tooltipLabel(int number) const;

    // Button numbers with a command, in order, as many as there are slots in the row.
    std::vector<int> layout(int slots) const;

private:
    friend Toolbar readToolbar(const core::Files&, const core::Installation&);
    std::array<ToolbarButton, buttonCount> buttons_{};
    bool usesDefaults_ = true;
    std::array<std::string, buttonCount> picturePaths_{};
};

// Reads kalvora.btt from the installation folder; any file shorter than 120 lines gives the
// default toolbar. Nothing is written back.
Toolbar readToolbar(const core::Files& files, const core::Installation& inst);

// How many buttons fit a row: each one step of `buttonStep` pixels right of the previous.
int toolbarSlots(int rowWidth, int buttonStep);

// A module code's program as the toolbar starts it: the toolbar's own names for the four
// warehouse variants and for "=BLA", the catalogue's program otherwise; empty for an unknown code.
std::string toolbarProgram(std::string_view code);
// The catalogue entry whose menu entry must be visible and enabled before the toolbar starts
// the code; nullptr when the catalogue has none (including "=BLA", which has no menu entry).
const core::ModuleEntry* toolbarModuleEntry(std::string_view code);
// The privilege position that denies a code: the catalogue's, 183 for "=BLA", 0 when unknown.
int toolbarPrivilegePosition(std::string_view code);

}  // namespace kalvora::launcher
