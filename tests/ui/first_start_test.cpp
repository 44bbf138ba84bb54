// The first start of a new installation through the real windows: the greeting of the login
// window, the mandatory company creation, the main window it leads to, and "Fine lavoro".
#include "company/company_creation.h"
#include "core/clock.h"
#include "core/files.h"
#include "core/session.h"
#include "launcher/main_form.h"
#include "support/temp_drive.h"
#include "ui/app.h"
#include "ui/company_creation_view.h"
#include "ui/main_view.h"
#include "ui/qt_platform.h"
#include "ui/views.h"
#include "user_script.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace kalvora;
using kalvora::testing::later;
using kalvora::testing::messageBoxOnTop;
using kalvora::testing::modalNamed;

namespace {

constexpr core::Date today{2026, 3, 15};
const QString companyName = QStringLiteral("Città & Figli Srl");

QString labelText(QWidget* root, const char* name) {
    auto* label = root->findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<%1 missing>").arg(QLatin1String(name));
}

QAbstractButton* buttonOf(QMessageBox* box, QMessageBox::StandardButton which) {
    return box ? box->button(which) : nullptr;
}

}  // namespace

class FirstStartTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(ui::installItalianTranslations(*QCoreApplication::instance())); }
    void firstStartCreatesTheCompanyAndFineLavoroEnds();
};

