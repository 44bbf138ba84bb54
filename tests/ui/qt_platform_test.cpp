// QtPlatform against real Qt: downloads from a local HTTP server, documents and programs on a
// temporary folder, message boxes, the busy pointer, window lookup and modal windows.
#include "core/form.h"
#include "support/temp_drive.h"
#include "support/test_session.h"
#include "ui/app.h"
#include "ui/qt_platform.h"
#include "user_script.h"

#include <QAbstractButton>
#include <QDialog>
#include <QFile>
#include <QMessageBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <map>
#include <memory>

using namespace kalvora;
using kalvora::testing::messageBoxOnTop;
using kalvora::testing::modalNamed;

namespace {

// Answers GET requests by path: fixed pages, an error, a redirect, a huge body, or silence.
class LocalHttpServer : public QObject {
public:
    LocalHttpServer() {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

    std::string address(const char* path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(QLatin1String(path)).toStdString();
    }
    int requests = 0;
    QByteArray lastRequest;

private:
    void serve(QTcpSocket* socket) {
        QByteArray& pending = buffers_[socket];
        pending += socket->readAll();
        if (!pending.contains("\r\n\r\n")) return;
        ++requests;
        lastRequest = pending;
        const QByteArray path = pending.split(' ').value(1);
        pending.clear();
        if (path == "/silent") return;
        if (path == "/ok") reply(socket, "200 OK", "20260315\r\n3 **/**/**** ZF Buongiorno\r\n");
        else if (path == "/moved") reply(socket, "302 Found", "", "Location: /ok\r\n");
        else if (path == "/huge") reply(socket, "200 OK", QByteArray(int(ui::QtPlatform::downloadLimit) + 4096, 'x'));
        else reply(socket, "404 Not Found", "assente");
    }

    static void reply(QTcpSocket* socket, const char* status, const QByteArray& body, const char* extra = "") {
        socket->write(QByteArray("HTTP/1.1 ") + status + "\r\nContent-Length: " + QByteArray::number(body.size()) +
                      "\r\nConnection: close\r\n" + extra + "\r\n" + body);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    std::map<QTcpSocket*, QByteArray> buffers_;
};

class ProbeForm : public core::Form {
public:
    using core::Form::Form;
    std::string name() const override { return "zelprova"; }
    std::string title() const override { return "Prova"; }
    void finish() { close(); }
};

QString qs(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

class QtPlatformTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(ui::installItalianTranslations(*QCoreApplication::instance())); }
    void downloadReturnsTheBodyEveryTimeFromTheNetwork();
    void downloadFailsOnErrorStatusesAndOtherAddresses();
    void downloadGivesUpAfterTheTimeout();
    void downloadRefusesAnOversizedBody();
    void openDocumentReportsMissingFilesAndFolders();
    void startProgramPassesArgumentsWithoutAShell();
    void startProgramErrorNumbers();
    void questionsAnswerYesOrNoInItalian();
    void messagesShowTheirTextAsPlainText();
    void busyPointerNests();
    void bringToFrontFindsVisibleWindowsByExactTitle();
    void aStartedProgramIsOpenWhileItRuns();
    void closeFrontWindowEndsTheProgramFoundPolitely();
    void closeFrontWindowClosesOnlyWhatWasFound();
    void showModalWithoutAViewReturnsAtOnce();
    void showModalWaitsForTheFormAndShowsTheViewAgain();
    void quitEndsAModalWait();
};

void QtPlatformTest::downloadReturnsTheBodyEveryTimeFromTheNetwork() {
    LocalHttpServer server;
    ui::QtPlatform platform;
    const auto first = platform.download(server.address("/ok"), 5000);
    QVERIFY(first);
    QCOMPARE(*first, std::string("20260315\r\n3 **/**/**** ZF Buongiorno\r\n"));
    QVERIFY(server.lastRequest.toLower().contains("cache-control: no-cache"));
    QVERIFY(platform.download(server.address("/ok"), 5000));
    QCOMPARE(server.requests, 2);

    const auto redirected = platform.download(server.address("/moved"), 5000);
    QVERIFY(redirected);
    QCOMPARE(*redirected, *first);
}

void QtPlatformTest::downloadFailsOnErrorStatusesAndOtherAddresses() {
    LocalHttpServer server;
    ui::QtPlatform platform;
    QVERIFY(!platform.download(server.address("/missing"), 5000));
    QCOMPARE(server.requests, 1);
    QVERIFY(!platform.download("file:///etc/hostname", 5000));
    QVERIFY(!platform.download("non è un indirizzo", 5000));
    QVERIFY(!platform.download("", 5000));

    quint16 closedPort = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        closedPort = probe.serverPort();
    }
    QVERIFY(!platform.download("http://127.0.0.1:" + std::to_string(closedPort) + "/ok", 5000));
}

void QtPlatformTest::downloadGivesUpAfterTheTimeout() {
    LocalHttpServer server;
    ui::QtPlatform platform;
    QVERIFY(!platform.download(server.address("/silent"), 300));
    QCOMPARE(server.requests, 1);
    // The aborted request leaves the platform usable.
    QVERIFY(platform.download(server.address("/ok"), 5000));
}

void QtPlatformTest::downloadRefusesAnOversizedBody() {
    LocalHttpServer server;
    ui::QtPlatform platform;
    QVERIFY(!platform.download(server.address("/huge"), 20000));
}

void QtPlatformTest::openDocumentReportsMissingFilesAndFolders() {
    kalvora::testing::TempDrive drive;
    ui::QtPlatform platform;
    QCOMPARE(platform.openDocument(drive.path("kalvora1.pdf")), 2);
    QCOMPARE(platform.openDocument(drive.path("manca/kalvora1.pdf")), 3);
    QCOMPARE(platform.openDocument(drive.path("manca/ancora/kalvora1.pdf")), 3);
}

void QtPlatformTest::startProgramPassesArgumentsWithoutAShell() {
    kalvora::testing::TempDrive drive;
    const std::string script = drive.path("kalprova");
    const std::string out = drive.path("argomenti.txt");
    drive.write("kalprova", "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + out + ".tmp\" && mv \"" + out + ".tmp\" \"" + out + "\"\n");
    QFile::setPermissions(qs(script), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    ui::QtPlatform platform;
    const std::vector<std::string> args = {"C:\\kalwin\\kalwin\\", "a b", "$(touch gia_fatto)", ";", "Città"};
    QCOMPARE(platform.startProgram(script, args, ""), 0);
    QTRY_VERIFY_WITH_TIMEOUT(drive.exists("argomenti.txt"), 10000);
    QCOMPARE(drive.read("argomenti.txt"), std::string("C:\\kalwin\\kalwin\\\na b\n$(touch gia_fatto)\n;\nCittà\n"));
    QVERIFY(!drive.exists("gia_fatto"));
}

void QtPlatformTest::startProgramErrorNumbers() {
    kalvora::testing::TempDrive drive;
    drive.write("kaltesto", "solo testo\n");
    QFile::setPermissions(qs(drive.path("kaltesto")), QFile::ReadOwner | QFile::WriteOwner);
    ui::QtPlatform platform;
    QCOMPARE(platform.startProgram(drive.path("kalmanca"), {}, ""), 2);
    QCOMPARE(platform.startProgram("kalvora-programma-inesistente", {}, ""), 2);
    QCOMPARE(platform.startProgram("", {}, ""), 2);
    QCOMPARE(platform.startProgram(drive.path("kaltesto"), {}, ""), 13);
    QCOMPARE(platform.startProgram(drive.root(), {}, ""), 13);
}

void QtPlatformTest::questionsAnswerYesOrNoInItalian() {
    ui::QtPlatform platform;
    for (const bool yes : {true, false}) {
        kalvora::testing::UserScript user;
        QString buttons;
        user.then("the question", [] { return messageBoxOnTop() != nullptr; }, [&] {
            QMessageBox* box = messageBoxOnTop();
            QCOMPARE(box->windowTitle(), QStringLiteral("Copie di backup"));
            QCOMPARE(box->text(), QStringLiteral("Procedere?"));
            QCOMPARE(box->icon(), QMessageBox::Question);
            for (QAbstractButton* b : box->buttons()) buttons += b->text().remove('&') + '|';
            box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        user.start(10000, [] { if (QMessageBox* box = messageBoxOnTop()) box->reject(); });
        QCOMPARE(platform.askYesNo("Procedere?", "Copie di backup"), yes);
        QVERIFY(user.done());
        QVERIFY2(buttons.contains("Sì|") && buttons.contains("No|"), qPrintable(buttons));
    }
}

void QtPlatformTest::messagesShowTheirTextAsPlainText() {
    ui::QtPlatform platform;
    kalvora::testing::UserScript user;
    user.then("the message", [] { return messageBoxOnTop() != nullptr; }, [&] {
        QMessageBox* box = messageBoxOnTop();
        QCOMPARE(box->windowTitle(), QStringLiteral("Attenzione"));
        QCOMPARE(box->icon(), QMessageBox::Critical);
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QCOMPARE(box->text(), QStringLiteral("<b>Città</b> non trovata"));
        QCOMPARE(box->buttons().size(), 1);
        box->buttons().front()->click();
    });
    user.start(10000, [] { if (QMessageBox* box = messageBoxOnTop()) box->reject(); });
    platform.message("<b>Città</b> non trovata", "Attenzione", core::Icon::Critical);
    QVERIFY(user.done());
}

void QtPlatformTest::busyPointerNests() {
    ui::QtPlatform platform;
    QVERIFY(!QGuiApplication::overrideCursor());
    platform.setBusy(true);
    platform.setBusy(true);
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    platform.setBusy(false);
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    platform.setBusy(false);
    QVERIFY(!QGuiApplication::overrideCursor());
    // An unmatched end must not take away a pointer somebody else set.
    QGuiApplication::setOverrideCursor(Qt::CrossCursor);
    platform.setBusy(false);
    QVERIFY(QGuiApplication::overrideCursor());
    QGuiApplication::restoreOverrideCursor();
}

void QtPlatformTest::bringToFrontFindsVisibleWindowsByExactTitle() {
    ui::QtPlatform platform;
    QWidget shown;
    shown.setWindowTitle(QStringLiteral("Anagrafica clienti"));
    shown.show();
    QWidget hidden;
    hidden.setWindowTitle(QStringLiteral("Fatturazione"));
    QVERIFY(platform.bringToFront("Anagrafica clienti"));
    QVERIFY(!platform.bringToFront("Anagrafica"));
    QVERIFY(!platform.bringToFront("Fatturazione"));
    // The close request goes to what the last search found, as at the shutdown.
    QVERIFY(platform.bringToFront("Anagrafica clienti"));
    QVERIFY(QTest::qWaitForWindowActive(&shown));
    platform.closeFrontWindow();
    QVERIFY(!shown.isVisible());
}

// Where other programs' windows cannot be seen, the programs started with a title stand for
// them: open while they run, ended with a polite termination.
void QtPlatformTest::aStartedProgramIsOpenWhileItRuns() {
    kalvora::testing::TempDrive drive;
    drive.write("kalattesa", "#!/bin/sh\nwhile [ ! -e \"$1\" ]; do sleep 0.05; done\n");
    QFile::setPermissions(qs(drive.path("kalattesa")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ui::QtPlatform platform;
    QVERIFY(!platform.bringToFront("Modulo in attesa"));
    QCOMPARE(platform.startProgram(drive.path("kalattesa"), {drive.path("basta")}, "Modulo in attesa"), 0);
    QVERIFY(platform.bringToFront("Modulo in attesa"));
    QVERIFY(platform.bringToFront("Modulo in attesa"));
    QVERIFY(!platform.bringToFront("Modulo"));
    QVERIFY(!platform.bringToFront("modulo in attesa"));

    drive.write("basta", "");
    QTRY_VERIFY_WITH_TIMEOUT(!platform.bringToFront("Modulo in attesa"), 10000);
    // Nothing found, nothing to close.
    platform.closeFrontWindow();
}

void QtPlatformTest::closeFrontWindowEndsTheProgramFoundPolitely() {
    kalvora::testing::TempDrive drive;
    // It says when its trap is set: a shell killed before that would die without a word.
    drive.write("kalcortese", "#!/bin/sh\ntrap 'echo chiuso > \"$1\"; exit 0' TERM\n: > \"$1.pronto\"\n"
                              "while :; do sleep 0.05; done\n");
    QFile::setPermissions(qs(drive.path("kalcortese")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ui::QtPlatform platform;
    QCOMPARE(platform.startProgram(drive.path("kalcortese"), {drive.path("esito")}, "Modulo cortese"), 0);
    QTRY_VERIFY_WITH_TIMEOUT(drive.exists("esito.pronto"), 10000);
    QVERIFY(platform.bringToFront("Modulo cortese"));
    platform.closeFrontWindow();
    QTRY_VERIFY_WITH_TIMEOUT(drive.exists("esito"), 10000);
    QCOMPARE(drive.read("esito"), std::string("chiuso\n"));
    QTRY_VERIFY_WITH_TIMEOUT(!platform.bringToFront("Modulo cortese"), 10000);
}

void QtPlatformTest::closeFrontWindowClosesOnlyWhatWasFound() {
    kalvora::testing::TempDrive drive;
    drive.write("kalattesa", "#!/bin/sh\nwhile [ ! -e \"$1\" ]; do sleep 0.05; done\n");
    QFile::setPermissions(qs(drive.path("kalattesa")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ui::QtPlatform platform;
    QCOMPARE(platform.startProgram(drive.path("kalattesa"), {drive.path("basta")}, "Modulo in attesa"), 0);
    QWidget first;
    first.setWindowTitle(QStringLiteral("Anagrafica clienti"));
    first.show();
    QVERIFY(QTest::qWaitForWindowActive(&first));

    // A search that found nothing leaves the active window and the program alone.
    QVERIFY(!platform.bringToFront("Anagrafica fornitori"));
    platform.closeFrontWindow();
    QVERIFY(first.isVisible());
    QVERIFY(platform.bringToFront("Modulo in attesa"));

    // What was found is closed once; a later close request finds nothing left to close.
    QVERIFY(platform.bringToFront("Anagrafica clienti"));
    platform.closeFrontWindow();
    QVERIFY(!first.isVisible());
    QWidget second;
    second.setWindowTitle(QStringLiteral("Anagrafica clienti"));
    second.show();
    QVERIFY(QTest::qWaitForWindowActive(&second));
    platform.closeFrontWindow();
    QVERIFY(second.isVisible());
    QVERIFY(platform.bringToFront("Modulo in attesa"));
    drive.write("basta", "");
    QTRY_VERIFY_WITH_TIMEOUT(!platform.bringToFront("Modulo in attesa"), 10000);
}

void QtPlatformTest::showModalWithoutAViewReturnsAtOnce() {
    kalvora::testing::TestSession test;
    ui::QtPlatform platform;
    ProbeForm form(test.session);
    QVERIFY(!platform.hasView("zelprova"));
    platform.showModal(form);
    QVERIFY(!form.closed());
}

void QtPlatformTest::showModalWaitsForTheFormAndShowsTheViewAgain() {
    kalvora::testing::TestSession test;
    ui::QtPlatform platform;
    int views = 0;
    platform.registerView("zelprova", [&views](core::Form&, QWidget* parent) -> QWidget* {
        ++views;
        auto* dialog = new QDialog(parent);
        dialog->setObjectName(QStringLiteral("zelprova"));
        return dialog;
    });
    ProbeForm form(test.session);
    QPointer<QWidget> seen;
    kalvora::testing::UserScript user;
    user.then("the window", [] { return modalNamed("zelprova") != nullptr; }, [&] {
        seen = modalNamed("zelprova");
        QVERIFY(seen->isModal());
        seen->hide();  // hidden while its form is still open
    });
    user.then("the same window again", [] { return modalNamed("zelprova") != nullptr; }, [&] {
        QCOMPARE(modalNamed("zelprova"), seen.data());
        form.finish();
        seen->hide();
    });
    user.start(10000, [&] { form.finish(); if (seen) seen->hide(); });
    platform.showModal(form);
    QVERIFY(user.done());
    QVERIFY(form.closed());
    QCOMPARE(views, 1);
    QVERIFY(!seen);  // the view went with its form
}

void QtPlatformTest::quitEndsAModalWait() {
    kalvora::testing::TestSession test;
    ui::QtPlatform platform;
    platform.registerView("zelprova", [](core::Form&, QWidget* parent) -> QWidget* {
        auto* dialog = new QDialog(parent);
        dialog->setObjectName(QStringLiteral("zelprova"));
        return dialog;
    });
    ProbeForm form(test.session);
    kalvora::testing::UserScript user;
    user.then("the window", [] { return modalNamed("zelprova") != nullptr; }, [&] { platform.quit(); });
    user.start(10000, [&] { form.finish(); });
    platform.showModal(form);
    QVERIFY(user.done());
    QVERIFY(platform.quitRequested());
    QVERIFY(!form.closed());
    ProbeForm another(test.session);
    platform.showModal(another);  // nothing opens once the program is ending
    QVERIFY(QApplication::topLevelWidgets().size() == 0 || !modalNamed("zelprova"));
    // Let the application loop run once, as the program's own would, so later loops work.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

QTEST_MAIN(QtPlatformTest)
#include "qt_platform_test.moc"
