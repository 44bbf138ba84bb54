// The wiring of the zelstiva window: names, keys, the two scroll bars, and changes reaching the
// form and the files.
#include "support/test_session.h"
#include "tables/vat_codes.h"
#include "ui/vat_codes_view.h"
#include "user_script.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <filesystem>
#include <memory>

using namespace kalvora;
using tables::VatCodesForm;

namespace {

constexpr const char* tabFile = "kalwin/kalwin/kalaz0.000/kalvora.tab";
constexpr const char* ilmFile = "kalwin/kalwin/kalaz0.000/kalvora.ilm";

QString q(const std::string& s) { return QString::fromStdString(s); }

struct Fixture {
    explicit Fixture(bool interestFileIsAFolder = false) : form(test.session) {
        test.drive.makeInstallation(0);
        // Sales code k: %Iva k, description "Vendite k"; purchase code k: %Iva 100 + k.
        std::vector<std::string> lines(930);
        for (int k = 1; k <= 16; ++k) {
            lines[k <= 8 ? 4 * (k - 1) : 640 + 4 * (k - 9)] = std::to_string(k);
            lines[k <= 8 ? 32 + 3 * (k - 1) : 672 + 3 * (k - 9)] = std::to_string(100 + k);
            lines[k <= 8 ? 57 + 2 * k : 697 + 2 * (k - 9)] = "Vendite " + std::to_string(k);
        }
        lines[74] = "0120";  // T4(0, 0)
        test.drive.write(tabFile, core::encodeLines(lines));
        if (interestFileIsAFolder) std::filesystem::create_directory(test.drive.path(ilmFile));
        form.open();
        view = std::make_unique<ui::VatCodesView>(form);
        view->show();
        view->activateWindow();
    }
    template <typename T> T* child(const QString& name) const { return view->findChild<T*>(name); }
    QLineEdit* box(int index) const { return child<QLineEdit>(QStringLiteral("text1_%1").arg(index)); }
    QComboBox* combo(int which, int r) const { return child<QComboBox>(QStringLiteral("Combo%1_%2").arg(which).arg(r)); }
    QStringList labels() const {
        QStringList out;
        for (QLabel* l : view->findChildren<QLabel*>()) out << l->text();
        return out;
    }

    kalvora::testing::TestSession test;
    VatCodesForm form;
    std::unique_ptr<ui::VatCodesView> view;
};

}  // namespace

class VatCodesViewTest : public QObject {
    Q_OBJECT

private slots:
    void controlsCarryTheirNames();
    void enterFollowsTheFormsOrder();
    void eachScrollBarMovesItsOwnSet();
    void changesReachTheForm();
    void confirmSavesBothFilesAndCloses();
    void aFailedSaveKeepsTheWindowOpen();
    void escapeLeavesWithoutSaving();
};

