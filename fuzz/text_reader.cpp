// Arbitrary bytes through the text decoding and both input styles; the decoded text must
// encode back to the very same bytes. The bytes taken as UTF-8 encode character by character
// as the full decoder splits them: a byte for each character that has one, '?' for the rest.
#include "core/cp1252.h"
#include "core/files.h"
#include "core/text.h"
#include "core/utf8.h"

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

namespace {

std::string encodedOneByOne(const std::string& utf8, bool& fits) {
    static const std::map<long, char> byteOf = [] {
        std::map<long, char> m;
        for (int b = 0; b < 256; ++b) {
            std::size_t pos = 0;
            m[kalvora::core::utf8::next(kalvora::core::decodeCp1252(std::string(1, static_cast<char>(b))), pos)] =
                static_cast<char>(b);
        }
        return m;
    }();
    std::string out;
    fits = true;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const auto found = byteOf.find(kalvora::core::utf8::next(utf8, pos));
        fits = fits && found != byteOf.end();
        out += found == byteOf.end() ? '?' : found->second;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = kalvora::core::decodeCp1252(bytes);
    if (kalvora::core::encodeCp1252(text) != bytes)
        std::abort();
    bool fits = false;
    if (kalvora::core::encodeCp1252(bytes) != encodedOneByOne(bytes, fits) || kalvora::core::fitsCp1252(bytes) != fits)
        std::abort();

    kalvora::core::TextReader lines(text);
    std::size_t count = 0;
    while (auto line = lines.readLine()) {
        if (++count > size + 1)
            std::abort();  // every line consumes at least one byte
        (void)kalvora::core::numericValue(*line);
        (void)kalvora::core::padRight(*line, 8);
    }

    kalvora::core::TextReader items(text);
    count = 0;
    while (auto item = items.readItem()) {
        if (++count > size + 1)
            std::abort();
        if (kalvora::core::encodeCp1252(*item).size() > size)
            std::abort();
    }
    if (!items.atEnd())
        std::abort();

    // Mixed use, as the file readers do: some items, then lines.
    kalvora::core::TextReader mixed(text);
    for (int i = 0; i < 3 && mixed.readItem(); ++i) {
    }
    while (mixed.readLine()) {
    }
    return 0;
}
