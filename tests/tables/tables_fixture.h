#pragma once
// What the tests of the tables files and their windows share: a session on company 000, the files
// as lines, and where each cell lies in the tables file (line numbers from 0, written by hand
// from the file's table of groups).
#include "core/files.h"
#include "support/test_session.h"
#include "tables/tables_model.h"

#include <fstream>
#include <iterator>
#include <utility>

#include <gtest/gtest.h>

namespace kalvora::tables {

inline constexpr const char* tabFile = "kalwin/kalwin/kalaz0.000/kalvora.tab";
inline constexpr const char* tb2File = "kalwin/kalwin/kalaz0.000/kalvora.tb2";
inline constexpr const char* ilmFile = "kalwin/kalwin/kalaz0.000/kalvora.ilm";

inline std::string goldenBytes(const std::string& name) {
    std::ifstream in(std::string(KALVORA_GOLDEN_DIR) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// First halves in groups 1..10, second halves in groups 11..18.
inline int t1Line(int k, int c) { return k <= 8 ? 4 * (k - 1) + c : 640 + 4 * (k - 9) + c; }
inline int t3Line(int k, int c) { return k <= 8 ? 56 + 2 * k + c : 696 + 2 * (k - 9) + c; }
inline int t4Line(int k, int c) { return k <= 8 ? 74 + 2 * k + c : 712 + 2 * (k - 9) + c; }
inline int t5Line(int k, int c) { return (k <= 30 ? 92 + 2 * (k - 1) : 728 + 2 * (k - 31)) + c; }
inline int t6Line(int k, int c) { return (k <= 9 ? 152 + 2 * (k - 1) : 788 + 2 * (k - 10)) + c; }
inline int t7Line(int k, int c) { return k <= 40 ? 170 + 40 * c + (k - 1) : 810 + 60 * c + (k - 41); }
inline int t8Line(int k, int c) { return 250 + 5 * (k - 1) + c; }
inline int t9Line(int k, int c) { return 400 + 6 * (k - 1) + c; }

class TablesTest : public ::testing::Test {
protected:
    void SetUp() override { test.drive.makeInstallation(0); }

    void write(const char* file, const std::vector<std::string>& lines) const {
        test.drive.write(file, core::encodeLines(lines));
    }
    // 930 empty lines with the given (line, value) cells.
    static std::vector<std::string> tabLines(std::initializer_list<std::pair<int, std::string>> cells) {
        std::vector<std::string> lines(TablesFile::lineCount);
        for (const auto& [line, value] : cells) lines.at(static_cast<std::size_t>(line)) = value;
        return lines;
    }
    void writeTab(std::initializer_list<std::pair<int, std::string>> cells) const { write(tabFile, tabLines(cells)); }
    void writeFullTab() const { test.drive.write(tabFile, goldenBytes("tables/kalvora_full_saved.tab")); }
    std::vector<std::string> read(const char* file = tabFile) const {
        return test.files.readLines(test.drive.path(file)).value_or(std::vector<std::string>{});
    }
    // Conferma, which must close the window, then the tables file as saved.
    template <typename Form> std::vector<std::string> confirmed(Form& form) const {
        form.confirm();
        EXPECT_TRUE(form.closed()) << form.name();
        return read();
    }

    testing::TestSession test;
};

}  // namespace kalvora::tables
