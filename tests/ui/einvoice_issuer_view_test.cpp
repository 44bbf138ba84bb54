// The wiring of kalkfpa: the boxes, lists and check boxes reach the form, a failed check puts
// the focus on its box (on its tab), sfoglia takes the folder of the lists, bottone_1 saves.
#include "controls.h"
#include "support/test_session.h"
#include "tables/einvoice_issuer_form.h"
#include "ui/tables/einvoice_issuer_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <filesystem>

using namespace kalvora;
using kalvora::testing::child;
using kalvora::testing::toggleAsAssistant;

class EInvoiceIssuerViewTest : public QObject {
    Q_OBJECT

private slots:
    void wiring();
    void closeBoxLeavesTheFileAlone();
};

void EInvoiceIssuerViewTest::wiring() {
    kalvora::testing::TestSession test;
    test.drive.makeInstallation(0);
    std::filesystem::create_directories(test.drive.path("kalwin/fatture"));
    tables::EInvoiceIssuerForm form(test.session);
    QVERIFY(form.open());
    ui::EInvoiceIssuerView view(form);
    view.show();
    QCOMPARE(view.objectName(), QStringLiteral("kalkfpa"));
    QCOMPARE(view.windowTitle(), QStringLiteral("Tabella impostazioni fatturaPA"));
    QVERIFY(view.width() <= 1024 && view.height() <= 768);
    QVERIFY(child<QLabel>(view, "avviso")->text().startsWith(QStringLiteral("ATTENZIONE: l'errata")));
    QStringList frames;
    for (QGroupBox* box : view.findChildren<QGroupBox*>()) frames << box->title();
    for (const char* title : {"Dati dell'emittente della fattura elettronica PA", "Dati fiscali", "Sede legale",
                              "Stabile organizzazione", "Recapiti"})
        QVERIFY2(frames.contains(QString::fromUtf8(title)), title);

    auto* regime = child<QComboBox>(view, "Combo1");
    QCOMPARE(regime->count(), 18);
    QCOMPARE(regime->currentIndex(), 0);
    QCOMPARE(child<QComboBox>(view, "Combo3")->currentText(), QStringLiteral("Società di capitali"));
    QCOMPARE(child<QLineEdit>(view, "nfile_0")->text(), QStringLiteral("C:\\"));
    QVERIFY(child<QRadioButton>(view, "standard_1")->isChecked());
    QCOMPARE(child<QLineEdit>(view, "Text2_22")->text(), QStringLiteral("IT"));

    // A company name only: the first check that speaks is the empty "ID Codice", on the first tab.
    auto* tabs = child<QTabWidget>(view, "schede");
    tabs->setCurrentIndex(2);
    QTest::keyClicks(child<QLineEdit>(view, "Text2_2"), "Rossi Srl");
    QTest::mouseClick(child<QToolButton>(view, "bottone_1"), Qt::LeftButton);
    QVERIFY(!form.closed());
    QVERIFY(test.platform.last()->text.starts_with("Il campo 'ID Codice'"));
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(view.focusWidget(), child<QLineEdit>(view, "Text2_21"));

    for (const char* box : {"Text2_21", "Text2_23", "Text2_24"})
        QTest::keyClicks(child<QLineEdit>(view, box), "00743110157");
    regime->setCurrentIndex(13);
    emit regime->activated(13);
    QCOMPARE(form.regime(), 13);
    QVERIFY(regime->currentText().contains(QStringLiteral("oggetti d’arte")));
    auto* single = child<QCheckBox>(view, "sociounico");
    QTest::mouseClick(single, Qt::LeftButton, {}, QPoint(6, single->height() / 2));  // on the indicator
    QVERIFY(form.singleShareholder());
    toggleAsAssistant(child<QRadioButton>(view, "standard_0"));
    QCOMPARE(form.standard(), 0);

    form.chooser().setFolder(test.drive.path("kalwin/fatture"));
    QTest::mouseClick(child<QPushButton>(view, "sfoglia_1"), Qt::LeftButton);
    QCOMPARE(child<QLineEdit>(view, "nfile_1")->text(), QStringLiteral("\\kalwin\\fatture"));

    QTest::mouseClick(child<QToolButton>(view, "bottone_1"), Qt::LeftButton);
    QVERIFY(form.closed() && !view.isVisible());
    const std::string saved = test.drive.read("kalwin/kalwin/kalaz0.000/kalvora.fpa");
    QCOMPARE(saved.size(), std::size_t(2421));
    QCOMPARE(saved.substr(67, 2), std::string("13"));
    QCOMPARE(saved.substr(107, 2), std::string("SU"));
    QCOMPARE(saved.substr(2021, 16), std::string("\\kalwin\\fatture "));
}

void EInvoiceIssuerViewTest::closeBoxLeavesTheFileAlone() {
    kalvora::testing::TestSession test;
    test.drive.makeInstallation(0);
    tables::EInvoiceIssuerForm form(test.session);
    QVERIFY(form.open());
    ui::EInvoiceIssuerView view(form);
    view.show();
    QTest::keyClicks(child<QLineEdit>(view, "Text2_2"), "Rossi Srl");
    QTest::keyClick(&view, Qt::Key_Escape);
    QVERIFY(form.closed() && !view.isVisible());
    QVERIFY(!test.drive.exists("kalwin/kalwin/kalaz0.000/kalvora.fpa"));
}

QTEST_MAIN(EInvoiceIssuerViewTest)
#include "einvoice_issuer_view_test.moc"
