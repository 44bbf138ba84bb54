#include "printing/listing_settings_file.h"

#include "core/text.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace kalvora::printing {

namespace {

constexpr std::size_t fontNameWidth = 30;
constexpr long maxColour = 0xFFFFFF;
constexpr int firstStyleLine = 6;  // 1-based line of group 0's leading value
constexpr int styleGroupLines = 6;
constexpr int maxFontSize = 1638;  // an upper bound for a font size
constexpr int firstFlagLine = 48;  // 1-based line of group 7's pagination style

// True when the text starts (after blanks) with a number as numericValue reads it; an empty or
// garbled line then keeps the default instead of counting as 0.
bool holdsNumber(std::string_view text) {
    std::string t = core::trimLeft(text);
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    if (i < t.size() && t[i] == '.')
        ++i;
    return i < t.size() && t[i] >= '0' && t[i] <= '9';
}

// Rounds into [low, high]; NaN counts as `low`.
int clampedInt(double value, int low, int high) {
    if (!(value >= low))
        return low;
    if (value >= high)
        return high;
    return static_cast<int>(std::lround(value));
}

class Lines {
public:
    explicit Lines(std::vector<std::string> lines) : lines_(std::move(lines)) {}
    // Line `number` (1-based), or nothing when the file is shorter.
    const std::string* at(int number) const {
        if (number < 1 || static_cast<std::size_t>(number) > lines_.size())
            return nullptr;
        return &lines_[number - 1];
    }
    // The number on line `number`, or nothing when the line is missing or holds no number.
    std::optional<double> number(int n) const {
        const std::string* line = at(n);
        if (!line || !holdsNumber(*line))
            return std::nullopt;
        return core::numericValue(*line);
    }

private:
    std::vector<std::string> lines_;
};

void readEdge(const Lines& lines, int number, int& edge) {
    if (std::optional<double> v = lines.number(number))
        edge = clampedInt(*v, 0, 1000);
}

void readStyle(const Lines& lines, int group, core::ListingStyle& style) {
    const int base = firstStyleLine + group * styleGroupLines;  // the leading value
    // Blanks around a name are no part of it: cut after trimming, or a name behind 30 blanks
    // would become a blank name.
    if (const std::string* name = lines.at(base + 1)) {
        const std::string trimmed = core::trim(*name);
        if (!trimmed.empty()) style.fontName = core::trimRight(core::left(trimmed, fontNameWidth));
    }
    if (std::optional<double> size = lines.number(base + 2); size && *size >= 1)
        style.size = clampedInt(*size, 1, maxFontSize);
    if (std::optional<double> bold = lines.number(base + 3))
        style.bold = *bold != 0;
    if (std::optional<double> italic = lines.number(base + 4))
        style.italic = *italic != 0;
    if (const std::string* colour = lines.at(base + 5))
        style.colour = parseColour(*colour);
}

// Group 0's leading value and group 7: values outside their choices keep the default.
void readSpacingAndFlags(const Lines& lines, core::ListingSettings& settings) {
    if (std::optional<double> spacing = lines.number(firstStyleLine);
        spacing && *spacing >= 0 && *spacing < core::ListingSettings::lineSpacingChoices)
        settings.lineSpacing = static_cast<int>(*spacing);
    if (std::optional<double> style = lines.number(firstFlagLine); style && (*style == 0 || *style == 1))
        settings.paginationStyle = static_cast<int>(*style);
    if (std::optional<double> coloured = lines.number(firstFlagLine + 1))
        settings.colouredCells = *coloured != 0;
    if (std::optional<double> separation = lines.number(firstFlagLine + 2))
        settings.separationLine = *separation != 0;
    if (const std::string* first = lines.at(firstFlagLine + 3))
        settings.firstRowColour = parseColour(*first);
    if (const std::string* second = lines.at(firstFlagLine + 4))
        settings.secondRowColour = parseColour(*second);
}

}  // namespace

core::ListingSettings loadListingSettings(const core::Files& files, std::string_view path) {
    return listingSettingsFromLines(files.readLines(path));
}

core::ListingSettings listingSettingsFromLines(std::optional<std::vector<std::string>> read) {
    core::ListingSettings settings;
    if (!read)
        return settings;

    // A readable file that lacks the heading group gives it the heading size.
    settings.styles[1].size = 14;

    const Lines lines(std::move(*read));
    readEdge(lines, 1, settings.leftEdge);
    readEdge(lines, 2, settings.rightEdge);
    readEdge(lines, 3, settings.topEdge);
    readEdge(lines, 4, settings.bottomEdge);
    if (std::optional<double> grid = lines.number(5); grid && *grid >= 0 && *grid <= 2)
        settings.gridType = static_cast<int>(*grid);

    for (int group = 0; group < static_cast<int>(settings.styles.size()); ++group)
        readStyle(lines, group, settings.styles[group]);
    readSpacingAndFlags(lines, settings);
    return settings;
}

long parseColour(std::string_view text) {
    std::string t = core::trim(text);
    long value = 0;
    if (t.size() >= 2 && t[0] == '&' && (t[1] == 'h' || t[1] == 'H')) {
        // Hex digits up to the first other character; more than six can only be out of range.
        for (std::size_t i = 2; i < t.size(); ++i) {
            char c = t[i];
            int digit;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else
                break;
            value = value * 16 + digit;
            if (value > maxColour)
                return 0;
        }
        return value;
    }
    double v = core::numericValue(t);
    if (!(v >= 0 && v <= maxColour))
        return 0;
    return static_cast<long>(v);
}

}  // namespace kalvora::printing
