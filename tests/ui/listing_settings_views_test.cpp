// The wiring of zelttab and zelaver: the scroll bars, combos, buttons and check boxes reach the
// form and show its state, Conferma writes kalvora.tbl, "esegui verifica" fills List1.
#include "controls.h"
#include "printing/listing_settings_form.h"
#include "printing/settings_check.h"
#include "support/test_session.h"
#include "ui/printing/listing_settings_view.h"
#include "ui/printing/settings_check_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

using namespace kalvora;

class ListingSettingsViewsTest : public QObject {
    Q_OBJECT

private slots:
    void settingsWiring();
    void cancelLeavesTheFileAlone();
    void checkWiring();
};

using kalvora::testing::child;

void ListingSettingsViewsTest::settingsWiring() {
    kalvora::testing::TestSession test;
    test.drive.makeInstallation();
    printing::ListingSettingsForm form(test.session);
    form.open();
    ui::ListingSettingsView view(form);
    view.show();
    QCOMPARE(view.objectName(), QStringLiteral("zelttab"));
    QCOMPARE(view.windowTitle(), QStringLiteral("Impostazione marginatura tabulati"));

    QCOMPARE(child<QScrollBar>(view, "HScroll2")->value(), 950);
    QWidget* preview = child<QWidget>(view, "anteprima");
    const QImage before = preview->grab().toImage();
    child<QScrollBar>(view, "HScroll1")->setValue(120);
    child<QScrollBar>(view, "VScroll2")->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QVERIFY(preview->grab().toImage() != before);  // the page is drawn again

    auto* grid = child<QComboBox>(view, "Combo1");
    QCOMPARE(grid->currentText(), QStringLiteral("Griglia lunghezza foglio"));
    QCOMPARE(child<QComboBox>(view, "Combo2")->currentText(), QStringLiteral("1.20"));
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Up);

    QCOMPARE(child<QLabel>(view, "carattere_1")->text(), QStringLiteral("Arial 14"));
    test.platform.fontAnswers = {{"Verdana", 11, true, false}};
    QTest::mouseClick(child<QPushButton>(view, "selcar_2"), Qt::LeftButton);
    QCOMPARE(child<QLabel>(view, "carattere_2")->text(), QStringLiteral("Verdana 11"));
    test.platform.colourAnswers = {0xFF};  // red
    QTest::mouseClick(child<QPushButton>(view, "selcol_6"), Qt::LeftButton);
    QCOMPARE(child<QLabel>(view, "colore_6")->accessibleDescription(), QStringLiteral("#ff0000"));

    child<QCheckBox>(view, "Check1_0")->click();
    child<QCheckBox>(view, "Check1_1")->click();
    child<QRadioButton>(view, "tipotab_1")->click();
    QTest::mouseClick(child<QToolButton>(view, "bottone_1"), Qt::LeftButton);
    QVERIFY(form.closed() && !view.isVisible());
    // Left edge, bottom edge and grid type (first five lines), then the pagination style, the
    // two check boxes and the sixth row colour (group 7).
    const std::string saved = test.drive.read("kalwin/kalwin/kalvora.tbl");
    QVERIFY(saved.starts_with(" 120 \r\n 950 \r\n 30 \r\n 949 \r\n 1 \r\n5\r\n"));
    QVERIFY(saved.ends_with("1\r\n1\r\n1\r\n&h0000FF\r\n0\r\n0\r\n"));
}

void ListingSettingsViewsTest::cancelLeavesTheFileAlone() {
    kalvora::testing::TestSession test;
    test.drive.makeInstallation();
    printing::ListingSettingsForm form(test.session);
    form.open();
    ui::ListingSettingsView view(form);
    view.show();
    child<QScrollBar>(view, "VScroll1")->setValue(200);
    QTest::mouseClick(child<QToolButton>(view, "bottone_0"), Qt::LeftButton);
    QVERIFY(form.closed() && !view.isVisible());
    QVERIFY(!test.drive.exists("kalwin/kalwin/kalvora.tbl"));
}

void ListingSettingsViewsTest::checkWiring() {
    kalvora::testing::TestSession test;
    test.drive.makeInstallation(0);
    test.platform.regionalDateText = "12/31/2014";
    printing::SettingsCheckForm form(test.session);
    form.open();
    ui::SettingsCheckView view(form);
    view.show();
    QCOMPARE(view.objectName(), QStringLiteral("zelaver"));
    QCOMPARE(view.windowTitle(), QStringLiteral("Verifica impostazioni"));
    auto* list = child<QListWidget>(view, "List1");
    auto* run = child<QPushButton>(view, "esegui");
    QCOMPARE(run->text(), QStringLiteral("esegui verifica"));
    QTest::mouseClick(run, Qt::LeftButton);
    QCOMPARE(list->count(), 4);
    QCOMPARE(list->item(0)->text() + list->item(2)->text(),
             QStringLiteral("Il formato data non è corretto. Verifica terminata."));
    QTest::mouseClick(run, Qt::LeftButton);
    QCOMPARE(list->count(), 4);  // run again, listed afresh

    QTest::mouseClick(child<QToolButton>(view, "bottone_0"), Qt::LeftButton);
    QVERIFY(form.closed() && !view.isVisible());
}

QTEST_MAIN(ListingSettingsViewsTest)
#include "listing_settings_views_test.moc"
