#include "core/general_settings.h"
#include "core/record.h"

#include <gtest/gtest.h>

namespace kalvora::core {
namespace {

TEST(Record, TypedFieldsAreLittleEndianAndTextIsPaddedAndCut) {
    Record r(16);
    r.setInt16(0, -2);
    r.setFloat64(2, 16579315.0);  // 0x416F9F5E60000000 as an IEEE double
    EXPECT_EQ(std::vector<std::uint8_t>(r.bytes().begin(), r.bytes().begin() + 10),
              (std::vector<std::uint8_t>{0xFE, 0xFF, 0, 0, 0, 0x60, 0x5E, 0x9F, 0x6F, 0x41}));
    Record t(std::string(10, 'z'));
    t.setText(1, 4, "è");
    EXPECT_EQ(t.text(0, 10), "zè   zzzzz");
    t.setText(1, 2, "Città");
    EXPECT_EQ(t.text(1, 4), "Ci  ");
}

TEST(Record, FieldsOutsideTheRecordNeverGrowOrCrash) {
    Record r(4);
    r.setFloat64(2, 1.0);
    r.setText(3, 5, "abcde");
    r.setInt16(100, 7);
    r.fill(3, 100, '!');
    EXPECT_EQ(r.text(3, 5) + r.text(50, 2), "!");
    EXPECT_EQ(r.float64(100) + r.length(), 4.0);
}

TEST(GeneralSettings, KeepsExactly479Bytes) {
    EXPECT_EQ(GeneralSettings(Record(std::string(10, '\x01'))).record().length(), 479u);
    EXPECT_EQ(GeneralSettings(Record(std::string(600, 'q'))).pdfReaderPath(), std::string(120, 'q'));
    GeneralSettings g(Record(std::string(479, 'x')));
    g.setLeadingInteger(5, 6);
    g.setLeadingInteger(6, 99);  // not a leading integer: ignored
    EXPECT_EQ(g.record().int16(10), 6);
    EXPECT_EQ(g.record().bytes()[12], 'x');
}

}  // namespace
}  // namespace kalvora::core
