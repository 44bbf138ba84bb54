#pragma once
// The year-end reset of the current company's archives: old documents, movements and entries
// removed, fulfilled orders dropped, reprint files and a past year's takings deleted, the new
// year's takings and the warehouse opening movements created.
//
// Nothing is changed in place. Every archive that changes is compacted into a new file beside
// it ("kalvora.fte.azz"), the new counts of kalvora.tot and the rebuilt totals of kalvora.con
// too; only when every new file is whole and synced is the reset journal kalvora.azz written,
// and then the new files are moved over the old ones and the files to delete deleted. A run
// cut short before the journal leaves the archives as they were; one cut short after it is
// completed from the journal the next time the company becomes current. An archive and its
// count in kalvora.tot never disagree. A new archive holds exactly the records kept (and the
// ones added): records past the count, which are not in use, are not carried over.
#include "core/dates.h"
#include "core/session.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kalvora::company {

// One of the three reprint-file options: the year whose files go, and whether their PDF copies
// (the same name followed by ".pdf") go too. When ticked it also deletes the reprint files of
// the documents of its family that the reset removes: the files named by the prefix and the
// trimmed document number, alone or with one extension, any case; only a number that begins
// with a digit 1-9 and holds letters and digits alone names files, so that no other file is
// ever taken for a document's.
struct ReprintChoice {
    int year = 0;
    bool pdf = false;
};

// What one reset does. An empty optional or a false flag leaves that part alone.
struct ResetPlan {
    std::optional<core::Date> invoicesBefore;   // kalvora.fte
    std::optional<core::Date> receiptsBefore;   // kalvora.ric
    std::optional<int> deleteTakingsYear;       // kal<year>.cor / .crr deleted
    std::optional<int> createTakingsYear;       // kal<year>.cor / .crr created blank
    std::optional<core::Date> receivedBefore;   // kalvora.ftr
    std::optional<core::Date> movementsBefore;  // kalvora.mag
    // One opening movement per article, dated the movements' cutoff when that is set, else
    // 01/01 of the current year; the article records are left as they are.
    bool openingMovements = false;
    std::optional<core::Date> ddtBefore;           // kalvora.bol
    std::optional<core::Date> entriesBefore;       // kalvora.gio, with the totals of kalvora.con
    bool customerOrders = false;                   // kalvora.orc, fulfilled orders
    bool supplierOrders = false;                   // kalvora.orf
    bool quotes = false;                           // kalvora.prv, accepted and fulfilled
    bool work = false;                             // kalvora.lav, completed and fulfilled
    bool deposits = false;                         // kalvora.dep, extinguished
    std::optional<ReprintChoice> invoiceReprints;  // "par", "ftr", "fp"; own files "f"/"p" + number
    std::optional<ReprintChoice> receiptReprints;  // "ric", "rfs"; own files "r" + number
    std::optional<ReprintChoice> ddtReprints;      // "bll"; own files "b" + number
    bool safetyCopy = false;                       // kalvora.* -> kalold.*, kal<year> -> kalo<year>
};

// The step in progress and how far it has gone (0..100), now and then during long work.
using ResetProgress = std::function<void(const std::string& label, int percent)>;

// What the plan will do to one archive or group of files, found by the same code that runs it.
struct ResetCount {
    std::string archive;        // "kalvora.fte", "kal2025.cor", "ristampa" ...
    std::string line;           // one line for the user, in Italian
    std::uint64_t removed = 0;  // records (or files) that will go
    std::uint64_t total = 0;    // records in use now
    std::uint64_t added = 0;    // records that will be added (opening movements, blank takings)
};

struct DryRun {
    std::string failure;  // empty when every archive could be read
    std::vector<ResetCount> counts;
};

// Reads what the plan would change, changing nothing.
DryRun countRemovals(core::Session& session, const ResetPlan& plan);
// The dry run as the message the user reads before the questions.
std::string dryRunText(const DryRun& dryRun);

struct ResetResult {
    bool done = false;               // every change is in place
    bool changed = false;            // some archive was replaced (the swaps began)
    std::string failure;             // what went wrong, for the user; empty when done
    std::vector<std::string> notes;  // things left as they were on purpose, for the user
};

// The safety copy (when planned), then the reset of the current company. `progress` is called
// every few thousand records.
ResetResult runReset(core::Session& session, const ResetPlan& plan, const ResetProgress& progress = {});

// Completes a reset or an import of company `code` cut short after its journal was written, or
// removes the new files of one cut short before, and tells the user which; nothing when there is
// neither.
void completeInterruptedReset(core::Session& session, int code);

}  // namespace kalvora::company
