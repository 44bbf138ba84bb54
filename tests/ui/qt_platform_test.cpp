// QtPlatform against real Qt: downloads from a local HTTP server, documents and programs on a
// temporary folder, window lookup and modal windows.
#include "core/form.h"
#include "support/temp_drive.h"
#include "support/test_session.h"
#include "ui/qt_platform.h"
#include "user_script.h"

#include <QDialog>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <memory>

using namespace kalvora;
using kalvora::testing::modalNamed;

namespace {

// Answers GET requests by path: a notice, a redirect, a huge body, silence, or 404.
class LocalHttpServer : public QTcpServer {
public:
    LocalHttpServer() {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        });
    }
    std::string address(const char* path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(QLatin1String(path)).toStdString();
    }
    int requests = 0;
    QByteArray lastRequest;

private:
    void serve(QTcpSocket* socket) {
        if (!socket->peek(1 << 16).contains("\r\n\r\n")) return;
        lastRequest = socket->readAll();
        ++requests;
        const QByteArray path = lastRequest.split(' ').value(1);
        QByteArray status = "404 Not Found", body = "assente", extra;
        if (path == "/silent") return;
        if (path == "/ok") status = "200 OK", body = "20260315\r\n3 **/**/**** ZF Buongiorno\r\n";
        if (path == "/moved") status = "302 Found", body = "", extra = "Location: /ok\r\n";
        if (path == "/huge") status = "200 OK", body = QByteArray(int(ui::QtPlatform::downloadLimit) + 4096, 'x');
        socket->write("HTTP/1.1 " + status + "\r\nContent-Length: " + QByteArray::number(body.size()) +
                      "\r\nConnection: close\r\n" + extra + "\r\n" + body);
        socket->disconnectFromHost();
    }
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
    void downloadsComeFromTheNetworkAndFailOnAnythingElse();
    void programsAndDocuments();
    void bringToFrontFindsVisibleWindowsByExactTitle();
    void aStartedProgramIsOpenWhileItRunsAndEndsPolitely();
    void showModalWaitsForTheFormAndQuitEndsTheWait();
};

void QtPlatformTest::downloadsComeFromTheNetworkAndFailOnAnythingElse() {
    LocalHttpServer server;
    ui::QtPlatform platform;
    const auto first = platform.download(server.address("/ok"), 5000);
    QVERIFY(first);
    QCOMPARE(*first, std::string("20260315\r\n3 **/**/**** ZF Buongiorno\r\n"));
    QVERIFY(server.lastRequest.toLower().contains("cache-control: no-cache"));
    QCOMPARE(platform.download(server.address("/moved"), 5000), first);
    QCOMPARE(server.requests, 3);

    for (const std::string& address : {server.address("/missing"), server.address("/huge"),
                                       std::string("file:///etc/hostname"), std::string("non è un indirizzo"),
                                       std::string(), std::string("http://127.0.0.1:1/ok")})
        QVERIFY2(!platform.download(address, 20000), address.c_str());
    QVERIFY(!platform.download(server.address("/silent"), 300));  // gives up after the time out
    QVERIFY(platform.download(server.address("/ok"), 5000));
}

void QtPlatformTest::programsAndDocuments() {
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

    // Error numbers: 2 nothing there, 13 not a program.
    drive.write("kaltesto", "solo testo\n");
    for (const std::string& missing : {drive.path("kalmanca"), std::string("kalvora-inesistente"), std::string()})
        QCOMPARE(platform.startProgram(missing, {}, ""), 2);
    QCOMPARE(platform.startProgram(drive.path("kaltesto"), {}, ""), 13);
    QCOMPARE(platform.startProgram(drive.root(), {}, ""), 13);
    // Document results as the help documents tell them apart: 2 no file, 3 no folder.
    QCOMPARE(platform.openDocument(drive.path("kalvora1.pdf")), 2);
    QCOMPARE(platform.openDocument(drive.path("manca/kalvora1.pdf")), 3);
}

void QtPlatformTest::bringToFrontFindsVisibleWindowsByExactTitle() {
    ui::QtPlatform platform;
    QWidget shown;
    shown.setWindowTitle(QStringLiteral("Anagrafica clienti"));
    shown.show();
    QWidget hidden;
    hidden.setWindowTitle(QStringLiteral("Fatturazione"));
    QWidget untitled;
    untitled.show();
    QVERIFY(!platform.bringToFront(""));  // no title is no window
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
void QtPlatformTest::aStartedProgramIsOpenWhileItRunsAndEndsPolitely() {
    kalvora::testing::TempDrive drive;
    // It says when its trap is set: a shell killed before that would die without a word.
    drive.write("kalcortese", "#!/bin/sh\ntrap 'echo chiuso > \"$1\"; exit 0' TERM\n: > \"$1.pronto\"\n"
                              "while :; do sleep 0.05; done\n");
    QFile::setPermissions(qs(drive.path("kalcortese")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ui::QtPlatform platform;
    QCOMPARE(platform.startProgram(drive.path("kalcortese"), {drive.path("esito")}, "Modulo cortese"), 0);
    QTRY_VERIFY_WITH_TIMEOUT(drive.exists("esito.pronto"), 10000);
    QVERIFY(!platform.bringToFront("Modulo"));
    QVERIFY(!platform.bringToFront("modulo cortese"));
    QVERIFY(platform.bringToFront("Modulo cortese"));
    platform.closeFrontWindow();
    QTRY_VERIFY_WITH_TIMEOUT(drive.exists("esito"), 10000);
    QCOMPARE(drive.read("esito"), std::string("chiuso\n"));
    QTRY_VERIFY_WITH_TIMEOUT(!platform.bringToFront("Modulo cortese"), 10000);
}

// A view hidden while its form is open comes back, and goes with the form; quit ends the wait,
// and nothing opens after it.
void QtPlatformTest::showModalWaitsForTheFormAndQuitEndsTheWait() {
    kalvora::testing::TestSession test;
    ui::QtPlatform platform;
    int views = 0;
    platform.registerView<ProbeForm>([&views](ProbeForm&, QWidget* parent) -> QWidget* {
        ++views;
        auto* dialog = new QDialog(parent);
        dialog->setObjectName(QStringLiteral("zelprova"));
        return dialog;
    });
    ProbeForm form(test.session), quitted(test.session), another(test.session);
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

    kalvora::testing::UserScript quitter;
    quitter.then("the window", [] { return modalNamed("zelprova") != nullptr; }, [&] { platform.quit(); });
    quitter.start(10000, [&] { quitted.finish(); });
    platform.showModal(quitted);
    QVERIFY(quitter.done());
    QVERIFY(platform.quitRequested());
    QVERIFY(!quitted.closed());
    platform.showModal(another);  // nothing opens once the program is ending
    QCOMPARE(views, 2);
    // Let the application loop run once, as the program's own would, so later loops work.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

QTEST_MAIN(QtPlatformTest)
#include "qt_platform_test.moc"
