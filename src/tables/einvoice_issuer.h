#pragma once
// kalvora.fpa: the issuer data of the company's electronic invoices to public administrations,
// one random-access record of 2,421 bytes (record 1), every field a fixed-width text padded
// with blanks. The record is kept as the bytes of the file: the invoicing modules keep their
// own data in the fields this program does not edit, and those bytes pass through untouched.
//
//   offset width  field                                       control
//        0     3  record marker "999"                         -
//        3     2  country ID, upper case                      Text2 22 "ID Paese"
//        5    28  fiscal ID code                              Text2 21 "ID Codice"
//       33     6  (invoicing modules)                         -
//       39    16  tax code                                    Text2 23 "Codice fiscale"
//       55    12  VAT number                                  Text2 24 "Partita iva"
//       67     2  tax regime, list index as text              Combo1
//       69     1  kind of subject, list index                 Combo3
//       70     1  registered in the REA "1"/"0"               rea
//       71     2  REA office (province)                       Text2 4
//       73    20  REA number                                  Text2 3
//       93    14  share capital                               Text2 5
//      107     2  "SU" single shareholder, "SM" several       sociounico
//      109     2  "LS" in liquidation, "LN" not               liquidazione
//      111    80  company name                                Text2 2
//      191    60  surname                                     Text2 0
//      251    60  first name                                  Text2 1
//      311    60  registered office: address                  Text2 6
//      371     8  registered office: street number           Text2 7
//      379     5  registered office: postal code             Text2 8
//      384    60  registered office: city                     Text2 9
//      444     2  registered office: province                 Text2 10
//      446     2  registered office: country                  Text2 11
//      448    60  permanent establishment: address            Text2 12
//      508     8  permanent establishment: street number      Text2 13
//      516     5  permanent establishment: postal code        Text2 14
//      521    60  permanent establishment: city               Text2 15
//      581     2  permanent establishment: province           Text2 16
//      583     2  permanent establishment: country            Text2 17
//      585    12  telephone                                   Text2 18
//      597    12  fax                                         Text2 19
//      609    98  e-mail address                              Text2 20
//      707     1  "1" separate invoice numbering              numera
//      708     1  VAT register, list index                    Combo2
//      709   512  (invoicing modules)                         -
//     1221     2  XML version "0" = 1.0, "1" = 1.1            standard
//     1223   798  (invoicing modules)                         -
//     2021   200  folder for the receipts                     nfile 1
//     2221   200  folder for the XML files                    nfile 0
#include "core/files.h"
#include "core/record.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kalvora::tables {

struct IssuerField {
    std::size_t offset;
    std::size_t width;
};

namespace issuer {
inline constexpr IssuerField marker{0, 3};
inline constexpr IssuerField countryId{3, 2};
inline constexpr IssuerField fiscalIdCode{5, 28};
inline constexpr IssuerField taxCode{39, 16};
inline constexpr IssuerField vatNumber{55, 12};
inline constexpr IssuerField taxRegime{67, 2};
inline constexpr IssuerField subjectKind{69, 1};
inline constexpr IssuerField reaRegistered{70, 1};
inline constexpr IssuerField reaOffice{71, 2};
inline constexpr IssuerField reaNumber{73, 20};
inline constexpr IssuerField shareCapital{93, 14};
inline constexpr IssuerField singleShareholder{107, 2};
inline constexpr IssuerField liquidation{109, 2};
inline constexpr IssuerField companyName{111, 80};
inline constexpr IssuerField surname{191, 60};
inline constexpr IssuerField firstName{251, 60};
inline constexpr IssuerField separateNumbering{707, 1};
inline constexpr IssuerField vatRegister{708, 1};
inline constexpr IssuerField xmlVersion{1221, 2};
inline constexpr IssuerField receiptsFolder{2021, 200};
inline constexpr IssuerField xmlFolder{2221, 200};

// Where Text2 k keeps its value.
inline constexpr std::array<IssuerField, 25> text2{{
    surname, firstName, companyName, reaNumber, reaOffice, shareCapital,
    {311, 60}, {371, 8}, {379, 5}, {384, 60}, {444, 2}, {446, 2},  // registered office
    {448, 60}, {508, 8}, {516, 5}, {521, 60}, {581, 2}, {583, 2},  // permanent establishment
    {585, 12}, {597, 12}, {609, 98},                               // telephone, fax, e-mail
    fiscalIdCode, countryId, taxCode, vatNumber,
}};
// Text2 indexes named by the checks at confirm.
inline constexpr int surnameBox = 0, firstNameBox = 1, companyNameBox = 2, shareCapitalBox = 5,
                     fiscalIdCodeBox = 21, countryIdBox = 22, taxCodeBox = 23, vatNumberBox = 24;
}  // namespace issuer

class EInvoiceIssuer {
public:
    static constexpr std::size_t recordLength = 2421;
    static constexpr const char* fileName = "kalvora.fpa";

    // A new record: blanks, with the defaults of the fields that have one.
    EInvoiceIssuer();
    // The bytes of a record as read (cut or padded with blanks to the record length).
    explicit EInvoiceIssuer(std::string bytes);

    const core::Record& record() const { return record_; }
    // A field trimmed.
    std::string get(IssuerField f) const;
    // A field trimmed, then padded with blanks or cut to its width.
    void set(IssuerField f, std::string_view value);

private:
    core::Record record_;
};

// Record 1 of the file: a missing file gives a new record, a short one what it holds with the
// rest blank; nullopt when the file is there but cannot be read.
std::optional<EInvoiceIssuer> readEInvoiceIssuer(const core::Files& files, std::string_view path);
// Rewrites record 1 atomically, keeping any further bytes of the file.
int saveEInvoiceIssuer(core::Files& files, std::string_view path, const EInvoiceIssuer& issuer);

// The check of a tax code or VAT number by its trimmed length: 11 characters, the VAT-number
// check digit; 16, the check character of a personal tax code; any other length fails.
bool validIdentifier(std::string_view code);
// A text the XML file can carry as it is: no control character, nothing beyond ASCII, no "&".
bool xmlSafe(std::string_view text);
// The share capital as stored: "," becomes "." and ".00" is added when there is no "."; a
// value of 0 (or no number at all) clears it.
std::string normalisedShareCapital(std::string_view text);

}  // namespace kalvora::tables
