#pragma once
// The closing window kalchi (mode 0 closes the balance-sheet accounts against "Bilancio di
// chiusura", mode 1 the profit-and-loss accounts against "Profitti e perdite") and the opening
// window kalape (carries the balance-sheet balances of another company, usually last year's,
// into the current one against "bilancio di apertura"). The first "Conferma" analyses and
// previews the entries, the second writes them: first the journal, then its count, then the
// accounts, so that an interruption never leaves half an entry counted.
//
// A closing stores in every account of its class the balance that account has without the
// closing entries of that mode, whichever closings ran before and in whatever order: the
// opening of the next year carries those. Opening entries have the same bytes as closing ones
// (marker 1, the account on the first line, the counterpart on the second): an entry is taken
// for an opening when dated before both the closing's date and the latest movement of the
// journal (a year is opened before its movements and closed after them), or when its first
// description line begins with "Apertura".
#include "core/accounting_archives.h"
#include "core/form.h"
#include "core/session.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kalvora::company {

enum class ClosingMode { BalanceSheet = 0, ProfitAndLoss = 1, Opening = 2 };

struct PreviewRow {  // one line of a previewed entry, cells as shown
    std::string date;        // "31/12/2026"
    std::string movement;    // the entry description (description field 0)
    std::string account;     // "GG.SS.NNNN"
    std::string accountDescription;
    std::string debit;       // formatAmount or empty
    std::string credit;
};

class AccountingClosingForm : public core::Form {
public:
    static constexpr int documentWidth = 20;
    static constexpr int descriptionWidth = 40;
    static constexpr std::array<int, 3> accountPartWidths{2, 2, 4};

    AccountingClosingForm(core::Session& session, ClosingMode mode);
    std::string name() const override;
    std::string title() const override;
    ClosingMode mode() const { return mode_; }

    // Proposes today's date and the entry description, reads the chart of accounts and, for the
    // opening, lists the companies with last year's proposed.
    void open();
    std::string frameTitle() const;
    std::string counterpartLabel() const;
    // What "Conferma" does now: analyse, or write what the preview shows.
    std::string guidance() const;

    const std::string& date() const { return date_; }
    void setDate(std::string text);
    const std::string& document() const { return document_; }
    void setDocument(std::string text);
    const std::string& description(int i) const;
    void setDescription(int i, std::string text);
    // The counterpart account in three parts: group (2), subgroup (2), account (4).
    const std::string& accountPart(int i) const;
    void setAccountPart(int i, std::string text);
    // Pads the part with zeros on the left; leaving the account part looks the code up and says
    // so when the chart has no such account.
    void leaveAccountPart(int i);
    std::string accountDescription() const;

    // "Esamina i conti dell'azienda" (opening only): "NNN Name" per company of the registry.
    const std::vector<std::string>& companies() const { return companies_; }
    int chosenCompany() const { return chosen_; }
    void chooseCompany(int row);

    static const std::array<std::string, 6>& columnHeaders();
    const std::vector<PreviewRow>& preview() const { return preview_; }
    bool previewed() const { return previewed_; }
    const std::vector<std::string>& progressLines() const { return progressLines_; }
    int progressPercent() const { return percent_; }
    bool working() const { return working_; }
    // Called while long work moves on, just before pending events run.
    void onProgress(std::function<void()> listener) { listener_ = std::move(listener); }

    void confirm();  // "Conferma": the first click previews, the second writes
    void cancel();   // "Annulla": leaves; during the analysis it stops it first

private:
    // One entry to write: the account closed or opened and the counterpart, both in the
    // current company's chart.
    struct PlannedEntry {
        int account = -1;
        int side = 0;  // the account's side; the counterpart takes the other
        double amount = 0;
        std::string code;
        std::string accountDescription;
    };

    bool isOpening() const { return mode_ == ClosingMode::Opening; }
    std::string entryDescription() const;  // the description proposed for the entries
    std::string messageTitle() const;
    bool inClass(const std::string& code) const;
    // Looks the counterpart up in the current chart; with `tell`, says when it is not there.
    bool findCounterpart(bool tell);
    bool dateIsValid();
    void dropPreview();
    void refreshPreviewCells();
    void moveOn(int percent);
    void tellFailure(const std::string& text);
    // The entries the journal holds now, or nullopt (the user told) when the count is unreadable.
    std::optional<std::uint64_t> journalCount();

    bool analyse();
    // Reads the journal count and the chart of the current company and finds the counterpart.
    bool readCurrentCompany();
    bool planClosing();
    // The balances the closing stores, from the rebuilt totals and the entries the windows wrote.
    void planBalances(const core::MarkedEntries& marked, bool euro);
    bool balancesChanged() const;
    bool planOpening();
    void write();
    // The three steps of the write; false once one has failed (the user has been told).
    bool appendEntries(std::uint64_t count);
    bool storeCount(std::uint64_t count);
    // Stores the new totals, and the closing balances, in `disk`: the chart as it is now.
    bool storeAccounts(core::ChartOfAccounts& disk);

    ClosingMode mode_;
    std::string date_;
    std::string document_;
    std::array<std::string, 3> descriptions_{};
    std::array<std::string, 3> parts_{};
    int counterpart_ = -1;
    std::vector<std::string> companies_;
    std::vector<int> companyCodes_;
    int chosen_ = -1;

    core::ChartOfAccounts chart_;  // the current company's, totals rebuilt for the closing
    std::uint64_t journalCount_ = 0;  // the entries the analysis saw
    std::vector<PlannedEntry> plan_;
    std::vector<std::pair<int, double>> balances_;  // closing: account, balance to store
    std::vector<PreviewRow> preview_;
    bool previewed_ = false;

    std::vector<std::string> progressLines_;
    int percent_ = 0;
    bool working_ = false;
    bool writing_ = false;
    bool stopRequested_ = false;
    std::function<void()> listener_;
};

}  // namespace kalvora::company
