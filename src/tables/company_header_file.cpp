#include "tables/company_header_file.h"

#include "core/text.h"

#include <optional>

namespace kalvora::tables {

std::vector<std::string> readCompanyHeader(const core::Files& files, std::string_view path) {
    std::vector<std::string> fields(companyHeaderLines);
    std::optional<std::vector<std::string>> lines = files.readLines(path);
    if (!lines)
        return fields;
    for (std::size_t i = 0; i < fields.size() && i < lines->size(); ++i)
        fields[i] = std::move((*lines)[i]);
    return fields;
}

int writeCompanyHeader(core::Files& files, std::string_view path, const std::vector<std::string>& fields,
                       std::string_view year) {
    std::vector<std::string> lines(companyHeaderLines);
    for (std::size_t i = 0; i + 1 < lines.size() && i < fields.size(); ++i)
        lines[i] = core::singleLine(fields[i]);
    lines.back() = core::trim(core::singleLine(year));
    return files.writeLines(path, lines);
}

}  // namespace kalvora::tables
