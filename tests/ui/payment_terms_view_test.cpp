// The wiring of the zelstpag window: names, keys, and changes reaching the form and the file.
#include "support/test_session.h"
#include "tables/payment_terms.h"
#include "ui/payment_terms_view.h"
#include "user_script.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace kalvora;
using tables::PaymentTermsForm;

namespace {

constexpr const char* tabFile = "kalwin/kalwin/kalaz0.000/kalvora.tab";

struct Fixture {
    Fixture() : form(test.session) {
        test.drive.makeInstallation(0);
        // T5 entries 1..30 start at line 93: description, rule.
        std::vector<std::string> lines(930);
        for (int k = 1; k <= 30; ++k) {
            lines[92 + 2 * (k - 1)] = "Termine " + std::to_string(k);
            lines[93 + 2 * (k - 1)] = "002003004000000000N0000";
        }
        test.drive.write(tabFile, core::encodeLines(lines));
        form.open();
        view = std::make_unique<ui::PaymentTermsView>(form);
        view->show();
        view->activateWindow();
    }
    template <typename T> T* child(const QString& name) const { return view->findChild<T*>(name); }
    QLineEdit* box(const char* control, int r) const {
        return child<QLineEdit>(QStringLiteral("%1_%2").arg(QLatin1String(control)).arg(r));
    }
    std::vector<std::string> saved() const { return *test.files.readLines(test.drive.path(tabFile)); }

    kalvora::testing::TestSession test;
    PaymentTermsForm form;
    std::unique_ptr<ui::PaymentTermsView> view;
};

}  // namespace

class PaymentTermsViewTest : public QObject {
    Q_OBJECT

private slots:
    void controlsCarryTheirNames();
    void enterWalksTheRowAndScrollsFromTheLastRow();
    void changesReachTheForm();
    void confirmSavesAndCloses();
};

void PaymentTermsViewTest::controlsCarryTheirNames() {
    Fixture f;
    QCOMPARE(f.view->objectName(), QStringLiteral("zelstpag"));
    QCOMPARE(f.view->windowTitle(), QStringLiteral("Tabella modalità di pagamento"));
    const auto groups = f.view->findChildren<QGroupBox*>();
    QCOMPARE(groups.size(), 1);
    QCOMPARE(groups.front()->title(), QStringLiteral("Tabella modalità di pagamento e frazionamento in scadenze"));

    for (int r = 0; r < PaymentTermsForm::visibleRows; ++r) {
        for (const char* name : {"text1", "sc1", "sc2", "sc3", "sc4", "sc6", "sc7", "sc5"})
            QVERIFY2(f.box(name, r), qPrintable(QStringLiteral("%1_%2").arg(name).arg(r)));
        auto* type = f.child<QComboBox>(QStringLiteral("Combo1_%1").arg(r));
        QVERIFY(type);
        QCOMPARE(type->count(), 5);
        QCOMPARE(type->itemText(0), QStringLiteral("Riba"));
        QCOMPARE(type->itemText(4), QStringLiteral("Altro"));
        auto* endOfMonth = f.child<QCheckBox>(QStringLiteral("fine_%1").arg(r));
        QVERIFY(endOfMonth);
        QCOMPARE(endOfMonth->text(), QStringLiteral("Fine mese +"));
    }
    QCOMPARE(f.box("text1", 2)->accessibleName(), QStringLiteral("Descrizione 3"));
    QCOMPARE(f.box("sc1", 2)->accessibleName(), QStringLiteral("Mesi rata 1 riga 3"));
    QCOMPARE(f.box("sc7", 2)->accessibleName(), QStringLiteral("Mesi rata 6 riga 3"));
    QCOMPARE(f.box("text1", 0)->text(), QStringLiteral("Termine 1"));
    QCOMPARE(f.box("sc3", 0)->text(), QStringLiteral("4"));
    QCOMPARE(f.box("sc4", 0)->text(), QString());

    QStringList labels;
    for (QLabel* l : f.view->findChildren<QLabel*>()) labels << l->text();
    QCOMPARE(labels.count(QStringLiteral("giorni")), PaymentTermsForm::visibleRows);
    QCOMPARE(labels.count(QStringLiteral("del mese successivo")), 2);
    QVERIFY(labels.contains(QString::fromUtf8(PaymentTermsForm::helpText)));

    QCOMPARE(f.child<QCheckBox>("fine_15")->text(), QStringLiteral("Sposta le scadenze del mese di agosto al giorno"));
    QCOMPARE(f.child<QCheckBox>("fine_16")->text(), QStringLiteral("Sposta le scadenze del mese di dicembre al giorno"));
    QVERIFY(f.child<QLineEdit>("Text2_0"));
    QVERIFY(f.child<QLineEdit>("Text2_1"));

    auto* selpag = f.child<QScrollBar>("selpag");
    QVERIFY(selpag);
    QCOMPARE(selpag->minimum(), 1);
    QCOMPARE(selpag->maximum(), 46);
    QCOMPARE(selpag->value(), 1);

    QCOMPARE(f.child<QToolButton>("bottone_1")->accessibleName(), QStringLiteral("Conferma"));
    QCOMPARE(f.child<QToolButton>("bottone_1")->toolTip(), QStringLiteral("Conferma"));
    QCOMPARE(f.child<QToolButton>("bottone_0")->accessibleName(), QStringLiteral("Annulla"));
    QVERIFY(!f.child<QToolButton>("bottone_0")->icon().isNull());
}

