#include "tables/carriers.h"

#include "core/text.h"
#include "support/test_session.h"
#include "tables/tables_file.h"

#include <gtest/gtest.h>

namespace kalvora::tables {
namespace {

using Field = CarrierField;
constexpr const char* tabFile = "kalwin/kalwin/kalaz0.000/kalvora.tab";
// Group 10 (T9 entries 1..40, six columns each) starts at line 401.
std::size_t carrierLine(int entry, int column) { return 400 + 6 * (entry - 1) + column; }

std::string starred(const std::string& subFields) {
    return "*" + core::padRight(subFields, CarriersForm::starredLength - 2) + "*";
}

class CarriersTest : public ::testing::Test {
protected:
    void SetUp() override {
        test.drive.makeInstallation(0);
        lines.assign(TablesFile::lineCount, "");
    }
    void write() { test.drive.write(tabFile, core::encodeLines(lines)); }
    std::vector<std::string> saved() {
        auto read = test.files.readLines(test.drive.path(tabFile));
        return read ? *read : std::vector<std::string>{};
    }

    std::vector<std::string> lines;
    testing::TestSession test;
    CarriersForm form{test.session};
};

TEST_F(CarriersTest, SubFieldsComeOutOfTheStarredField) {
    lines[carrierLine(1, 2)] = "Corriere Città";
    lines[carrierLine(1, 3)] = "Via Po, 4";
    lines[carrierLine(1, 4)] = "Torino";
    lines[carrierLine(1, 5)] = starred("IT01234567890     RSSMRA80A01L219X");
    lines[carrierLine(2, 5)] = "*I 987 ";  // short, still starred
    lines[carrierLine(3, 5)] = "  IT0123";  // not starred: replaced
    write();
    form.open();
    EXPECT_EQ(form.row(0), (CarrierRow{"Corriere Città", "Via Po, 4", "Torino", "IT", "01234567890", "RSSMRA80A01L219X"}));
    EXPECT_EQ(form.row(1)[3], "I");
    EXPECT_EQ(form.row(1)[4], "987");
    EXPECT_EQ(form.row(2), CarrierRow{});
    EXPECT_EQ(form.tables().t9.at(3, 5), starred(""));
    EXPECT_EQ(form.tables().t9.at(40, 5), starred(""));
}

TEST_F(CarriersTest, SubFieldsAreMergedBackAtSaveCutToTheirSlots) {
    lines[carrierLine(2, 5)] = starred("IT01234567890     RSSMRA80A01L219X") ;
    lines[carrierLine(2, 5)].replace(100, 3, "abc");  // what lies past the slots is kept
    lines[carrierLine(4, 5)] = "";  // an older file: no field yet
    lines[carrierLine(5, 5)] = "*IT";
    write();
    form.open();
    form.edit(1, Field::TaxCode, "01234567890");
    form.edit(1, Field::Country, "ITA");
    EXPECT_EQ(form.row(1)[5], "01234567890");
    // Memory keeps the field as read until the save.
    EXPECT_EQ(form.tables().t9.at(2, 5), lines[carrierLine(2, 5)]);
    form.edit(2, Field::Name, "Mittente");
    form.edit(2, Field::Address, "Riga 1\nRiga 2");
    form.confirm();
    ASSERT_TRUE(form.closed());

    const auto out = saved();
    ASSERT_EQ(out.size(), 930u);
    std::string expected = starred("IT01234567890     01234567890");
    expected.replace(100, 3, "abc");
    EXPECT_EQ(out[carrierLine(2, 5)], expected);
    EXPECT_EQ(out[carrierLine(3, 2)], "Mittente");
    EXPECT_EQ(out[carrierLine(3, 3)], "Riga 1 Riga 2");
    EXPECT_EQ(out[carrierLine(4, 5)], starred(""));
    EXPECT_EQ(out[carrierLine(5, 5)], starred("IT"));
    for (int k = 1; k <= CarriersForm::entryCount; ++k) {
        EXPECT_EQ(core::length(out[carrierLine(k, 5)]), 502u) << "carrier " << k;
    }
}

TEST_F(CarriersTest, EditsFollowTheScrolledPageAndEnterTheFocusOrder) {
    for (int k = 1; k <= 40; ++k) lines[carrierLine(k, 2)] = "Vettore " + std::to_string(k);
    write();
    form.open();
    form.scrollTo(99);
    EXPECT_EQ(form.firstEntry(), 23);
    EXPECT_EQ(form.row(17)[0], "Vettore 40");
    form.edit(17, Field::TaxId, "12345678901234567890");
    form.edit(17, Field::City, "Città");
    EXPECT_EQ(form.tables().t9.at(40, 4), "Città");
    form.scrollTo(1);
    form.scrollTo(23);
    EXPECT_EQ(form.row(17)[4], "12345678901234567890");  // the box keeps what was typed

    for (int f = 0; f + 1 < carrierFieldCount; ++f) {
        form.enterPressed(3, static_cast<Field>(f));
        EXPECT_EQ(static_cast<int>(form.focusedField()), f + 1);
        EXPECT_EQ(form.focusedRow(), 3);
    }
    form.enterPressed(3, Field::TaxCode);
    EXPECT_EQ(form.focusedRow(), 4);
    EXPECT_EQ(form.focusedField(), Field::Name);
    form.enterPressed(17, Field::TaxCode);  // at the end already
    EXPECT_EQ(form.firstEntry(), 23);
    EXPECT_EQ(form.focusedField(), Field::TaxCode);
    form.scrollTo(5);
    form.enterPressed(17, Field::TaxCode);
    EXPECT_EQ(form.firstEntry(), 6);
    EXPECT_EQ(form.focusedRow(), 17);
    EXPECT_EQ(form.focusedField(), Field::Name);

    form.confirm();
    EXPECT_EQ(saved()[carrierLine(40, 5)], starred("  1234567890123456"));
    EXPECT_TRUE(testing::matchesGolden("carriers/kalvora.tab", test.drive.read(tabFile)));
}

}  // namespace
}  // namespace kalvora::tables
