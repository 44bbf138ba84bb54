// The wiring of the form grid designer zellyy: typed coordinates reach the form and are corrected
// on leaving, confirming lists the element, the list selects it, and saving writes the file.
#include "controls.h"
#include "printing/layout_designer.h"
#include "support/test_session.h"
#include "ui/printing/layout_designer_view.h"
#include "ui/qt_platform.h"
#include "user_script.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace kalvora;

class LayoutDesignerViewTest : public QObject {
    Q_OBJECT

private slots:
    void typedLineIsListedAndSaved();
    void shiftAndButtonsReachTheForm();
    void opensModallyThroughThePlatform();
};

using kalvora::testing::child;

namespace {

const std::string gridFile = "kalwin/kalwin/kalaz0.000/kalvora.lkb";

}  // namespace

void LayoutDesignerViewTest::typedLineIsListedAndSaved() {
    kalvora::testing::TestSession test;
    test.drive.makeInstallation(0);
    printing::LayoutDesignerForm form(test.session, 5);
    form.open();
    ui::LayoutDesignerView view(form);
    view.show();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    QCOMPARE(view.objectName(), QStringLiteral("zellyy"));
    QCOMPARE(view.windowTitle(), QStringLiteral("Personalizza griglia modulo documento di trasporto"));
    QVERIFY(child<QWidget>(view, "nulla")->isVisible());

    QTest::mouseClick(child<QPushButton>(view, "command11_0"), Qt::LeftButton);
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
    QTest::mouseClick(child<QPushButton>(view, "xaggiungi_0"), Qt::LeftButton);
    auto* list = child<QListWidget>(view, "List1");
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QStringLiteral("001 Linea (X1= 1; Y1= 7; X2= 210; Y2= 297"));
    QVERIFY(child<QWidget>(view, "nulla")->isVisible());

    list->itemClicked(list->item(0));
    QVERIFY(child<QWidget>(view, "linea")->isVisible() && child<QPushButton>(view, "xelimina_0")->isVisible());
    QCOMPARE(child<QLineEdit>(view, "coord1_1")->text(), QStringLiteral("7"));
    QVERIFY(!test.drive.exists(gridFile));
    QTest::mouseClick(child<QPushButton>(view, "bottone_1"), Qt::LeftButton);
    QVERIFY(form.closed() && !view.isVisible());
    QVERIFY(test.drive.exists(gridFile));  // its content is checked with the form itself
}

void LayoutDesignerViewTest::shiftAndButtonsReachTheForm() {
    kalvora::testing::TestSession test;
    test.drive.makeInstallation(0);
    printing::LayoutDesignerForm form(test.session, 11);
    form.open();
    ui::LayoutDesignerView view(form);
    view.show();
    QCOMPARE(view.windowTitle(), QStringLiteral("Personalizza modulo"));

    QTest::mouseClick(child<QPushButton>(view, "command11_2"), Qt::LeftButton);
    QVERIFY(child<QWidget>(view, "testo")->isVisible());
    QCOMPARE(child<QLabel>(view, "carattere")->text(), QStringLiteral("Arial"));
    QTest::keyClicks(child<QLineEdit>(view, "coord3_0"), "20");
    QTest::keyClicks(child<QLineEdit>(view, "coord3_1"), "30");
    QTest::keyClicks(child<QLineEdit>(view, "coord3_2"), "Spett.");
    QTest::mouseClick(child<QPushButton>(view, "xaggiungi_2"), Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>(view, "Command1_7"), Qt::LeftButton);
    QCOMPARE(child<QListWidget>(view, "List1")->item(0)->text(), QStringLiteral("001 Testo (X1= 21; Y1= 30); Spett."));
    test.platform.answers = {true};  // the default layout takes the place of the user's text
    QTest::mouseClick(child<QPushButton>(view, "bottone_2"), Qt::LeftButton);
    // The proforma invoice's 15 captioned boxes and the heading line.
    QCOMPARE(child<QListWidget>(view, "List1")->count(), 31);

    test.platform.answers = {true};
    QTest::mouseClick(child<QPushButton>(view, "bottone_0"), Qt::LeftButton);
    QVERIFY(form.closed() && !view.isVisible());
    QCOMPARE(QString::fromStdString(test.platform.last()->text), QStringLiteral("Uscire senza salvare le modifiche"));
    QVERIFY(!test.drive.exists("kalwin/kalwin/kalaz0.000/kalvora.lkj"));
}

void LayoutDesignerViewTest::opensModallyThroughThePlatform() {
    kalvora::testing::TestSession test;
    test.drive.makeInstallation(0);
    ui::QtPlatform platform;
    platform.registerView<printing::LayoutDesignerForm, ui::LayoutDesignerView>();
    core::Session session{test.drive.installation(), platform, test.clock, test.files};
    QString title;
    kalvora::testing::UserScript user;
    user.then("the designer", [] { return kalvora::testing::modalNamed("zellyy") != nullptr; }, [&] {
        QWidget* view = kalvora::testing::modalNamed("zellyy");
        title = view->windowTitle();
        QTest::mouseClick(child<QPushButton>(*view, "bottone_1"), Qt::LeftButton);
    });
    user.start(10000, [&] { platform.quit(); });
    printing::openLayoutDesigner(session, 7);
    QVERIFY(user.done());
    QCOMPARE(title, QStringLiteral("Personalizza griglia modulo preventivo"));
    QVERIFY(test.drive.exists("kalwin/kalwin/kalaz0.000/kalvora.lkv"));
}

QTEST_MAIN(LayoutDesignerViewTest)
#include "layout_designer_view_test.moc"
