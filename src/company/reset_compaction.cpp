#include "company/reset_run.h"

#include "core/accounting_archives.h"
#include "core/archive_layouts.h"
#include "core/text.h"

#include <array>
#include <cerrno>

namespace kalvora::company::reset {

namespace {

namespace L = core;  // the layouts

enum class Rule { DateText, DateNumber, Fulfilled, AcceptedFulfilled, CompletedFulfilled, Extinguished };
enum class Family { None, Invoices, Receipts, Ddt };

// One archive the reset compacts, in the order the window lists them.
struct Step {
    const L::Archive* archive;
    Rule rule;
    L::Field date;    // for the rules by date
    L::Field number;  // the document number naming its reprint files
    Family family;
    const char* label;
    const char* noun;
};

const std::array<Step, archiveCount> steps = {{
    {&L::documents::issued, Rule::DateText, L::documents::date, L::documents::number, Family::Invoices,
     "Azzero l'archivio fatture emesse", "Fatture emesse"},
    {&L::documents::receipts, Rule::DateText, L::documents::date, L::documents::number, Family::Receipts,
     "Azzero l'archivio ricevute fiscali", "Ricevute fiscali"},
    {&L::documents::received,
     Rule::DateText,
     L::documents::date,
     {},
     Family::None,
     "Azzero l'archivio fatture ricevute",
     "Fatture ricevute"},
    {&L::movements::archive,
     Rule::DateText,
     L::movements::date,
     {},
     Family::None,
     "Azzero l'archivio movimenti di magazzino",
     "Movimenti di magazzino"},
    {&L::ddt::archive, Rule::DateNumber, L::ddt::date, L::ddt::number, Family::Ddt, "Azzero l'archivio DDT", "DDT"},
    {&L::gio::archive,
     Rule::DateText,
     L::gio::date,
     {},
     Family::None,
     "Azzero l'archivio movimenti contabili",
     "Scritture contabili"},
    {&L::orders::customer, Rule::Fulfilled, {}, {}, Family::None, "Azzero l'archivio ordini clienti", "Ordini clienti"},
    {&L::orders::supplier,
     Rule::Fulfilled,
     {},
     {},
     Family::None,
     "Azzero l'archivio ordini fornitori",
     "Ordini fornitori"},
    {&L::orders::quotes, Rule::AcceptedFulfilled, {}, {}, Family::None, "Azzero l'archivio preventivi", "Preventivi"},
    {&L::orders::work,
     Rule::CompletedFulfilled,
     {},
     {},
     Family::None,
     "Azzero l'archivio del c/lavorazione",
     "Lavorazioni"},
    {&L::orders::deposits, Rule::Extinguished, {}, {}, Family::None, "Azzero l'archivio del c/deposito", "Depositi"},
}};

constexpr std::size_t readBlock = core::RecordReader::defaultBlock * 4;
constexpr std::uint64_t progressEvery = 4096;

bool blank(std::string_view raw) { return raw.find_first_not_of(std::string_view(" \0", 2)) == std::string_view::npos; }

// A document number that clearly names reprint files: a digit 1-9 first, letters and digits
// after it, as the reprint files of the modules are named.
bool reprintNumber(const std::string& number) {
    return !number.empty() && number[0] >= '1' && number[0] <= '9' &&
           std::all_of(number.begin(), number.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
           });
}

const std::optional<ReprintChoice>& reprintsOf(const ResetPlan& plan, Family family) {
    static const std::optional<ReprintChoice> none;
    return family == Family::Invoices   ? plan.invoiceReprints
           : family == Family::Receipts ? plan.receiptReprints
           : family == Family::Ddt      ? plan.ddtReprints
                                        : none;
}

// The cutoff of step `i` as yyyymmdd (empty: nothing removed by date), or nullopt when the step
// does not run.
std::optional<std::string> cutoffOf(const ResetPlan& plan, std::size_t i) {
    const auto date = [](const std::optional<core::Date>& d) -> std::optional<std::string> {
        if (!d) return std::nullopt;
        return core::toYyyymmdd(*d);
    };
    const bool flags[] = {plan.customerOrders, plan.supplierOrders, plan.quotes, plan.work, plan.deposits};
    switch (i) {
        case 0:
            return date(plan.invoicesBefore);
        case 1:
            return date(plan.receiptsBefore);
        case 2:
            return date(plan.receivedBefore);
        case 3:
            return plan.movementsBefore    ? date(plan.movementsBefore)
                   : plan.openingMovements ? std::optional(std::string())
                                           : std::nullopt;
        case 4:
            return date(plan.ddtBefore);
        case 5:
            return date(plan.entriesBefore);
        default:
            return flags[i - 6] ? std::optional(std::string()) : std::nullopt;
    }
}

bool removes(const Step& step, const std::string& cutoff, core::RecordView r) {
    const auto flag = [&](L::Field f) { return r.raw(f.offset, f.width) == "1"; };
    switch (step.rule) {
        case Rule::DateText:
            return !cutoff.empty() && r.raw(step.date.offset, step.date.width) < std::string_view(cutoff);
        case Rule::DateNumber:
            return !cutoff.empty() &&
                   core::numericValue(r.raw(step.date.offset, step.date.width)) < core::numericValue(cutoff);
        case Rule::Fulfilled:
            return flag(L::orders::fulfilled);
        case Rule::AcceptedFulfilled:
            return flag(L::orders::accepted) && flag(L::orders::fulfilled);
        case Rule::CompletedFulfilled:
            return flag(L::orders::completed) && flag(L::orders::fulfilled);
        case Rule::Extinguished:
            return flag(L::orders::extinguished);
    }
    return false;
}

// Notes the reprint files of a removed or kept document: "f"/"p" (fee note) for invoices issued,
// "r" for receipts, "b" for transport documents, followed by its number.
void noteDocument(Run& run, const Step& step, core::RecordView r, bool removed) {
    const auto& choice = reprintsOf(run.plan, step.family);
    if (!choice) return;
    const std::string number = core::lower(core::trim(r.text(step.number.offset, step.number.width)));
    if (!reprintNumber(number)) return;
    const std::string_view kind = r.raw(L::documents::kind.offset, L::documents::kind.width);
    const char prefix = step.family == Family::Receipts ? 'r'
                        : step.family == Family::Ddt    ? 'b'
                        : (kind == "P" || kind == "p")  ? 'p'
                                                        : 'f';
    if (removed)
        run.documentFiles[prefix + number] = choice->pdf;
    else
        run.keptDocuments.insert(prefix + number);
}

// Opening movements, one per article with a code, after the movements kept.
bool openingMovements(Run& run, core::RecordWriter* writer, std::uint64_t& added) {
    const std::uint64_t count = countIn(run.tot, L::articles::archive.countRecord);
    const std::string name(L::articles::archive.file);
    const std::string label = "Creo le scritture di apertura di magazzino";
    if (count == 0) return true;
    core::RecordFile file;
    if (const int error = run.files.openRecords(run.path(name), L::articles::archive.recordLength, false, file))
        return run.fail("leggere l'archivio articoli " + name, error);
    const core::Date today = run.session.clock().today();
    const std::string date = core::toYyyymmdd(run.plan.movementsBefore.value_or(core::Date{today.year, 1, 1}));
    core::RecordReader reader(file, 1, count, readBlock);
    std::uint64_t read = 0;
    run.report(label, 0, count);
    while (reader.next()) {
        const core::RecordView article = reader.record();
        if (++read % progressEvery == 0) run.report(label, read, count);
        const std::string_view code = article.raw(L::articles::code.offset, L::articles::code.width);
        if (blank(code)) continue;  // a free slot of the archive, not an article
        ++added;
        if (!writer) continue;
        core::Record movement(L::movements::archive.recordLength);
        movement.setText(L::movements::date.offset, L::movements::date.width, date);
        movement.fill(L::movements::article.offset, L::movements::article.width, ' ');
        std::copy_n(code.begin(), std::min(code.size(), L::movements::article.width),
                    movement.bytes().begin() + static_cast<std::ptrdiff_t>(L::movements::article.offset));
        movement.setText(L::movements::description.offset, L::movements::description.width, "Riporto inizio anno");
        movement.setFloat64(L::movements::quantity.offset, article.float64(L::articles::stock.offset));
        movement.setFloat64(L::movements::price.offset, article.float64(L::articles::cost.offset));
        movement.setText(L::movements::origin.offset, L::movements::origin.width, "9");
        if (const int error = writer->append(movement)) return run.fail("scrivere i movimenti di apertura", error);
    }
    if (reader.error() != 0 || (read < count && run.readFailed(name, L::articles::archive.recordLength, read)))
        return run.fail("leggere l'archivio articoli " + name, reader.error() ? reader.error() : EIO);
    return true;
}

// The chart of accounts with its totals cleared, checked to hold every account in use.
bool loadChart(Run& run, core::ChartOfAccounts& chart) {
    const std::string name(L::con::archive.file);
    if (const int error = chart.load(run.files, run.session.installation(), run.session.company().code))
        return run.fail("leggere il piano dei conti " + name, error);
    const std::uint64_t held = run.files.stat(run.path(name)).size / L::con::archive.recordLength;
    if (static_cast<std::uint64_t>(chart.size()) != std::min(countIn(run.tot, L::con::archive.countRecord), held))
        return run.fail("leggere il piano dei conti " + name, EIO);
    chart.clearTotals();
    return true;
}

// The rebuilt chart: the accounts in use with their new totals, then whatever the file holds
// past them, as it was.
bool stageChart(Run& run, const core::ChartOfAccounts& chart) {
    const std::string name(L::con::archive.file);
    const auto old = run.files.readBytes(run.path(name));
    if (!old) return run.fail("leggere il piano dei conti " + name, EIO);
    std::string bytes;
    bytes.reserve(old->size());
    for (int i = 0; i < chart.size(); ++i) {
        const core::RecordView account = chart.account(i);
        bytes.append(reinterpret_cast<const char*>(account.data()), account.length());
    }
    if (old->size() > bytes.size()) bytes.append(*old, bytes.size());
    return stageBytes(run, name, bytes);
}

// Reads records 1..count of one archive, keeping or removing each; when staging, the kept
// records (and the opening movements) go into a new file beside it.
bool compact(Run& run, const Step& step, const std::string& cutoff) {
    const L::Archive& archive = *step.archive;
    const std::string name(archive.file);
    const std::uint64_t count = countIn(run.tot, archive.countRecord);
    const bool opening = archive.file == L::movements::archive.file && run.plan.openingMovements;
    const bool journal = archive.file == L::gio::archive.file;
    ResetCount line{name, step.noun + std::string(" (") + name + ")", 0, count, 0};
    run.report(step.label, 0, count);
    if (count == 0 && !opening) {
        line.line += ": nessun record in uso, l'archivio non verrà modificato";
        run.counts.push_back(line);
        return true;
    }
    core::RecordFile file;
    if (count > 0) {
        if (const int error = run.files.openRecords(run.path(name), archive.recordLength, false, file))
            return run.fail(
                error == ENOENT ? "trovare l'archivio " + name + ", che risulta in uso" : "leggere l'archivio " + name,
                error);
    }
    core::ChartOfAccounts chart;
    core::UnknownAccounts unknown;
    if (journal && run.stage && !loadChart(run, chart)) return false;
    core::RecordWriter writer;
    const std::string staged = stagedName(name);
    if (run.stage) {
        run.staged.push_back(staged);
        if (const int error = run.files.createRecords(run.path(staged), archive.recordLength, writer))
            return run.fail("scrivere il file " + staged, error);
    }
    std::uint64_t read = 0, kept = 0;
    if (count > 0) {
        core::RecordReader reader(file, 1, count, readBlock);
        const bool euro = run.session.company().euro();
        while (reader.next()) {
            const core::RecordView r = reader.record();
            if (++read % progressEvery == 0) run.report(step.label, read, count);
            if (removes(step, cutoff, r)) {
                ++line.removed;
                if (step.family != Family::None) noteDocument(run, step, r, true);
                continue;
            }
            ++kept;
            if (step.family != Family::None) noteDocument(run, step, r, false);
            if (!run.stage) continue;
            if (const int error = writer.append(r)) return run.fail("scrivere il file " + staged, error);
            if (journal) chart.addEntry(r, euro, unknown);
        }
        if (reader.error() != 0 || (read < count && run.readFailed(name, archive.recordLength, read)))
            return run.fail("leggere l'archivio " + name, reader.error() ? reader.error() : EIO);
        run.report(step.label, count, count);
    }
    if (opening && !openingMovements(run, run.stage ? &writer : nullptr, line.added)) return false;
    const std::uint64_t inUse = kept + line.added;
    line.line += ": " + std::to_string(line.removed) + " record da eliminare su " + std::to_string(read);
    // A count past the records the file holds is lowered to them, with the rest of the reset.
    if (read < count) {
        line.total = read;
        line.line += " (il contatore in kalvora.tot indica " + std::to_string(count) + " record, ma l'archivio ne "
                     "contiene " + std::to_string(read) + ": verrà ridotto a " + std::to_string(read) + ")";
    }
    if (opening) line.line += ", " + std::to_string(line.added) + " movimenti di apertura da aggiungere";
    if (journal && line.total > 0)
        line.line +=
            "; i progressivi dei conti verranno ricalcolati dalle " + std::to_string(kept) + " scritture rimaste";
    run.counts.push_back(line);
    if (!run.stage) return true;
    if (const int error = writer.finish()) return run.fail("scrivere il file " + staged, error);
    if (journal && chart.size() > 0 && !stageChart(run, chart)) return false;
    if (!unknown.empty()) {
        std::uint64_t lines = 0;
        for (const auto& [code, n] : unknown) lines += n;
        run.notes.push_back("Righe delle scritture contabili rimaste che indicano conti assenti dal piano dei conti: " +
                            std::to_string(lines) + " (non sommate ai progressivi).");
    }
    if (inUse == count && read == count) {
        // Nothing changes: the archive stays as it is, and a new file that will not go away now
        // goes with the journal's deletions.
        if (run.files.remove(run.path(staged)) != 0 && run.files.exists(run.path(staged)))
            run.journal.deletes.push_back(staged);
        return true;
    }
    run.journal.moves.emplace_back(staged, name);
    setCountIn(run.tot, archive.countRecord, inUse);
    run.totChanged = true;
    return true;
}

}  // namespace

bool stageBytes(Run& run, const std::string& target, std::string_view bytes) {
    const std::string staged = stagedName(target);
    core::RecordWriter writer;
    int error = run.files.createRecords(run.path(staged), std::max<std::size_t>(bytes.size(), 1), writer);
    run.staged.push_back(staged);
    if (error == 0)
        error = writer.append(core::RecordView(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    if (error == 0) error = writer.finish();
    if (error != 0) return run.fail("scrivere il file " + staged, error);
    run.journal.moves.emplace_back(staged, target);
    return true;
}

bool compactArchive(Run& run, std::size_t i) {
    const auto cutoff = cutoffOf(run.plan, i);
    return !cutoff || compact(run, steps[i], *cutoff);
}

}  // namespace kalvora::company::reset
