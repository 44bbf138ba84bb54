// The wiring of the printing windows: the form grid designer zellyy (typed coordinates reach the
// form and are corrected on leaving, confirming lists the element, the list selects it, saving
// writes the file), the listing settings zelttab (scroll bars, combos, buttons and check boxes
// reach the form, Conferma writes kalvora.tbl) and the settings check zelaver.
#include "controls.h"
#include "printing/layout_designer.h"
#include "printing/listing_settings_form.h"
#include "printing/settings_check.h"
#include "ui/printing/layout_designer_view.h"
#include "ui/printing/listing_settings_view.h"
#include "ui/printing/settings_check_view.h"
#include "ui/qt_platform.h"
#include "user_script.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

using namespace kalvora;
using kalvora::testing::child;
using kalvora::testing::toggleAsAssistant;
using kalvora::testing::Opened;
using kalvora::testing::TestSession;
using Designer = Opened<printing::LayoutDesignerForm, ui::LayoutDesignerView>;
using Settings = Opened<printing::ListingSettingsForm, ui::ListingSettingsView>;

namespace {

const std::string gridFile = "kalwin/kalwin/kalaz0.000/kalvora.lkb";

void withCompany(TestSession& t) { t.drive.makeInstallation(0); }
void click(QWidget& view, const char* button) { QTest::mouseClick(child<QAbstractButton>(view, button), Qt::LeftButton); }

}  // namespace

class PrintingViewsTest : public QObject {
    Q_OBJECT

private slots:
    void designerTypedLineIsListedAndSaved() {
        Designer opened(withCompany, 5);
        auto& [test, form, view] = opened;
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QCOMPARE(view.objectName(), QStringLiteral("zellyy"));
        QCOMPARE(view.windowTitle(), QStringLiteral("Personalizza griglia modulo documento di trasporto"));
        QVERIFY(child<QWidget>(view, "nulla")->isVisible());

        click(view, "command11_0");
        QVERIFY(child<QWidget>(view, "linea")->isVisible() && !child<QWidget>(view, "nulla")->isVisible() &&
                !child<QPushButton>(view, "xelimina_0")->isVisible() && child<QLineEdit>(view, "coord1_0")->hasFocus());
        // Enter moves on; leaving X2 and Y2 brings them back onto the page.
        for (const char* value : {"0", "7", "250", "300"}) {
            QTest::keyClicks(QApplication::focusWidget(), value);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        QVERIFY(child<QLineEdit>(view, "coord1_3")->hasFocus());
        child<QLineEdit>(view, "coord1_0")->setFocus();
        QCOMPARE(child<QLineEdit>(view, "coord1_2")->text() + " " + child<QLineEdit>(view, "coord1_3")->text(),
                 QStringLiteral("210 297"));
        click(view, "xaggiungi_0");
        auto* list = child<QListWidget>(view, "List1");
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), QStringLiteral("001 Linea (X1= 1; Y1= 7; X2= 210; Y2= 297"));
        QVERIFY(child<QWidget>(view, "nulla")->isVisible());

