// The wiring of zelstcas: the controls show the file, reach the form, Enter moves on (to another
// page when the next box is there), the preset fills the window, bottone_1 saves, Esc leaves.
#include "controls.h"
#include "support/test_session.h"
#include "tables/cash_register_form.h"
#include "ui/tables/cash_register_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace kalvora;
using kalvora::testing::child;
using kalvora::testing::toggleAsAssistant;

namespace {
using Opened = kalvora::testing::Opened<tables::CashRegisterForm, ui::CashRegisterView>;
constexpr const char* casFile = "kalwin/kalwin/kalaz0.000/kalvora.cas";

// A click on the mark, which a wide button's middle may miss.
void tick(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2)); }
}  // namespace

class CashRegisterViewTest : public QObject {
    Q_OBJECT

private slots:
    void wiring();
    void escapeLeavesTheFileAlone();
};

void CashRegisterViewTest::wiring() {
    Opened opened([](kalvora::testing::TestSession& t) { t.drive.makeInstallation(0); });
    auto& [test, form, view] = opened;
    QVERIFY(QTest::qWaitForWindowActive(&view));
    QCOMPARE(view.objectName(), QStringLiteral("zelstcas"));
    QCOMPARE(view.windowTitle(), QStringLiteral("Collegamento a registratore di cassa"));
    QVERIFY2(view.width() <= 1024 && view.height() <= 740,
             qPrintable(QStringLiteral("%1x%2").arg(view.width()).arg(view.height())));
    QVERIFY(child<QRadioButton>(view, "porta_4")->isChecked());
    QVERIFY(child<QRadioButton>(view, "flag_2")->isChecked());
    QVERIFY(child<QCheckBox>(view, "prezzi")->isChecked() && !child<QCheckBox>(view, "capo")->isChecked());
    QCOMPARE(child<QLineEdit>(view, "Text2_12")->accessibleName(), QStringLiteral("Codice a barre Prezzo 3"));

    tick(child<QRadioButton>(view, "porta_2"));
    QCOMPARE(form.port(), 2);
    toggleAsAssistant(child<QRadioButton>(view, "flag_0"));
    QCOMPARE(form.flag(), 0);
    toggleAsAssistant(child<QCheckBox>(view, "barre"));
    QVERIFY(form.checked(tables::CashRegisterForm::barre));

    auto* model = child<QComboBox>(view, "modello");
    QCOMPARE(model->itemText(0), QStringLiteral("Sarema  (POS1)"));
    model->setCurrentIndex(0);
    emit model->activated(0);
    QTest::mouseClick(child<QPushButton>(view, "bottone_2"), Qt::LeftButton);
    QCOMPARE(child<QLineEdit>(view, "text1_1")->text(), QStringLiteral("C:\\KALWIN\\KALWIN\\POS1 3"));
    QCOMPARE(child<QComboBox>(view, "Combo1_2")->currentText(), QStringLiteral("Reparto"));
    QCOMPARE(child<QLineEdit>(view, "text1_18")->text(), QStringLiteral("plud,c["));

    // Enter in the last box of the first page goes on to the departments' page.
    auto* pages = child<QTabWidget>(view, "schede");
    auto* data = child<QLineEdit>(view, "text1_1");
    data->setFocus();
    QTest::keyClick(data, Qt::Key_Return);
    QCOMPARE(pages->currentIndex(), 2);
    QCOMPARE(view.focusWidget(), child<QLineEdit>(view, "text1_2"));

    pages->setCurrentIndex(4);
    auto* price2 = child<QLineEdit>(view, "Text2_5");
    price2->setFocus();
    QTest::keyClicks(price2, "8000000000005");
    QTest::keyClick(price2, Qt::Key_Return);
    QCOMPARE(view.focusWidget(), child<QLineEdit>(view, "Text2_12"));

    pages->setCurrentIndex(3);
    auto* field = child<QComboBox>(view, "Combo1_5");
    field->setCurrentIndex(2);
    emit field->activated(2);
    QCOMPARE(form.field(5), int(tables::barCode));

    QTest::mouseClick(child<QToolButton>(view, "bottone_1"), Qt::LeftButton);
    QVERIFY(form.closed() && !view.isVisible());
    const std::vector<std::string> saved = test.files.readLines(test.drive.path(casFile)).value();
    QCOMPARE(saved.size(), std::size_t(100));
    QCOMPARE(saved[0] + "|" + saved[1] + "|" + saved[3], std::string("3|0|C:\\KALWIN\\KALWIN\\POS1 3"));
    QCOMPARE(saved[25] + "|" + saved[54] + "|" + saved[85], std::string("2|1|8000000000005"));
}

void CashRegisterViewTest::escapeLeavesTheFileAlone() {
    Opened opened([](kalvora::testing::TestSession& t) { t.drive.makeInstallation(0); });
    auto& [test, form, view] = opened;
    QTest::keyClicks(child<QLineEdit>(view, "text1_0"), "C:\\x");
    QTest::keyClick(&view, Qt::Key_Escape);
    QVERIFY(form.closed() && !view.isVisible());
    QVERIFY(!test.drive.exists(casFile));
}

QTEST_MAIN(CashRegisterViewTest)
#include "cash_register_view_test.moc"
