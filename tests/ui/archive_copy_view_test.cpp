// The wiring of zelabak and zelarip: Grid1 toggles a row's choice, the buttons reach the form,
// the copy paints its rows and fills the progress bar, the folder lists show behind "Sfoglia".
#include "company/backup_form.h"
#include "company/restore_form.h"
#include "support/test_session.h"
#include "ui/archive_copy_view.h"
#include "ui_fixtures.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

using namespace kalvora;

class ArchiveCopyViewTest : public QObject {
    Q_OBJECT

private slots:
    void backupWiring();
    void restoreWiring();
};

namespace {

QString cell(QTableView* grid, int row, int column, int role = Qt::DisplayRole) {
    return grid->model()->index(row, column).data(role).toString();
}

void clickRow(QTableView* grid, int row) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(row, 2)).center());
}

}  // namespace

void ArchiveCopyViewTest::backupWiring() {
    kalvora::testing::TestSession test;
    test.drive.makeInstallation(0);
    test.drive.write("kalwin/kalwin/kalaz0.000/kalvora.cli", "clienti");
    company::BackupForm form(test.session);
    form.open();
    ui::ArchiveCopyView view(form);
    view.show();
    QCOMPARE(view.objectName(), QStringLiteral("zelabak"));
    QCOMPARE(view.windowTitle(), QStringLiteral("Copie di backup"));
    auto* grid = view.findChild<QTableView*>(QStringLiteral("Grid1"));
    QVERIFY(grid);
    QCOMPARE(grid->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Copia"));
    QCOMPARE(cell(grid, 0, 0) + "|" + cell(grid, 0, 2), QStringLiteral("KALVORA.CLI|SI"));
    clickRow(grid, 0);
    QCOMPARE(cell(grid, 0, 2), QStringLiteral("NO"));
    QTest::mouseClick(view.findChild<QPushButton*>(QStringLiteral("bottone_3")), Qt::LeftButton);
    QCOMPARE(cell(grid, 0, 2), QStringLiteral("SI"));
    QVERIFY(!view.findChild<QWidget*>(QStringLiteral("Dir1"))->isVisible());
    QTest::mouseClick(view.findChild<QPushButton*>(QStringLiteral("Sfoglia")), Qt::LeftButton);
    QVERIFY(view.findChild<QWidget*>(QStringLiteral("Dir1"))->isVisible());
    QVERIFY(view.findChild<QLineEdit*>(QStringLiteral("Text1"))->text().endsWith(QStringLiteral("kalaz0.bak")));

    test.platform.answers = {true};
    QTest::mouseClick(view.findChild<QPushButton*>(QStringLiteral("bottone_1")), Qt::LeftButton);
    QCOMPARE(QString::fromStdString(test.platform.last()->text), QStringLiteral("Copia terminata"));
    QCOMPARE(grid->model()->index(0, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(0xc0, 0xff, 0xc0));
    QCOMPARE(view.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"))->value(), 1000);
    QVERIFY(test.drive.exists("kalwin/kalwin/kalaz0.000/kalaz0.bak/kalvora.cli"));

    view.findChild<QCheckBox*>(QStringLiteral("Check1"))->click();
    QTest::mouseClick(view.findChild<QPushButton*>(QStringLiteral("bottone_0")), Qt::LeftButton);
    QVERIFY(!view.isVisible() && form.closed());
    QVERIFY(test.drive.read("kalwin/kalwin/kalvora.pry").starts_with("1\r\n"));
}

void ArchiveCopyViewTest::restoreWiring() {
    kalvora::testing::TestSession test;
    test.drive.makeInstallation(0);
    test.drive.write("kalwin/kalwin/kalaz0.000/kalaz0.bak/BOL001.DAT", "bolla");
    company::RestoreForm form(test.session);
    form.open();
    ui::ArchiveCopyView view(form);
    view.show();
    QCOMPARE(view.objectName(), QStringLiteral("zelarip"));
    auto* grid = view.findChild<QTableView*>(QStringLiteral("Grid1"));
    QCOMPARE(cell(grid, 0, 0), QStringLiteral("Nessun files trovato"));
    view.findChild<QRadioButton*>(QStringLiteral("Option1_1"))->click();
    QCOMPARE(cell(grid, 0, 0) + "|" + cell(grid, 0, 2), QStringLiteral("BOL001.DAT|NO"));
    QCOMPARE(grid->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Ripristina"));
    QVERIFY(!view.findChild<QCheckBox*>(QStringLiteral("Check1")));  // the preferences are the backup's
}

QTEST_MAIN(ArchiveCopyViewTest)
#include "archive_copy_view_test.moc"
