#pragma once
// Every byte this program knows in the archives the business modules keep in a company folder:
// the count file, the chart of accounts, the journal, the documents, movements, orders and
// articles. Records are packed: texts are 8-bit characters padded with blanks, integers 2-byte
// little-endian, amounts 8-byte IEEE doubles; offsets from 0. Nothing else in the program
// spells an offset of these files: the rest of a record belongs to the modules and is written
// back as read.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace kalvora::core {

struct Field {
    std::size_t offset;
    std::size_t width;
};

// One archive: its file in the company folder, its record length and the record of
// kalvora.tot that counts its records in use (0: none).
struct Archive {
    std::string_view file;
    std::size_t recordLength;
    std::uint64_t countRecord;
};

// kalvora.tot: record n holds, in its first 8 bytes, the records in use of one archive; the
// records of the documents issued keep their counters in the same record.
namespace tot {
constexpr std::size_t recordLength = 140;
constexpr Field count{0, 8};       // double: records in use (record 5: last e-invoice transmission progressive)
constexpr Field second{8, 8};      // double of the modules
constexpr Field third{16, 8};      // double of the modules
constexpr Field lastNumber{24, 8}; // double: number of the last document issued
constexpr Field fifth{32, 8};      // double: in record 3, a second counter of the warehouse
constexpr Field choice{40, 1};     // one character: VAT register index (record 23) or "1" separate numbering (10, 24)
}  // namespace tot

// kalvora.con: the chart of accounts, account n in record n.
namespace con {
constexpr Archive archive{"kalvora.con", 150, 6};
constexpr Field code{0, 10};          // the eight digits GGSSNNNN, blanks after them
constexpr std::size_t codeDigits = 8;
constexpr Field description{10, 40};  // the account's name
constexpr Field balance{50, 8};       // debit minus credit, set by the closing before its entries
constexpr Field debit{58, 8};         // running debit total ("Dare")
constexpr Field credit{66, 8};        // running credit total ("Avere")
}  // namespace con

// kalvora.gio: the journal, entry n in record n; records are 645 bytes apart, 643 used.
namespace gio {
constexpr Archive archive{"kalvora.gio", 645, 13};
constexpr Field date{0, 8};            // yyyymmdd
constexpr Field description1{8, 40};   // description, line 1
constexpr Field description2{48, 40};  // line 2
constexpr Field description3{88, 40};  // line 3
constexpr Field marker{128, 2};        // integer, 1 in the closing and opening entries
constexpr Field document{130, 20};     // "Numero del documento"
constexpr std::size_t firstLine = 150;
constexpr std::size_t lineLength = 18;
constexpr int lineCount = 10;
// Within a line: side (0 debit, 1 credit), account code, amount (never negative).
constexpr Field lineSide{0, 2};
constexpr Field lineAccount{2, 8};
constexpr Field lineAmount{10, 8};
constexpr Field number{330, 2};        // integer of the accounting module, 0 in entries written here
constexpr Field value{332, 8};         // double of the accounting module, 0 in entries written here
constexpr Field state{340, 1};         // "0" in entries written here
constexpr Field notes{341, 300};       // text of the accounting module
constexpr Field tail{641, 2};          // integer of the accounting module, 0 in entries written here
}  // namespace gio

// Invoices issued, receipts and invoices received: one document per record.
namespace documents {
constexpr Archive issued{"kalvora.fte", 2301, 7};
constexpr Archive receipts{"kalvora.ric", 2301, 8};
constexpr Archive received{"kalvora.ftr", 2301, 10};
constexpr Field number{0, 10};         // document number, the name of its reprint file after the prefix
constexpr Field kind{10, 1};           // "P" on a fee note (reprint prefix "p"), else an invoice ("f")
constexpr Field date{31, 8};           // yyyymmdd
}  // namespace documents

// Transport documents.
namespace ddt {
constexpr Archive archive{"kalvora.bol", 97, 12};
constexpr Field number{10, 10};        // document number, as for invoices
constexpr Field date{2, 8};            // yyyymmdd, compared by numeric value
}  // namespace ddt

// Warehouse movements.
namespace movements {
constexpr Archive archive{"kalvora.mag", 501, 11};
constexpr Field date{0, 8};            // yyyymmdd
constexpr Field article{8, 20};        // article code, as in the article record
constexpr Field description{28, 40};   // "Riporto inizio anno" on an opening movement
constexpr Field quantity{68, 8};       // double, loaded (positive) or unloaded
constexpr Field price{76, 8};          // double, unit value of the movement
constexpr Field origin{84, 1};         // "9" on an opening movement written by the reset
}  // namespace movements

// Articles.
namespace articles {
constexpr Archive archive{"kalvora.art", 2640, 3};
constexpr Field code{0, 20};           // article code
constexpr Field description{20, 40};   // the article's name
constexpr Field stock{60, 8};          // double, quantity in stock
constexpr Field cost{68, 8};           // double, last purchase cost
}  // namespace articles

