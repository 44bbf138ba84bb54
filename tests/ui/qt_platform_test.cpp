// QtPlatform and its print surface against real Qt: downloads from a local HTTP server,
// documents and programs on a temporary folder, window lookup and modal windows; a grid printed
// to PDF and read back with the PDF tools (poppler-utils, which scripts/setup-deps installs),
// pictures that do not load, and the dialogs' conversions.
#include "core/form.h"
#include "printing/grid_print.h"
#include "printing/settings_check.h"
#include "support/fake_platform.h"
#include "support/temp_drive.h"
#include "support/test_session.h"
#include "ui/platform/print_dialogs.h"
#include "ui/platform/print_surface.h"
#include "ui/qt_platform.h"
#include "ui/qt_text.h"
#include "user_script.h"

#include <QDate>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

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

constexpr double ptPerMm = 72 / 25.4;

// What one of the PDF tools prints; nullopt, which fails the test, when it is missing or fails.
std::optional<QString> runTool(const char* tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(QLatin1String(tool));
    if (program.isEmpty()) return std::nullopt;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class QtPlatformTest : public QObject {
    Q_OBJECT

private slots:
    void downloadsComeFromTheNetworkAndFailOnAnythingElse() {
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

    void programsAndDocuments() {
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

    void bringToFrontFindsVisibleWindowsByExactTitle() {
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
        QVERIFY(!platform.bringToFront("Anagrafica") && !platform.bringToFront("Fatturazione"));
        // The close request goes to what the last search found, as at the shutdown.
        QVERIFY(platform.bringToFront("Anagrafica clienti"));
        QVERIFY(QTest::qWaitForWindowActive(&shown));
        platform.closeFrontWindow();
        QVERIFY(!shown.isVisible());
    }

    // Where other programs' windows cannot be seen, the programs started with a title stand for
    // them: open while they run, ended with a polite termination.
    void aStartedProgramIsOpenWhileItRunsAndEndsPolitely() {
        kalvora::testing::TempDrive drive;
        // It says when its trap is set: a shell killed before that would die without a word.
        drive.write("kalcortese", "#!/bin/sh\ntrap 'echo chiuso > \"$1\"; exit 0' TERM\n: > \"$1.pronto\"\n"
                                  "while :; do sleep 0.05; done\n");
        QFile::setPermissions(qs(drive.path("kalcortese")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        ui::QtPlatform platform;
        QCOMPARE(platform.startProgram(drive.path("kalcortese"), {drive.path("esito")}, "Modulo cortese"), 0);
        QTRY_VERIFY_WITH_TIMEOUT(drive.exists("esito.pronto"), 10000);
        QVERIFY(!platform.bringToFront("Modulo") && !platform.bringToFront("modulo cortese"));
        QVERIFY(platform.bringToFront("Modulo cortese"));
        platform.closeFrontWindow();
        QTRY_VERIFY_WITH_TIMEOUT(drive.exists("esito"), 10000);
        QCOMPARE(drive.read("esito"), std::string("chiuso\n"));
        QTRY_VERIFY_WITH_TIMEOUT(!platform.bringToFront("Modulo cortese"), 10000);
    }

    // A view hidden while its form is open comes back, and goes with the form; quit ends the wait,
    // and nothing opens after it.
    void showModalWaitsForTheFormAndQuitEndsTheWait() {
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
        QVERIFY(user.done() && form.closed() && !seen);  // the view went with its form
        QCOMPARE(views, 1);

        kalvora::testing::UserScript quitter;
        quitter.then("the window", [] { return modalNamed("zelprova") != nullptr; }, [&] { platform.quit(); });
        quitter.start(10000, [&] { quitted.finish(); });
        platform.showModal(quitted);
        QVERIFY(quitter.done() && platform.quitRequested() && !quitted.closed());
        platform.showModal(another);  // nothing opens once the program is ending
        QCOMPARE(views, 2);
        // Let the application loop run once, as the program's own would, so later loops work.
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }

    void aGridPrintedToPdfKeepsItsPlaces() {
        QTemporaryDir dir;
        // A black square of 96 screen pixels: one inch on paper at its natural size.
        const QString square = dir.filePath(QStringLiteral("quadrato.png"));
        QImage black(96, 96, QImage::Format_RGB32);
        black.fill(Qt::black);
        QVERIFY(dir.isValid() && black.save(square));

        // The grid as the designer keeps it, drawn by the test print's passes.
        printing::FormGrid grid;
        grid.count = 3;
        grid.elements[1] = {"Spett.", "Arial", 3, 2, 46, 0, 0, 0, 6, 0, 0};
        grid.elements[2] = {"", "", 1, 10, 60, 200, 60, 0, 0, 0, 0};
        grid.elements[3] = {square.toStdString(), "", 4, 100, 100, 40, 20, 0, 0, 0, 0};
        kalvora::testing::TestSession session;
        core::RecordingPrintJob recorded;
        QVERIFY(printing::printGrid(recorded, grid, printing::GridOrder::TestPrint, session.files,
                                    session.session.installation()).empty());
        const std::vector<core::PrintOp> ops = recorded.ops();
        const QString pdf = dir.filePath(QStringLiteral("griglia.pdf"));
        std::vector<std::string> unloaded{"stale"};
        QCOMPARE(ui::writePdf(pdf.toStdString(), "Prova stampa", ops, &unloaded), 0);
        QVERIFY(unloaded.empty());

        const QString info = runTool("pdfinfo", {pdf}).value_or(QString());  // A4, one page
        const auto size = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
        QVERIFY2(size.hasMatch() && info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\n"))),
                 "pdfinfo (poppler-utils) is missing or failed");
        QVERIFY(qAbs(size.captured(1).toDouble() - 595) <= 1 && qAbs(size.captured(2).toDouble() - 842) <= 1);

        const QString words = runTool("pdftotext", {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}).value_or(QString());
        const auto word = QRegularExpression(QStringLiteral(
            "xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"[\\d.]+\">Spett\\.</word>")).match(words);
        QVERIFY2(word.hasMatch(), qPrintable("pdftotext (poppler-utils) is missing or failed: " + words));
        const double xMin = word.captured(1).toDouble() / ptPerMm, yMin = word.captured(2).toDouble() / ptPerMm;
        QVERIFY2(qAbs(xMin - 2) <= 0.5 && qAbs(yMin - 46) <= 0.5, qPrintable(QStringLiteral("%1 %2").arg(xMin).arg(yMin)));
        // What the job measures is what lands on paper.
        kalvora::testing::FakePlatform platform;
        ui::QtPrintJob job(platform, "Prova stampa", {}, dir.path().toStdString());
        const double width = word.captured(3).toDouble() / ptPerMm - xMin;
        QVERIFY2(qAbs(job.textWidth("Spett.", ops.at(2).font) - width) <= 0.3, qPrintable(QString::number(width)));

        // The page drawn at 10 pixels a millimetre: the line across y 60, the picture 25.4 mm wide.
        QVERIFY2(runTool("pdftoppm", {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-gray"), pdf,
                                      dir.filePath(QStringLiteral("pagina"))}),
                 "pdftoppm (poppler-utils) is missing or failed");
        const QStringList pages = QDir(dir.path()).entryList({QStringLiteral("pagina*.pgm")});
        QCOMPARE(pages.size(), 1);
        const QImage page(dir.filePath(pages.front()));
        const auto dark = [&](double xMm, double yMm) { return qGray(page.pixel(int(xMm * 10), int(yMm * 10))) < 128; };
        QVERIFY(dark(15, 60) && !dark(100, 61) && dark(125, 125) && !dark(127, 112));
    }

    void picturesThatDoNotLoadAreSkippedAndSaidOnce() {
        QTemporaryDir dir;
        const std::string missing = dir.filePath(QStringLiteral("logo.bmp")).toStdString();
        const std::string broken = dir.filePath(QStringLiteral("rotto.jpg")).toStdString();
        QFile file(QString::fromStdString(broken));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("non un'immagine") > 0 && file.flush());

        kalvora::testing::FakePlatform platform;
        ui::QtPrintJob job(platform, "Prova stampa", {}, dir.path().toStdString());
        QVERIFY(!job.picture(10, 10, missing) && !job.picture(10, 50, broken) && !job.picture(20, 20, missing));
        job.text(2, 46, "Spett.", core::PrintFont{}, 0);
        QCOMPARE(job.ops().size(), std::size_t(1));

        QString destination;
        kalvora::testing::UserScript user;
        user.then("the preview", [] { return modalNamed(QStringLiteral("anteprimaStampa")) != nullptr; }, [&] {
            QWidget* preview = modalNamed(QStringLiteral("anteprimaStampa"));
            QCOMPARE(preview->windowTitle(), QStringLiteral("Anteprima di stampa - Prova stampa"));
            destination = preview->findChild<QLabel*>(QStringLiteral("destinazione"))->text();
            for (QPushButton* button : preview->findChildren<QPushButton*>())
                if (button->text() == QLatin1String("Annulla")) button->click();
        });
        user.start(10000, [] {
            if (QWidget* preview = modalNamed(QStringLiteral("anteprimaStampa"))) preview->close();
        });
        QVERIFY(!job.end() && user.done());  // cancelled: nothing printed
        QCOMPARE(destination, QStringLiteral("Nessuna stampante installata: il documento sarà salvato in un file PDF."));

        QCOMPARE(platform.shown.size(), std::size_t(1));
        QCOMPARE(platform.shown[0].text, "Impossibile caricare l'immagine " + missing + ": non sarà stampata.\n" +
                                             "Impossibile caricare l'immagine " + broken + ": non sarà stampata.");
    }

    void dialogFiltersColoursAndRegionalTexts() {
        const std::pair<const char*, const char*> filters[] = {{"*.bmp; *.jpg", "Immagini (*.bmp *.BMP *.jpg *.JPG)"},
            {"*.JPG", "Immagini (*.jpg *.JPG)"}, {"*.txt;;", "File (*.txt *.TXT)"}, {"", "File (*)"}};
        for (const auto& [filter, expected] : filters) QCOMPARE(ui::nameFilter(filter), QString::fromUtf8(expected));

        QVERIFY(ui::toQColor(255) == QColor(255, 0, 0) && ui::toQColor(65280) == QColor(0, 255, 0));
        QCOMPARE(ui::toQColor(16711680), QColor(0, 0, 255));
        QCOMPARE(ui::fromQColor(QColor(1, 2, 3)), 1L + 256 * 2 + 65536 * 3);

        // Regional texts: the whole year even where the locale writes two digits; thousands grouped
        // even where the locale leaves them out by default.
        const QLocale italian(QLocale::Italian, QLocale::Italy), c = QLocale::c();
        QCOMPARE(ui::regionalDateText({2014, 12, 31}, italian), "31/12/2014");
        QCOMPARE(ui::regionalDateText({2014, 12, 31}, c),
                 ui::fromQt(c.toString(QDate(2014, 12, 31), QLocale::ShortFormat)));
        QCOMPARE(ui::regionalNumberText(1234.5, 2, italian), "1.234,50");
        QCOMPARE(ui::regionalNumberText(-1234567, 0, c), "-1,234,567");
        QCOMPARE(ui::regionalNumberText(0.125, 1, italian), "0,1");
    }

    // On the system's own font configuration: a family that is missing but printed with one of
    // the same metrics is printable, one with no such stand-in is not; so a new installation's
    // listing fonts pass the settings check.
    void fontsPrintedWithTheSameMetricsArePrintable() {
        ui::QtPlatform desktop;
        QVERIFY(desktop.canPrintFont("Arial") && desktop.canPrintFont(" liberation sans "));
        QVERIFY(!desktop.canPrintFont("Font Inesistente") && !desktop.canPrintFont(""));
        QVERIFY(dynamic_cast<ui::QtPrintJob*>(desktop.startPrintJob("Elenco").get()));  // painted by Qt

        kalvora::testing::TestSession t;
        t.drive.makeInstallation(0);
        core::Session session(t.drive.installation(), desktop, t.clock, t.files);
        printing::SettingsCheckForm check(session);
        check.run();
        QVERIFY(!check.list().empty());
        for (const std::string& line : check.list()) QVERIFY2(line.rfind("Il font", 0) != 0, line.c_str());
    }

    // The PDF proposed in the programs' pdf folder, or next to them while there is none.
    void thePreviewSavesAPdfWhereTheUserSays() {
        QTemporaryDir home;
        const std::string root = home.path().toStdString();
        QCOMPARE(ui::proposedPdfPath(root, "Elenco 1/2"), root + "/Elenco 1_2.pdf");
        QVERIFY(QDir(home.path()).mkpath(QStringLiteral("kalwin/PDF")));
        kalvora::testing::FakePlatform platform;
        ui::QtPrintJob job(platform, "Elenco clienti", {}, root);
        job.text(2, 46, "Spett.", core::PrintFont{}, 0);
        const QString chosen = home.filePath(QStringLiteral("altrove"));  // the suffix is added

        QString proposed;
        kalvora::testing::UserScript user;
        user.then("the preview", [] { return modalNamed(QStringLiteral("anteprimaStampa")) != nullptr; }, [] {
            for (QPushButton* button : modalNamed(QStringLiteral("anteprimaStampa"))->findChildren<QPushButton*>())
                if (button->text() == QLatin1String("Salva in PDF..."))
                    kalvora::testing::later([button] { button->click(); });
        });
        user.then("the file dialog", [] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); }, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            proposed = dialog->selectedFiles().value(0);
            dialog->selectFile(chosen);
            static_cast<QDialog*>(dialog)->accept();  // as its Save button does
        });
        user.start(10000, [] {
            while (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        });
        QVERIFY(job.end() && user.done());
        QCOMPARE(proposed, home.filePath(QStringLiteral("kalwin/PDF/Elenco clienti.pdf")));
        QFile pdf(chosen + QStringLiteral(".pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-");
        QCOMPARE(platform.shown.size(), std::size_t(1));
        QCOMPARE(platform.shown[0].text, "Il documento è stato salvato nel file " + pdf.fileName().toStdString() + ".");
    }
};

QTEST_MAIN(QtPlatformTest)
#include "qt_platform_test.moc"
