#pragma once
// The window zelaind ("Variazione indici"): the records in use of the company's archives and
// the counters of the documents issued, all kept in kalvora.tot. Opening also creates the
// e-invoice issuer file kalvora.fpa with its defaults when the company has none; its bytes are
// never changed here.
//
// Fields (record of kalvora.tot, double) and labels:
//   text1 0..6   records 1, 16, 2, 7, 8, 9, 10, count       archives (labels in text1Labels)
//   text1 7, 8   record 3 count, record 3 fifth double      "Magazzino"
//   text1 9..16  records 4, 11, 12, 14, 15, 17, 18, 19     archives
//   text1 17, 18 records 6, 13 count                       chart of accounts, journal
//   Text2 0      record 7 last number    "Fatture tradizionali (cartacee)"
//   Text2 1      record 5 last number    "Fatture PA", last fatturaPA issued
//   Text2 2      record 5 count          "Fatture PA", last transmission progressive
//   Text2 3      record 23 last number   fatturePA on their own VAT register
//   Text2 4      record 24 last number   "Fatture integrate Reverse Charge"
//   Text2 5..12  records 8, 9, 12, 14, 15, 17, 18, 19 last number
// The one-character fields at byte 40: Combo1, the VAT register of the fatturePA (record 23,
// list index "0".."8"); nume 0 and 1, separate numbering of the invoices received (record 10)
// and of the reverse-charge invoices (record 24), "1" when ticked.
#include "core/archive_layouts.h"
#include "core/form.h"
#include "core/session.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace kalvora::company {

// Where a counter field lives: its record of kalvora.tot and the double in it.
struct CounterSlot {
    std::uint64_t record;
    core::Field value;
};

class ArchiveCountersForm : public core::Form {
public:
    static constexpr int recordCount = 25;  // records of kalvora.tot read and written
    static constexpr int text1Count = 19;
    static constexpr int text2Count = 13;
    static constexpr int numeCount = 2;
    // Counts are record numbers of random files and counters are document numbers: nine digits
    // hold any real archive, fit the boxes, and every such whole number is exact in a double.
    static constexpr double maxValue = 999999999;
    static constexpr std::size_t maxDigits = 9;

    static const std::array<CounterSlot, text1Count> text1Slots;
    static const std::array<CounterSlot, text2Count> text2Slots;
    static const std::array<const char*, text1Count> text1Labels;
    static const std::array<const char*, text2Count> text2Labels;
    static constexpr std::uint64_t registerRecord = 23;                      // Combo1
    static constexpr std::array<std::uint64_t, numeCount> numeRecords{10, 24};
    static constexpr std::array<const char*, 9> registers{
        "Registro iva 1", "Registro iva 2", "Registro iva 3", "Registro iva 4", "Registro iva 5",
        "Registro iva 6", "Registro iva 7", "Registro iva 8", "Registro iva 9",
    };
    static constexpr const char* frameCaption = "Variazione contatori documenti emessi";
    static constexpr const char* registerCaption = " utilizza registro iva";
    static constexpr const char* numeCaption = "utilizza numerazione separata";
    static constexpr const char* oldLayoutMessage =
        "Gli archivi dell'azienda sono nel formato di una versione precedente: eseguire prima la conversione "
        "degli archivi.";

    enum class Box { Text1, Text2 };
    struct FieldRef {
        Box box;
        int index;
        friend bool operator==(const FieldRef&, const FieldRef&) = default;
    };

    explicit ArchiveCountersForm(core::Session& session);
    std::string name() const override { return "zelaind"; }
    std::string title() const override { return "Variazione indici"; }

    // Reads records 1..25 of kalvora.tot (missing ones read as zero) and creates kalvora.fpa
    // when missing. False, after saying why, when kalvora.tot is there but cannot be read, or
    // when the company has no kalvora.a14 and kalvora.tot has the old layout.
    bool open();

    // A field as shown or typed; an index out of range shows nothing and takes nothing.
    const std::string& text(Box box, int k) const;
    void setText(Box box, int k, const std::string& value);
    // Combo1: the position chosen, -1 when the record holds no valid index.
    int vatRegister() const { return register_; }
    void chooseVatRegister(int index);
    bool separateNumbering(int k) const;
    void setSeparateNumbering(int k, bool on);
    // The field a refusal sent the focus to.
    std::optional<FieldRef> focus() const { return focus_; }

    // bottone_1: checks every changed field, then writes them into the records as they are now
    // and closes; with nothing changed it closes without writing. A count file written here
    // holds at least a new company's 50 records. A bad value is told, gets the focus, and
    // nothing is written.
    bool confirm();
    // bottone_0 and the close box.
    void cancel() { close(); }

private:
    struct Shown {
        std::string original;
        std::string typed;
    };
    const Shown* shown(Box box, int k) const;

    std::array<Shown, text1Count> text1_;
    std::array<Shown, text2Count> text2_;
    int register_ = -1, originalRegister_ = -1;
    std::array<bool, numeCount> nume_{}, originalNume_{};
    std::optional<FieldRef> focus_;
};

// Opens zelaind for the current company and waits for it to close.
void openArchiveCounters(core::Session& session);

}  // namespace kalvora::company
