#include "printing/layout_files.h"

#include "core/numbers.h"
#include "core/text.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace kalvora::printing {

namespace {

constexpr int slotLines = 11;
constexpr int gridLines = 1 + FormGrid::maxElements * slotLines;
constexpr int placementValues = 6;

// A number line: its decimal value whatever blanks surround it; nothing readable is 0.
double numberOf(const std::string& line) {
    // Most of a grid file is the zeros of its unused slots.
    if (line == "0" || line == " 0 ")
        return 0;
    const double value = core::numericValue(line);
    return std::isfinite(value) ? value : 0;
}

int countOf(const std::string& line) {
    const double value = numberOf(line);
    if (!(value > 0))
        return 0;
    if (value >= FormGrid::maxElements)
        return FormGrid::maxElements;
    return static_cast<int>(std::lround(value));
}

std::string fileIn(const core::Installation& installation, int companyCode, const std::string& name) {
    return installation.companyFile(companyCode, name);
}

std::optional<std::vector<std::string>> readIfAny(const core::Files& files, const core::Installation& installation,
                                                  int companyCode, const std::string& name) {
    if (name.empty())
        return std::nullopt;
    return files.readLines(fileIn(installation, companyCode, name));
}

bool writeIfAny(core::Files& files, const core::Installation& installation, int companyCode,
                const std::string& name, const std::vector<std::string>& lines) {
    return !name.empty() && files.writeLines(fileIn(installation, companyCode, name), lines) == 0;
}

// Splits text at its line breaks (CR LF, LF or a lone CR), as the line reader cuts a file.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> out;
    if (text.empty())
        return out;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t end = core::lineEnd(text, pos);
        out.push_back(text.substr(pos, end - pos));
        if (end == text.size())
            break;
        pos = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return out;
}

}  // namespace

FormGrid parseFormGrid(const std::vector<std::string>& lines) {
    FormGrid grid;
    if (lines.empty())
        return grid;
    grid.count = countOf(lines[0]);
    const std::size_t available = lines.size();
    for (int slot = 1; slot <= FormGrid::maxElements; ++slot) {
        const std::size_t base = 1 + static_cast<std::size_t>(slot - 1) * slotLines;
        if (base >= available)
            break;
        GridElement& e = grid.elements[static_cast<std::size_t>(slot)];
        e.text = lines[base];
        if (base + 1 < available)
            e.fontName = lines[base + 1];
        double* numbers[] = {&e.kind, &e.x1, &e.y1, &e.x2, &e.y2, &e.colour, &e.filledOrSize, &e.bold, &e.italic};
        for (std::size_t i = 0; i < std::size(numbers) && base + 2 + i < available; ++i)
            *numbers[i] = numberOf(lines[base + 2 + i]);
    }
    return grid;
}

std::vector<std::string> formGridLines(const FormGrid& grid, GridWriter writer) {
    std::vector<std::string> lines;
    formGridLines(grid, writer, lines);
    return lines;
}

void formGridLines(const FormGrid& grid, GridWriter writer, std::vector<std::string>& lines) {
    const auto number = [writer](double value) {
        if (!std::isfinite(value))
            value = 0;
        return writer == GridWriter::Designer ? core::shortestDecimal(value) : core::printForm(value);
    };
    const int count = grid.count < 0 ? 0 : std::min(grid.count, FormGrid::maxElements);
    lines.clear();
    lines.reserve(gridLines);
    lines.push_back(core::printForm(count));
    for (int slot = 1; slot <= count; ++slot) {
        const GridElement& e = grid.elements[static_cast<std::size_t>(slot)];
        // A line break inside a text would shift every following slot of the file.
        lines.push_back(core::singleLine(e.text));
        lines.push_back(core::singleLine(e.fontName));
        for (double value : {e.kind, e.x1, e.y1, e.x2, e.y2, e.colour, e.filledOrSize, e.bold, e.italic})
            lines.push_back(number(value));
    }
    // Unused slots: two empty lines and nine zeros.
    const std::string zero = number(0);
    for (int slot = count + 1; slot <= FormGrid::maxElements; ++slot) {
        lines.resize(lines.size() + 2);
        lines.insert(lines.end(), slotLines - 2, zero);
    }
}

