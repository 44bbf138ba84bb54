#pragma once
// The check window kalchk ("Controllo contabile"): rebuilds the running debit and credit totals
// of every account from the journal, streaming it, and stores them in one atomic rewrite of the
// chart of accounts. Lines naming an account the chart does not hold are listed after the
// accounts; the others are rebuilt all the same.
#include "core/accounting_archives.h"
#include "core/form.h"
#include "core/session.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace kalvora::company {

class BalanceCheckForm : public core::Form {
public:
    explicit BalanceCheckForm(core::Session& session);
    std::string name() const override { return "kalchk"; }
    std::string title() const override { return "Controllo contabile"; }
    void open();
    std::string explanation() const;
    static const std::array<std::string, 4>& columnHeaders();

    struct Row {
        std::string account, description, debit, credit;
    };
    // After the check: every account, then one row per code named in the journal but missing
    // from the chart. A row is made when asked for: the grid shows a few of ten thousand.
    int rowCount() const { return chart_.size() + static_cast<int>(unknown_.size()); }
    Row row(int r) const;
    const std::vector<std::string>& progressLines() const { return progressLines_; }
    int progressPercent() const { return percent_; }
    bool working() const { return working_; }
    // Called while the check moves on, just before pending events run.
    void onProgress(std::function<void()> listener) { listener_ = std::move(listener); }

    void confirm();  // runs the check
    void cancel();   // leaves; a check under way stops and stores nothing

private:
    void moveOn(int percent);
    // The check proper; false when it stopped (the user has been told why, or left).
    bool check();

    core::ChartOfAccounts chart_;  // as stored by the check
    std::vector<std::pair<std::string, std::uint64_t>> unknown_;
    bool euro_ = true;
    std::vector<std::string> progressLines_;
    int percent_ = 0;
    bool working_ = false;
    bool stopRequested_ = false;
    std::function<void()> listener_;
};

}  // namespace kalvora::company
