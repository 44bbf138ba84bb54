// The wiring of zelnum and zelagg2: the boxes reach the forms, Enter moves on, bottone_1 prints
// the pages or runs the update, List1 shows the log.
#include "company/register_numbering.h"
#include "controls.h"
#include "launcher/update_installer.h"
#include "support/test_session.h"
#include "ui/company/register_numbering_view.h"
#include "ui/launcher/update_installer_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolButton>

using namespace kalvora;
using kalvora::testing::child;

class RegisterAndUpdateViewsTest : public QObject {
    Q_OBJECT

private slots:
    void registerNumbering() {
        kalvora::testing::TestSession test(core::Date{2015, 5, 4});
        test.drive.makeInstallation(0);
        test.drive.write("kalwin/kalwin/kalaz0.000/kalvora.int", "Rossi Srl\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nRSSMRA\r\n");
        company::RegisterNumberingForm form(test.session);
        form.open();
        ui::RegisterNumberingView view(form);
        view.show();
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        child<QLineEdit>(view, "text1_0")->setFocus();
        for (const char* text : {"Libro inventari", "7", "8"}) {
            QTest::keyClicks(QApplication::focusWidget(), text);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        QCOMPARE(QApplication::focusWidget(), child<QCheckBox>(view, "anno"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        test.platform.answers = {true};
        QTest::mouseClick(child<QToolButton>(view, "bottone_1"), Qt::LeftButton);
        QCOMPARE(test.platform.printJobs.size(), std::size_t{1});
        const auto& ops = test.platform.printJobs[0].ops;
        QCOMPARE(ops.front().text, std::string("Libro inventari  -  Rossi Srl - C.Fisc.RSSMRA"));
        QCOMPARE(ops.back().text, std::string("Pagina 2015/8"));
        QVERIFY(view.isVisible());  // ready for the next register
        QTest::mouseClick(child<QToolButton>(view, "bottone_0"), Qt::LeftButton);
        QVERIFY(!view.isVisible());
    }

    void updateInstaller() {
        kalvora::testing::TestSession test;
        test.drive.makeInstallation();
        test.drive.write("kalwin/KAL110.lha", "agents");
        launcher::UpdateInstallerForm form(test.session);
        ui::UpdateInstallerView view(form);
        view.show();
        QCOMPARE(view.windowTitle(), QStringLiteral("Aggiornamento software"));
        QTest::mouseClick(child<QCheckBox>(view, "cancella"), Qt::LeftButton);
        QTest::mouseClick(child<QToolButton>(view, "bottone_1"), Qt::LeftButton);
        QVERIFY(form.closed() && !view.isVisible());
        auto* list = child<QListWidget>(view, "List1");
        QCOMPARE(list->count(), 4);
        QCOMPARE(list->item(3)->text(), QStringLiteral("--> Aggiornamento programma Gestione archivio agenti"));
        QCOMPARE(test.drive.read("kalwin/kalwin/kalage.EXE"), std::string("agents"));
        QVERIFY(!test.drive.exists("kalwin/KAL110.lha"));  // cancella was ticked
    }
};

QTEST_MAIN(RegisterAndUpdateViewsTest)
#include "register_and_update_views_test.moc"
