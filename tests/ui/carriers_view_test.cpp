// The wiring of the zelstvet window: names, keys and the starred field at save.
#include "support/test_session.h"
#include "tables/carriers.h"
#include "ui/carriers_view.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace kalvora;
using tables::CarriersForm;

namespace {

constexpr const char* tabFile = "kalwin/kalwin/kalaz0.000/kalvora.tab";
std::size_t carrierLine(int entry, int column) { return 400 + 6 * (entry - 1) + column; }

struct Fixture {
    Fixture() : form(test.session) {
        test.drive.makeInstallation(0);
        std::vector<std::string> lines(930);
        for (int k = 1; k <= 40; ++k) lines[carrierLine(k, 2)] = "Vettore " + std::to_string(k);
        test.drive.write(tabFile, core::encodeLines(lines));
        form.open();
        view = std::make_unique<ui::CarriersView>(form);
        view->show();
        view->activateWindow();
    }
    template <typename T> T* child(const QString& name) const { return view->findChild<T*>(name); }
    QLineEdit* box(const char* control, int r) const {
        return child<QLineEdit>(QStringLiteral("%1_%2").arg(QLatin1String(control)).arg(r));
    }

    kalvora::testing::TestSession test;
    CarriersForm form;
    std::unique_ptr<ui::CarriersView> view;
};

}  // namespace

class CarriersViewTest : public QObject {
    Q_OBJECT

private slots:
    void controlsCarryTheirNames();
    void enterAndEditsReachTheFormAndTheFile();
};

void CarriersViewTest::controlsCarryTheirNames() {
    Fixture f;
    QCOMPARE(f.view->objectName(), QStringLiteral("zelstvet"));
    QCOMPARE(f.view->windowTitle(), QStringLiteral("Tabella vettori"));
    QCOMPARE(f.view->findChildren<QGroupBox*>().front()->title(), QStringLiteral("Tabella vettori e tipologie trasporti"));
    for (int r = 0; r < CarriersForm::visibleRows; ++r)
        for (const char* name : {"text1", "Text2", "Text3", "text4", "text5", "sc4"})
            QVERIFY2(f.box(name, r), qPrintable(QStringLiteral("%1_%2").arg(name).arg(r)));
    QStringList labels;
    for (QLabel* l : f.view->findChildren<QLabel*>()) labels << l->text();
    for (const char* header : {"Nome vettore o tipo di trasporto", "Indirizzo a 1' riga di annotazioni",
                               "Città o 2' riga di annotazioni", "ID Stato/Codice (fatture PA)", "Codice Fiscale"})
        QVERIFY2(labels.contains(QString::fromUtf8(header)), header);
    QVERIFY(labels.contains(QString::fromUtf8(CarriersForm::helpText)));
    QCOMPARE(f.box("text1", 4)->text(), QStringLiteral("Vettore 5"));
    QCOMPARE(f.box("sc4", 4)->accessibleName(), QStringLiteral("Codice Fiscale 5"));
    QCOMPARE(f.box("text4", 0)->maxLength(), 2);
    QCOMPARE(f.box("sc4", 0)->maxLength(), 16);
    QCOMPARE(f.child<QScrollBar>("selpag")->maximum(), 23);
    QVERIFY(f.child<QToolButton>("bottone_1"));
    QVERIFY(f.child<QToolButton>("bottone_0"));
}

void CarriersViewTest::enterAndEditsReachTheFormAndTheFile() {
    Fixture f;
    QCOMPARE(f.view->focusWidget(), f.box("text1", 0));
    QTest::keyClick(f.box("Text3", 0), Qt::Key_Return);
    QCOMPARE(f.view->focusWidget(), f.box("text4", 0));
    QTest::keyClick(f.box("sc4", 0), Qt::Key_Return);
    QCOMPARE(f.view->focusWidget(), f.box("text1", 1));
    QTest::keyClick(f.box("sc4", 17), Qt::Key_Return);
    QCOMPARE(f.child<QScrollBar>("selpag")->value(), 2);
    QCOMPARE(f.view->focusWidget(), f.box("text1", 17));
    QCOMPARE(f.box("text1", 17)->text(), QStringLiteral("Vettore 19"));

    QTest::keyClicks(f.box("text4", 0), QStringLiteral("ITA"));  // two characters fit
    QTest::keyClicks(f.box("sc4", 0), QStringLiteral("01234567890"));
    QTest::keyClicks(f.box("Text2", 0), QStringLiteral("Via Po"));
    QCOMPARE(QString::fromStdString(f.form.tables().t9.at(2, 3)), QStringLiteral("Via Po"));
    QTest::mouseClick(f.child<QToolButton>("bottone_1"), Qt::LeftButton);
    QVERIFY(f.form.closed());
    const auto lines = *f.test.files.readLines(f.test.drive.path(tabFile));
    const QString starred = QString::fromStdString(lines[carrierLine(2, 5)]);
    QCOMPARE(starred.size(), 502);
    QVERIFY(starred.startsWith(QStringLiteral("*IT                01234567890     ")));
    QVERIFY(starred.endsWith(QStringLiteral(" *")));
}

QTEST_MAIN(CarriersViewTest)
#include "carriers_view_test.moc"