void PaymentTermsViewTest::enterWalksTheRowAndScrollsFromTheLastRow() {
    Fixture f;
    QCOMPARE(f.view->focusWidget(), f.box("text1", 0));
    QTest::keyClick(f.box("text1", 0), Qt::Key_Return);
    QCOMPARE(f.view->focusWidget(), f.box("sc1", 0));
    QTest::keyClick(f.box("sc4", 0), Qt::Key_Return);
    QCOMPARE(f.view->focusWidget(), f.box("sc6", 0));
    QTest::keyClick(f.box("sc7", 0), Qt::Key_Return);
    QCOMPARE(f.view->focusWidget(), f.box("sc5", 0));
    QTest::keyClick(f.box("sc5", 0), Qt::Key_Return);
    QCOMPARE(f.view->focusWidget(), f.box("text1", 1));

    // The last row scrolls one entry and stays on the last row.
    f.box("sc5", 14)->setFocus();
    QTest::keyClick(f.box("sc5", 14), Qt::Key_Return);
    QCOMPARE(f.form.firstEntry(), 2);
    QCOMPARE(f.child<QScrollBar>("selpag")->value(), 2);
    QCOMPARE(f.view->focusWidget(), f.box("text1", 14));
    QCOMPARE(f.box("text1", 14)->text(), QStringLiteral("Termine 16"));
    QCOMPARE(f.box("text1", 14)->accessibleName(), QStringLiteral("Descrizione 16"));

    // Not from entry 16 on.
    f.child<QScrollBar>("selpag")->setValue(16);
    f.box("sc5", 14)->setFocus();
    QTest::keyClick(f.box("sc5", 14), Qt::Key_Return);
    QCOMPARE(f.form.firstEntry(), 16);
    QCOMPARE(f.view->focusWidget(), f.box("sc5", 14));
}

void PaymentTermsViewTest::changesReachTheForm() {
    Fixture f;
    QTest::keyClicks(f.box("sc2", 0), QStringLiteral("x5"));  // the box takes digits only
    QCOMPARE(f.box("sc2", 0)->text(), QStringLiteral("35"));
    QCOMPARE(QString::fromStdString(f.form.tables().t5.at(1, 1)), QStringLiteral("002035004000000000N0000"));

    QTest::mouseClick(f.child<QCheckBox>("fine_1"), Qt::LeftButton);
    QCOMPARE(QString::fromStdString(f.form.tables().t5.at(2, 1)), QStringLiteral("002003004000000000F0000"));

    auto* type = f.child<QComboBox>("Combo1_2");
    type->setFocus();
    QTest::keyClick(type, Qt::Key_Down);
    QCOMPARE(QString::fromStdString(f.form.tables().t5.at(3, 1)), QStringLiteral("002003004000000000N0001"));

    f.box("text1", 3)->clear();
    kalvora::testing::typeText(f.box("text1", 3), QStringLiteral("Città, 30 gg"));
    QCOMPARE(QString::fromStdString(f.form.tables().t5.at(4, 0)), QStringLiteral("Città, 30 gg"));
    QGuiApplication::clipboard()->setText(QStringLiteral("a\nb"));
    f.box("text1", 3)->setFocus();
    QTest::keySequence(f.box("text1", 3), QKeySequence::Paste);
    const QString stored = QString::fromStdString(f.form.tables().t5.at(4, 0));
    QVERIFY2(!stored.contains('\n') && stored.endsWith("a b"), qPrintable(stored));

    // A change on a scrolled page goes to the entry it shows.
    f.child<QScrollBar>("selpag")->setValue(10);
    QCOMPARE(f.box("text1", 0)->text(), QStringLiteral("Termine 10"));
    QTest::mouseClick(f.child<QCheckBox>("fine_0"), Qt::LeftButton);
    QCOMPARE(QString::fromStdString(f.form.tables().t5.at(10, 1)), QStringLiteral("002003004000000000F0000"));

    // The August box is only the form's until confirm.
    QTest::mouseClick(f.child<QCheckBox>("fine_15"), Qt::LeftButton);
    QTest::keyClicks(f.child<QLineEdit>("Text2_0"), QStringLiteral("20"));
    QVERIFY(f.form.monthMove(PaymentTermsForm::august));
    QCOMPARE(QString::fromStdString(f.form.moveDay(PaymentTermsForm::august)), QStringLiteral("20"));
    QCOMPARE(QString::fromStdString(f.form.tables().t5.at(1, 1)), QStringLiteral("002035004000000000N0000"));
}

void PaymentTermsViewTest::confirmSavesAndCloses() {
    Fixture f;
    QTest::keyClicks(f.box("sc5", 0), QStringLiteral("10"));
    QTest::mouseClick(f.child<QToolButton>("bottone_1"), Qt::LeftButton);
    QVERIFY(f.form.closed());
    QVERIFY(!f.view->isVisible());
    const auto lines = f.saved();
    QCOMPARE(lines.size(), std::size_t(930));
    QCOMPARE(QString::fromStdString(lines[93]), QStringLiteral("002003004000000000N01000"));
    QVERIFY(f.test.platform.messages().empty());
}

QTEST_MAIN(PaymentTermsViewTest)
#include "payment_terms_view_test.moc"