        list->itemClicked(list->item(0));
        QVERIFY(child<QWidget>(view, "linea")->isVisible() && child<QPushButton>(view, "xelimina_0")->isVisible());
        QCOMPARE(child<QLineEdit>(view, "coord1_1")->text(), QStringLiteral("7"));
        QVERIFY(!test.drive.exists(gridFile));
        click(view, "bottone_1");
        QVERIFY(form.closed() && !view.isVisible());
        QVERIFY(test.drive.exists(gridFile));  // its content is checked with the form itself
    }

    void designerShiftAndButtonsReachTheForm() {
        Designer opened(withCompany, 11);
        auto& [test, form, view] = opened;
        QCOMPARE(view.windowTitle(), QStringLiteral("Personalizza modulo"));
        click(view, "command11_1");
        toggleAsAssistant(child<QCheckBox>(view, "pieno"));
        QVERIFY(form.filled());

        click(view, "command11_2");
        QVERIFY(child<QWidget>(view, "testo")->isVisible());
        QCOMPARE(child<QLabel>(view, "carattere")->text(), QStringLiteral("Arial"));
        QTest::keyClicks(child<QLineEdit>(view, "coord3_0"), "20");
        QTest::keyClicks(child<QLineEdit>(view, "coord3_1"), "30");
        QTest::keyClicks(child<QLineEdit>(view, "coord3_2"), "Spett.");
        click(view, "xaggiungi_2");
        click(view, "Command1_7");
        QCOMPARE(child<QListWidget>(view, "List1")->item(0)->text(), QStringLiteral("001 Testo (X1= 21; Y1= 30); Spett."));
        test.platform.answers = {true};  // the default layout takes the place of the user's text
        click(view, "bottone_2");
        // The proforma invoice's 15 captioned boxes and the heading line.
        QCOMPARE(child<QListWidget>(view, "List1")->count(), 31);

        test.platform.answers = {true};
        click(view, "bottone_0");
        QVERIFY(form.closed() && !view.isVisible());
        QCOMPARE(QString::fromStdString(test.platform.last()->text), QStringLiteral("Uscire senza salvare le modifiche"));
        QVERIFY(!test.drive.exists("kalwin/kalwin/kalaz0.000/kalvora.lkj"));
    }

    void designerOpensModallyThroughThePlatform() {
        TestSession test;
        test.drive.makeInstallation(0);
        ui::QtPlatform platform;
        platform.registerView<printing::LayoutDesignerForm, ui::LayoutDesignerView>();
        core::Session session{test.drive.installation(), platform, test.clock, test.files};
        QString title;
        kalvora::testing::UserScript user;
        user.then("the designer", [] { return kalvora::testing::modalNamed("zellyy") != nullptr; }, [&] {
            QWidget* view = kalvora::testing::modalNamed("zellyy");
            title = view->windowTitle();
            click(*view, "bottone_1");
        });
        user.start(10000, [&] { platform.quit(); });
        printing::openLayoutDesigner(session, 7);
        QVERIFY(user.done());
        QCOMPARE(title, QStringLiteral("Personalizza griglia modulo preventivo"));
        QVERIFY(test.drive.exists("kalwin/kalwin/kalaz0.000/kalvora.lkv"));
    }

    void settingsWiring() {
        Settings opened([](TestSession& t) { t.drive.makeInstallation(); });
        auto& [test, form, view] = opened;
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
        click(view, "selcar_2");
        QCOMPARE(child<QLabel>(view, "carattere_2")->text(), QStringLiteral("Verdana 11"));
        test.platform.colourAnswers = {0xFF};  // red
        click(view, "selcol_6");
        QCOMPARE(child<QLabel>(view, "colore_6")->accessibleDescription(), QStringLiteral("#ff0000"));

        for (const char* name : {"Check1_0", "Check1_1", "tipotab_1"}) toggleAsAssistant(child<QAbstractButton>(view, name));
        click(view, "bottone_1");
        QVERIFY(form.closed() && !view.isVisible());
        // Left edge, bottom edge and grid type (first five lines), then the pagination style, the
        // two check boxes and the sixth row colour (group 7).
        const std::string saved = test.drive.read("kalwin/kalwin/kalvora.tbl");
        QVERIFY(saved.starts_with(" 120 \r\n 950 \r\n 30 \r\n 949 \r\n 1 \r\n5\r\n"));
        QVERIFY(saved.ends_with("1\r\n1\r\n1\r\n&h0000FF\r\n0\r\n0\r\n"));
    }

    void settingsCancelLeavesTheFileAlone() {
        Settings opened([](TestSession& t) { t.drive.makeInstallation(); });
        auto& [test, form, view] = opened;
        child<QScrollBar>(view, "VScroll1")->setValue(200);
        click(view, "bottone_0");
        QVERIFY(form.closed() && !view.isVisible());
        QVERIFY(!test.drive.exists("kalwin/kalwin/kalvora.tbl"));
    }

    void checkWiring() {
        Opened<printing::SettingsCheckForm, ui::SettingsCheckView> opened([](TestSession& t) {
            t.drive.makeInstallation(0);
            t.platform.regionalDateText = "12/31/2014";
        });
        auto& [test, form, view] = opened;
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

        click(view, "bottone_0");
        QVERIFY(form.closed() && !view.isVisible());
    }
};

QTEST_MAIN(PrintingViewsTest)
#include "printing_views_test.moc"