FormGrid readFormGrid(const core::Files& files, const core::Installation& installation, int companyCode,
                      DocumentType type) {
    std::optional<std::vector<std::string>> lines = readIfAny(files, installation, companyCode, gridFileName(type));
    return lines ? parseFormGrid(*lines) : FormGrid{};
}

bool writeFormGrid(core::Files& files, const core::Installation& installation, int companyCode,
                   DocumentType type, const FormGrid& grid, GridWriter writer) {
    return writeIfAny(files, installation, companyCode, gridFileName(type), formGridLines(grid, writer));
}

Placements defaultPlacements(DocumentType type) {
    Placements placements;
    const DocumentTypeInfo* info = documentType(type);
    if (!info || !hasLayoutFiles(type))
        return placements;
    const int last = std::min(info->ordinary + 2 + info->columns, Placements::rows);
    for (int row = info->ordinary + 1; row <= last; ++row)
        placements.row[static_cast<std::size_t>(row)].position = "000";
    return placements;
}

Placements parsePlacements(const std::vector<std::string>& lines, DocumentType type) {
    Placements placements = defaultPlacements(type);
    for (std::size_t i = 0; i < lines.size() && i < Placements::rows * placementValues; ++i) {
        Placement& p = placements.row[1 + i / placementValues];
        std::string* values[] = {&p.position, &p.size, &p.font, &p.bold, &p.italic, &p.colour};
        *values[i % placementValues] = lines[i];
    }
    return placements;
}

std::vector<std::string> placementLines(const Placements& placements) {
    std::vector<std::string> lines;
    lines.reserve(Placements::rows * placementValues);
    for (int row = 1; row <= Placements::rows; ++row) {
        const Placement& p = placements.row[static_cast<std::size_t>(row)];
        // Values are written as held; only a line break, which would shift the following rows,
        // becomes a blank.
        for (const std::string* value : {&p.position, &p.size, &p.font, &p.bold, &p.italic, &p.colour})
            lines.push_back(core::singleLine(*value));
    }
    return lines;
}

Placements readPlacements(const core::Files& files, const core::Installation& installation, int companyCode,
                          DocumentType type) {
    std::optional<std::vector<std::string>> lines =
        readIfAny(files, installation, companyCode, placementFileName(type));
    return lines ? parsePlacements(*lines, type) : defaultPlacements(type);
}

bool writePlacements(core::Files& files, const core::Installation& installation, int companyCode,
                     DocumentType type, const Placements& placements) {
    return writeIfAny(files, installation, companyCode, placementFileName(type), placementLines(placements));
}

MailText parseMailText(const std::vector<std::string>& lines) {
    MailText mail;
    if (lines.empty())
        return mail;
    mail.subject = lines[0];
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (i > 1)
            mail.body += "\r\n";
        mail.body += lines[i];
    }
    return mail;
}

std::vector<std::string> mailTextLines(const MailText& mail) {
    std::vector<std::string> lines{core::singleLine(mail.subject)};
    for (std::string& line : linesOf(mail.body))
        lines.push_back(std::move(line));
    return lines;
}

MailText readMailText(const core::Files& files, const core::Installation& installation, int companyCode,
                      DocumentType type) {
    std::optional<std::vector<std::string>> lines = readIfAny(files, installation, companyCode, mailFileName(type));
    return lines ? parseMailText(*lines) : MailText{};
}

bool writeMailText(core::Files& files, const core::Installation& installation, int companyCode,
                   DocumentType type, const MailText& mail) {
    return writeIfAny(files, installation, companyCode, mailFileName(type), mailTextLines(mail));
}

}  // namespace kalvora::printing
