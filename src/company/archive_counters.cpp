#include "company/archive_counters.h"

#include "company/archive_conversion.h"
#include "core/numbers.h"
#include "core/text.h"
#include "tables/einvoice_issuer.h"

#include <algorithm>
#include <cmath>

namespace kalvora::company {

namespace {

namespace tot = core::tot;
constexpr std::size_t fileBytes = ArchiveCountersForm::recordCount * tot::recordLength;
// A count file this window writes holds at least a new company's records.
constexpr std::size_t newFileBytes = core::conversion::currentCountRecords * tot::recordLength;

const std::string& noText() {
    static const std::string empty;
    return empty;
}

// A stored value as the box shows it: whole numbers plainly, anything else (a fraction, a
// negative, a value no counter can hold) as it is, so that it stands out.
std::string shownValue(double value) {
    if (!std::isfinite(value)) return "";
    if (value >= 0 && value <= ArchiveCountersForm::maxValue && value == std::floor(value))
        return std::to_string(static_cast<long long>(value));
    return core::shortestDecimal(value);
}

// A value as typed: a whole number of at most nine digits, blanks around it ignored.
std::optional<double> typedValue(const std::string& text) {
    const std::string t = core::trim(text);
    if (t.empty() || t.size() > ArchiveCountersForm::maxDigits ||
        !std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return static_cast<double>(std::stoll(t));
}

std::size_t at(std::uint64_t record, std::size_t offset) {
    return static_cast<std::size_t>(record - 1) * tot::recordLength + offset;
}

core::Record recordIn(const std::string& bytes, std::uint64_t record) {
    return core::Record(bytes.substr(at(record, 0), tot::recordLength));
}

int registerIndex(char stored) {
    const int index = stored - '0';
    return index >= 0 && index < static_cast<int>(ArchiveCountersForm::registers.size()) ? index : -1;
}

}  // namespace

const std::array<CounterSlot, ArchiveCountersForm::text1Count> ArchiveCountersForm::text1Slots{{
    {1, tot::count}, {16, tot::count}, {2, tot::count}, {7, tot::count}, {8, tot::count},
    {9, tot::count}, {10, tot::count}, {3, tot::count}, {3, tot::fifth}, {4, tot::count},
    {11, tot::count}, {12, tot::count}, {14, tot::count}, {15, tot::count}, {17, tot::count},
    {18, tot::count}, {19, tot::count}, {6, tot::count}, {13, tot::count},
}};

const std::array<CounterSlot, ArchiveCountersForm::text2Count> ArchiveCountersForm::text2Slots{{
    {7, tot::lastNumber}, {5, tot::lastNumber}, {5, tot::count}, {23, tot::lastNumber},
    {24, tot::lastNumber}, {8, tot::lastNumber}, {9, tot::lastNumber}, {12, tot::lastNumber},
    {14, tot::lastNumber}, {15, tot::lastNumber}, {17, tot::lastNumber}, {18, tot::lastNumber},
    {19, tot::lastNumber},
}};

// The archives whose file this program does not know are named by their counter.
const std::array<const char*, ArchiveCountersForm::text1Count> ArchiveCountersForm::text1Labels{
    "Contatore n. 1", "Contatore n. 16", "Contatore n. 2", "Fatture emesse", "Ricevute fiscali",
    "Scontrini", "Fatture ricevute", "Magazzino", "Magazzino (secondo contatore)", "Contatore n. 4",
    "Movimenti di magazzino", "Documenti di trasporto", "Ordini clienti", "Ordini fornitori",
    "Preventivi", "Conti lavorazione", "Conti deposito", "Piano dei conti", "Registrazioni contabili",
};

const std::array<const char*, ArchiveCountersForm::text2Count> ArchiveCountersForm::text2Labels{
    "Fatture tradizionali (cartacee) numero ultima fattura emessa",
    "Fatture PA numero ultima fatturaPA emessa",
    "Fatture PA ultimo progressivo invio (per generazione file XML)",
    "Fatture PA su registro iva dedicato numero ultima fattura emessa",
    "Fatture integrate Reverse Charge numero ultima fattura RC emessa",
    "Ricevute fiscali numero ultima ricevuta emessa",
    "Scontrini numero ultimo scontrino emesso",
    "Documenti di trasporto numero ultimo documento emesso",
    "Ordini clienti numero ultimo ordine",
    "Ordini fornitori numero ultimo ordine",
    "Preventivi numero ultimo preventivo",
    "Conti lavorazione numero ultimo documento",
    "Conti deposito numero ultimo documento",
};

ArchiveCountersForm::ArchiveCountersForm(core::Session& session) : core::Form(session) {}

bool ArchiveCountersForm::open() {
    core::Session& s = session();
    core::Files& files = s.files();
    const int company = s.company().code;
    const std::string totPath = s.installation().companyFile(company, "kalvora.tot");
    const core::FileStat stat = files.stat(totPath);
    // Without kalvora.a14 the count file may still have the old 12-byte records, where the
    // offsets of this window would land in the wrong records.
    if (stat.exists && !files.exists(s.installation().companyFile(company, conversionMarkerName)) &&
        countFileLayout(stat.size) == CountLayout::Old) {
        s.platform().message(oldLayoutMessage, "Attenzione", core::Icon::Exclamation);
        return false;
    }
    std::string bytes;
    if (stat.exists) {
        std::optional<std::string> read = files.readPrefix(totPath, fileBytes);
        if (!read) {
            s.platform().message("Non è stato possibile leggere il file dei contatori kalvora.tot.", "Attenzione",
                                 core::Icon::Critical);
            return false;
        }
        bytes = std::move(*read);
    }
    bytes.resize(fileBytes, '\0');  // records missing read as zero
    const auto fill = [&](auto& boxes, const auto& slots) {
        for (std::size_t k = 0; k < boxes.size(); ++k) {
            const CounterSlot& slot = slots[k];
            boxes[k].original = shownValue(recordIn(bytes, slot.record).float64(slot.value.offset));
            boxes[k].typed = boxes[k].original;
        }
    };
    fill(text1_, text1Slots);
    fill(text2_, text2Slots);
    register_ = originalRegister_ = registerIndex(bytes[at(registerRecord, tot::choice.offset)]);
    for (std::size_t k = 0; k < nume_.size(); ++k)
        nume_[k] = originalNume_[k] = bytes[at(numeRecords[k], tot::choice.offset)] == '1';
    focus_.reset();

    const std::string fpaPath = s.installation().companyFile(company, tables::EInvoiceIssuer::fileName);
    if (!files.exists(fpaPath)) {
        if (const int error = tables::saveEInvoiceIssuer(files, fpaPath, tables::EInvoiceIssuer()); error != 0)
            s.platform().message("Non è stato possibile creare il file dei dati della fatturaPA kalvora.fpa (errore " +
                                     std::to_string(error) + ").",
                                 "Attenzione", core::Icon::Critical);
    }
    return true;
}

const ArchiveCountersForm::Shown* ArchiveCountersForm::shown(Box box, int k) const {
    if (box == Box::Text1) return k >= 0 && k < text1Count ? &text1_[static_cast<std::size_t>(k)] : nullptr;
    return k >= 0 && k < text2Count ? &text2_[static_cast<std::size_t>(k)] : nullptr;
}

const std::string& ArchiveCountersForm::text(Box box, int k) const {
    const Shown* s = shown(box, k);
    return s ? s->typed : noText();
}

void ArchiveCountersForm::setText(Box box, int k, const std::string& value) {
    if (box == Box::Text1 && k >= 0 && k < text1Count) text1_[static_cast<std::size_t>(k)].typed = core::singleLine(value);
    if (box == Box::Text2 && k >= 0 && k < text2Count) text2_[static_cast<std::size_t>(k)].typed = core::singleLine(value);
}

void ArchiveCountersForm::chooseVatRegister(int index) {
    if (index >= 0 && index < static_cast<int>(registers.size())) register_ = index;
}

bool ArchiveCountersForm::separateNumbering(int k) const {
    return k >= 0 && k < numeCount && nume_[static_cast<std::size_t>(k)];
}

void ArchiveCountersForm::setSeparateNumbering(int k, bool on) {
    if (k >= 0 && k < numeCount) nume_[static_cast<std::size_t>(k)] = on;
}

bool ArchiveCountersForm::confirm() {
    if (closed()) return false;
    core::Session& s = session();
    core::Platform& platform = s.platform();
    core::Files& files = s.files();
    focus_.reset();

    // Only the fields the user changed are written: a value the file held, even one no counter
    // should hold, stays as it was, and so does whatever a module stored since the opening.
    struct Change {
        CounterSlot slot;
        double value;
    };
    std::vector<Change> changes;
    for (const Box box : {Box::Text1, Box::Text2}) {
        const int count = box == Box::Text1 ? text1Count : text2Count;
        for (int k = 0; k < count; ++k) {
            const Shown& f = *shown(box, k);
            if (core::trim(f.typed) == core::trim(f.original)) continue;
            const std::optional<double> value = typedValue(f.typed);
            if (!value) {
                focus_ = FieldRef{box, k};
                const char* label = box == Box::Text1 ? text1Labels[static_cast<std::size_t>(k)]
                                                      : text2Labels[static_cast<std::size_t>(k)];
                platform.message("Il valore \"" + core::trim(f.typed) + "\" di \"" + label +
                                     "\" non è valido: scrivere un numero intero da 0 a 999999999. "
                                     "Nessun contatore è stato modificato.",
                                 "Attenzione", core::Icon::Critical);
                return false;
            }
            const std::size_t i = static_cast<std::size_t>(k);
            changes.push_back({box == Box::Text1 ? text1Slots[i] : text2Slots[i], *value});
        }
    }
    const bool registerChanged = register_ != originalRegister_ && register_ >= 0;
    if (changes.empty() && !registerChanged && nume_ == originalNume_) {
        close();  // nothing to write: the file stays as it is, or missing
        return true;
    }

    // The records as the file holds them now, with every byte past record 25 kept.
    const std::string path = s.installation().companyFile(s.company().code, "kalvora.tot");
    std::string bytes;
    if (files.exists(path)) {
        std::optional<std::string> read = files.readBytes(path);
        if (!read) {
            platform.message("Non è stato possibile leggere il file dei contatori kalvora.tot: nessun contatore è "
                             "stato modificato.",
                             "Attenzione", core::Icon::Critical);
            return false;
        }
        bytes = std::move(*read);
    }
    if (bytes.size() < newFileBytes) bytes.resize(newFileBytes, '\0');
    for (const Change& c : changes) {
        core::Record value(c.slot.value.width);
        value.setFloat64(0, c.value);
        bytes.replace(at(c.slot.record, c.slot.value.offset), value.length(),
                      reinterpret_cast<const char*>(value.bytes().data()), value.length());
    }
    if (registerChanged)
        bytes[at(registerRecord, tot::choice.offset)] = static_cast<char>('0' + register_);
    for (std::size_t k = 0; k < nume_.size(); ++k)
        if (nume_[k] != originalNume_[k]) bytes[at(numeRecords[k], tot::choice.offset)] = nume_[k] ? '1' : '0';

    if (const int error = files.replaceFile(path, bytes); error != 0) {
        platform.message("Non è stato possibile salvare il file dei contatori kalvora.tot (errore " +
                             std::to_string(error) + "): nessun contatore è stato modificato.",
                         "Attenzione", core::Icon::Critical);
        return false;
    }
    close();
    return true;
}

void openArchiveCounters(core::Session& session) {
    ArchiveCountersForm form(session);
    if (form.open()) session.platform().showModal(form);
}

}  // namespace kalvora::company
