#include "tables/cash_register.h"

#include "core/text.h"

#include <cmath>
#include <optional>

namespace kalvora::tables {

namespace {

// 0-based line indexes.
constexpr std::size_t portLine = 0;
constexpr std::size_t flagLine = 1;
constexpr std::size_t firstBoxLine = 2;        // text1 0..17
constexpr std::size_t firstFieldLine = 20;     // Combo1 0..5
constexpr std::size_t firstSlotBoxLine = 26;   // text1 18..44
constexpr std::size_t firstCheckLine = 53;
constexpr std::size_t firstBarCodeLine = 80;
constexpr int firstSlotBox = 18;
constexpr int firstDepartmentBox = 2;
constexpr int departmentBoxes = 16;

std::size_t boxLine(int k) {
    return k < firstSlotBox ? firstBoxLine + std::size_t(k) : firstSlotBoxLine + std::size_t(k - firstSlotBox);
}

// A line's choice among `count`, read as the module reads a number; anything else chooses none.
int choice(const std::string& line, int count) {
    const double value = core::numericValue(line);
    if (value < 0 || value >= count || value != std::floor(value)) return cashNothingChosen;
    return int(value);
}

int portOf(const std::string& line) {
    const int digit = choice(line, cashPorts);
    return digit == cashNothingChosen ? digit : digit == 0 ? cashNoPort : digit - 1;
}

std::string portLineOf(int port) { return port == cashNoPort ? "0" : std::to_string(port + 1); }

}  // namespace

std::string cashRegisterPath(const core::Installation& inst, int companyCode) {
    return inst.companyFile(companyCode, "kalvora.cas");
}

std::vector<std::string> defaultCashRegisterLines() {
    std::vector<std::string> lines(cashRegisterLineCount);
    lines[portLine] = "0";
    lines[flagLine] = "2";
    lines[firstCheckLine] = "0";
    lines[firstCheckLine + 1] = "0";
    lines[firstCheckLine + 2] = "1";
    return lines;
}

std::vector<std::string> readCashRegister(const core::Files& files, std::string_view path) {
    std::vector<std::string> lines = defaultCashRegisterLines();
    if (std::optional<std::vector<std::string>> read = files.readLines(path)) {
        for (std::size_t i = 0; i < read->size(); ++i) {
            if (i < lines.size())
                lines[i] = std::move((*read)[i]);
            else
                lines.push_back(std::move((*read)[i]));
        }
    }
    return lines;
}

CashRegisterSettings cashRegisterSettings(const std::vector<std::string>& lines) {
    CashRegisterSettings s;
    s.port = portOf(lines.at(portLine));
    s.flag = choice(lines.at(flagLine), cashFlags);
    for (int k = 0; k < cashTextBoxes; ++k) s.text1[std::size_t(k)] = core::trim(lines.at(boxLine(k)));
    for (std::size_t r = 0; r < cashSlots; ++r) s.fields[r] = choice(lines.at(firstFieldLine + r), int(registerFieldNames.size()));
    for (std::size_t c = 0; c < cashChecks; ++c) s.checks[c] = core::numericValue(lines.at(firstCheckLine + c)) == 1;
    for (std::size_t b = 0; b < cashBarCodes; ++b) s.text2[b] = core::trim(lines.at(firstBarCodeLine + b));
    return s;
}

std::vector<std::string> cashRegisterLines(const std::vector<std::string>& read, const CashRegisterSettings& now) {
    std::vector<std::string> lines = read;
    const CashRegisterSettings shown = cashRegisterSettings(read);
    // A control left as it was opened keeps its line; "nothing chosen" only comes from the file.
    const auto choose = [&lines](std::size_t line, int before, int after, const std::string& text) {
        if (after != before && after != cashNothingChosen) lines[line] = text;
    };
    choose(portLine, shown.port, now.port, portLineOf(now.port));
    choose(flagLine, shown.flag, now.flag, std::to_string(now.flag));
    for (int k = 0; k < cashTextBoxes; ++k) {
        const std::size_t i = std::size_t(k);
        if (now.text1[i] != shown.text1[i]) lines[boxLine(k)] = core::singleLine(now.text1[i]);
    }
    for (std::size_t r = 0; r < cashSlots; ++r)
        choose(firstFieldLine + r, shown.fields[r], now.fields[r], std::to_string(now.fields[r]));
    for (std::size_t c = 0; c < cashChecks; ++c)
        if (now.checks[c] != shown.checks[c]) lines[firstCheckLine + c] = now.checks[c] ? "1" : "0";
    for (std::size_t b = 0; b < cashBarCodes; ++b)
        if (now.text2[b] != shown.text2[b]) lines[firstBarCodeLine + b] = core::singleLine(now.text2[b]);
    return lines;
}

void applyRegisterPreset(CashRegisterSettings& s, int model) {
    if (model < 0 || model >= int(registerPresets.size())) return;
    const RegisterPreset& p = registerPresets[std::size_t(model)];
    // A line naming no port means no register connected, as "0" does.
    if (p.needsPort && (s.port == cashNoPort || s.port == cashNothingChosen)) s.port = 1;
    s.text1 = {};
    s.text1[0] = p.dataFile;
    s.text1[1] = p.driver;
    if (p.portDigit && s.port >= 0 && s.port < cashNoPort) s.text1[1] += std::to_string(s.port + 1);
    for (int d = 0; d < departmentBoxes; ++d) s.text1[std::size_t(firstDepartmentBox + d)] = std::to_string(d + 1);
    for (std::size_t r = 0; r < cashSlots; ++r) {
        const RegisterSlot& slot = p.itemSlots[r];
        const std::size_t box = std::size_t(firstSlotBox) + 3 * r;
        s.fields[r] = slot.field;
        s.text1[box] = slot.before;
        s.text1[box + 1] = slot.after;
        s.text1[box + 2] = slot.length;
    }
    s.text1[36] = p.header;
    s.text1[37] = p.parameters;
    for (std::size_t c = 0; c < 3; ++c) {
        s.text1[38 + c] = p.driverCodes[c];
        s.text1[42 + c] = p.closing[c];
    }
}

int writeCashRegister(core::Files& files, std::string_view path, const std::vector<std::string>& lines) {
    return files.writeLines(path, lines);
}

}  // namespace kalvora::tables
