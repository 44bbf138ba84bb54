// The wiring of the field placement window zellay: a click on a coordinate lays dato over the
// cell and typing reaches the form, the colour cell opens the colour dialog, command3d5_2 opens
// the designer, bottone_1 saves and closes; and a sample printed with the Qt job into a PDF puts
// a field where its position says.
#include "controls.h"
#include "printing/field_placement.h"
#include "printing/layout_designer.h"
#include "support/fake_platform.h"
#include "support/test_session.h"
#include "ui/platform/print_surface.h"
#include "ui/printing/field_placement_view.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace kalvora;
using kalvora::testing::child;
using printing::PlacementColumn;

class FieldPlacementViewTest : public QObject {
    Q_OBJECT

private slots:
    void cellsEntryAndSave();
    void sampleLandsOnThePdfWhereThePositionSays();
};

namespace {

const std::string folder = "kalwin/kalwin/kalaz0.000/";

void clickCell(QTableWidget* elenco, int row, PlacementColumn column) {
    const QRect cell = elenco->visualRect(elenco->model()->index(row - 1, int(column)));
    QTest::mouseClick(elenco->viewport(), Qt::LeftButton, {}, cell.center());
}

}  // namespace

void FieldPlacementViewTest::cellsEntryAndSave() {
    kalvora::testing::TestSession test;
    test.drive.makeInstallation(0);
    printing::FieldPlacementForm form(test.session, 5);
    form.open();
    ui::FieldPlacementView view(form);
    view.show();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    QCOMPARE(view.windowTitle(), QStringLiteral("Impostazione modulo documento di trasporto"));
    auto* elenco = child<QTableWidget>(view, "elenco");
    QCOMPARE(elenco->item(32, 0)->text(), QStringLiteral("Numero documento"));

    auto* dato = child<QLineEdit>(view, "dato");
    QVERIFY(!dato->isVisible());
    clickCell(elenco, 33, PlacementColumn::Y);
    QVERIFY(dato->isVisible() && dato->hasFocus() && dato->text() == QStringLiteral("000"));
    QCOMPARE(dato->geometry(), elenco->visualRect(elenco->model()->index(32, 2)));
    QTest::keyClicks(dato, "95x");  // the letter is refused
    QCOMPARE(dato->text(), QStringLiteral("95"));
    QCOMPARE(elenco->item(32, 2)->text(), QStringLiteral("095"));
    QTest::keyClick(dato, Qt::Key_Return);
    QVERIFY(!dato->isVisible());
    kalvora::testing::toggleAsAssistant(child<QCheckBox>(view, "bianca"));
    QVERIFY(!form.bianca());

    test.platform.colourAnswers = {0xFF};  // red
    clickCell(elenco, 2, PlacementColumn::Colour);
    QCOMPARE(test.platform.dialogTitles, std::vector<std::string>{"Seleziona il colore"});
    QCOMPARE(elenco->item(1, 4)->background().color(), QColor(Qt::red));

    test.platform.modalHandlers["zellyy"] = [](core::Form& designer) {
        dynamic_cast<printing::LayoutDesignerForm&>(designer).button(1);
    };
    QTest::mouseClick(child<QPushButton>(view, "command3d5_2"), Qt::LeftButton);
    QCOMPARE(test.platform.modalsOpened, std::vector<std::string>{"zellyy"});

    QTest::keyClicks(child<QLineEdit>(view, "Text2_0"), "Documento");
    QTest::keyClicks(child<QPlainTextEdit>(view, "Text2_1"), "Riga 1");
    QTest::keyClick(child<QPlainTextEdit>(view, "Text2_1"), Qt::Key_Return);
    QTest::keyClicks(child<QPlainTextEdit>(view, "Text2_1"), "Riga 2");
    QTest::mouseClick(child<QPushButton>(view, "bottone_1"), Qt::LeftButton);
    QVERIFY(form.closed() && !view.isVisible());
    QCOMPARE(test.drive.read(folder + "kalvora.lxb"), std::string("Documento\r\nRiga 1\r\nRiga 2\r\n"));
    QVERIFY(test.drive.read(folder + "kalvora.lyb").starts_with("000000\r\n9\r\n"));
}

namespace {

// The Qt job, its document written straight to a PDF file where the preview would open.
class PdfJob : public ui::QtPrintJob {
public:
    PdfJob(core::Platform& platform, const std::string& title, QString file)
        : QtPrintJob(platform, title, {}, "/tmp"), file_(std::move(file)) {}

protected:
    bool deliver(const std::vector<core::PrintOp>& ops) override {
        return ui::writePdf(file_.toStdString(), title(), ops) == 0;
    }

private:
    QString file_;
};

class PdfPlatform : public kalvora::testing::FakePlatform {
public:
    std::unique_ptr<core::PrintJob> startPrintJob(const std::string& title) override {
        return std::make_unique<PdfJob>(*this, title, file);
    }
    QString file;
};

// Where pdftotext finds `text` on the page, in millimetres from the top-left corner.
QPointF wordAt(const QString& words, const QString& text) {
    const auto word = QRegularExpression(
                          QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" "
                                         "yMax=\"[\\d.]+\">%1</word>")
                              .arg(QRegularExpression::escape(text)))
                          .match(words);
    if (!word.hasMatch()) return {-1, -1};
    constexpr double ptPerMm = 72 / 25.4;
    return {word.captured(1).toDouble() / ptPerMm, word.captured(2).toDouble() / ptPerMm};
}

}  // namespace

// Stampa esempio from the window on a new company: the default grid goes first, then the
// document number typed at X 5, Y 95.
void FieldPlacementViewTest::sampleLandsOnThePdfWhereThePositionSays() {
    QTemporaryDir dir;
    kalvora::testing::TestSession test;
    test.drive.makeInstallation(0);
    PdfPlatform platform;
    platform.file = dir.filePath(QStringLiteral("esempio.pdf"));
    platform.answers = {true};
    core::Session session{test.drive.installation(), platform, test.clock, test.files};
    printing::FieldPlacementForm form(session, 5);
    form.open();
    QVERIFY(form.bianca());
    form.clickCell(33, PlacementColumn::X);
    form.editEntry("5");
    form.clickCell(33, PlacementColumn::Y);
    form.editEntry("95");
    form.leaveEntry();
    form.button(5);

    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    QVERIFY2(!tool.isEmpty(), "pdftotext (poppler-utils) is missing");
    QProcess process;
    process.start(tool, {QStringLiteral("-bbox"), platform.file, QStringLiteral("-")});
    QVERIFY(process.waitForFinished(30000) && process.exitCode() == 0);
    const QString words = QString::fromUtf8(process.readAllStandardOutput());
    for (const auto& [text, at] : {std::pair{QStringLiteral("Numero"), QPointF(5, 95)},
                                   std::pair{QStringLiteral("Spett."), QPointF(106, 46)}}) {
        const QPointF found = wordAt(words, text);
        QVERIFY2(qAbs(found.x() - at.x()) <= 1 && qAbs(found.y() - at.y()) <= 1,
                 qPrintable(text + QStringLiteral(" at %1 %2\n").arg(found.x()).arg(found.y()) + words));
    }
}

QTEST_MAIN(FieldPlacementViewTest)
#include "field_placement_view_test.moc"
