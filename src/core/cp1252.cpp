#include "core/cp1252.h"

#include "core/utf8.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace kalvora::core {

namespace {

// Code points of the bytes 0x80..0x9F. The five bytes Windows-1252 leaves undefined keep
// their own value (C1 controls) so that they survive a round trip.
constexpr std::array<char32_t, 32> high = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t codePointOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return high[byte - 0x80];
    return byte;
}

// The byte for a code point, or -1 when Windows-1252 has none. The code points of 0x80..0x9F
// are all below U+2200 and are looked up in a table made once.
int byteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    constexpr char32_t tableEnd = 0x2200;
    static const std::array<unsigned char, tableEnd> bytes = [] {
        std::array<unsigned char, tableEnd> table{};
        for (std::size_t i = 0; i < high.size(); ++i)
            table[high[i]] = static_cast<unsigned char>(0x80 + i);
        return table;
    }();
    return cp < tableEnd && bytes[cp] != 0 ? bytes[cp] : -1;
}

// The UTF-8 of every byte, padded to four so that it is copied whole.
struct Sequence {
    char bytes[3];
    unsigned char size;
};

const std::array<Sequence, 256>& sequences() {
    static const std::array<Sequence, 256> table = [] {
        std::array<Sequence, 256> t{};
        for (int b = 0; b <= 0xFF; ++b) {
            std::string utf8;
            utf8::append(utf8, codePointOf(static_cast<unsigned char>(b)));
            utf8.copy(t[b].bytes, utf8.size());
            t[b].size = static_cast<unsigned char>(utf8.size());
        }
        return t;
    }();
    return table;
}

bool ascii(const unsigned char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    return (word & 0x8080808080808080ull) == 0;
}

}  // namespace

std::string decodeCp1252(std::string_view bytes) {
    // Eight bytes at a time: a word of plain ASCII is copied as it is, any other byte by byte
    // from the table. The exact size is counted first so the result never grows.
    const Sequence* const table = sequences().data();
    const auto* const in = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    const std::size_t words = n / 8 * 8;
    std::size_t size = n;
    for (std::size_t i = 0; i < words; i += 8)
        if (!ascii(in + i))
            for (std::size_t k = i; k < i + 8; ++k)
                size += table[in[k]].size - 1u;
    for (std::size_t k = words; k < n; ++k)
        size += table[in[k]].size - 1u;
    // Three spare bytes: every sequence is copied as four.
    std::string out(size + 3, '\0');
    char* to = out.data();
    for (std::size_t i = 0; i < n;) {
        if (i < words && ascii(in + i)) {
            std::memcpy(to, in + i, 8);
            to += 8;
            i += 8;
            continue;
        }
        for (const std::size_t stop = i < words ? i + 8 : n; i < stop; ++i) {
            const Sequence& s = table[in[i]];
            std::memcpy(to, &s, 4);
            to += s.size;
        }
    }
    out.resize(size);
    return out;
}

bool appendCp1252(std::string& out, std::string_view text) {
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    // Plain ASCII, most text, is its own encoding.
    const char* const ascii = utf8::asciiEnd(begin, end);
    if (ascii == end) {
        out.append(text);
        return true;
    }
    // Never longer than the text: written in place, then cut to size.
    bool fits = true;
    const std::size_t start = out.size();
    out.resize(start + text.size());
    char* to = out.data() + start;
    for (const char* p = begin; p != end;) {
        const char* run = utf8::asciiEnd(p, end);
        std::memcpy(to, p, static_cast<std::size_t>(run - p));
        to += run - p;
        p = run;
        if (p == end)
            break;
        // Every character Windows-1252 has is two or three bytes of UTF-8: those are taken apart
        // here, anything else (four bytes, malformed) by the full decoder.
        const auto at = [&](std::ptrdiff_t i) { return static_cast<unsigned char>(p[i]); };
        const auto follows = [&](std::ptrdiff_t i) { return end - p > i && (at(i) & 0xC0) == 0x80; };
        long cp = -1;
        if (at(0) >= 0xC2 && at(0) <= 0xDF && follows(1)) {
            cp = ((at(0) & 0x1F) << 6) | (at(1) & 0x3F);
            p += 2;
        } else if ((at(0) & 0xF0) == 0xE0 && follows(1) && follows(2) &&
                   (cp = ((at(0) & 0x0F) << 12) | ((at(1) & 0x3F) << 6) | (at(2) & 0x3F)) >= 0x800 &&
                   (cp < 0xD800 || cp > 0xDFFF)) {
            p += 3;
        } else {
            std::size_t pos = static_cast<std::size_t>(p - begin);
            cp = utf8::next(text, pos);
            p = begin + pos;
        }
        const int b = cp < 0 ? -1 : byteOf(static_cast<char32_t>(cp));
        fits = fits && b >= 0;
        *to++ = b < 0 ? '?' : static_cast<char>(b);
    }
    out.resize(static_cast<std::size_t>(to - out.data()));
    return fits;
}

std::string encodeCp1252(std::string_view text) {
    std::string out;
    appendCp1252(out, text);
    return out;
}

bool fitsCp1252(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        pos = static_cast<std::size_t>(utf8::asciiEnd(text.data() + pos, text.data() + text.size()) - text.data());
        if (pos == text.size())
            break;
        const long cp = utf8::next(text, pos);
        if (cp < 0 || byteOf(static_cast<char32_t>(cp)) < 0)
            return false;
    }
    return true;
}

std::string charactersOutsideCp1252(std::string_view text) {
    std::string found;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        utf8::next(text, pos);
        const std::string_view character = text.substr(start, pos - start);
        if (fitsCp1252(character) || found.find(character) != std::string::npos)
            continue;
        if (!found.empty())
            found += ' ';
        found += character;
    }
    return found;
}

}  // namespace kalvora::core
