#include "core/amounts.h"

#include "core/decimal.h"
#include "core/text.h"

#include <cmath>

namespace kalvora::core {

namespace {

struct Pattern {
    bool grouping = false;
    int minimumIntegerDigits = 0;
    int decimals = 0;
    int minimumDecimals = 0;  // up to the last '0' after the point; '#' beyond it is optional
};

Pattern parsePattern(std::string_view pattern) {
    Pattern p;
    const std::size_t point = pattern.find('.');
    const std::string_view integer = pattern.substr(0, point);
    for (char c : integer) {
        if (c == ',')
            p.grouping = true;
        else if (c == '0')
            ++p.minimumIntegerDigits;
    }
    if (point != std::string_view::npos) {
        for (char c : pattern.substr(point + 1)) {
            if (c == '#' || c == '0')
                ++p.decimals;
            if (c == '0')
                p.minimumDecimals = p.decimals;
        }
    }
    return p;
}

std::string group(const std::string& digits) {
    std::string out;
    out.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

}  // namespace

std::string formatAmount(double value, bool euro) {
    if (value == 0 || !std::isfinite(value))
        return {};
    return localiseNumber(value, euro ? "###,###,###,##0.#0" : "###,###,###,###");
}

double parseAmount(std::string_view text) {
    std::string plain;
    for (char c : trim(text)) {
        if (c == '.')
            continue;
        plain += c == ',' ? '.' : c;
    }
    return numericValue(plain);
}

std::string formatPattern(double value, std::string_view pattern) {
    if (!std::isfinite(value))
        return {};
    const Pattern p = parsePattern(pattern);
    const DecimalDigits d = decimalDigits(value);
    FixedDigits f = fixedDigits(d, p.decimals);
    while (f.fraction.size() > static_cast<std::size_t>(p.minimumDecimals) && f.fraction.back() == '0')
        f.fraction.pop_back();
    std::string integer = f.integer;
    if (integer.size() < static_cast<std::size_t>(p.minimumIntegerDigits))
        integer.insert(0, static_cast<std::size_t>(p.minimumIntegerDigits) - integer.size(), '0');
    const bool nonZero = f.integer.find_first_not_of('0') != std::string::npos ||
                         f.fraction.find_first_not_of('0') != std::string::npos;
    std::string out = d.negative && nonZero ? "-" : "";
    out += p.grouping ? group(integer) : integer;
    if (!f.fraction.empty())
        out += '.' + f.fraction;
    return out;
}

std::string localiseNumber(double value, std::string_view pattern) {
    // The pattern is formatted without the locale, so the separators are known: swap them.
    std::string text = formatPattern(value, pattern);
    for (char& c : text) {
        if (c == ',')
            c = '.';
        else if (c == '.')
            c = ',';
    }
    return text;
}

std::string localiseNumber(double value, std::string_view pattern, int decimals) {
    // The listing engine passes the currency's decimals to find the decimal point in text the
    // platform formatted; formatPattern never depends on the locale, so the point is already
    // known and the text is the same as with the fixed two decimals.
    (void)decimals;
    return localiseNumber(value, pattern);
}

}  // namespace kalvora::core
