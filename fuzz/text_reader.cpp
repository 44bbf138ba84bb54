// Arbitrary bytes through the text decoding and both input styles; the decoded text must
// encode back to the very same bytes.
#include "core/cp1252.h"
#include "core/files.h"
#include "core/text.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = kalvora::core::decodeCp1252(bytes);
    if (kalvora::core::encodeCp1252(text) != bytes)
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
