#include "company/register_numbering.h"

#include "core/numbers.h"
#include "core/text.h"
#include "printing/grid_print.h"
#include "tables/company_header_file.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace kalvora::company {

namespace {

constexpr double leftMargin = 20;   // millimetres
constexpr double rightMargin = 20;
constexpr double topMargin = 15;

// A page number as typed: digits only (blanks around them ignored), small enough to count.
std::optional<long> pageNumber(const std::string& text) {
    const std::string t = core::trim(text);
    if (t.empty() || t.size() > 9 || !std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stol(t);
}

const std::string& noText() {
    static const std::string empty;
    return empty;
}

}  // namespace

RegisterNumberingForm::RegisterNumberingForm(core::Session& session)
    : Form(session), header_(headerLines) {}

void RegisterNumberingForm::open() {
    core::Session& s = session();
    std::vector<std::string> lines =
        tables::readCompanyHeader(s.files(), s.installation().companyFile(s.company().code, "kalvora.int"));
    lines.resize(headerLines);
    header_ = std::move(lines);
}

const std::string& RegisterNumberingForm::text(int k) const {
    return k >= 0 && k < fieldCount ? texts_[static_cast<std::size_t>(k)] : noText();
}

void RegisterNumberingForm::setText(int k, const std::string& value) {
    if (k >= 0 && k < fieldCount) texts_[static_cast<std::size_t>(k)] = core::singleLine(value);
}

std::string RegisterNumberingForm::pageLabel(long n) const {
    if (!anno_) return "Pagina" + core::strForm(static_cast<double>(n));
    char year[16];
    std::snprintf(year, sizeof year, "%04d", session().clock().today().year);
    return "Pagina " + std::string(year) + "/" + std::to_string(n);
}

std::string RegisterNumberingForm::pageHeader() const {
    return core::trim(texts_[0]) + "  -  " + core::trim(header_[0]) + " - C.Fisc." + core::trim(header_[8]);
}

bool RegisterNumberingForm::print() {
    core::Platform& platform = session().platform();
    const std::optional<long> first = pageNumber(texts_[1]);
    const std::optional<long> last = pageNumber(texts_[2]);
    const auto refuse = [&](const std::string& text) {
        platform.message(text, "Attenzione", core::Icon::Critical);
        return false;
    };
    if (!first) return refuse("Il numero della pagina iniziale non è valido: scrivere un numero intero.");
    if (!last) return refuse("Il numero della pagina finale non è valido: scrivere un numero intero.");
    if (*first > *last)
        return refuse("La pagina iniziale viene dopo la pagina finale: non c'è nessuna pagina da stampare.");
    if (*last - *first >= maxPages)
        return refuse("Non è possibile stampare più di 10.000 pagine alla volta.");

    const std::string heading = pageHeader();
    return printing::askAndPrint(session(), title(), [&](core::PrintJob& job) {
        core::PrintFont font;
        font.name = fontName;
        font.size = fontSize;
        const double labelY = topMargin + job.lineHeight(font) * 1.5;
        for (long n = *first; n <= *last; ++n) {
            if (n != *first) job.newPage();
            job.text(leftMargin, topMargin, heading, font, 0);
            const std::string label = pageLabel(n);
            job.text(core::PrintJob::pageWidth - rightMargin - job.textWidth(label, font), labelY, label, font, 0);
        }
        return std::vector<std::string>{};
    });
}

void RegisterNumberingForm::button(int index) {
    if (index == 0) cancel();
    if (index == 1) print();
}

void openRegisterNumbering(core::Session& session) {
    RegisterNumberingForm form(session);
    form.open();
    session.platform().showModal(form);
}

}  // namespace kalvora::company
