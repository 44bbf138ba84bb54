#include "company/company_files.h"

#include "core/dates.h"
#include "core/paths.h"
#include "core/record.h"
#include "tables/company_header_file.h"
#include "tables/tables_file.h"

#include <cstdio>
#include <functional>

namespace kalvora::company {

namespace {

constexpr std::size_t totRecord = 140;
constexpr std::size_t totRecords = 50;
constexpr std::size_t takingsRecord = 604;
constexpr std::size_t takingsRecords = 372;  // 12 months of 31 day slots
constexpr std::size_t masRecord = 40;
constexpr std::size_t masRecords = 9999;
constexpr std::size_t autRecord = 550;
constexpr std::size_t autRecords = 999;

// A blank kalvora.aut record: four texts, ten code/integer pairs, one long text.
core::Record blankAutomaticPosting() {
    core::Record r(autRecord);
    std::size_t at = 0;
    for (std::size_t width : {30u, 40u, 40u, 40u}) {
        r.fill(at, width, ' ');
        at += width;
    }
    for (int pair = 0; pair < 10; ++pair) {
        r.fill(at, 8, ' ');
        r.setInt16(at + 8, 0);
        at += 10;
    }
    r.fill(at, 300, ' ');
    return r;
}

std::string repeated(const core::Record& record, std::size_t count) {
    std::string bytes;
    bytes.reserve(record.length() * count);
    for (std::size_t i = 0; i < count; ++i) bytes.append(record.bytes().begin(), record.bytes().end());
    return bytes;
}

std::string yearText(int year) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d", year);
    return text;
}

}  // namespace

int createCompanyFiles(core::Session& session, int code, const std::vector<std::string>& header,
                       const std::string& year, ExistingFiles existing) {
    core::Files& files = session.files();
    const std::string folder = session.installation().companyFolder(code);
    const core::Date today = session.clock().today();
    const std::string takings = "kal" + yearText(today.year);
    auto path = [&](const std::string& name) { return core::joinPath(folder, name); };

    int first = 0;
    auto step = [&first](int error) {
        if (first == 0) first = error;
    };

    step(files.makeDirectories(folder));
    auto write = [&](const std::string& name, const std::function<int(const std::string&)>& make) {
        const std::string target = path(name);
        if (existing == ExistingFiles::Keep && files.exists(target)) return;
        step(make(target));
    };
    // Records of one byte value, built only when the file is written.
    auto filled = [&files](std::size_t size, char byte) {
        return [&files, size, byte](const std::string& target) {
            return files.replaceFile(target, std::string(size, byte));
        };
    };
    write("kalvora.a14", [&](const std::string& t) { return files.writeLines(t, {core::toDdMmYyyy(today)}); });
    write("kalvora.tot", filled(totRecord * totRecords, '\0'));
    write(takings + ".cor", filled(takingsRecord * takingsRecords, '\0'));
    write(takings + ".crr", filled(takingsRecord * takingsRecords, '\0'));
    write("kalvora.mas", filled(masRecord * masRecords, ' '));
    write("kalvora.aut", [&](const std::string& t) {
        return files.replaceFile(t, repeated(blankAutomaticPosting(), autRecords));
    });
    write("kalvora.tab", [&](const std::string& t) { return tables::writeDefaultTables(files, t); });
    write("kalvora.int", [&](const std::string& t) { return tables::writeCompanyHeader(files, t, header, year); });
    return first;
}

}  // namespace kalvora::company
