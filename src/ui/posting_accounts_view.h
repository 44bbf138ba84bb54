#pragma once
// The posting accounts window zelstmas: the accounts page (Frame2, sixteen box groups with their
// desc labels, and List1, the chart of accounts) and the descriptions page (Frame1, eleven
// Text2 boxes) on the same window, bottone 2 and 3 to switch between them.
#include "tables/posting_accounts.h"

#include <QDialog>

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QToolButton;

namespace kalvora::ui {

class PostingAccountsView : public QDialog {
    Q_OBJECT
public:
    explicit PostingAccountsView(tables::PostingAccountsForm& form, QWidget* parent = nullptr);

    tables::PostingAccountsForm& form() { return form_; }
    void refresh();

public slots:
    void reject() override;  // Esc: the same as Annulla

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* buildAccounts();
    QGroupBox* buildDescriptions();
    void afterAction();
    void focusDescription();

    tables::PostingAccountsForm& form_;
    QGroupBox* accounts_ = nullptr;      // Frame2
    QGroupBox* descriptions_ = nullptr;  // Frame1
    QListWidget* list_ = nullptr;        // List1
    std::array<QLineEdit*, tables::accountBoxCount> boxes_{};
    std::array<QLabel*, tables::accountGroupCount> labels_{};
    std::array<QLineEdit*, tables::descriptionCount> texts_{};
};

}  // namespace kalvora::ui
