#include "tables/carriers.h"

#include "core/text.h"
#include "tables_fixture.h"

namespace kalvora::tables {
namespace {

using Field = CarrierField;

std::string starred(const std::string& subFields) {
    return "*" + core::padRight(subFields, CarriersForm::starredLength - 2) + "*";
}

class CarriersTest : public TablesTest {
protected:
    CarriersForm form{test.session};
};

TEST_F(CarriersTest, SubFieldsComeOutOfTheStarredFieldAndGoBackCutToTheirSlots) {
    std::string kept = starred("IT01234567890     RSSMRA80A01L219X");
    kept.replace(100, 3, "abc");  // what lies past the slots is kept
    writeTab({{t9Line(1, 2), "Corriere Città"}, {t9Line(1, 3), "Via Po, 4"}, {t9Line(1, 5), kept},
              {t9Line(2, 5), "*I 987 "},     // short, still starred
              {t9Line(3, 5), "  IT0123"}});  // not starred: replaced
    form.open();
    EXPECT_EQ(form.row(0), (CarrierRow{"Corriere Città", "Via Po, 4", "", "IT", "01234567890", "RSSMRA80A01L219X"}));
    EXPECT_EQ(form.row(1)[3] + "|" + form.row(1)[4], "I|987");
    EXPECT_EQ(form.row(2), CarrierRow{});
    form.edit(0, Field::TaxCode, "01234567890");
    form.edit(0, Field::Country, "ITA");
    EXPECT_EQ(form.tables().t9.at(1, 5), kept);  // merged at the save only
    form.scrollTo(99);  // entries 23..40
    form.edit(17, Field::TaxId, "12345678901234567890");
    form.scrollTo(1);
    form.scrollTo(23);
    EXPECT_EQ(form.row(17)[4], "12345678901234567890");  // the box keeps what was typed
    const std::vector<std::string> saved = confirmed(form);
    std::string expected = starred("IT01234567890     01234567890");
    expected.replace(100, 3, "abc");
    EXPECT_EQ(saved[t9Line(1, 5)], expected);
    EXPECT_EQ(saved[t9Line(2, 5)], starred("I 987"));
    EXPECT_EQ(saved[t9Line(40, 5)], starred("  1234567890123456"));
}

}  // namespace
}  // namespace kalvora::tables
