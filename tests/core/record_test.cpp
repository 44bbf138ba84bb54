#include "core/general_settings.h"
#include "core/record.h"

#include <gtest/gtest.h>

namespace kalvora::core {
namespace {

TEST(Record, TypedFieldsAreLittleEndian) {
    Record r(16);
    r.setInt16(0, -2);
    r.setFloat64(2, 16579315.0);
    EXPECT_EQ(r.bytes()[0], 0xFE);
    EXPECT_EQ(r.bytes()[1], 0xFF);
    EXPECT_EQ(r.int16(0), -2);
    // 16579315 = 0x416F9F5E60000000 as an IEEE double
    EXPECT_EQ(r.bytes()[9], 0x41);
    EXPECT_EQ(r.bytes()[8], 0x6F);
}

TEST(Record, TextIsPaddedCutAndDecoded) {
    Record r(std::string(10, 'z'));
    r.setText(1, 4, "è");
    EXPECT_EQ(r.text(0, 10), "zè   zzzzz");
    r.setText(1, 2, "Città");
    EXPECT_EQ(r.text(1, 4), "Ci  ");
}

TEST(Record, FieldsOutsideTheRecordNeverGrowOrCrash) {
    Record r(4);
    r.setFloat64(2, 1.0);
    r.setText(3, 5, "abcde");
    r.setInt16(100, 7);
    r.fill(3, 100, '!');
    EXPECT_EQ(r.length(), 4u);
    EXPECT_EQ(r.text(3, 5), "!");
    EXPECT_EQ(r.text(50, 2), "");
    EXPECT_EQ(r.float64(100), 0.0);
}

TEST(GeneralSettings, KeepsExactly479Bytes) {
    EXPECT_EQ(GeneralSettings(Record(std::string(10, '\x01'))).record().length(), 479u);
    const GeneralSettings longer(Record(std::string(600, 'q')));
    EXPECT_EQ(longer.record().length(), 479u);
    EXPECT_EQ(longer.pdfReaderPath(), std::string(120, 'q'));
    GeneralSettings shortOne(Record(std::string("\x05\x00\x06\x00", 4)));
    EXPECT_EQ(shortOne.leadingInteger(1), 6);
    EXPECT_EQ(shortOne.leadingInteger(2), 0);
}

TEST(GeneralSettings, LeadingIntegersAndVersionFill) {
    GeneralSettings g(Record(std::string(479, 'x')));
    for (int i = 0; i < 6; ++i)
        g.setLeadingInteger(i, static_cast<std::int16_t>(i + 1));
    g.setLeadingInteger(6, 99);  // not a leading integer: ignored
    EXPECT_EQ(g.record().int16(10), 6);
    EXPECT_EQ(g.record().bytes()[12], 'x');
    EXPECT_EQ(g.leadingInteger(-1), 0);
    g.applyVersionFill();
    EXPECT_EQ(g.versionMarker(), "9");
    EXPECT_EQ(g.refreshLists(), "1");
    EXPECT_EQ(g.firstColour(), 16579315.0);
    EXPECT_EQ(g.secondColour(), 16777215.0);
    EXPECT_EQ(g.alternateColours(), "1");
    EXPECT_EQ(g.dropAlternateOver10000(), "1");
    EXPECT_EQ(g.defaultVatCode(), "xx");  // untouched by the fill
}

}  // namespace
}  // namespace kalvora::core
