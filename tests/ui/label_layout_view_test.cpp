// The wiring of zelteti: the boxes reach the form and refuse what it refuses, the preview is
// drawn again, VScroll1 moves the rows, carattere opens the font dialog, bottone_1 saves.
#include "controls.h"
#include "printing/label_layout_form.h"
#include "support/test_session.h"
#include "ui/printing/label_layout_view.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

using namespace kalvora;
using kalvora::testing::child;
using Opened = kalvora::testing::Opened<printing::LabelLayoutForm, ui::LabelLayoutView>;

class LabelLayoutViewTest : public QObject {
    Q_OBJECT

private slots:
    void wiring();
    void closeBoxLeavesTheFileAlone();
};

void LabelLayoutViewTest::wiring() {
    Opened opened([](kalvora::testing::TestSession& t) { t.drive.makeInstallation(); }, 4);
    auto& [test, form, view] = opened;
    QCOMPARE(view.objectName(), QStringLiteral("zelteti"));
    QCOMPARE(view.windowTitle(), QStringLiteral("Impostazione marginatura etichetta"));
    QCOMPARE(child<QLineEdit>(view, "Text_8")->text(), QStringLiteral("Euro"));
    QCOMPARE(child<QLineEdit>(view, "Text_7")->accessibleName(), QStringLiteral("Numero etichette per colonna"));

    // Columns: "2" is taken and the sheet is drawn again; "-" is refused and the box shows "2".
    auto* columns = child<QLineEdit>(view, "Text_6");
    QWidget* preview = child<QWidget>(view, "anteprima");
    const QImage before = preview->grab().toImage();
    columns->selectAll();
    QTest::keyClicks(columns, "2-");
    QCOMPARE(columns->text(), QStringLiteral("2"));
    QCOMPARE(form.sheet().labelWidth, 105.0);
    QVERIFY(preview->grab().toImage() != before);

    QCOMPARE(child<QLabel>(view, "campo_3")->text(), QStringLiteral("Codice a barre (barre)"));
    QCOMPARE(child<QLineEdit>(view, "Text2_3")->text(), QStringLiteral("24"));
    child<QScrollBar>(view, "VScroll1")->setValue(14);
    QCOMPARE(child<QLabel>(view, "campo_7")->text(), QStringLiteral("Campo libero numero 5"));
    QCOMPARE(child<QLineEdit>(view, "text1_0")->accessibleName(),
             QStringLiteral("Spostamento orizzontale - Prezzo acquisto (imponibile)"));

    auto* font = child<QPushButton>(view, "carattere_0");
    QCOMPARE(font->text(), QStringLiteral("Arial (9)"));
    test.platform.fontAnswers = {{"Verdana", 11, false, true}};
    QTest::mouseClick(font, Qt::LeftButton);
    QCOMPARE(test.platform.dialogTitles.at(0), std::string("Seleziona il tipo di carattere"));
    QCOMPARE(font->text(), QStringLiteral("Verdana (11)"));
    test.platform.colourAnswers = {0xFF};
    QTest::mouseClick(child<QToolButton>(view, "colore_0"), Qt::LeftButton);
    QCOMPARE(child<QToolButton>(view, "colore_0")->accessibleDescription(), QStringLiteral("#ff0000"));
    QTest::keyClicks(child<QLineEdit>(view, "Text2_0"), "5");

    QTest::mouseClick(child<QToolButton>(view, "bottone_1"), Qt::LeftButton);
    QVERIFY(form.closed() && !view.isVisible());
    // Field 15 is lines 99..105, the columns line 197.
    const std::string saved = test.drive.read("kalwin/kalwin/kalvora.etb");
    QVERIFY(saved.find("\r\n0\r\n05\r\nVerdana\r\n11\r\n0\r\n1\r\n&h0000FF\r\n") != std::string::npos);
    QVERIFY(saved.find("\r\n2\r\n8\r\n") != std::string::npos);
}

void LabelLayoutViewTest::closeBoxLeavesTheFileAlone() {
    Opened opened([](kalvora::testing::TestSession& t) { t.drive.makeInstallation(); }, 1);
    auto& [test, form, view] = opened;
    QTest::keyClicks(child<QLineEdit>(view, "Text_0"), "9");
    QTest::keyClick(&view, Qt::Key_Escape);
    QVERIFY(form.closed() && !view.isVisible());
    QVERIFY(!test.drive.exists("kalwin/kalwin/kalvora.etc"));
}

QTEST_MAIN(LabelLayoutViewTest)
#include "label_layout_view_test.moc"