// Customer and supplier orders, quotes, work orders and deposits share one record shape;
// the reset keeps a record unless the flag of its archive holds "1".
namespace orders {
constexpr Archive customer{"kalvora.orc", 284, 14};
constexpr Archive supplier{"kalvora.orf", 284, 15};
constexpr Archive quotes{"kalvora.prv", 284, 17};
constexpr Archive work{"kalvora.lav", 284, 18};
constexpr Archive deposits{"kalvora.dep", 284, 19};
constexpr Field number{0, 10};         // document number
constexpr Field fulfilled{60, 1};      // "1": order fulfilled completely, quote or work fulfilled
constexpr Field accepted{61, 1};       // "1": quote accepted
constexpr Field completed{62, 1};      // "1": work completed
constexpr Field extinguished{63, 1};   // "1": deposit extinguished
}  // namespace orders

// The takings archive of a year: "kal" + year + ".cor" and ".crr", 372 records each.
namespace takings {
constexpr std::size_t recordLength = 604;
constexpr std::uint64_t records = 372;
}  // namespace takings

// Archive conversion: how each archive of the previous versions becomes the current one. An
// archive is listed under the name its file has before the conversion (the old layout) with
// its new file(s); `fields` says which bytes of the old record go where in the new ones. Only
// the correspondences this program knows are filled in: an archive without one that holds
// data is never converted by guesswork, and is left as it is.
namespace conversion {

// One field carried over: bytes of the old record into new file `target` of the archive.
struct FieldMove {
    Field from;
    Field to;
    std::size_t target = 0;
};

struct NewFile {
    std::string_view file;  // "kal<anno>.cor": the takings file of each year
    std::size_t recordLength = 0;
};

struct OldArchive {
    std::string_view group;     // the archive group, as the window lists it
    std::string_view file;      // the file in the company folder, in the old layout
    std::size_t recordLength;   // 0: a text file
    std::uint64_t countRecord;  // its count in kalvora.tot; 0 when none is known
    std::array<NewFile, 3> newFiles;
    std::span<const FieldMove> fields;  // empty: no correspondence known
    std::uint64_t minimumRecords = 0;   // the new file holds at least these (zeroed) records
};

// The old kalvora.tot has 12-byte records; the count in their first 8 bytes is the only field
// of it this program knows.
constexpr std::size_t oldCountRecordLength = 12;
constexpr Field oldCount{0, 8};  // double, as in the current layout
inline constexpr FieldMove countFields[] = {{oldCount, tot::count, 0}};
// A new company's kalvora.tot holds 50 records: a count file of 140-byte records and at least
// that many is already in the current layout.
constexpr std::uint64_t currentCountRecords = 50;

inline constexpr OldArchive archives[] = {
    {"Contatori", "kalvora.tot", oldCountRecordLength, 0, {{{"kalvora.tot", tot::recordLength}}}, countFields,
     currentCountRecords},
    {"Clienti", "kalvora.cli", 752, 0, {{{"kalvora.cli", 5700}, {"kalvora.src", 145}}}, {}},
    {"Fornitori", "kalvora.for", 600, 0, {{{"kalvora.for", 5700}, {"kalvora.srf", 145}}}, {}},
    {"Agenti", "kalvora.age", 600, 0, {{{"kalvora.age", 1611}}}, {}},
    {"Articoli", "kalvora.art", 327, articles::archive.countRecord,
     {{{"kalvora.art", 2640}, {"kalvora.prx", 502}, {"kalvora.sra", 92}}}, {}},
    {"Articoli", "kalvora.pro", 115, 0, {{{"kalvora.pro", 205}}}, {}},
    {"Fatture emesse", "kalvora.fte", 522, documents::issued.countRecord, {{{"kalvora.fte", 2301}}}, {}},
    {"Fatture emesse", "kalvora.f2e", 0, 0, {{{"kalvora.f2e", 838}}}, {}},
    {"Ricevute fiscali", "kalvora.ric", 522, documents::receipts.countRecord, {{{"kalvora.ric", 2301}}}, {}},
    {"Fatture ricevute", "kalvora.ftr", 522, documents::received.countRecord, {{{"kalvora.ftr", 2301}}}, {}},
    {"Fatture ricevute", "kalvora.f2r", 0, 0, {{{"kalvora.f2r", 838}}}, {}},
    {"Movimenti di magazzino", "kalvora.mag", 94, movements::archive.countRecord, {{{"kalvora.mag", 501}}}, {}},
    {"Prima nota", "kalvora.gio", 296, gio::archive.countRecord, {{{"kalvora.gio", 645}}}, {}},
    {"Registrazioni automatiche", "kalvora.aut", 170, 0, {{{"kalvora.aut", 550}}}, {}},
    {"Corrispettivi", "kalvora.cor", 104, 0, {{{"kal<anno>.cor", takings::recordLength}}}, {}},
    {"Corrispettivi", "kalvora.crr", 104, 0, {{{"kal<anno>.crr", takings::recordLength}}}, {}},
};

// The document layouts of the old versions, one text file; it is kept as it is.
constexpr std::string_view oldLayouts = "kalvora.ly$";

}  // namespace conversion

}  // namespace kalvora::core
