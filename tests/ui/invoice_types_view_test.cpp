// The wiring of the zelstbil window: names, the Enter walk and the save of the packed cell.
#include "support/test_session.h"
#include "tables/invoice_types.h"
#include "ui/invoice_types_view.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace kalvora;
using tables::InvoiceTypesForm;

namespace {

constexpr const char* tabFile = "kalwin/kalwin/kalaz0.000/kalvora.tab";

struct Fixture {
    Fixture() : form(test.session) {
        test.drive.makeInstallation(0);
        form.open();
        view = std::make_unique<ui::InvoiceTypesView>(form);
        view->show();
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
    }
    template <typename T> T* child(const QString& name) const { return view->findChild<T*>(name); }
    QLineEdit* box(const char* control, int r) const {
        return child<QLineEdit>(QStringLiteral("%1_%2").arg(QLatin1String(control)).arg(r));
    }

    kalvora::testing::TestSession test;
    InvoiceTypesForm form;
    std::unique_ptr<ui::InvoiceTypesView> view;
};

}  // namespace

class InvoiceTypesViewTest : public QObject {
    Q_OBJECT

private slots:
    void controlsCarryTheirNames();
    void enterWalksTheRowAndConfirmSaves();
};

void InvoiceTypesViewTest::controlsCarryTheirNames() {
    Fixture f;
    QCOMPARE(f.view->objectName(), QStringLiteral("zelstbil"));
    QCOMPARE(f.view->windowTitle(), QStringLiteral("Tabella tipologia fatture"));
    QCOMPARE(f.view->findChild<QGroupBox*>()->title(), QString::fromUtf8(InvoiceTypesForm::frameText));
    for (int r = 0; r < InvoiceTypesForm::visibleRows; ++r)
        for (const char* name : {"text1", "Text2", "sc4"}) QVERIFY(f.box(name, r));
    QCOMPARE(f.box("Text2", 0)->maxLength(), 95);
    QCOMPARE(f.box("sc4", 0)->maxLength(), 5);
    QCOMPARE(f.box("sc4", 2)->accessibleName(), QStringLiteral("%Detr 3"));
    QStringList labels;
    for (QLabel* l : f.view->findChildren<QLabel*>()) labels << l->text();
    QVERIFY(labels.contains(QString::fromUtf8(InvoiceTypesForm::reservedNote)));
    QVERIFY(labels.contains(QString::fromUtf8(InvoiceTypesForm::helpText)));
    auto* selpag = f.child<QScrollBar>("selpag");
    QCOMPARE(selpag->maximum(), 83);
    selpag->setValue(83);
    QCOMPARE(f.box("text1", 16)->text(), QString::fromUtf8(InvoiceTypesForm::reverseChargeText));
    QCOMPARE(f.box("text1", 17)->text(), QString::fromUtf8(InvoiceTypesForm::intraEuText));
}

void InvoiceTypesViewTest::enterWalksTheRowAndConfirmSaves() {
    Fixture f;
    QCOMPARE(f.view->focusWidget(), f.box("text1", 0));
    QTest::keyClicks(f.box("text1", 0), QStringLiteral("Vendite"));
    QTest::keyClick(f.box("text1", 0), Qt::Key_Return);
    QCOMPARE(f.view->focusWidget(), f.box("Text2", 0));
    QTest::keyClicks(f.box("Text2", 0), QStringLiteral("Telefono"));
    QTest::keyClick(f.box("Text2", 0), Qt::Key_Return);
    QCOMPARE(f.view->focusWidget(), f.box("sc4", 0));
    QTest::keyClicks(f.box("sc4", 0), QStringLiteral("80"));
    QTest::keyClick(f.box("sc4", 0), Qt::Key_Return);
    QCOMPARE(f.view->focusWidget(), f.box("text1", 1));
    QTest::mouseClick(f.child<QToolButton>("bottone_1"), Qt::LeftButton);
    QVERIFY(f.form.closed());
    const auto lines = *f.test.files.readLines(f.test.drive.path(tabFile));
    QCOMPARE(QString::fromStdString(lines[170]), QStringLiteral("Vendite"));
    QCOMPARE(QString::fromStdString(lines[210]), QStringLiteral("Telefono").leftJustified(95) + QStringLiteral("80   "));
}

QTEST_MAIN(InvoiceTypesViewTest)
#include "invoice_types_view_test.moc"
