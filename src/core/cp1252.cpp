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

// The byte for a code point, or -1 when Windows-1252 has none.
int byteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (std::size_t i = 0; i < high.size(); ++i)
        if (high[i] == cp)
            return static_cast<int>(0x80 + i);
    return -1;
}

}  // namespace

std::string decodeCp1252(std::string_view bytes) {
    // Each byte above 0x7F becomes two or three bytes of UTF-8, made once for all 128.
    struct Sequence {
        char bytes[3];
        unsigned char size;
    };
    static const std::array<Sequence, 128> sequences = [] {
        std::array<Sequence, 128> table{};
        for (int b = 0x80; b <= 0xFF; ++b) {
            std::string utf8;
            utf8::append(utf8, codePointOf(static_cast<unsigned char>(b)));
            Sequence& s = table[b - 0x80];
            utf8.copy(s.bytes, utf8.size());
            s.size = static_cast<unsigned char>(utf8.size());
        }
        return table;
    }();
    // The exact size first, so the result is written in place with no growing.
    const char* const end = bytes.data() + bytes.size();
    std::size_t size = bytes.size();
    for (const char* p = utf8::asciiEnd(bytes.data(), end); p != end; p = utf8::asciiEnd(p + 1, end))
        size += sequences[static_cast<unsigned char>(*p) - 0x80].size - 1u;
    std::string out(size, '\0');
    char* to = out.data();
    for (const char* p = bytes.data(); p != end;) {
        // Plain ASCII is copied a run at a time.
        const char* run = utf8::asciiEnd(p, end);
        std::memcpy(to, p, static_cast<std::size_t>(run - p));
        to += run - p;
        if (run == end)
            break;
        const Sequence& s = sequences[static_cast<unsigned char>(*run) - 0x80];
        std::memcpy(to, s.bytes, s.size);
        to += s.size;
        p = run + 1;
    }
    return out;
}

std::string encodeCp1252(std::string_view text) {
    // Never longer than the text: written in place, then cut to size.
    std::string out(text.size(), '\0');
    char* to = out.data();
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char* run = utf8::asciiEnd(begin + pos, end);
        std::memcpy(to, begin + pos, static_cast<std::size_t>(run - (begin + pos)));
        to += run - (begin + pos);
        pos = static_cast<std::size_t>(run - begin);
        if (pos == text.size())
            break;
        const long cp = utf8::next(text, pos);
        const int b = cp < 0 ? -1 : byteOf(static_cast<char32_t>(cp));
        *to++ = b < 0 ? '?' : static_cast<char>(b);
    }
    out.resize(static_cast<std::size_t>(to - out.data()));
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

}  // namespace kalvora::core