void FirstStartTest::firstStartCreatesTheCompanyAndFineLavoroEnds() {
    kalvora::testing::TempDrive drive;
    drive.makeInstallation();
    // Today's notice is already here, so the start-up does not go to the network. Its message
    // goes to the status line and its link shows the notice button.
    drive.write("kalwin/kalvora.bnn",
                "20260315\r\n"
                "1 **/**/**** ZF @https://example.invalid/novita\r\n"
                "3 15/03/2026 ZF Nuova versione disponibile\r\n");

    core::FixedClock clock(today);
    core::Files files;
    ui::QtPlatform platform;
    ui::registerViews(platform);
    core::Session session(core::Installation(drive.root()), platform, clock, files);
    launcher::MainForm form(session);
    std::unique_ptr<QWidget> window(platform.createView(form));
    auto* view = qobject_cast<ui::MainView*>(window.get());
    QVERIFY(view);
    QCOMPARE(view->objectName(), QStringLiteral("kalxena"));

    kalvora::testing::UserScript user;
    QPointer<QWidget> creation;

    // No users file: the login window greets and waits for Continua.
    user.then("zelchkp in information mode", [] { return modalNamed("zelchkp") != nullptr; }, [&] {
        QWidget* login = modalNamed("zelchkp");
        QCOMPARE(login->windowTitle(), QStringLiteral("Informazioni"));
        QCOMPARE(login->findChild<QLabel*>("saluto")->text(), QStringLiteral("Buon lavoro con Kalvora"));
        QVERIFY(!login->findChild<QLineEdit*>("text1")->isVisible());
        auto* proceed = login->findChild<QToolButton*>("continua");
        later([proceed] { QTest::mouseClick(proceed, Qt::LeftButton); });
    });
    user.then("zelcrea in mode 0", [] { return modalNamed("zelcrea") != nullptr; }, [&] {
        creation = modalNamed("zelcrea");
        QCOMPARE(creation->windowTitle(), QStringLiteral("Creazione azienda"));
        QVERIFY(creation->findChild<QLineEdit*>("text_15"));
        QCOMPARE(creation->findChild<QComboBox*>("anno")->currentText(), QStringLiteral("2026"));
        later([&] { QTest::mouseClick(creation->findChild<QToolButton*>("bottone_0"), Qt::LeftButton); });
    });
    user.then("the refusal to leave", [] { return messageBoxOnTop() != nullptr; }, [&] {
        QMessageBox* box = messageBoxOnTop();
        QCOMPARE(box->text(), QStringLiteral("E' obbligatorio creare l'azienda"));
        QCOMPARE(box->windowTitle(), QStringLiteral("Attenzione"));
        QCOMPARE(box->icon(), QMessageBox::Critical);
        buttonOf(box, QMessageBox::Ok)->click();
    });
    user.then("zelcrea still open", [] { return modalNamed("zelcrea") != nullptr; }, [&] {
        QVERIFY(creation && creation->isVisible());
        auto* name = creation->findChild<QLineEdit*>("text_0");
        QCOMPARE(creation->focusWidget(), name);
        kalvora::testing::typeText(name, companyName);
        QCOMPARE(name->text(), companyName);
        later([&] { QTest::mouseClick(creation->findChild<QToolButton*>("bottone_1"), Qt::LeftButton); });
    });
    user.then("the main window after the start-up", [&] { return !creation && form.started(); }, [&] {
        const std::string registry = drive.read("kalwin/kalwin/kalvora.azi");
        const std::string encodedName = "Citt\xe0 & Figli Srl";
        QVERIFY(registry.rfind(encodedName + std::string(200 - 17, ' ') + "2026\r\n", 0) == 0);
        QCOMPARE(std::count(registry.begin(), registry.end(), '\n'), 1000L);
        QCOMPARE(drive.read("kalwin/kalwin/kalvora.uso"), std::string(" 0 \r\n"));
        for (const char* file : {"kalvora.int", "kalvora.a14", "kalvora.tot", "kalvora.tab"})
            QVERIFY2(drive.exists(std::string("kalwin/kalwin/kalaz0.000/") + file), file);

        QCOMPARE(view->windowTitle(), QStringLiteral("Kalvora Zaft 15.E"));
        QCOMPARE(labelText(view, "selazienda"), QStringLiteral("000 ") + companyName);
        QCOMPARE(labelText(view, "selazienda2"), QStringLiteral("2026"));
        QVERIFY(view->findChild<QLabel*>("selazienda")->isVisible());
        QCOMPARE(labelText(view, "nuser"), QStringLiteral(" 00 Utente non identificato"));
        QVERIFY(!view->findChild<QLabel*>("user0")->isVisible());
        QCOMPARE(labelText(view, "rete"), QStringLiteral("Nuova versione disponibile"));
        QVERIFY(view->findChild<QToolButton*>("oklinkbut")->isVisible());
        QCOMPARE(view->findChild<QDateEdit*>("datax")->date(), QDate(2026, 3, 15));
        QCOMPARE(view->focusWidget(), view->findChild<QLineEdit*>("text1"));

        auto* finish = view->findChild<QAction*>("o_fin");
        QVERIFY(finish);
        QCOMPARE(finish->text(), QStringLiteral("Fine lavoro"));
        QVERIFY(finish->isVisible() && finish->isEnabled());
        later([finish] { finish->trigger(); });
    });
    user.then("the question, answered No", [] { return messageBoxOnTop() != nullptr; }, [&] {
        QMessageBox* box = messageBoxOnTop();
        QCOMPARE(box->text(), QStringLiteral("Sei proprio sicuro?"));
        QCOMPARE(box->windowTitle(), QStringLiteral("Fine lavoro"));
        QCOMPARE(buttonOf(box, QMessageBox::Yes)->text().remove('&'), QStringLiteral("Sì"));
        QCOMPARE(buttonOf(box, QMessageBox::No)->text().remove('&'), QStringLiteral("No"));
        buttonOf(box, QMessageBox::No)->click();
    });
    user.then("the main window still open", [] { return QApplication::activeModalWidget() == nullptr; }, [&] {
        QVERIFY(view->isVisible());
        QVERIFY(!form.exiting());
        QVERIFY(!platform.quitRequested());
        later([view] { view->findChild<QAction*>("o_fin")->trigger(); });
    });
    user.then("the question, answered Yes", [] { return messageBoxOnTop() != nullptr; },
              [&] { buttonOf(messageBoxOnTop(), QMessageBox::Yes)->click(); });

    user.start(20000, [&] { platform.quit(); });
    QTimer::singleShot(0, view, [view] { view->show(); });
    const int code = QApplication::exec();

    QVERIFY2(!user.failed(), qPrintable("stopped at: " + user.waitingFor()));
    QVERIFY(user.done());
    QCOMPARE(code, 0);
    QVERIFY(platform.quitRequested());
    QVERIFY(form.exiting());
    QVERIFY(!view->isVisible());
}

QTEST_MAIN(FirstStartTest)
#include "first_start_test.moc"
