#include "tables/currency_file.h"

#include "core/text.h"

#include <optional>

namespace kalvora::tables {

void loadCurrency(const core::Files& files, const core::Installation& inst,
                  std::array<std::string, 21>& items) {
    items = {};
    std::optional<core::TextReader> reader = files.openText(inst.file("kalvora.eur"));

    bool itemsRead = reader.has_value();
    for (int i = 1; i <= 5 && itemsRead; ++i) {
        std::optional<std::string> item = reader->readItem();
        if (!item) {
            itemsRead = false;
            break;
        }
        items[i] = std::move(*item);
    }
    if (!itemsRead) {
        items[1] = "1";
        items[2] = "1936.27";
        items[3] = "ITL";
        items[4] = "EUR";
        items[5] = "2";
    }

    std::optional<std::string> line6 = reader ? reader->readLine() : std::nullopt;
    items[6] = line6 ? std::move(*line6) : "0";
    std::optional<std::string> line7 = reader ? reader->readLine() : std::nullopt;
    items[11] = line7 ? std::move(*line7) : "9";

    items[1] = core::numericValue(items[1]) != 0 ? "1" : "0";
}

}  // namespace kalvora::tables
