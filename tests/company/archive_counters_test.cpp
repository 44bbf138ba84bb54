#include "company/archive_counters.h"
#include "support/archive_bytes.h"
#include "support/test_session.h"
#include "tables/einvoice_issuer.h"

#include <gtest/gtest.h>

namespace kalvora::company {
namespace {

using Box = ArchiveCountersForm::Box;

const std::string tot = "kalwin/kalwin/kalaz0.000/kalvora.tot";
const std::string fpa = "kalwin/kalwin/kalaz0.000/kalvora.fpa";
const std::string marker = "kalwin/kalwin/kalaz0.000/kalvora.a14";

// Each box of the window, the record of kalvora.tot and the byte of the double it stands for.
struct Slot {
    Box box;
    int index;
    std::size_t record;
    std::size_t offset;
};
const std::vector<Slot> slots = {
    {Box::Text1, 0, 1, 0},   {Box::Text1, 1, 16, 0},  {Box::Text1, 2, 2, 0},   {Box::Text1, 3, 7, 0},
    {Box::Text1, 4, 8, 0},   {Box::Text1, 5, 9, 0},   {Box::Text1, 6, 10, 0},  {Box::Text1, 7, 3, 0},
    {Box::Text1, 8, 3, 32},  {Box::Text1, 9, 4, 0},   {Box::Text1, 10, 11, 0}, {Box::Text1, 11, 12, 0},
    {Box::Text1, 12, 14, 0}, {Box::Text1, 13, 15, 0}, {Box::Text1, 14, 17, 0}, {Box::Text1, 15, 18, 0},
    {Box::Text1, 16, 19, 0}, {Box::Text1, 17, 6, 0},  {Box::Text1, 18, 13, 0}, {Box::Text2, 0, 7, 24},
    {Box::Text2, 1, 5, 24},  {Box::Text2, 2, 5, 0},   {Box::Text2, 3, 23, 24}, {Box::Text2, 4, 24, 24},
    {Box::Text2, 5, 8, 24},  {Box::Text2, 6, 9, 24},  {Box::Text2, 7, 12, 24}, {Box::Text2, 8, 14, 24},
    {Box::Text2, 9, 15, 24}, {Box::Text2, 10, 17, 24}, {Box::Text2, 11, 18, 24}, {Box::Text2, 12, 19, 24},
};

void putDouble(std::string& bytes, std::size_t record, std::size_t offset, double value) {
    core::Record r(8);
    r.setFloat64(0, value);
    bytes.replace((record - 1) * 140 + offset, 8, testing::bytesOf(r));
}

// kalvora.tot of 30 records, every byte its record's number, and in each box's place a value
// of its own; the one-character fields of records 10, 23 and 24 hold "0", "7" and "0".
std::string storedCounts() {
    std::string bytes = testing::countsFile({}, 30);
    for (std::size_t i = 0; i < slots.size(); ++i) putDouble(bytes, slots[i].record, slots[i].offset, 100.0 + i);
    bytes[9 * 140 + 40] = '0';
    bytes[22 * 140 + 40] = '7';
    bytes[23 * 140 + 40] = '0';
    return bytes;
}

struct Counters : testing::TestSession {
    ArchiveCountersForm form{session};
    Counters() { drive.makeInstallation(0); }
    void mark() const { drive.write(marker, "01/01/2026\r\n"); }
};

TEST(ArchiveCounters, EachBoxShowsAndWritesItsOwnDouble) {
    Counters t;
    t.mark();  // 30 records of 140 bytes are also 350 of 12: the marker says which
    std::string expected = storedCounts();
    t.drive.write(tot, expected);
    const std::string issuer = std::string(tables::EInvoiceIssuer::recordLength, 'q') + "tail";
    t.drive.write(fpa, issuer);
    ASSERT_TRUE(t.form.open());
    EXPECT_EQ(t.form.vatRegister(), 7);
    EXPECT_FALSE(t.form.separateNumbering(0) || t.form.separateNumbering(1));
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const Slot& s = slots[i];
        EXPECT_EQ(t.form.text(s.box, s.index), std::to_string(100 + i)) << "slot " << i;
        t.form.setText(s.box, s.index, " " + std::to_string(500000 + i) + " ");
        putDouble(expected, s.record, s.offset, 500000.0 + i);
    }
    t.form.chooseVatRegister(2);
    t.form.setSeparateNumbering(0, true);
    t.form.setSeparateNumbering(1, true);
    expected[22 * 140 + 40] = '2';
    expected[9 * 140 + 40] = '1';
    expected[23 * 140 + 40] = '1';
    EXPECT_TRUE(t.form.confirm());
    EXPECT_TRUE(t.form.closed());
    expected.resize(50 * 140, '\0');  // grown to a new company's records
    EXPECT_EQ(t.drive.read(tot), expected);  // every other byte, records 26..30 too, as stored
    EXPECT_EQ(t.drive.read(fpa), issuer);
    EXPECT_TRUE(t.platform.messages().empty());
}

TEST(ArchiveCounters, BadValueIsRefusedAndNothingIsWritten) {
    for (const std::string bad : {"12a", "-1", "1000000000", "", "1.5", "1e3"}) {
        Counters t;
        t.mark();
        const std::string stored = storedCounts();
        t.drive.write(tot, stored);
        ASSERT_TRUE(t.form.open());
        t.form.setText(Box::Text1, 0, "42");
        t.form.setText(Box::Text2, 4, bad);
        EXPECT_FALSE(t.form.confirm()) << bad;
        EXPECT_FALSE(t.form.closed());
        EXPECT_EQ(t.form.focus(), (ArchiveCountersForm::FieldRef{Box::Text2, 4}));
        EXPECT_EQ(t.drive.read(tot), stored);
        ASSERT_EQ(t.platform.messages().size(), 1u);
        EXPECT_EQ(t.platform.messages()[0].text,
                  "Il valore \"" + bad + "\" di \"Fatture integrate Reverse Charge numero ultima fattura RC emessa\" "
                  "non è valido: scrivere un numero intero da 0 a 999999999. Nessun contatore è stato modificato.");
    }
}

// A company without kalvora.tot nor kalvora.fpa: zeros shown, the issuer file created with its
// defaults; confirming with nothing changed writes nothing, a change writes a new company's 50
// records. Values a box does not hold stay untouched, and a short file grows to 50 records.
TEST(ArchiveCounters, MissingFilesAndValuesNoBoxCanHold) {
    Counters t;
    ASSERT_TRUE(t.form.open());
    EXPECT_EQ(t.form.text(Box::Text1, 18), "0");
    EXPECT_EQ(t.drive.read(fpa), testing::bytesOf(tables::EInvoiceIssuer().record()));
    ASSERT_TRUE(t.form.confirm());
    EXPECT_FALSE(t.drive.exists(tot));
    ArchiveCountersForm again(t.session);
    ASSERT_TRUE(again.open());
    again.setText(Box::Text1, 17, "3");
    ASSERT_TRUE(again.confirm());
    std::string expected(50 * 140, '\0');
    putDouble(expected, 6, 0, 3);
    EXPECT_EQ(t.drive.read(tot), expected);

    Counters odd;
    odd.mark();
    std::string stored = testing::countsFile({{1, -2.5}}, 3);  // a short file with a value no counter holds
    odd.drive.write(tot, stored);
    ASSERT_TRUE(odd.form.open());
    EXPECT_EQ(odd.form.text(Box::Text1, 0), "-2.5");
    EXPECT_EQ(odd.form.text(Box::Text2, 3), "0");
    ASSERT_TRUE(odd.form.confirm());
    EXPECT_EQ(odd.drive.read(tot), stored);
    ArchiveCountersForm changed(odd.session);
    ASSERT_TRUE(changed.open());
    changed.setSeparateNumbering(0, true);
    ASSERT_TRUE(changed.confirm());
    stored.resize(50 * 140, '\0');
    stored[9 * 140 + 40] = '1';
    EXPECT_EQ(odd.drive.read(tot), stored);
}

// Without kalvora.a14, a count file in the old 12-byte layout would take this window's values
// at the wrong places: the window does not open and nothing is written, kalvora.fpa included.
TEST(ArchiveCounters, OldLayoutWithoutTheMarkerIsRefused) {
    struct Case {
        int bytes;  // of kalvora.tot; -1: none
        bool marked;
        bool opens;
    };
    for (const Case c : {Case{15 * 12, false, false}, Case{3 * 140, false, false}, Case{0, false, false},
                         Case{15 * 12, true, true}, Case{25 * 140, false, true}, Case{50 * 140, false, true},
                         Case{-1, false, true}}) {
        SCOPED_TRACE(std::to_string(c.bytes) + (c.marked ? " marked" : ""));
        Counters t;
        if (c.marked) t.mark();
        if (c.bytes >= 0) t.drive.write(tot, std::string(static_cast<std::size_t>(c.bytes), '\x01'));
        EXPECT_EQ(t.form.open(), c.opens);
        EXPECT_EQ(t.drive.exists(fpa), c.opens);
        if (c.opens) continue;
        ASSERT_EQ(t.platform.messages().size(), 1u);
        EXPECT_EQ(t.platform.messages()[0].text, "Gli archivi dell'azienda sono nel formato di una versione precedente: "
                                                 "eseguire prima la conversione degli archivi.");
        EXPECT_EQ(t.drive.read(tot), std::string(static_cast<std::size_t>(c.bytes), '\x01'));
    }
}

}  // namespace
}  // namespace kalvora::company
