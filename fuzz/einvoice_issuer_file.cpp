// kalvora.fpa: any bytes read as record 1, what the file holds and blanks after it; saved
// unchanged they come back byte for byte with any further bytes of the file; the window opens
// on them, and a confirm that passes the checks leaves the invoicing modules' fields as read.
#include "fuzz_drive.h"
#include "tables/einvoice_issuer_form.h"

#include <algorithm>

using namespace kalvora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::SessionDrive drive;
    constexpr std::size_t length = tables::EInvoiceIssuer::recordLength;
    const std::string path = drive.inst.companyFile(0, tables::EInvoiceIssuer::fileName);
    const std::string_view input = fuzz::asText(data, size);
    // No byte at all: no file.
    fuzz::placeFile(drive.files, path, input, size > 0);

    const std::optional<tables::EInvoiceIssuer> read = tables::readEInvoiceIssuer(drive.files, path);
    fuzz::check(read.has_value(), "readable");
    const std::vector<std::uint8_t>& bytes = read->record().bytes();
    fuzz::check(bytes.size() == length, "record length");
    if (size > 0) {
        const std::size_t held = std::min(size, length);
        fuzz::check(std::equal(bytes.begin(), bytes.begin() + long(held), data), "bytes as read");
        fuzz::check(std::all_of(bytes.begin() + long(held), bytes.end(), [](std::uint8_t b) { return b == ' '; }),
                    "blanks after the end");
    }
    for (const tables::IssuerField f : tables::issuer::text2) {
        const std::string value = read->get(f);
        tables::validIdentifier(value);
        tables::xmlSafe(value);
        const std::string capital = tables::normalisedShareCapital(value);
        fuzz::check(capital.empty() || capital.find('.') != std::string::npos, "capital with a point");
    }

    fuzz::check(tables::saveEInvoiceIssuer(drive.files, path, *read) == 0, "save");
    std::string expected(bytes.begin(), bytes.end());
    if (size > length) expected.append(input.substr(length));
    fuzz::check(drive.files.readBytes(path) == expected, "saved as read");

    tables::EInvoiceIssuerForm form(drive.session);
    fuzz::check(form.open(), "open");
    for (int k = 0; k < tables::EInvoiceIssuerForm::textCount; ++k) form.editText(k, form.text(k));
    form.confirm();
    if (form.closed()) {
        const std::optional<std::string> saved = drive.files.readBytes(path);
        fuzz::check(saved && saved->size() == expected.size(), "size kept");
        for (const auto& [offset, width] : {std::pair<std::size_t, std::size_t>{33, 6}, {709, 512}, {1223, 798}})
            fuzz::check(saved->compare(offset, width, expected, offset, width) == 0, "modules' fields kept");
        fuzz::check(saved->compare(0, 3, "999") == 0, "marker");
    }
    return 0;
}
