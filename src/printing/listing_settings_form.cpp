#include "printing/listing_settings_form.h"

#include "core/numbers.h"
#include "core/product.h"
#include "core/text.h"
#include "printing/listing_settings_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace kalvora::printing {

namespace {

constexpr int firstStyleLine = 6;  // group 0's leading value
constexpr int groupLines = 6;
constexpr int styleGroups = 7;     // 0..6; group 7 follows them
constexpr long maxColour = 0xFFFFFF;

// Line of item 0..5 (leading value, name, size, bold, italic, colour) of a group.
constexpr int groupLine(int group, int item) { return firstStyleLine + group * groupLines + item; }

// "&h" and six hex digits: blue, green, red, as the file keeps colours.
std::string colourText(long colour) {
    char text[16];
    std::snprintf(text, sizeof text, "&h%06lX", std::clamp(colour, 0L, maxColour));
    return text;
}

std::array<std::string, ListingSettingsForm::lineCount> defaultLines() {
    std::array<std::string, ListingSettingsForm::lineCount> lines{};
    const int numbers[] = {30, 950, 30, 950, 2};
    for (int i = 0; i < 5; ++i) lines[static_cast<std::size_t>(i)] = core::printForm(numbers[i]);
    for (int group = 0; group < styleGroups; ++group) {
        const bool background = group == 6;
        const std::string values[groupLines] = {
            group == 0 ? std::to_string(ListingSettingsForm::defaultSpacing) : "0",
            "Arial", group == 1 ? "14" : "9", "0", "0", colourText(background ? maxColour : 0)};
        for (int item = 0; item < groupLines; ++item)
            lines[static_cast<std::size_t>(groupLine(group, item) - 1)] = values[item];
    }
    for (int n = groupLine(styleGroups, 0); n <= ListingSettingsForm::lineCount; ++n)
        lines[static_cast<std::size_t>(n - 1)] = "0";
    return lines;
}

// The number a line starts with (after blanks), or nothing for an empty or garbled line, which
// then keeps its default rather than counting as 0.
std::optional<double> numberOn(const std::string& line) {
    const std::string t = core::trimLeft(line);
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    if (i < t.size() && t[i] == '.') ++i;
    if (i >= t.size() || t[i] < '0' || t[i] > '9') return std::nullopt;
    const double value = core::numericValue(t);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

ListingSettingsForm::ListingSettingsForm(core::Session& session) : Form(session), lines_(defaultLines()) {}

std::string ListingSettingsForm::path() const { return session().installation().file(fileName); }

void ListingSettingsForm::open() {
    lines_ = defaultLines();
    edges_ = {30, 950, 30, 950};
    grid_ = 2;
    spacing_ = defaultSpacing;
    const std::optional<std::vector<std::string>> read = session().files().readLines(path());
    if (!read) return;
    const std::size_t held = std::min(read->size(), lines_.size());
    std::copy_n(read->begin(), held, lines_.begin());

    for (int i = 0; i < 4; ++i)
        if (std::optional<double> v = numberOn(line(i + 1)))
            edges_[static_cast<std::size_t>(i)] = static_cast<int>(std::lround(std::clamp(*v, 0.0, double(maxEdge))));
    if (std::optional<double> v = numberOn(line(5)); v && *v >= 0 && *v <= 2)
        grid_ = static_cast<int>(*v);
    if (std::optional<double> v = numberOn(line(firstStyleLine)); v && *v >= 0 && *v < spacingChoices)
        spacing_ = static_cast<int>(*v);
}

void ListingSettingsForm::setEdge(Edge which, int value) {
    edges_[static_cast<std::size_t>(which)] = std::clamp(value, 0, maxEdge);
}

const std::array<std::string, 3>& ListingSettingsForm::gridCaptions() {
    static const std::array<std::string, 3> captions = {"Nessuna griglia", "Griglia lunghezza testo",
                                                        "Griglia lunghezza foglio"};
    return captions;
}

void ListingSettingsForm::setGridType(int index) {
    if (index >= 0 && index <= 2) grid_ = index;
}

std::vector<std::string> ListingSettingsForm::spacingCaptions() {
    std::vector<std::string> captions;
    for (int i = 1; i <= spacingChoices; ++i) {
        char text[8];
        std::snprintf(text, sizeof text, "%d.%02d", i / 5, i % 5 * 20);
        captions.emplace_back(text);
    }
    return captions;
}

void ListingSettingsForm::setLineSpacing(int index) {
    if (index >= 0 && index < spacingChoices) spacing_ = index;
}

core::PrintFont ListingSettingsForm::font(int group) const {
    core::PrintFont font;
    if (group < 0 || group >= styleGroups) return font;
    const std::string name = core::trim(line(groupLine(group, 1)));
    if (!name.empty()) font.name = name;
    if (std::optional<double> size = numberOn(line(groupLine(group, 2))); size && *size >= 1)
        font.size = *size;
    font.bold = numberOn(line(groupLine(group, 3))).value_or(0) != 0;
    font.italic = numberOn(line(groupLine(group, 4))).value_or(0) != 0;
    return font;
}

std::string ListingSettingsForm::fontCaption(int group) const {
    const core::PrintFont f = font(group);
    return f.name + " " + core::shortestDecimal(f.size);
}

void ListingSettingsForm::chooseFont(int group) {
    if (group < firstFontGroup || group > lastFontGroup) return;
    const std::optional<core::PrintFont> chosen = session().platform().chooseFont(fontDialogTitle, font(group));
    if (!chosen) return;
    // A name is one line of the file: a line break in it would shift every line after it.
    const std::string name = core::trim(core::singleLine(chosen->name));
    if (!name.empty()) line(groupLine(group, 1)) = name;
    if (chosen->size >= 1 && std::isfinite(chosen->size)) line(groupLine(group, 2)) = core::shortestDecimal(chosen->size);
    line(groupLine(group, 3)) = chosen->bold ? "1" : "0";
    line(groupLine(group, 4)) = chosen->italic ? "1" : "0";
}

int ListingSettingsForm::colourLine(int k) {
    if (k >= firstColour && k <= 5) return groupLine(k, 5);
    if (k == 6 || k == 7) return groupLine(styleGroups, k - 3);  // group 7, lines 4 and 5
    return 0;
}

long ListingSettingsForm::colour(int k) const {
    const int n = colourLine(k);
    return n ? parseColour(line(n)) : 0;
}

void ListingSettingsForm::chooseColour(int k) {
    const int n = colourLine(k);
    if (!n) return;
    if (std::optional<long> chosen = session().platform().chooseColour(colourDialogTitle, colour(k)))
        line(n) = colourText(*chosen);
}

bool ListingSettingsForm::flag(int number) const { return numberOn(line(number)).value_or(0) != 0; }

std::string ListingSettingsForm::paginationCaption(int option) const {
    return std::string("Impaginazione ") + core::productName + " " + core::editionName(session().run().edition) +
           (option == 1 ? " (stile precedente)" : "");
}

std::vector<std::string> ListingSettingsForm::fileLines() const {
    std::vector<std::string> out(lines_.begin(), lines_.end());
    for (int i = 0; i < 4; ++i) out[static_cast<std::size_t>(i)] = core::printForm(edges_[static_cast<std::size_t>(i)]);
    out[4] = core::printForm(grid_);
    out[firstStyleLine - 1] = std::to_string(spacing_);
    return out;
}

void ListingSettingsForm::confirm() {
    std::vector<std::string> lines = fileLines();
    if (const int error = session().files().writeLines(path(), lines)) {
        session().platform().message(saveFailedText + std::to_string(error) + ".", "Attenzione", core::Icon::Critical);
        return;
    }
    // The next listing prints with what was saved.
    session().company().listing = listingSettingsFromLines(std::move(lines));
    close();
}

}  // namespace kalvora::printing
