// The table windows over any tables file (and the same bytes as kalvora.ilm): payment rules,
// VAT descriptions and natures, carriers' starred field, banks' packed codes, posting accounts,
// invoice types. Byte 0 picks the window and whether the user edits, byte 1 the box edited,
// byte 2 the length of the text typed into it, byte 3 where the file's lines start; the rest
// is the text and the lines.
//
// Every page opens; a confirm with or without an edit saves; and a window that saves what it
// read writes the same bytes when it saves again, so opening and confirming never drifts.
#include "core/cp1252.h"
#include "fuzz_drive.h"
#include "tables/banks.h"
#include "tables/carriers.h"
#include "tables/invoice_types.h"
#include "tables/payment_terms.h"
#include "tables/posting_accounts.h"
#include "tables/vat_codes.h"
#include "tables/vat_interest_file.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

using namespace kalvora;
using namespace kalvora::tables;

namespace {

// What a window shows on every page. Only its length is kept: what counts is that every page
// is drawn, and copying each text would cost more than drawing it.
struct Shown {
    std::size_t chars = 0;
    void add(std::initializer_list<std::string_view> texts) {
        for (std::string_view t : texts) chars += t.size();
    }
    template <typename Range>
    void addAll(const Range& texts) {
        for (const auto& t : texts) chars += std::string_view(t).size();
    }
};

// Scrolls a paged window over every page, first pages to last, and shows each row.
template <typename Form, typename Row>
void everyPage(Form& form, Row row, int rows, Shown& out) {
    for (int first = 1;; first = std::min(first + rows, form.lastFirstEntry())) {
        form.scrollTo(first);
        for (int r = 0; r < rows; ++r) row(r);
        if (first == form.lastFirstEntry()) break;
    }
    out.add({std::to_string(form.firstEntry())});
}

Shown shown(PaymentTermsForm& f) {
    Shown out;
    everyPage(f, [&](int r) {
        const PaymentRow& row = f.row(r);
        out.add({row.description, std::to_string(row.type), row.endOfMonth ? "F" : "N", row.days});
        out.addAll(row.months);
    }, PaymentTermsForm::visibleRows, out);
    for (int m : {0, 1}) out.add({f.monthMove(m) ? "1" : "0", f.moveDay(m)});
    return out;
}

Shown shown(VatCodesForm& f) {
    Shown out;
    for (int first = 1; first <= VatCodesForm::lastFirstCode; first += VatCodesForm::visibleRows - 1) {
        f.scrollSales(first);
        f.scrollPurchases(first);
        for (int i = 0; i < VatCodesForm::boxCount; ++i) out.add({f.text(i)});
        for (int r = 0; r < VatCodesForm::visibleRows; ++r)
            out.add({f.salesRateLabel(r), f.salesExemptionLabel(r), f.purchaseRateLabel(r), f.purchaseExemptionLabel(r),
                     std::to_string(f.salesNature(r)), std::to_string(f.purchaseNature(r)),
                     std::to_string(f.purchaseType(r))});
    }
    out.add({f.tassa() ? "1" : "0", f.esig() ? "1" : "0"});
    return out;
}

Shown shown(CarriersForm& f) {
    Shown out;
    everyPage(f, [&](int r) { out.addAll(f.row(r)); }, CarriersForm::visibleRows, out);
    return out;
}

Shown shown(BanksForm& f) {
    Shown out;
    everyPage(f, [&](int r) { out.addAll(f.row(r)); }, BanksForm::visibleRows, out);
    return out;
}

Shown shown(PostingAccountsForm& f) {
    Shown out;
    for (int i = 0; i < accountBoxCount; ++i) out.add({f.box(i)});
    for (int g = 0; g < accountGroupCount; ++g) out.add({f.label(g), f.code(g)});
    for (int d = 0; d < descriptionCount; ++d) out.add({f.description(d)});
    return out;
}

Shown shown(InvoiceTypesForm& f) {
    Shown out;
    everyPage(f, [&](int r) {
        for (int c = 0; c < invoiceFieldCount; ++c) out.add({f.text(r, static_cast<InvoiceField>(c))});
    }, InvoiceTypesForm::visibleRows, out);
    return out;
}

// The user's edit: `box` picks the control, `text` is what is typed.
void edit(PaymentTermsForm& f, int box, const std::string& text) {
    switch (box % 5) {
    case 0: f.editDescription(0, text); break;
    case 1: f.editMonths(0, box % PaymentTermsForm::instalments, text); break;
    case 2: f.editDays(0, text); break;
    case 3: f.selectType(0, box % 7 - 1); break;
    default: f.editMoveDay(box % 2, text); f.setMonthMove(box % 2, true); break;
    }
}
void edit(VatCodesForm& f, int box, const std::string& text) {
    f.editText(box % VatCodesForm::boxCount, text);
    f.chooseSalesNature(box % VatCodesForm::visibleRows, box % 7 - 1);
}
void edit(CarriersForm& f, int box, const std::string& text) {
    f.edit(box % CarriersForm::visibleRows, static_cast<CarrierField>(box % carrierFieldCount), text);
}
void edit(BanksForm& f, int box, const std::string& text) {
    const auto field = static_cast<BankField>(box % bankFieldCount);
    f.edit(0, field, text);
    f.leaveField(0, field);
}
void edit(PostingAccountsForm& f, int box, const std::string& text) {
    f.editBox(box % accountBoxCount, text);
    f.leaveBox(box % accountBoxCount);
    f.setDescription(box % descriptionCount, text);
}
void edit(InvoiceTypesForm& f, int box, const std::string& text) {
    f.edit(box % InvoiceTypesForm::visibleRows, static_cast<InvoiceField>(box % invoiceFieldCount), text);
}

// Opens the window, shows every page when asked, takes the user's edit if there is one,
// confirms; gives whether the save went through.
template <typename Form>
bool confirmed(core::Session& session, int box, const std::string* text, bool showPages) {
    Form form(session);
    form.open();
    if (showPages) shown(form);
    if (text) edit(form, box, *text);
    form.confirm();
    return form.closed();
}

// A save goes through, or is refused with a message (a marker where none may be, as the file
// may hold too). A window that saves what it read, and saves again, writes the same bytes the
// second time. Every page is shown before the first.
template <typename Form>
void run(fuzz::SessionDrive& drive, int box, const std::string* text) {
    core::Session& session = drive.session;
    const std::string path = tablesPath(drive.inst, 0);
    const bool saved = confirmed<Form>(session, box, text, true);
    fuzz::check(saved || drive.platform.messages > 0, "a save, or a refusal told");
    const std::optional<std::string> bytes = drive.files.readBytes(path);
    // No value holds a line break: 930 line feeds are 930 lines.
    fuzz::check(!saved || std::count(bytes->begin(), bytes->end(), '\n') == TablesFile::lineCount, "930 lines");
    // A first save may complete what it read (empty descriptions, old rules); a second changes
    // nothing. Tried for the inputs whose unused box byte is odd: a save costs as much as the rest.
    if (text || !saved || box % 2 == 0) return;
    fuzz::check(confirmed<Form>(session, box, nullptr, false), "a second save");
    fuzz::check(drive.files.readBytes(path) == bytes, "the file does not drift");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const std::string_view rest = fuzz::asText(data + 4, size - 4);
    const std::size_t typed = std::min<std::size_t>(data[2], rest.size());
    const std::string text = core::decodeCp1252(rest.substr(0, typed));
    // Byte 3: the lines of the input start after 4 times that many empty lines, so a short
    // input reaches any window's part of the file.
    std::string file;
    for (int line = std::min(data[3] * 4, TablesFile::lineCount - 1); line > 0; --line) file += "\r\n";
    file += rest.substr(typed);
    fuzz::SessionDrive drive;
    fuzz::placeFile(drive.files, tablesPath(drive.inst, 0), file);
    fuzz::placeFile(drive.files, vatInterestPath(drive.inst, 0), rest.substr(typed));
    // Byte 0: the window (its remainder by 6) and whether the user edits (the rest).
    const std::string* edited = data[0] / 6 % 2 ? &text : nullptr;
    switch (data[0] % 6) {
    case 0: run<PaymentTermsForm>(drive, data[1], edited); break;
    case 1: run<VatCodesForm>(drive, data[1], edited); break;
    case 2: run<CarriersForm>(drive, data[1], edited); break;
    case 3: run<BanksForm>(drive, data[1], edited); break;
    case 4: run<PostingAccountsForm>(drive, data[1], edited); break;
    default: run<InvoiceTypesForm>(drive, data[1], edited); break;
    }
    return 0;
}
