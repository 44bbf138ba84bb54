// The wiring of the accounting windows kalchi, kalape and kalchk and of the year-end reset
// zelaazz: the controls reach their forms, the preview and the check fill their grids, and the
// work ends with its message.
#include "controls.h"
#include "company/accounting_closing.h"
#include "company/balance_check.h"
#include "company/year_end_reset_form.h"
#include "core/archive_layouts.h"
#include "support/test_session.h"
#include "ui/company/accounting_closing_view.h"
#include "ui/company/balance_check_view.h"
#include "ui/company/year_end_reset_view.h"
#include "ui/date_field.h"
#include "ui_fixtures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace kalvora;

class AccountingViewsTest : public QObject {
    Q_OBJECT

private slots:
    void closingPreviewsThenWrites();
    void openingOffersTheCompanies();
    void checkListsTheAccounts();
    void resetOptionsReachTheForm();
};

using kalvora::testing::child;

namespace {

const std::string folder = "kalwin/kalwin/kalaz0.000/";

std::string counts(std::uint64_t accounts, std::uint64_t entries) {
    std::string bytes(19 * core::tot::recordLength, '\0');
    core::Record r(core::tot::recordLength);
    r.setFloat64(0, static_cast<double>(accounts));
    std::copy(r.bytes().begin(), r.bytes().end(), bytes.begin() + 5 * 140);
    r.setFloat64(0, static_cast<double>(entries));
    std::copy(r.bytes().begin(), r.bytes().end(), bytes.begin() + 12 * 140);
    return bytes;
}

std::string account(const std::string& code, const std::string& description) {
    core::Record r(core::con::archive.recordLength);
    r.setText(core::con::code.offset, core::con::code.width, code);
    r.setText(core::con::description.offset, core::con::description.width, description);
    return {r.bytes().begin(), r.bytes().end()};
}

// A company with a bank account owing 1.234,56 to a supplier, and the closing account.
void arrangeCompany(kalvora::testing::TestSession& test) {
    test.drive.makeInstallation(0);
    test.drive.write("kalwin/kalwin/kalvora.azi", kalvora::testing::registryBytes({{0, "Alfa Srl"}, {1, "Alfa 2025"}}));
    test.drive.write(folder + "kalvora.tot", counts(3, 1));
    test.drive.write(folder + "kalvora.con", account("01010001", "Banca") + account("40010001", "Fornitori") +
                                                 account("01990001", "Bilancio di chiusura"));
    const core::Record entry = core::journalEntry({2026, 3, 1}, {"Pagamento", "", ""}, "7",
                                                  {{0, "01010001", 1234.56}, {1, "40010001", 1234.56}});
    test.drive.write(folder + "kalvora.gio", std::string(entry.bytes().begin(), entry.bytes().end()));
    test.session.company().currency[1] = "1";
}

void type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    emit box->editingFinished();
}

}  // namespace

void AccountingViewsTest::closingPreviewsThenWrites() {
    kalvora::testing::TestSession test;
    arrangeCompany(test);
    company::AccountingClosingForm form(test.session, company::ClosingMode::BalanceSheet);
    form.open();
    ui::AccountingClosingView view(form);
    view.show();
    QCOMPARE(view.objectName(), QStringLiteral("kalchi"));
    QCOMPARE(view.windowTitle(), QStringLiteral("Chiusura automatica conti patrimoniali"));
    QCOMPARE(child<ui::DateField>(view, "data")->date(), QDate(2026, 12, 6));
    QCOMPARE(child<QLabel>(view, "Label2")->text(), QStringLiteral("Nessun conto selezionato"));
    type(child<QLineEdit>(view, "text2_0"), "1");
    type(child<QLineEdit>(view, "text2_1"), "99");
    type(child<QLineEdit>(view, "text2_2"), "1");
    QCOMPARE(child<QLineEdit>(view, "text2_0")->text() + child<QLineEdit>(view, "text2_2")->text(), QStringLiteral("010001"));
    QCOMPARE(child<QLabel>(view, "Label2")->text(), QStringLiteral("Bilancio di chiusura"));
    QTest::keyClicks(child<QLineEdit>(view, "text1_3"), "12");
    QCOMPARE(form.document(), std::string("12"));

    const std::string before = test.drive.read(folder + "kalvora.gio");
    QTest::mouseClick(child<QToolButton>(view, "bottone_1"), Qt::LeftButton);
    auto* grid = child<QTableView>(view, "Grid1");
    // Both accounts are of the balance sheet: two entries of two lines.
    QCOMPARE(grid->model()->rowCount(), 4);
    QCOMPARE(grid->model()->index(0, 2).data().toString() + " " + grid->model()->index(0, 5).data().toString(),
             QStringLiteral("01.01.0001 1.234,56"));
    QVERIFY(child<QListWidget>(view, "List1")->count() > 0);
    QCOMPARE(test.drive.read(folder + "kalvora.gio"), before);

    test.platform.answers = {true};
    QTest::mouseClick(child<QToolButton>(view, "bottone_1"), Qt::LeftButton);
    QCOMPARE(QString::fromStdString(test.platform.last()->text), QStringLiteral("Chiusura dei conti eseguita"));
    QCOMPARE(test.drive.read(folder + "kalvora.gio").size(), 3 * core::gio::archive.recordLength);
}