void VatCodesViewTest::controlsCarryTheirNames() {
    Fixture f;
    QCOMPARE(f.view->objectName(), QStringLiteral("zelstiva"));
    QCOMPARE(f.view->windowTitle(), QStringLiteral("Tabella codici iva"));
    QStringList captions;
    for (QGroupBox* g : f.view->findChildren<QGroupBox*>()) captions << g->title();
    QCOMPARE(captions, (QStringList{QString::fromUtf8(VatCodesForm::salesCaption),
                                    QString::fromUtf8(VatCodesForm::purchaseCaption)}));
    for (int i = 0; i < VatCodesForm::boxCount; ++i) QVERIFY2(f.box(i), qPrintable(QStringLiteral("text1_%1").arg(i)));
    for (int r = 0; r < VatCodesForm::visibleRows; ++r) {
        QCOMPARE(f.combo(1, r)->count(), 3);
        QCOMPARE(f.combo(2, r)->count(), 6);
        QCOMPARE(f.combo(3, r)->itemText(5), QStringLiteral("Reverse Charge"));
    }
    const QStringList labels = f.labels();
    for (const char* once : {"%RA", "%CI", "%CP", "%Agr", "%Detr", "Tipo"})
        QCOMPARE(labels.count(QString::fromUtf8(once)), 1);
    for (const char* twice : {"%Iva", "Descrizione registro iva", "Tipo operazione", "Articolo esenzione",
                              "Codice iva 1", "Codice esente 8"})
        QCOMPARE(labels.count(QString::fromUtf8(twice)), 2);

    // Cells are named by their column header and their row label.
    QCOMPARE(f.box(9)->accessibleName(), QStringLiteral("%CP Codice iva 2"));
    QCOMPARE(f.box(83)->accessibleName(), QStringLiteral("%Agr Codice iva 2"));
    QCOMPARE(f.box(11)->accessibleName(), QStringLiteral("Articolo esenzione Codice esente 2"));
    QCOMPARE(f.combo(2, 1)->accessibleName(), QStringLiteral("Tipo operazione Codice iva 2"));
    QCOMPARE(f.box(49)->accessibleName(), QStringLiteral("%Detr Codice iva 1"));
    QCOMPARE(f.combo(1, 7)->accessibleName(), QStringLiteral("Tipo Codice iva 8"));
    QCOMPARE(f.box(81)->accessibleName(), QString::fromUtf8(VatCodesForm::interestRateLabel));
    for (QLabel* l : f.view->findChildren<QLabel*>())
        if (l->text() == f.box(80)->accessibleName()) QCOMPARE(l->buddy(), f.box(80));

    QCOMPARE(f.child<QCheckBox>("tassa")->text(), QStringLiteral("Applica iva"));
    QCOMPARE(f.child<QCheckBox>("esig")->text(), QStringLiteral("Iva ad esigibilità differita"));
    QCOMPARE(f.child<QToolButton>("bottone_1")->accessibleName(), QStringLiteral("Conferma"));
    QCOMPARE(f.child<QToolButton>("bottone_0")->accessibleName(), QStringLiteral("Annulla"));
}

void VatCodesViewTest::enterFollowsTheFormsOrder() {
    Fixture f;
    QCOMPARE(f.view->focusWidget(), f.box(0));
    QTest::keyClick(f.box(0), Qt::Key_Return);
    QCOMPARE(f.view->focusWidget(), f.box(1));
    const std::vector<std::pair<int, int>> moves = {{3, 82}, {82, 4}, {4, 5}, {45, 89}, {89, 46}, {47, 48}, {81, 81}};
    for (const auto& [from, to] : moves) {
        f.box(from)->setFocus();
        QTest::keyClick(f.box(from), Qt::Key_Return);
        QVERIFY2(f.view->focusWidget() == f.box(to), qPrintable(QStringLiteral("Enter in text1_%1").arg(from)));
    }
}

void VatCodesViewTest::eachScrollBarMovesItsOwnSet() {
    Fixture f;
    for (const char* name : {"VScroll1", "VScroll2"}) {
        QCOMPARE(f.child<QScrollBar>(name)->maximum(), 9);
        QCOMPARE(f.child<QScrollBar>(name)->value(), 1);
    }
    auto* sales = f.child<QScrollBar>("VScroll1");
    sales->setFocus();
    QTest::keyClick(sales, Qt::Key_PageDown);
    QCOMPARE(f.form.salesFirst(), sales->value());
    const int first = f.form.salesFirst();
    QVERIFY(first > 1);
    QCOMPARE(f.box(0)->text(), QString::number(first));
    QCOMPARE(f.box(4)->text(), QStringLiteral("Vendite %1").arg(first));
    QCOMPARE(f.box(0)->accessibleName(), QStringLiteral("%Iva Codice iva %1").arg(first));
    QVERIFY(f.labels().contains(QStringLiteral("Codice esente %1").arg(first + 7)));

    QCOMPARE(f.form.purchaseFirst(), 1);
    QCOMPARE(f.child<QScrollBar>("VScroll2")->value(), 1);
    QCOMPARE(f.box(48)->accessibleName(), QStringLiteral("%Iva Codice iva 1"));

    f.child<QScrollBar>("VScroll2")->setValue(9);
    QCOMPARE(f.form.purchaseFirst(), 9);
    QCOMPARE(f.box(48 + 4 * 7)->text(), QStringLiteral("116"));
    QCOMPARE(f.form.salesFirst(), first);
}

