#pragma once
// UTF-8 stepping shared by the text and encoding helpers. A byte that does not start a valid
// sequence counts as one character of its own, so malformed text never stops a loop.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace kalvora::core::utf8 {

// The end of the plain ASCII bytes (the same in UTF-8 and Windows-1252) from `p`, looked at
// eight at a time: most of every file is.
inline const char* asciiEnd(const char* p, const char* end) {
    for (std::uint64_t word; end - p >= 8; p += 8) {
        std::memcpy(&word, p, 8);
        if ((word & 0x8080808080808080ull) != 0)
            break;
    }
    while (p != end && static_cast<unsigned char>(*p) < 0x80)
        ++p;
    return p;
}

// Decodes the character at `pos` and moves past it; -1 for a malformed byte (one byte skipped).
inline long next(std::string_view s, std::size_t& pos) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    std::size_t extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        cp = b0 & 0x1F;
        minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        cp = b0 & 0x0F;
        minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        cp = b0 & 0x07;
        minimum = 0x10000;
    } else {
        ++pos;
        return -1;
    }
    if (pos + extra >= s.size()) {
        ++pos;
        return -1;
    }
    for (std::size_t i = 1; i <= extra; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return -1;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return -1;
    }
    pos += extra + 1;
    return static_cast<long>(cp);
}

inline void append(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Byte offset of the character `count` characters after `pos` (or the end of the text).
inline std::size_t advance(std::string_view s, std::size_t pos, std::size_t count) {
    while (count > 0 && pos < s.size()) {
        next(s, pos);
        --count;
    }
    return pos;
}

}  // namespace kalvora::core::utf8
