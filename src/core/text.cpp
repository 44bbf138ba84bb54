#include "core/text.h"

#include "core/utf8.h"

#include <bit>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace kalvora::core {

namespace {

char32_t upperCodePoint(char32_t c) {
    if (c >= 'a' && c <= 'z')
        return c - 0x20;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return c - 0x20;
    switch (c) {
    case 0xFF: return 0x178;  // ÿ
    case 0x161: return 0x160;  // š
    case 0x153: return 0x152;  // œ
    case 0x17E: return 0x17D;  // ž
    default: return c;
    }
}

char32_t lowerCodePoint(char32_t c) {
    if (c >= 'A' && c <= 'Z')
        return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return c + 0x20;
    switch (c) {
    case 0x178: return 0xFF;
    case 0x160: return 0x161;
    case 0x152: return 0x153;
    case 0x17D: return 0x17E;
    default: return c;
    }
}

template <typename Map>
std::string mapCase(std::string_view s, Map map) {
    std::string out;
    out.reserve(s.size());
    std::size_t pos = 0;
    while (pos < s.size()) {
        const std::size_t start = pos;
        const long cp = utf8::next(s, pos);
        if (cp < 0)
            out.append(s.substr(start, pos - start));  // malformed bytes pass through untouched
        else
            utf8::append(out, map(static_cast<char32_t>(cp)));
    }
    return out;
}

bool isBlank(char c) { return c == ' '; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::size_t length(std::string_view s) {
    std::size_t n = 0;
    std::size_t pos = 0;
    while (pos < s.size()) {
        utf8::next(s, pos);
        ++n;
    }
    return n;
}

std::string left(std::string_view s, std::size_t count) {
    return std::string(s.substr(0, utf8::advance(s, 0, count)));
}

std::string right(std::string_view s, std::size_t count) {
    const std::size_t n = length(s);
    if (count >= n)
        return std::string(s);
    return std::string(s.substr(utf8::advance(s, 0, n - count)));
}

std::string mid(std::string_view s, std::size_t start, std::size_t count) {
    const std::size_t from = utf8::advance(s, 0, start > 0 ? start - 1 : 0);
    const std::size_t to = count == std::string_view::npos ? s.size() : utf8::advance(s, from, count);
    return std::string(s.substr(from, to - from));
}

std::string padRight(std::string_view s, std::size_t width) {
    const std::size_t end = utf8::advance(s, 0, width);
    std::string out(s.substr(0, end));
    const std::size_t n = length(out);
    if (n < width)
        out.append(width - n, ' ');
    return out;
}

std::string trimLeft(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && isBlank(s[i]))
        ++i;
    return std::string(s.substr(i));
}

std::string trimRight(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && isBlank(s[n - 1]))
        --n;
    return std::string(s.substr(0, n));
}

std::string trim(std::string_view s) { return trimLeft(trimRight(s)); }

std::string upper(std::string_view s) { return mapCase(s, upperCodePoint); }
std::string lower(std::string_view s) { return mapCase(s, lowerCodePoint); }

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const std::size_t ai = i;
        const std::size_t bj = j;
        const long ca = utf8::next(a, i);
        const long cb = utf8::next(b, j);
        if (ca < 0 || cb < 0) {
            if (a.substr(ai, i - ai) != b.substr(bj, j - bj))
                return false;
        } else if (upperCodePoint(static_cast<char32_t>(ca)) != upperCodePoint(static_cast<char32_t>(cb))) {
            return false;
        }
    }
    return i == a.size() && j == b.size();
}

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

std::vector<std::string> split(std::string_view s, char separator) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = s.find(separator, start);
        if (at == std::string_view::npos) {
            out.emplace_back(s.substr(start));
            return out;
        }
        out.emplace_back(s.substr(start, at - start));
        start = at + 1;
    }
}

std::string threeDigits(int code) {
    const std::string text = "000" + std::to_string(code);
    return text.substr(text.size() - 3);
}

double numericValue(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    // Rebuilt in the plain form from_chars reads, whatever the system locale.
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            number.push_back('-');
        ++i;
    }
    bool digits = false;
    while (i < s.size() && isDigit(s[i])) {
        number.push_back(s[i++]);
        digits = true;
    }
    if (i < s.size() && s[i] == '.') {
        number.push_back('.');
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            number.push_back(s[i++]);
            digits = true;
        }
    }
    if (!digits)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exponent.push_back(s[j++]);
        if (j < s.size() && isDigit(s[j])) {
            while (j < s.size() && isDigit(s[j]))
                exponent.push_back(s[j++]);
            number += exponent;
        }
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)ptr;
    if (ec != std::errc() || !std::isfinite(value))
        return 0;
    return value;
}

int integerValue(std::string_view s) {
    const double v = std::trunc(numericValue(s));
    if (v >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (v <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(v);
}

namespace {

// Whether any of the eight bytes of `word` is a control character (below 0x20 or 0x7F) or
// 0xE2, the lead byte of U+2028 and U+2029.
bool mayNeedBlank(std::uint64_t word) {
    constexpr std::uint64_t ones = 0x0101010101010101ull;
    constexpr std::uint64_t highs = 0x8080808080808080ull;
    const auto hasZero = [](std::uint64_t w) { return ((w - ones) & ~w & highs) != 0; };
    const bool below20 = ((word - 0x20 * ones) & ~word & highs) != 0;
    return below20 || hasZero(word ^ (0x7F * ones)) || hasZero(word ^ (0xE2 * ones));
}

}  // namespace

std::size_t lineEnd(std::string_view s, std::size_t pos) {
    // Eight bytes at a time: a byte of the word is CR or LF when, xored with it, it is zero.
    // The lowest flagged byte is always a true one, and on a little-endian machine the lowest
    // byte of the word is the first in the text.
    static_assert(std::endian::native == std::endian::little);
    constexpr std::uint64_t ones = 0x0101010101010101ull;
    constexpr std::uint64_t highs = 0x8080808080808080ull;
    const auto zeroByte = [](std::uint64_t v) { return (v - ones) & ~v & highs; };
    for (; s.size() - pos >= 8; pos += 8) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + pos, 8);
        if (const std::uint64_t found = zeroByte(word ^ (ones * '\n')) | zeroByte(word ^ (ones * '\r')))
            return pos + static_cast<std::size_t>(std::countr_zero(found)) / 8;
    }
    while (pos < s.size() && s[pos] != '\n' && s[pos] != '\r')
        ++pos;
    return pos;
}

std::string singleLine(std::string_view s) {
    // Most values hold nothing to blank: they are skipped eight bytes at a time and copied whole.
    std::size_t start = 0;
    for (; start + 8 <= s.size(); start += 8) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + start, 8);
        if (mayNeedBlank(word))
            break;
    }
    std::string out(s.substr(0, start));
    out.reserve(s.size());
    for (std::size_t i = start; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        // U+2028 and U+2029 are E2 80 A8 and E2 80 A9 in UTF-8.
        if (c == 0xE2 && i + 2 < s.size() && static_cast<unsigned char>(s[i + 1]) == 0x80 &&
            (static_cast<unsigned char>(s[i + 2]) == 0xA8 || static_cast<unsigned char>(s[i + 2]) == 0xA9)) {
            out += ' ';
            i += 2;
        } else {
            out += c < 0x20 || c == 0x7F ? ' ' : static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace kalvora::core
