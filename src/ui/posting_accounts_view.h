#pragma once
// The posting accounts window zelstmas: the accounts page (Frame2, sixteen box groups with their
// desc labels, and List1, the chart of accounts) and the descriptions page (Frame1, eleven
// Text2 boxes) on the same window, bottone 2 and 3 to switch between them.
#include "tables/posting_accounts.h"
#include "ui/table_window.h"

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QToolButton;

namespace kalvora::ui {

class PostingAccountsView : public TableDialog {
    Q_OBJECT
public:
    explicit PostingAccountsView(tables::PostingAccountsForm& form, QWidget* parent = nullptr);

    void refresh() override;

protected:
    // After a refused marker the form names the description box to correct.
    void focusField() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* buildAccounts();
    QGroupBox* buildDescriptions();

    tables::PostingAccountsForm& form_;
    QGroupBox* accounts_ = nullptr;      // Frame2
    QGroupBox* descriptions_ = nullptr;  // Frame1
    QListWidget* list_ = nullptr;        // List1
    std::array<QLineEdit*, tables::accountBoxCount> boxes_{};
    std::array<QLabel*, tables::accountGroupCount> labels_{};
    std::array<QLineEdit*, tables::descriptionCount> texts_{};
};

}  // namespace kalvora::ui
