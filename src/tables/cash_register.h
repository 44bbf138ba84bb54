#pragma once
// kalvora.cas, in the company folder: the settings the counter-sales module uses to print
// receipts on a cash register, 100 lines of one value each.
//
//   line    value                                         settings member
//   1       port: "0" none, "1".."4" COM1..COM4           port (0..3 COM1..COM4, 4 none)
//   2       window-show flag for the driver, "0".."4"     flag
//   3       data file to create, full path                text1[0]
//   4       driver program, full path and arguments       text1[1]
//   5-12    department of VAT codes 1..8                  text1[2..9]
//   13-20   department of exemption codes 1..8            text1[10..17]
//   21-26   field of item-record slots 1..6 (list index)  fields[0..5]
//   27-44   per slot: text before, text after, length     text1[18..35]
//   45      header record code                            text1[36]
//   46      communication parameters                      text1[37]
//   47-49   three further driver codes                    text1[38..40]
//   50      tail record code                              text1[41]
//   51-53   closing codes: cash, cheque, card             text1[42..44]
//   54-56   "1": quantity 1, bar-code reader, prices*100   checks[0..2]
//   57-80   not ours, kept as read
//   81-94   bar codes that trigger functions              text2[0..13]
//   95-100  not ours, kept as read
#include "core/files.h"
#include "core/paths.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kalvora::tables {

constexpr int cashRegisterLineCount = 100;
constexpr int cashTextBoxes = 45;    // text1 0..44
constexpr int cashSlots = 6;         // Combo1 0..5
constexpr int cashBarCodes = 14;     // Text2 0..13
constexpr int cashChecks = 3;        // capo, barre, prezzi
constexpr int cashPorts = 5;         // porta 0..3 COM1..COM4, 4 none
constexpr int cashNoPort = 4;
constexpr int cashFlags = 5;         // flag 0..4
constexpr int cashNothingChosen = -1;  // an option group or list whose line names no choice

// The fields an item-record slot can hold (Combo1's list, index stored).
enum RegisterField { notUsed, articleCode, barCode, description, price, quantity, department };
inline constexpr std::array<const char*, 7> registerFieldNames = {
    "Non utilizzato", "Codice articolo", "Codice a barre", "Descrizione", "Prezzo", "Quantità", "Reparto"};

// A slot of an item record in a preset: text before, field, text after, length.
struct RegisterSlot {
    const char* before;
    RegisterField field;
    const char* after;
    const char* length;
};

// The settings of a known register driver. Boxes a preset does not name are emptied; the
// department boxes always map VAT code k to department k and exemption k to 8 + k.
struct RegisterPreset {
    const char* name;
    const char* dataFile;
    const char* driver;
    bool portDigit;   // the chosen COM port's digit follows the driver program
    bool needsPort;   // with no register connected, COM2 is chosen
    std::array<RegisterSlot, cashSlots> itemSlots;
    const char* header;
    const char* parameters;
    std::array<const char*, 3> driverCodes;
    std::array<const char*, 3> closing;  // cash, cheque, card
};

constexpr RegisterSlot unusedSlot{"", notUsed, "", ""};

inline constexpr std::array<RegisterPreset, 5> registerPresets = {{
    {"Sarema  (POS1)", "C:\\KALWIN\\KALWIN\\INPUT.SCR", "C:\\KALWIN\\KALWIN\\POS1 ", true, true,
     {{{"plud,c[", articleCode, "],", "0"}, {":", description, ",", "0"}, {"n", department, ",", "0"},
       {"p", price, ",", "0"}, {"q", quantity, "", "0"}, unusedSlot}},
     "", "", {"", "", ""}, {"cash;", "cheq;", "cred;"}},
    {"Olivetti  (PF)", "C:\\KALWIN\\KALWIN\\PFSND.DAT", "C:\\KALWIN\\KALWIN\\PF", false, true,
     {{{"VE#", description, "", "0"}, {"#", price, "", "0"}, {"#", quantity, "", "0"}, {"#", department, "", "0"},
       unusedSlot, unusedSlot}},
     "CF#", "", {"", "", ""}, {"CO", "AS", "C1"}},
    {"Olivetti  (PRINTERF)", "C:\\KALWIN\\KALWIN\\REGCASX", "C:\\KALWIN\\KALWIN\\PRINTERF ", true, true,
     {{{"D", articleCode, "", "16"}, {"", description, "", "16"}, {"", quantity, "", "6"}, {"", price, "", "9"},
       {"", department, "", "2"}, {"", notUsed, "?", "2"}}},
     "", "", {"", "", ""}, {"", "", ""}},
    {"Sweda", "", "", false, false,
     {{{"", barCode, "", "13"}, {"", description, "", "14"}, {"", quantity, "", "8"}, {"0004", department, "", "2"},
       {"", department, " 000000000", "2"}, {" 0", price, "000", "3"}}},
     "", "", {"", "", ""}, {"", "", ""}},
    {"Rch", "C:\\SCONTRINO.INP", "", false, false,
     {{{"/R", department, "", "0"}, {"/$", price, "", "0"}, {"/*", quantity, "", "0"}, {"/(", description, ")", "0"},
       unusedSlot, unusedSlot}},
     "1", "9600,8,N,1", {"#", "=K", "=C1"}, {"T1", "", ""}},
}};

std::string cashRegisterPath(const core::Installation& inst, int companyCode);

// What the window shows, one member per group of controls.
struct CashRegisterSettings {
    int port = cashNothingChosen;
    int flag = cashNothingChosen;
    std::array<std::string, cashTextBoxes> text1{};
    std::array<int, cashSlots> fields{};
    std::array<bool, cashChecks> checks{};
    std::array<std::string, cashBarCodes> text2{};
    bool operator==(const CashRegisterSettings&) const = default;
};

// The lines of a file that cannot be read.
std::vector<std::string> defaultCashRegisterLines();
// Every line as read, lines past the 100th included; the lines the file lacks (all of them when
// it cannot be read) take their defaults. Never fewer than 100 lines.
std::vector<std::string> readCashRegister(const core::Files& files, std::string_view path);
// The window's values from the lines, boxes trimmed.
CashRegisterSettings cashRegisterSettings(const std::vector<std::string>& lines);
// The lines to save: each line whose control still shows what `read` gave it is kept exactly
// as read (so blanks around a value survive), the others come from `now`; the lines the
// window does not own are kept as read.
std::vector<std::string> cashRegisterLines(const std::vector<std::string>& read, const CashRegisterSettings& now);
// Fills `s` with preset `model` (0..4; others change nothing). Port, flag, check boxes and
// bar codes stay as they are, except that a preset for a register on a serial port chooses
// COM2 when none is chosen.
void applyRegisterPreset(CashRegisterSettings& s, int model);

int writeCashRegister(core::Files& files, std::string_view path, const std::vector<std::string>& lines);

}  // namespace kalvora::tables
