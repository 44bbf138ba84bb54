// The zelselazi window: the grid Grid1 as the form fills it, sorting by a header click, a
// choice by click or Enter, the ways out without a choice, a thousand companies; and the whole
// path from the main window's company picture through the real platform.
#include "company/company_selection.h"
#include "core/clock.h"
#include "core/files.h"
#include "core/session.h"
#include "launcher/main_form.h"
#include "support/test_session.h"
#include "ui/app.h"
#include "ui/company_selection_view.h"
#include "ui/main_view.h"
#include "ui/qt_platform.h"
#include "ui/views.h"
#include "ui_fixtures.h"
#include "user_script.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace kalvora;
using company::CompanySelectionForm;
using kalvora::testing::later;
using kalvora::testing::modalNamed;
using kalvora::testing::registryBytes;
using kalvora::testing::registryPath;

namespace {

struct Fixture {
    // `current` is the company the main window shows when the window opens.
    Fixture(const std::map<int, std::string>& companies, int current) {
        test.drive.makeInstallation();
        test.drive.write(registryPath, registryBytes(companies));
        auto& state = test.session.company();
        state.registry = *company::readRegistry(test.files, test.session.installation());
        company::selectCompany(state, current);
        form.open();
        view = std::make_unique<ui::CompanySelectionView>(form);
        view->show();
        view->activateWindow();
    }
    QTableView* grid() const { return view->findChild<QTableView*>(QStringLiteral("Grid1")); }
    QString cell(int row, int column) const { return grid()->model()->index(row, column).data().toString(); }
    QVariant background(int row, int column = 0) const {
        return grid()->model()->index(row, column).data(Qt::BackgroundRole);
    }
    void clickRow(int row) const {
        const QModelIndex index = grid()->model()->index(row, 1);
        grid()->scrollTo(index);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(index).center());
    }
    void clickHeader(int column) const {
        QHeaderView* header = grid()->horizontalHeader();
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    }
    std::string caption() const { return test.session.company().companyCaption; }

    kalvora::testing::TestSession test;
    CompanySelectionForm form{test.session};
    std::unique_ptr<ui::CompanySelectionView> view;
};

const std::map<int, std::string> threeCompanies{{0, "Zeta Srl"}, {3, "Alfa Spa"}, {17, "Città Nuova"}};

}  // namespace

class CompanySelectionViewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(ui::installItalianTranslations(*QCoreApplication::instance())); }
    void gridShowsTheRegistryWithTheCurrentRowOrange();
    void headerClicksSortAndRepaint();
    void clickOrEnterOnACompanyChoosesIt();
    void emptyRowsDoNothing();
    void escapeAndCloseBoxLeaveTheCompanyAsItWas();
    void aThousandCompaniesOpenAtTheCurrentOne();
    void companyPictureOpensTheWindowModallyThroughThePlatform();
};

