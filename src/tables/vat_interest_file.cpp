#include "tables/vat_interest_file.h"

#include "core/text.h"

#include <optional>
#include <vector>

namespace kalvora::tables {

std::string vatInterestPath(const core::Installation& inst, int companyCode) {
    return inst.companyFile(companyCode, "kalvora.ilm");
}

void loadVatInterest(const core::Files& files, std::string_view path, Table& t1) {
    std::optional<core::TextReader> reader = files.openText(path);
    for (int entry = 0; entry < vatInterestLines; ++entry) {
        std::optional<std::string> line = reader ? reader->readLine() : std::nullopt;
        t1.at(entry, vatInterestColumn) = line ? std::move(*line) : std::string();
    }
}

int saveVatInterest(core::Files& files, std::string_view path, const Table& t1) {
    std::vector<std::string> lines;
    lines.reserve(vatInterestLines);
    for (int entry = 0; entry < vatInterestLines; ++entry) lines.push_back(core::singleLine(t1.at(entry, vatInterestColumn)));
    return files.writeLines(path, lines);
}

}  // namespace kalvora::tables
