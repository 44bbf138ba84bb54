// The wiring of the zelstban window: names, keys, padding on leaving a box and the save.
#include "support/test_session.h"
#include "tables/banks.h"
#include "ui/banks_view.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace kalvora;
using tables::BanksForm;

namespace {

constexpr const char* tabFile = "kalwin/kalwin/kalaz0.000/kalvora.tab";
std::size_t bankLine(int entry, int column) { return 250 + 5 * (entry - 1) + column; }

struct Fixture {
    Fixture() : form(test.session) {
        test.drive.makeInstallation(0);
        std::vector<std::string> lines(930);
        for (int k = 1; k <= 30; ++k) {
            lines[bankLine(k, 0)] = "Banca " + std::to_string(k);
            lines[bankLine(k, 1)] = "03069";
        }
        test.drive.write(tabFile, core::encodeLines(lines));
        form.open();
        view = std::make_unique<ui::BanksView>(form);
        view->show();
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
    }
    template <typename T> T* child(const QString& name) const { return view->findChild<T*>(name); }
    QLineEdit* box(const char* control, int r) const {
        return child<QLineEdit>(QStringLiteral("%1_%2").arg(QLatin1String(control)).arg(r));
    }

    kalvora::testing::TestSession test;
    BanksForm form;
    std::unique_ptr<ui::BanksView> view;
};

}  // namespace

class BanksViewTest : public QObject {
    Q_OBJECT

private slots:
    void controlsCarryTheirNames();
    void enterWalksTheRowAndScrollsFromTheLastRow();
    void leavingTheSubAccountPadsItAndConfirmSaves();
};

void BanksViewTest::controlsCarryTheirNames() {
    Fixture f;
    QCOMPARE(f.view->objectName(), QStringLiteral("zelstban"));
    QCOMPARE(f.view->windowTitle(), QStringLiteral("Tabella banche"));
    const auto groups = f.view->findChildren<QGroupBox*>();
    QCOMPARE(groups.size(), 1);
    QCOMPARE(groups.front()->title(),
             QStringLiteral("Tabella banche per l'emissione ri.ba. e per le registrazioni contabili automatizzate"));
    for (int r = 0; r < BanksForm::visibleRows; ++r)
        for (const char* name : {"text1", "sc1", "sc2", "sc5", "sc3", "sc7", "sc6", "sc31", "sc32", "sc4"})
            QVERIFY2(f.box(name, r), qPrintable(QStringLiteral("%1_%2").arg(name).arg(r)));
    QStringList labels;
    for (QLabel* l : f.view->findChildren<QLabel*>()) labels << l->text();
    for (const char* header : {"Descrizione banca", "ABI", "CAB", "SIA", "Numero conto", "CIN", "IB", "Codice conto"})
        QVERIFY2(labels.contains(QString::fromUtf8(header)), header);
    QVERIFY(labels.contains(QString::fromUtf8(BanksForm::helpText)));

    QCOMPARE(f.box("text1", 2)->text(), QStringLiteral("Banca 3"));
    QCOMPARE(f.box("sc1", 2)->text(), QStringLiteral("03069"));
    QCOMPARE(f.box("sc1", 2)->accessibleName(), QStringLiteral("ABI 3"));
    QCOMPARE(f.box("sc1", 2)->maxLength(), 5);
    QCOMPARE(f.box("sc4", 0)->maxLength(), 4);
    auto* selpag = f.child<QScrollBar>("selpag");
    QVERIFY(selpag);
    QCOMPARE(selpag->maximum(), 13);
    QCOMPARE(f.child<QToolButton>("bottone_1")->accessibleName(), QStringLiteral("Conferma"));
    QCOMPARE(f.child<QToolButton>("bottone_0")->accessibleName(), QStringLiteral("Annulla"));
}

void BanksViewTest::enterWalksTheRowAndScrollsFromTheLastRow() {
    Fixture f;
    QCOMPARE(f.view->focusWidget(), f.box("text1", 0));
    QTest::keyClick(f.box("text1", 0), Qt::Key_Return);
    QCOMPARE(f.view->focusWidget(), f.box("sc1", 0));
    QTest::keyClick(f.box("sc3", 0), Qt::Key_Return);
    QCOMPARE(f.view->focusWidget(), f.box("sc7", 0));
    QTest::keyClick(f.box("sc4", 0), Qt::Key_Return);
    QCOMPARE(f.view->focusWidget(), f.box("text1", 1));

    f.box("sc4", 17)->setFocus();
    QTest::keyClicks(f.box("sc4", 17), QStringLiteral("7"));
    QTest::keyClick(f.box("sc4", 17), Qt::Key_Return);
    QCOMPARE(f.child<QScrollBar>("selpag")->value(), 2);
    QCOMPARE(f.view->focusWidget(), f.box("text1", 17));
    QCOMPARE(f.box("text1", 17)->text(), QStringLiteral("Banca 19"));
    QCOMPARE(f.box("sc4", 17)->text(), QString());
    QCOMPARE(QString::fromStdString(f.form.tables().t8.at(18, 3)), QStringLiteral("    0007"));
}

void BanksViewTest::leavingTheSubAccountPadsItAndConfirmSaves() {
    Fixture f;
    f.child<QScrollBar>("selpag")->setValue(5);
    QCOMPARE(f.box("text1", 0)->text(), QStringLiteral("Banca 5"));
    f.box("sc4", 0)->setFocus();
    QTest::keyClicks(f.box("sc4", 0), QStringLiteral("5"));
    f.box("sc6", 0)->setFocus();
    QTest::keyClicks(f.box("sc6", 0), QStringLiteral("RB"));
    QCOMPARE(f.box("sc4", 0)->text(), QStringLiteral("0005"));
    QTest::mouseClick(f.child<QToolButton>("bottone_1"), Qt::LeftButton);
    QVERIFY(f.form.closed());
    QVERIFY(!f.view->isVisible());
    const auto lines = *f.test.files.readLines(f.test.drive.path(tabFile));
    QCOMPARE(QString::fromStdString(lines[bankLine(5, 3)]), QStringLiteral("    0005"));
    QCOMPARE(QString::fromStdString(lines[bankLine(5, 1)]), QStringLiteral("03069     RB "));
}

QTEST_MAIN(BanksViewTest)
#include "banks_view_test.moc"
