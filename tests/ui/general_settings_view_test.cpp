// The wiring of zelstimp: every control shows the form's value and reaches the form, and
// bottone_1 saves both files.
#include "company/general_settings_form.h"
#include "company/settings_loader.h"
#include "controls.h"
#include "support/test_session.h"
#include "ui/company/general_settings_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

using namespace kalvora;
using kalvora::testing::child;
using kalvora::testing::toggleAsAssistant;

class GeneralSettingsViewTest : public QObject {
    Q_OBJECT

private slots:
    void wiring();
    void closeBoxLeavesTheFilesAlone();
};

namespace {

const std::string gnr = "kalwin/kalwin/kalaz0.000/kalvora.gnr";
const std::string eur = "kalwin/kalwin/kalvora.eur";

void arrange(kalvora::testing::TestSession& test) {
    test.drive.makeInstallation(0);
    test.drive.write(eur, "1\r\n1936.27\r\nITL\r\nEUR\r\n3\r\n0\r\n");
    company::loadCompanySettings(test.session);
}

}  // namespace

void GeneralSettingsViewTest::wiring() {
    kalvora::testing::TestSession test;
    arrange(test);
    company::GeneralSettingsForm form(test.session);
    form.open();
    ui::GeneralSettingsView view(form);
    view.show();
    QCOMPARE(view.objectName(), QStringLiteral("zelstimp"));
    QCOMPARE(view.windowTitle(), QStringLiteral("Impostazioni generali"));
    QVERIFY(child<QLabel>(view, "nota")->text().startsWith(
        QStringLiteral("Queste impostazioni sono valide solo per l'azienda selezionata")));
    QVERIFY(child<QRadioButton>(view, "decim_1")->isChecked());
    QCOMPARE(child<QLineEdit>(view, "text1_0")->text(), QStringLiteral("EUR"));
    auto* combo = child<QComboBox>(view, "Combo1");
    QCOMPARE(combo->count(), 32);
    QCOMPARE(child<QLabel>(view, "car_0")->accessibleDescription(), QStringLiteral("#f3fafc"));
    // A new company's record has the two-colour lists on and lots off.
    QVERIFY(child<QCheckBox>(view, "lettura_0")->isChecked());
    QVERIFY(!child<QCheckBox>(view, "lotti")->isChecked());

    // Clicked on the box itself: a check box takes clicks on its box and caption only.
    for (const char* name : {"liste", "lettura_1", "barre80", "scorporo", "cerca", "peso", "anno", "lotti", "acro"}) {
        auto* box = child<QCheckBox>(view, name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    toggleAsAssistant(child<QRadioButton>(view, "decim_3"));
    QCOMPARE(form.decimals(), 3);
    auto* currency = child<QLineEdit>(view, "text1_0");
    currency->selectAll();
    QTest::keyClicks(currency, "US,D");
    QCOMPARE(currency->text(), QStringLiteral("USD"));
    combo->setCurrentIndex(2);
    emit combo->activated(2);
    QCOMPARE(form.vatCode(), 2);

    test.platform.colourAnswers = {0x0000FF};
    QTest::mouseClick(child<QPushButton>(view, "command3d5_1"), Qt::LeftButton);
    QCOMPARE(child<QLabel>(view, "car_1")->accessibleDescription(), QStringLiteral("#ff0000"));
    test.platform.fileAnswers = {test.drive.path("kalwin/kalwin/kalvora.eur")};
    QTest::mouseClick(child<QPushButton>(view, "command3d5_3"), Qt::LeftButton);
    QVERIFY(test.platform.last()->text.find("eseguibile") != std::string::npos);
    QTest::keyClicks(child<QLineEdit>(view, "car_2"), "/usr/bin/xpdf");
    QCOMPARE(form.pdfReader(), std::string("/usr/bin/xpdf"));
    QTest::mouseClick(child<QPushButton>(view, "command3d5_2"), Qt::LeftButton);
    QCOMPARE(child<QLabel>(view, "car_1")->accessibleDescription(), QStringLiteral("#ffffff"));

    QTest::mouseClick(child<QToolButton>(view, "bottone_1"), Qt::LeftButton);
    QVERIFY(form.closed() && !view.isVisible());
    QCOMPARE(test.drive.read(eur), std::string("1\r\n1936.27\r\nITL\r\nUSD\r\n5\r\n0\r\n"));
    const std::string saved = test.drive.read(gnr);
    QCOMPARE(saved.substr(184, 1) + saved.substr(201, 3), std::string("0101"));
    QCOMPARE(saved.substr(249, 2) + saved.substr(257, 2), std::string("0311"));
    QCOMPARE(test.session.company().currency[5], std::string("5"));
}

void GeneralSettingsViewTest::closeBoxLeavesTheFilesAlone() {
    kalvora::testing::TestSession test;
    arrange(test);
    const std::string before = test.drive.read(gnr);
    company::GeneralSettingsForm form(test.session);
    form.open();
    ui::GeneralSettingsView view(form);
    view.show();
    QTest::mouseClick(child<QCheckBox>(view, "lotti"), Qt::LeftButton, {}, QPoint(6, 6));
    QTest::keyClick(&view, Qt::Key_Escape);
    QVERIFY(form.closed() && !view.isVisible());
    QCOMPARE(test.drive.read(gnr), before);
    QCOMPARE(test.drive.read(eur), std::string("1\r\n1936.27\r\nITL\r\nEUR\r\n3\r\n0\r\n"));
}

QTEST_MAIN(GeneralSettingsViewTest)
#include "general_settings_view_test.moc"
