// The wiring of zelselazi: Grid1 shows the form's rows and colours, a header click sorts, Enter chooses.
#include "company/company_selection.h"
#include "company/current_company.h"
#include "company/registry.h"
#include "support/test_session.h"
#include "ui/company_selection_view.h"
#include "ui_fixtures.h"

#include <QHeaderView>
#include <QTableView>
#include <QTest>

using namespace kalvora;

class CompanySelectionViewTest : public QObject {
    Q_OBJECT

private slots:
    void wiring();
};

void CompanySelectionViewTest::wiring() {
    kalvora::testing::TestSession test;
    test.drive.makeInstallation();
    test.drive.write(kalvora::testing::registryPath,
                     kalvora::testing::registryBytes({{0, "Zeta Srl"}, {3, "Alfa Spa"}, {17, "Città Nuova"}}));
    test.session.company().registry = *company::readRegistry(test.files, test.session.installation());
    company::makeCurrent(test.session, 3);
    company::CompanySelectionForm form(test.session);
    form.open();
    ui::CompanySelectionView view(form);
    view.show();
    auto* grid = view.findChild<QTableView*>(QStringLiteral("Grid1"));
    QVERIFY(grid && view.objectName() == QStringLiteral("zelselazi"));
    const auto cell = [grid](int row, int column, int role = Qt::DisplayRole) {
        return grid->model()->index(row, column).data(role);
    };
    QCOMPARE(cell(2, 1).toString(), QStringLiteral("Città Nuova"));
    QCOMPARE(cell(1, 0, Qt::BackgroundRole).value<QColor>(), QColor(0xff, 0xe0, 0xc0));  // hex C0E0FF
    QHeaderView* header = grid->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(1) + 5, 5));
    QCOMPARE(cell(1, 0).toString(), QStringLiteral("017"));  // Alfa Spa, Città Nuova, Zeta Srl
    QTest::keyClick(grid, Qt::Key_Home);
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Return);
    QVERIFY(!view.isVisible());
    QCOMPARE(test.session.company().companyCaption, std::string("017 Città Nuova"));
}

QTEST_MAIN(CompanySelectionViewTest)
#include "company_selection_view_test.moc"