void AccountingViewsTest::openingOffersTheCompanies() {
    kalvora::testing::TestSession test;
    arrangeCompany(test);
    test.session.company().registry[1] = "Alfa 2025";
    test.session.company().general.setPreviousYearCompany("001");
    company::AccountingClosingForm form(test.session, company::ClosingMode::Opening);
    form.open();
    ui::AccountingClosingView view(form);
    view.show();
    QCOMPARE(view.objectName(), QStringLiteral("kalape"));
    auto* companies = child<QComboBox>(view, "Combo1");
    QCOMPARE(companies->count(), static_cast<int>(form.companies().size()));
    QCOMPARE(companies->currentIndex(), form.chosenCompany());
    QVERIFY(form.chosenCompany() >= 0);
    companies->activated(0);
    QCOMPARE(form.chosenCompany(), 0);
    QTest::mouseClick(child<QToolButton>(view, "bottone_0"), Qt::LeftButton);
    QVERIFY(form.closed() && !view.isVisible());
}

void AccountingViewsTest::checkListsTheAccounts() {
    kalvora::testing::TestSession test;
    arrangeCompany(test);
    company::BalanceCheckForm form(test.session);
    form.open();
    ui::BalanceCheckView view(form);
    view.show();
    QCOMPARE(view.windowTitle(), QStringLiteral("Controllo contabile"));
    QVERIFY(child<QLabel>(view, "Label1")->text().startsWith(QStringLiteral("Questa funzione controlla")));
    QTest::mouseClick(child<QToolButton>(view, "bottone_1"), Qt::LeftButton);
    QCOMPARE(QString::fromStdString(test.platform.last()->text), QStringLiteral("Verifica eseguita"));
    auto* grid = child<QTableView>(view, "Grid1");
    QCOMPARE(grid->model()->rowCount(), 3);
    QCOMPARE(grid->model()->index(0, 0).data().toString() + " " + grid->model()->index(0, 2).data().toString(),
             QStringLiteral("01.01.0001 1.234,56"));
}

void AccountingViewsTest::resetOptionsReachTheForm() {
    kalvora::testing::TestSession test;
    arrangeCompany(test);
    company::YearEndResetForm form(test.session);
    form.open();
    ui::YearEndResetView view(form);
    view.show();
    QCOMPARE(view.objectName(), QStringLiteral("zelaazz"));
    QCOMPARE(view.windowTitle(), QStringLiteral("Azzeramento archivi"));
    const auto& options = form.options();
    int journal = -1;
    for (std::size_t i = 0; i < options.size(); ++i) {
        const QString n = QString::number(i);
        auto* check = child<QCheckBox>(view, "Check1_" + n);
        QCOMPARE(check->text(), QString::fromStdString(options[i].caption));
        QCOMPARE(check->isEnabled(), options[i].enabled);
        QCOMPARE(view.findChild<ui::DateField*>("data_" + n) != nullptr, options[i].kind == company::ResetOptionKind::Date);
        QCOMPARE(view.findChild<QLineEdit*>("anno_" + n) != nullptr, options[i].kind == company::ResetOptionKind::Year);
        if (options[i].caption == "Elimina le scritture contabili registrate prima del:") journal = static_cast<int>(i);
    }
    QVERIFY(journal >= 0);
    const QString n = QString::number(journal);
    QCOMPARE(child<ui::DateField>(view, "data_" + n)->date(), QDate(2026, 1, 1));
    child<QCheckBox>(view, "Check1_" + n)->click();
    QVERIFY(form.options()[static_cast<std::size_t>(journal)].ticked);
    child<ui::DateField>(view, "data_" + n)->setDate(QDate(2027, 1, 1));
    QCOMPARE(form.options()[static_cast<std::size_t>(journal)].value, std::string("01/01/2027"));

    test.platform.defaultAnswer = true;
    QTest::mouseClick(child<QToolButton>(view, "bottone_1"), Qt::LeftButton);
    QCOMPARE(QString::fromStdString(test.platform.last()->text), QStringLiteral("Operazione effettuata"));
    QCOMPARE(child<QLabel>(view, "Label1")->text(), QString());
    // The only entry was dated before the cut-off.
    QVERIFY(test.drive.read(folder + "kalvora.gio").empty());
}

QTEST_MAIN(AccountingViewsTest)
#include "accounting_views_test.moc"
