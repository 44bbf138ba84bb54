// The wiring of the zelstcau window: three lists with their own scroll bars, and both files at save.
#include "support/test_session.h"
#include "tables/causals.h"
#include "ui/causals_view.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace kalvora;
using tables::CausalsForm;

namespace {

constexpr const char* tabFile = "kalwin/kalwin/kalaz0.000/kalvora.tab";
constexpr const char* tb2File = "kalwin/kalwin/kalaz0.000/kalvora.tb2";

struct Fixture {
    Fixture() : form(test.session) {
        test.drive.makeInstallation(0);
        std::vector<std::string> lines(930);
        for (int k = 1; k <= 40; ++k) lines[400 + 6 * (k - 1)] = "Causale " + std::to_string(k);
        test.drive.write(tabFile, core::encodeLines(lines));
        std::vector<std::string> categories;
        for (int k = 1; k <= 500; ++k) categories.push_back("Categoria " + std::to_string(k));
        test.drive.write(tb2File, core::encodeLines(categories));
        form.open();
        view = std::make_unique<ui::CausalsView>(form);
        view->show();
        view->activateWindow();
    }
    template <typename T> T* child(const QString& name) const { return view->findChild<T*>(name); }
    QLineEdit* box(const char* control, int r) const {
        return child<QLineEdit>(QStringLiteral("%1_%2").arg(QLatin1String(control)).arg(r));
    }

    kalvora::testing::TestSession test;
    CausalsForm form;
    std::unique_ptr<ui::CausalsView> view;
};

}  // namespace

class CausalsViewTest : public QObject {
    Q_OBJECT

private slots:
    void controlsCarryTheirNames();
    void listsScrollApartAndConfirmSavesBothFiles();
};

void CausalsViewTest::controlsCarryTheirNames() {
    Fixture f;
    QCOMPARE(f.view->objectName(), QStringLiteral("zelstcau"));
    QCOMPARE(f.view->windowTitle(), QStringLiteral("Tabella causali di magazzino"));
    QStringList frames;
    for (QGroupBox* g : f.view->findChildren<QGroupBox*>()) frames << g->title();
    QCOMPARE(frames, (QStringList{"Causali movimentazioni di magazzino", "Aspetto esteriore dei beni",
                                  "Cat.Merceologiche"}));
    for (int r = 0; r < CausalsForm::visibleRows; ++r)
        for (const char* name : {"sc4", "text", "text1"}) QVERIFY(f.box(name, r));
    QCOMPARE(f.box("sc4", 2)->text(), QStringLiteral("Causale 3"));
    QCOMPARE(f.box("text1", 2)->text(), QStringLiteral("Categoria 3"));
    QCOMPARE(f.box("text1", 2)->accessibleName(), QStringLiteral("Cat.Merceologiche 3"));
    QCOMPARE(f.child<QScrollBar>("VScroll1")->maximum(), 23);
    QCOMPARE(f.child<QScrollBar>("VScroll2")->maximum(), 23);
    QCOMPARE(f.child<QScrollBar>("VScroll3")->maximum(), 183);
    QVERIFY(f.child<QToolButton>("bottone_1"));
    QVERIFY(f.child<QToolButton>("bottone_0"));
}

void CausalsViewTest::listsScrollApartAndConfirmSavesBothFiles() {
    Fixture f;
    f.child<QScrollBar>("VScroll3")->setValue(183);
    QCOMPARE(f.box("text1", 17)->text(), QStringLiteral("Categoria 200"));
    QCOMPARE(f.box("sc4", 17)->text(), QStringLiteral("Causale 18"));
    f.box("sc4", 17)->setFocus();
    QTest::keyClick(f.box("sc4", 17), Qt::Key_Return);
    QCOMPARE(f.child<QScrollBar>("VScroll1")->value(), 2);
    QCOMPARE(f.view->focusWidget(), f.box("sc4", 17));
    QCOMPARE(f.box("sc4", 17)->text(), QStringLiteral("Causale 19"));

    f.box("text1", 17)->clear();
    QTest::keyClicks(f.box("text1", 17), QStringLiteral("Ultima"));
    QTest::keyClicks(f.box("text", 0), QStringLiteral("Sfuso"));
    QTest::mouseClick(f.child<QToolButton>("bottone_1"), Qt::LeftButton);
    QVERIFY(f.form.closed());
    const auto categories = *f.test.files.readLines(f.test.drive.path(tb2File));
    QCOMPARE(categories.size(), std::size_t(500));
    QCOMPARE(QString::fromStdString(categories[199]), QStringLiteral("Ultima"));
    QCOMPARE(QString::fromStdString(categories[200]), QStringLiteral("Categoria 201"));
    const auto lines = *f.test.files.readLines(f.test.drive.path(tabFile));
    QCOMPARE(QString::fromStdString(lines[401]), QStringLiteral("Sfuso"));
}

QTEST_MAIN(CausalsViewTest)
#include "causals_view_test.moc"
