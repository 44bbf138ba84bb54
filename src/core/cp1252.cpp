#include "core/cp1252.h"

#include "core/utf8.h"

#include <array>
#include <cstdint>

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
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        // Plain ASCII, most of every file, is copied a run at a time.
        std::size_t end = pos;
        while (end < bytes.size() && static_cast<unsigned char>(bytes[end]) < 0x80)
            ++end;
        out.append(bytes.data() + pos, end - pos);
        if (end == bytes.size())
            break;
        utf8::append(out, codePointOf(static_cast<unsigned char>(bytes[end])));
        pos = end + 1;
    }
    return out;
}

std::string encodeCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const long cp = utf8::next(text, pos);
        const int b = cp < 0 ? -1 : byteOf(static_cast<char32_t>(cp));
        out.push_back(b < 0 ? '?' : static_cast<char>(b));
    }
    return out;
}

bool fitsCp1252(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        const long cp = utf8::next(text, pos);
        if (cp < 0 || byteOf(static_cast<char32_t>(cp)) < 0)
            return false;
    }
    return true;
}

}  // namespace kalvora::core
