// kalvora.tab: any bytes load without harm; a window's save writes exactly 930 lines, its own
// cells as it holds them and every other value so that it reads back as it was read.
//
// An input starting with 'R' stands for a large file: the next two bytes give a line count
// (times two, at most 5,000, fewer when the lines are long) and the rest is the line repeated,
// so the fuzzer reaches files far longer than its input size.
#include "core/text.h"
#include "fuzz_drive.h"
#include "tables/tables_model.h"

#include <algorithm>

using namespace kalvora;

namespace {

constexpr std::size_t maxLines = 5000;
constexpr std::size_t maxBytes = 16u << 10;  // keeps runs quick; long lines come in plain inputs

std::string fileBytes(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::asText(data, size);
    if (size < 4 || text[0] != 'R') return std::string(text);
    const bool crlf = data[3] & 1;
    const std::string_view line = text.substr(4);
    const std::size_t count = std::min<std::size_t>({((data[1] << 8) | data[2]) * 2u, maxLines, maxBytes / (line.size() + 2)});
    std::string out;
    out.reserve(count * (line.size() + 2));
    for (std::size_t i = 0; i < count; ++i) {
        out += line;
        out += crlf ? "\r\n" : "\n";
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Drive drive;
    core::Files& files = drive.files;
    const core::Installation& inst = drive.inst;
    const std::string path = tables::tablesPath(inst, 0);
    fuzz::placeFile(files, path, fileBytes(data, size));

    const tables::TablesFile loaded = tables::loadTables(files, path);
    // The banks window's cells, holding each its place in the file.
    tables::TablesFile mine;
    for (int k = 1; k <= 30; ++k)
        for (int c = 0; c <= 4; ++c) mine.t8.at(k, c) = std::to_string(k * 10 + c);
    const tables::TablePart banks[] = {{&tables::TablesFile::t8, 1, 30, 0, 4}};
    std::optional<std::string> unstorable;
    const std::string bytes = tables::tablesBytes(loaded, mine, banks, &unstorable);
    fuzz::check(!unstorable, "every text read can be stored");
    fuzz::check(files.replaceFile(path, bytes) == 0, "save");
    const std::optional<std::string> saved = files.readBytes(path);
    // No value holds a line break: the file is 930 lines, each ending in CR LF.
    fuzz::check(saved.has_value(), "the file saved");
    int lines = 0;
    for (std::size_t pos = 0; pos < saved->size(); ++lines) {
        const std::size_t end = core::lineEnd(*saved, pos);
        fuzz::check(saved->compare(end, 2, "\r\n") == 0, "every line ends in CR LF");
        pos = end + 2;
    }
    fuzz::check(lines == tables::TablesFile::lineCount, "930 lines on disk");
    tables::TablesFile expected = loaded;
    expected.t8 = mine.t8;
    // A posting account holding a double quote that needs quoting cannot be written back whole.
    tables::TablesFile again = tables::parseTables(*saved);
    for (int k = 1; k <= 20; ++k)
        for (int c = 0; c <= 1; ++c)
            if (loaded.t6.at(k, c).find('"') != std::string::npos) again.t6.at(k, c) = loaded.t6.at(k, c);
    fuzz::check(again == expected, "every other value reads back as it was read");
    return 0;
}