void VatCodesViewTest::changesReachTheForm() {
    Fixture f;
    f.box(1)->setFocus();
    QTest::keyClicks(f.box(1), QStringLiteral("4"));
    QCOMPARE(q(f.form.tables().t1.at(1, 1)), QStringLiteral("4"));
    QGuiApplication::clipboard()->setText(QStringLiteral("riga\nseconda"));
    f.box(10)->setFocus();
    f.box(10)->selectAll();
    QTest::keySequence(f.box(10), QKeySequence::Paste);
    QCOMPARE(f.box(10)->text(), QStringLiteral("riga seconda"));
    QCOMPARE(q(f.form.tables().t3.at(2, 1)), QStringLiteral("riga seconda"));

    auto* nature = f.combo(2, 0);
    nature->setFocus();
    QTest::keyClick(nature, Qt::Key_Down);
    QCOMPARE(f.form.salesNature(0), nature->currentIndex());
    QCOMPARE(q(f.form.tables().t3.at(1, 2)), QString::number(nature->currentIndex()));

    f.child<QScrollBar>("VScroll2")->setValue(9);
    auto* type = f.combo(1, 3);  // code 12, never set
    QCOMPARE(type->currentIndex(), -1);
    type->setFocus();
    type->setCurrentIndex(1);
    QTest::keyClick(type, Qt::Key_Down);
    QCOMPARE(type->currentText(), QStringLiteral("Intra"));
    QCOMPARE(q(f.form.tables().t4.at(0, 0)), QStringLiteral("0120       2    "));
}

void VatCodesViewTest::confirmSavesBothFilesAndCloses() {
    Fixture f;
    QTest::keyClicks(f.box(81), QStringLiteral("1"));
    QTest::keyClicks(f.box(82), QStringLiteral("6"));
    QTest::mouseClick(f.child<QCheckBox>("esig"), Qt::LeftButton);
    QTest::mouseClick(f.child<QToolButton>("bottone_1"), Qt::LeftButton);
    QVERIFY(f.form.closed());
    QVERIFY(!f.view->isVisible());
    QVERIFY(f.test.platform.messages().empty());
    const auto tab = *f.test.files.readLines(f.test.drive.path(tabFile));
    QCOMPARE(tab.size(), std::size_t(930));
    QCOMPARE(q(tab[57]), QStringLiteral("01").leftJustified(20));
    QCOMPARE(q(tab[59]), QStringLiteral("Vendite 1").leftJustified(100) + QString(99, ' ') + '*');
    std::string ilm = "1\r\n6\r\n";
    for (int line = 3; line <= 17; ++line) ilm += "\r\n";
    QCOMPARE(f.test.drive.read(ilmFile), ilm);
}

void VatCodesViewTest::aFailedSaveKeepsTheWindowOpen() {
    Fixture f(true);
    QTest::mouseClick(f.child<QToolButton>("bottone_1"), Qt::LeftButton);
    QVERIFY(!f.form.closed());
    QVERIFY(f.view->isVisible());
    const auto messages = f.test.platform.messages();
    QCOMPARE(messages.size(), std::size_t(1));
    QVERIFY(q(messages[0].text).startsWith(QStringLiteral("Non è stato possibile salvare la tabella: errore ")));
    QCOMPARE(q(messages[0].title), QStringLiteral("Attenzione"));
    QCOMPARE(f.box(4)->text(), QStringLiteral("Vendite 1"));
}

void VatCodesViewTest::escapeLeavesWithoutSaving() {
    Fixture f;
    const std::string before = f.test.drive.read(tabFile);
    QTest::keyClicks(f.box(0), QStringLiteral("9"));
    QTest::keyClick(f.view.get(), Qt::Key_Escape);
    QVERIFY(!f.view->isVisible());
    QCOMPARE(f.test.drive.read(tabFile), before);
    QVERIFY(!f.test.drive.exists(ilmFile));
}

QTEST_MAIN(VatCodesViewTest)
#include "vat_codes_view_test.moc"