void CompanySelectionViewTest::gridShowsTheRegistryWithTheCurrentRowOrange() {
    Fixture f(threeCompanies, 3);
    QCOMPARE(f.view->objectName(), QStringLiteral("zelselazi"));
    QCOMPARE(f.view->windowTitle(), QStringLiteral("Selezione azienda"));
    QTableView* grid = f.grid();
    QVERIFY(grid);
    QCOMPARE(grid->model()->columnCount(), 3);
    QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Codice"));
    QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Azienda"));
    QCOMPARE(grid->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Anno di gestione"));
    // 1000 and 11000 twips at 15 twips a pixel; the year takes the rest.
    QCOMPARE(grid->columnWidth(0), 67);
    QCOMPARE(grid->columnWidth(1), 733);
    QVERIFY(grid->horizontalHeader()->stretchLastSection());

    QCOMPARE(grid->model()->rowCount(), CompanySelectionForm::minimumRows);
    QCOMPARE(f.cell(0, 0), QStringLiteral("000"));
    QCOMPARE(f.cell(2, 0), QStringLiteral("017"));
    QCOMPARE(f.cell(2, 1), QStringLiteral("Città Nuova"));
    QCOMPARE(f.cell(2, 2), QStringLiteral("2026"));
    QCOMPARE(f.cell(3, 0), QString());

    // Hex C0E0FF is red FF, green E0, blue C0; rows nobody painted show the grid's own colour.
    for (int c = 0; c < 3; ++c) QCOMPARE(f.background(1, c).value<QColor>(), QColor(0xff, 0xe0, 0xc0));
    QVERIFY(!f.background(0).isValid());
    QVERIFY(!f.background(24).isValid());

    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(!(grid->model()->flags(grid->model()->index(1, 1)) & Qt::ItemIsEditable));
    // The keyboard starts on the current company.
    QCOMPARE(grid->currentIndex().row(), 1);
    QCOMPARE(f.view->focusWidget(), grid);
}

void CompanySelectionViewTest::headerClicksSortAndRepaint() {
    Fixture f(threeCompanies, 3);
    f.clickHeader(1);
    QCOMPARE(f.cell(0, 1), QStringLiteral("Alfa Spa"));
    QCOMPARE(f.cell(1, 1), QStringLiteral("Città Nuova"));
    QCOMPARE(f.cell(2, 1), QStringLiteral("Zeta Srl"));
    QCOMPARE(f.cell(0, 0), QStringLiteral("003"));
    // Every cell shows the form's colours after the sort, whatever they are.
    for (int r = 0; r < 4; ++r) {
        const std::int32_t colour = f.form.rows()[static_cast<std::size_t>(r)].colour;
        const QVariant shown = f.background(r, 2);
        if (colour < 0)
            QVERIFY(!shown.isValid());
        else
            QCOMPARE(shown.value<QColor>().rgb() & 0xffffff,
                     static_cast<QRgb>(((colour & 0xff) << 16) | (colour & 0xff00) | ((colour >> 16) & 0xff)));
    }
    QCOMPARE(f.grid()->horizontalHeader()->sortIndicatorSection(), 1);

    f.clickHeader(0);
    QCOMPARE(f.cell(0, 0), QStringLiteral("000"));
    QCOMPARE(f.cell(2, 0), QStringLiteral("017"));
    QVERIFY(!f.form.closed());
    QVERIFY(f.view->isVisible());
}

void CompanySelectionViewTest::clickOrEnterOnACompanyChoosesIt() {
    {
        Fixture f(threeCompanies, 0);
        f.clickRow(2);
        QVERIFY(f.form.closed());
        QVERIFY(!f.view->isVisible());
        QCOMPARE(f.caption(), std::string("017 Città Nuova"));
        QCOMPARE(f.test.session.company().yearCaption, std::string("2026"));
    }
    {
        Fixture f(threeCompanies, 0);
        // After a sort the grid's row is still the form's row.
        f.clickHeader(1);
        QTest::keyClick(f.grid(), Qt::Key_Home);
        QTest::keyClick(f.grid(), Qt::Key_Down);
        QTest::keyClick(f.grid(), Qt::Key_Return);
        QVERIFY(f.form.closed());
        QCOMPARE(f.caption(), std::string("017 Città Nuova"));
        QCOMPARE(f.test.session.run().windowDone, 2);
    }
}

void CompanySelectionViewTest::emptyRowsDoNothing() {
    Fixture f(threeCompanies, 0);
    f.clickRow(10);
    QTest::keyClick(f.grid(), Qt::Key_End);
    QTest::keyClick(f.grid(), Qt::Key_Enter);
    QVERIFY(!f.form.closed());
    QVERIFY(f.view->isVisible());
    QCOMPARE(f.caption(), std::string("000 Zeta Srl"));
}

void CompanySelectionViewTest::escapeAndCloseBoxLeaveTheCompanyAsItWas() {
    for (const bool byKey : {true, false}) {
        Fixture f(threeCompanies, 3);
        if (byKey)
            QTest::keyClick(f.grid(), Qt::Key_Escape);
        else
            f.view->close();
        QVERIFY(f.form.closed());
        QVERIFY(!f.view->isVisible());
        QCOMPARE(f.caption(), std::string("003 Alfa Spa"));
        QCOMPARE(f.test.session.run().windowDone, 2);
    }
}

void CompanySelectionViewTest::aThousandCompaniesOpenAtTheCurrentOne() {
    std::map<int, std::string> all;
    for (int k = 0; k < 1000; ++k) all[k] = "Azienda numero " + std::to_string(k);
    Fixture f(all, 640);
    QCOMPARE(f.grid()->model()->rowCount(), 1000);
    QCOMPARE(f.cell(999, 0), QStringLiteral("999"));
    QCOMPARE(f.background(640).value<QColor>(), QColor(0xff, 0xe0, 0xc0));
    // Opened scrolled to the current company.
    const QRect current = f.grid()->visualRect(f.grid()->model()->index(640, 0));
    QVERIFY(f.grid()->viewport()->rect().contains(current.center()));
    // Every row is as high as the first.
    QCOMPARE(f.grid()->rowHeight(999), f.grid()->rowHeight(0));

    f.clickHeader(1);  // "Azienda numero 0", "... 1", "... 10", "... 100" as text
    QCOMPARE(f.cell(3, 0), QStringLiteral("100"));
    f.clickRow(3);
    QCOMPARE(f.caption(), std::string("100 Azienda numero 100"));
}

void CompanySelectionViewTest::companyPictureOpensTheWindowModallyThroughThePlatform() {
    kalvora::testing::TempDrive drive;
    drive.makeInstallation();
    drive.write(registryPath, registryBytes({{0, "Prima Srl"}, {5, "Quinta Snc"}}, "2025"));
    drive.write("kalwin/kalvora.bnn", "20260315\r\n");
    core::FixedClock clock(core::Date{2026, 3, 15});
    core::Files files;
    ui::QtPlatform platform;
    ui::registerViews(platform);
    core::Session session(core::Installation(drive.root()), platform, clock, files);
    launcher::MainForm form(session);
    std::unique_ptr<QWidget> window(platform.createView(form));
    QWidget* view = window.get();

    kalvora::testing::UserScript user;
    user.then("the login greeting", [] { return modalNamed("zelchkp") != nullptr; }, [] {
        auto* proceed = modalNamed("zelchkp")->findChild<QToolButton*>("continua");
        later([proceed] { QTest::mouseClick(proceed, Qt::LeftButton); });
    });
    user.then("the main window", [&] { return form.started() && !QApplication::activeModalWidget(); }, [&] {
        QCOMPARE(view->findChild<QLabel*>("selazienda")->text(), QStringLiteral("000 Prima Srl"));
        auto* picture = view->findChild<QToolButton*>("Image2");
        later([picture] { QTest::mouseClick(picture, Qt::LeftButton); });
    });
    user.then("zelselazi", [] { return modalNamed("zelselazi") != nullptr; }, [&] {
        QWidget* selection = modalNamed("zelselazi");
        QCOMPARE(selection->windowTitle(), QStringLiteral("Selezione azienda"));
        QCOMPARE(selection->windowModality(), Qt::ApplicationModal);
        auto* grid = selection->findChild<QTableView*>("Grid1");
        QCOMPARE(grid->model()->index(1, 1).data().toString(), QStringLiteral("Quinta Snc"));
        const QPoint row = grid->visualRect(grid->model()->index(1, 1)).center();
        later([grid, row] { QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row); });
    });
    user.then("the new captions", [] { return QApplication::activeModalWidget() == nullptr; }, [&] {
        QTRY_COMPARE(view->findChild<QLabel*>("selazienda")->text(), QStringLiteral("005 Quinta Snc"));
        QCOMPARE(view->findChild<QLabel*>("selazienda2")->text(), QStringLiteral("2025"));
        QCOMPARE(drive.read("kalwin/kalwin/kalvora.azi"), registryBytes({{0, "Prima Srl"}, {5, "Quinta Snc"}}, "2025"));
        later([&] { view->close(); });
    });

    user.start(20000, [&] { platform.quit(); });
    QTimer::singleShot(0, view, [view] { view->show(); });
    QApplication::exec();
    QVERIFY2(!user.failed(), qPrintable("stopped at: " + user.waitingFor()));
    QVERIFY(user.done());
    QVERIFY(form.exiting());
}

QTEST_MAIN(CompanySelectionViewTest)
#include "company_selection_view_test.moc"
