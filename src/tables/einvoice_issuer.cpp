#include "tables/einvoice_issuer.h"

#include "core/text.h"

#include <algorithm>

namespace kalvora::tables {

namespace {

constexpr std::uint8_t blank = ' ';

// The values of the tax code's characters: the pair at index i holds the two characters worth
// i, in odd positions (1st, 3rd ... 15th) and in even positions.
constexpr std::string_view oddValues = "B1A0KKPPLLC2QQD3RRE4VVOOSSF5TTG6UUH7MMI8NNJ9WWZZYYXX";
constexpr std::string_view evenValues = "A0B1C2D3E4F5G6H7I8J9KKLLMMNNOOPPQQRRSSTTUUVVWWXXYYZZ";

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool validVatNumber(std::string_view code) {
    if (!std::all_of(code.begin(), code.end(), isDigit)) return false;
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        const int d = code[static_cast<std::size_t>(i)] - '0';
        if (i % 2 == 0) {
            sum += d;
        } else {
            const int twice = 2 * d;
            sum += twice > 9 ? twice - 9 : twice;
        }
    }
    return (10 - sum % 10) % 10 == code[10] - '0';
}

bool validTaxCode(std::string_view code) {
    int sum = 0;
    for (std::size_t i = 0; i < 15; ++i) {
        // Position i + 1 counted from 1: index 0 is an odd position.
        const std::string_view table = i % 2 == 0 ? oddValues : evenValues;
        const std::size_t at = table.find(code[i]);
        if (at == std::string_view::npos) return false;
        sum += static_cast<int>(at / 2);
    }
    return code[15] == static_cast<char>('A' + sum % 26);
}

}  // namespace

EInvoiceIssuer::EInvoiceIssuer() : record_(std::string(recordLength, static_cast<char>(blank))) {
    set(issuer::marker, "999");
    set(issuer::countryId, "IT");
    set(issuer::taxRegime, "0");
    set(issuer::subjectKind, "2");
    set(issuer::reaRegistered, "0");
    set(issuer::singleShareholder, "SM");
    set(issuer::liquidation, "LN");
    set(issuer::separateNumbering, "0");
    set(issuer::vatRegister, "0");
    set(issuer::xmlVersion, "1");
    set(issuer::receiptsFolder, "C:\\");
    set(issuer::xmlFolder, "C:\\");
}

EInvoiceIssuer::EInvoiceIssuer(std::string bytes) {
    bytes.resize(recordLength, static_cast<char>(blank));
    record_ = core::Record(std::move(bytes));
}

std::string EInvoiceIssuer::get(IssuerField f) const { return core::trim(record_.text(f.offset, f.width)); }

void EInvoiceIssuer::set(IssuerField f, std::string_view value) {
    record_.setText(f.offset, f.width, core::trim(value));
}

std::optional<EInvoiceIssuer> readEInvoiceIssuer(const core::Files& files, std::string_view path) {
    if (!files.exists(path)) return EInvoiceIssuer();
    std::optional<std::string> bytes = files.readPrefix(path, EInvoiceIssuer::recordLength);
    if (!bytes) return std::nullopt;
    return EInvoiceIssuer(std::move(*bytes));
}

int saveEInvoiceIssuer(core::Files& files, std::string_view path, const EInvoiceIssuer& issuer) {
    return files.replaceRecord(path, EInvoiceIssuer::recordLength, 1, issuer.record());
}

bool validIdentifier(std::string_view code) {
    const std::string trimmed = core::trim(code);
    if (trimmed.size() == 11) return validVatNumber(trimmed);
    if (trimmed.size() == 16) return validTaxCode(trimmed);
    return false;
}

bool xmlSafe(std::string_view text) {
    // UTF-8 puts every character beyond ASCII in bytes from 0x80 up.
    return std::none_of(text.begin(), text.end(), [](char c) {
        const auto code = static_cast<unsigned char>(c);
        return code < 32 || code > 127 || c == '&';
    });
}

std::string normalisedShareCapital(std::string_view text) {
    std::string value = core::trim(text);
    std::replace(value.begin(), value.end(), ',', '.');
    // The value is read with the comma taken as the decimal point, so "0,5" is not taken for 0.
    if (core::numericValue(value) == 0) return {};
    if (value.find('.') == std::string::npos) value += ".00";
    return value;
}

}  // namespace kalvora::tables
