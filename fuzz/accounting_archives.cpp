// kalvora.tot, kalvora.con and kalvora.gio with any bytes: the balance check runs to its end,
// rewrites the chart without changing its length or any byte outside the running totals, and
// a second run changes nothing; the closing preview never lists more entries than accounts.
#include "company/accounting_closing.h"
#include "company/balance_check.h"
#include "core/archive_layouts.h"
#include "fuzz_drive.h"

#include <algorithm>

using namespace kalvora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::SessionDrive drive;
    core::Files& files = drive.files;
    const core::Installation& inst = drive.inst;
    // Two bytes say how much goes to kalvora.tot (after five blank records, so that the bytes
    // land on the counts of records 6 and 13) and to kalvora.con; the rest is the journal.
    const std::string_view input = fuzz::asText(data, size);
    const std::size_t totSize = size < 2 ? 0 : std::min<std::size_t>(data[0] * 8u, size - 2);
    const std::size_t conSize = size < 2 ? 0 : std::min<std::size_t>(data[1] * 16u, size - 2 - totSize);
    const std::string_view body = input.substr(std::min<std::size_t>(size, 2));
    const std::string tot = std::string(5 * core::tot::recordLength, '\0') + std::string(body.substr(0, totSize));
    const std::string con(body.substr(totSize, conSize));
    const std::string_view gio = body.substr(totSize + conSize);
    fuzz::placeFile(files, inst.companyFile(0, "kalvora.tot"), tot, true);
    fuzz::placeFile(files, inst.companyFile(0, "kalvora.con"), con, !con.empty());
    fuzz::placeFile(files, inst.companyFile(0, "kalvora.gio"), gio, !gio.empty());

    company::BalanceCheckForm check(drive.session);
    check.open();
    check.confirm();
    const std::string once = files.readBytes(inst.companyFile(0, "kalvora.con")).value_or("");
    fuzz::check(once.size() == con.size(), "the chart keeps its length");
    for (std::size_t i = 0; i < once.size(); ++i) {
        const std::size_t at = i % core::con::archive.recordLength;
        const bool total = at >= core::con::debit.offset && at < core::con::credit.offset + core::con::credit.width;
        fuzz::check(total || once[i] == con[i], "only the running totals change");
    }
    company::BalanceCheckForm again(drive.session);
    again.open();
    again.confirm();
    fuzz::check(files.readBytes(inst.companyFile(0, "kalvora.con")).value_or("") == once, "a second check changes nothing");

    company::AccountingClosingForm closing(drive.session, company::ClosingMode::ProfitAndLoss);
    closing.open();
    closing.confirm();
    fuzz::check(closing.preview().size() <= 2 * (con.size() / core::con::archive.recordLength),
                "no more entries than accounts");
    return 0;
}
