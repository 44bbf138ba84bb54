#pragma once
// The window zelaazz: the options of the year-end reset of the current company, each a check
// box with its date or year, the checks and questions before the work, and the progress of it.
#include "company/year_end_reset.h"
#include "core/form.h"
#include "core/session.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kalvora::company {

enum class ResetOptionKind { Date, Year, Plain };

struct ResetOption {
    std::string caption;  // exact text of the check box
    ResetOptionKind kind;
    bool ticked = false;
    std::string value;    // "dd/mm/yyyy" for Date, "2026" for Year, empty for Plain
    bool enabled = true;  // the pro-forma option names no archive and stays disabled
    int parent = -1;      // a PDF box: the index of its reprint option
};

class YearEndResetForm : public core::Form {
public:
    // The options, in the order the window lists them.
    enum Option : int {
        Invoices, Receipts, DeleteTakings, CreateTakings, ReceivedInvoices, Movements, OpeningMovements, Ddt,
        Entries, CustomerOrders, SupplierOrders, Quotes, Work, Deposits, InvoiceReprints, InvoicePdf,
        ReceiptReprints, ReceiptPdf, DdtReprints, DdtPdf, ProForma, SafetyCopy, optionCount
    };

    explicit YearEndResetForm(core::Session& session);
    std::string name() const override { return "zelaazz"; }
    std::string title() const override { return "Azzeramento archivi"; }

    // Completes a reset left interrupted, then proposes "01/01/" and the current year for every
    // date, the current year for the takings to create and the previous year for the files to
    // delete; the safety copy starts ticked.
    void open();
    std::string frameTitle() const { return "Selezione archivi da azzerare"; }
    const std::vector<ResetOption>& options() const { return options_; }
    // A disabled option, or any while the reset works, ignores these. A PDF box is enabled while
    // its reprint option is ticked.
    void tick(int option, bool ticked);
    void setValue(int option, std::string text);

    // The step in progress, empty when idle, and how far it has gone (0..100).
    std::string progressLabel() const { return label_; }
    int progressPercent() const { return percent_; }
    bool working() const { return working_; }
    // Called before pending events run during long work, so the window shows the progress.
    void onProgress(std::function<void()> listener) { listener_ = std::move(listener); }

    // Button 1: checks the dates and years, advises to duplicate the company, shows what will
    // be removed, asks twice and runs the reset. The safety copy alone is a run too: it makes
    // the copy and changes nothing else.
    void confirm();
    // Button 0: closes.
    void cancel();

    // The reset the ticked options describe; nullopt when a ticked date or year is not valid.
    std::optional<ResetPlan> plan() const;

private:
    bool anyOptionTicked() const;

    std::vector<ResetOption> options_;
    std::string label_;
    int percent_ = 0;
    bool working_ = false;
    std::function<void()> listener_;
};

}  // namespace kalvora::company
