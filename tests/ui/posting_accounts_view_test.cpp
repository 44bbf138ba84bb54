// The wiring of the zelstmas window: the two pages, List1 filling the focused group, refused
// characters and markers, and the save.
#include "core/accounting_archives.h"
#include "support/test_session.h"
#include "tables/posting_accounts.h"
#include "tables/tables_file.h"
#include "ui/posting_accounts_view.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>

using namespace kalvora;
using tables::PostingAccountsForm;

namespace {

constexpr const char* tabFile = "kalwin/kalwin/kalaz0.000/kalvora.tab";

std::string record(std::size_t length, const std::function<void(core::Record&)>& fill) {
    core::Record r(length);
    fill(r);
    return {r.bytes().begin(), r.bytes().end()};
}

struct Fixture {
    Fixture() : form(test.session) {
        test.drive.makeInstallation(0);
        test.drive.write(tabFile, core::encodeLines(tables::defaultTablesLines()));
        test.drive.write("kalwin/kalwin/kalaz0.000/kalvora.tot",
                         std::string(5 * core::countRecordLength, '\0') +
                             record(core::countRecordLength, [](core::Record& r) { r.setFloat64(0, 2); }));
        const auto account = [](const char* code, const char* description) {
            return record(core::accountRecordLength, [&](core::Record& r) {
                r.setText(0, 10, code);
                r.setText(10, 40, description);
            });
        };
        test.drive.write("kalwin/kalwin/kalaz0.000/kalvora.con",
                         account("51010001", "Ricavi di vendita") + account("02060001", "Cassa contanti"));
        form.open();
        view = std::make_unique<ui::PostingAccountsView>(form);
        view->show();
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
    }
    template <typename T> T* child(const QString& name) const { return view->findChild<T*>(name); }
    QLineEdit* box(const QString& name) const { return child<QLineEdit>(name); }

    kalvora::testing::TestSession test;
    PostingAccountsForm form;
    std::unique_ptr<ui::PostingAccountsView> view;
};

}  // namespace

class PostingAccountsViewTest : public QObject {
    Q_OBJECT

private slots:
    void accountsPageShowsCodesLabelsAndTheChart();
    void listChoiceFillsTheFocusedGroup();
    void descriptionsPageRefusesDelimitersAndMarkers();
};

void PostingAccountsViewTest::accountsPageShowsCodesLabelsAndTheChart() {
    Fixture f;
    QCOMPARE(f.view->objectName(), QStringLiteral("zelstmas"));
    QCOMPARE(f.view->windowTitle(), QStringLiteral("Tabella codici contabili"));
    auto* frame2 = f.child<QGroupBox>("Frame2");
    auto* frame1 = f.child<QGroupBox>("Frame1");
    QVERIFY(frame2->isVisible());
    QVERIFY(!frame1->isVisible());
    QCOMPARE(frame2->title(), QString::fromUtf8(PostingAccountsForm::accountsFrameText));
    for (int i = 0; i < tables::accountBoxCount; ++i) QVERIFY(f.box(QStringLiteral("text1_%1").arg(i)));
    QCOMPARE(f.box("text1_2")->text() + f.box("text1_3")->text() + f.box("text1_4")->text(), QStringLiteral("51010001"));
    QCOMPARE(f.box("text1_4")->maxLength(), 4);
    QCOMPARE(f.box("text1_4")->accessibleName(),
             QStringLiteral("Conto di default per la registrazione dei ricavi sottoconto"));
    QCOMPARE(f.child<QLabel>("desc_1")->text(), QStringLiteral("Ricavi di vendita"));
    QCOMPARE(f.child<QLabel>("desc_15")->text(), QStringLiteral("Cassa contanti"));
    QCOMPARE(f.child<QLabel>("desc_2")->text(), QString::fromUtf8(PostingAccountsForm::unknownAccountText));
    auto* list = f.child<QListWidget>("List1");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(1)->text(), QStringLiteral("02.06.0001 Cassa contanti"));
    QCOMPARE(f.child<QToolButton>("bottone_1")->accessibleName(), QStringLiteral("Conferma"));
    QVERIFY(f.child<QToolButton>("bottone_2"));
}

void PostingAccountsViewTest::listChoiceFillsTheFocusedGroup() {
    Fixture f;
    f.box("text1_7")->setFocus();
    f.box("text1_7")->selectAll();
    QTest::keyClicks(f.box("text1_7"), QStringLiteral("9"));
    f.box("text1_6")->setFocus();  // leaving the sub-account pads it
    QCOMPARE(f.box("text1_7")->text(), QStringLiteral("0009"));
    auto* list = f.child<QListWidget>("List1");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    QCOMPARE(f.box("text1_5")->text() + f.box("text1_6")->text() + f.box("text1_7")->text(), QStringLiteral("02060001"));
    QCOMPARE(f.child<QLabel>("desc_2")->text(), QStringLiteral("Cassa contanti"));
    QTest::mouseClick(f.child<QToolButton>("bottone_1"), Qt::LeftButton);
    QVERIFY(f.form.closed());
    const auto lines = *f.test.files.readLines(f.test.drive.path(tabFile));
    QCOMPARE(QString::fromStdString(lines[156]), QStringLiteral("02060001"));  // T6(3, 0)
}

void PostingAccountsViewTest::descriptionsPageRefusesDelimitersAndMarkers() {
    Fixture f;
    QTest::mouseClick(f.child<QToolButton>("bottone_2"), Qt::LeftButton);
    QVERIFY(f.child<QGroupBox>("Frame1")->isVisible());
    QVERIFY(!f.child<QListWidget>("List1")->isVisible());
    QLineEdit* invoice = f.box("Text2_0");
    QCOMPARE(f.view->focusWidget(), invoice);
    QCOMPARE(invoice->accessibleName(), QStringLiteral("Fattura emessa"));
    QTest::keyClicks(invoice, QStringLiteral("a, \"b\" $N"));
    QCOMPARE(invoice->text(), QStringLiteral("a b $N"));
    QLineEdit* receipts = f.box("Text2_9");
    receipts->setFocus();
    QTest::keyClicks(receipts, QStringLiteral("ri.ba. $D"));
    QTest::mouseClick(f.child<QToolButton>("bottone_3"), Qt::LeftButton);
    QVERIFY(f.child<QGroupBox>("Frame1")->isVisible());
    QCOMPARE(f.view->focusWidget(), f.box("Text2_8"));
    QCOMPARE(QString::fromStdString(f.test.platform.messages().back().text),
             QString::fromUtf8(PostingAccountsForm::markerText) + QStringLiteral("all'emissione delle ricevute bancarie"));
    receipts->clear();
    QTest::keyClick(receipts, Qt::Key_Space);
    QTest::keyClick(receipts, Qt::Key_Backspace);
    QTest::mouseClick(f.child<QToolButton>("bottone_3"), Qt::LeftButton);
    QVERIFY(f.child<QGroupBox>("Frame2")->isVisible());
}

QTEST_MAIN(PostingAccountsViewTest)
#include "posting_accounts_view_test.moc"
