// The wiring of the company windows: zelcrea and zelselazi, the copies zelabak and zelarip with
// their folder chooser, the accounting windows kalchi, kalape and kalchk and the year-end reset
// zelaazz. Controls found by name reach their forms, grids show the forms' rows, and the work
// reaches the files.
#include "company/accounting_closing.h"
#include "company/archive_counters.h"
#include "company/archive_conversion.h"
#include "company/backup_form.h"
#include "company/balance_check.h"
#include "company/company_creation.h"
#include "company/compatible_import.h"
#include "company/company_selection.h"
#include "company/current_company.h"
#include "company/read_only_check.h"
#include "company/restore_form.h"
#include "company/year_end_reset_form.h"
#include "controls.h"
#include "core/filesystem_memory.h"
#include "support/archive_bytes.h"
#include "ui/archive_copy_view.h"
#include "ui/company/accounting_closing_view.h"
#include "ui/company/archive_counters_view.h"
#include "ui/company/archive_conversion_view.h"
#include "ui/company/balance_check_view.h"
#include "ui/company/read_only_check_view.h"
#include "ui/company/compatible_import_view.h"
#include "ui/company/year_end_reset_view.h"
#include "ui/company_creation_view.h"
#include "ui/company_selection_view.h"
#include "ui/date_field.h"
#include "ui/folder_chooser_view.h"
#include "ui_fixtures.h"
#include "user_script.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <filesystem>

using namespace kalvora;
using kalvora::testing::child;
using kalvora::testing::toggleAsAssistant;
using kalvora::testing::Opened;
using kalvora::testing::TestSession;

namespace {

const std::string folder = "kalwin/kalwin/kalaz0.000/";

// A company with a bank account owing 1.234,56 to a supplier, and the closing account.
void arrangeCompany(TestSession& test) {
    using kalvora::testing::accountRecord, kalvora::testing::bytesOf;
    test.drive.makeInstallation(0);
    test.drive.write("kalwin/kalwin/kalvora.azi", kalvora::testing::registryBytes({{0, "Alfa Srl"}, {1, "Alfa 2025"}}));
    test.drive.write(folder + "kalvora.tot", kalvora::testing::countsFile({{6, 3}, {13, 1}}, 19, 0));
    test.drive.write(folder + "kalvora.con", bytesOf(accountRecord("01010001", "Banca")) +
                                                 bytesOf(accountRecord("40010001", "Fornitori")) +
                                                 bytesOf(accountRecord("01990001", "Bilancio di chiusura")));
    const core::Record entry = core::journalEntry({2026, 3, 1}, {"Pagamento", "", ""}, "7",
                                                  {{0, "01010001", 1234.56}, {1, "40010001", 1234.56}});
    test.drive.write(folder + "kalvora.gio", bytesOf(entry));
    test.session.company().currency[1] = "1";
}

void type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    emit box->editingFinished();
}

QVariant cell(QTableView* grid, int row, int column, int role = Qt::DisplayRole) {
    return grid->model()->index(row, column).data(role);
}

void click(QWidget& view, const char* button) { QTest::mouseClick(child<QAbstractButton>(view, button), Qt::LeftButton); }

}  // namespace

class CompanyViewsTest : public QObject {
    Q_OBJECT

private slots:
    // Drive1 and Dir1 of the copies: Enter on a folder enters it, a drive chosen from the list
    // moves the chooser, an unreadable one brings the list back to the home drive.
    void folderChooser() {
        core::MemoryFileSystem memory;
        core::Files files(memory);
        for (const char* folder : {"/home/u/Documenti/Fatture", "/home/u/backup", "/media/u/USB"})
            QCOMPARE(files.makeDirectories(folder), 0);
        kalvora::testing::FakePlatform platform;
        core::FolderChooser chooser(files, platform, "/home/u",
                                    "50 28 8:17 / /media/u/USB rw - vfat /dev/sdb1 rw\n"
                                    "51 28 8:33 / /run/media/u/Disco rw - ext4 /dev/sdc1 rw\n");
        ui::FolderChooserView view(chooser);
        view.show();
        auto* drives = child<QComboBox>(view, "Drive1");
        auto* folders = child<QListWidget>(view, "Dir1");
        QCOMPARE(drives->accessibleName() + "|" + folders->accessibleName(), QStringLiteral("Unità|Cartelle"));
        QCOMPARE(drives->count(), 3);
        QCOMPARE(folders->count(), 2);

        QSignalSpy moves(&view, &ui::FolderChooserView::folderChanged);
        folders->setFocus();
        folders->setCurrentRow(1);
        QTest::keyClick(folders, Qt::Key_Return);
        QCOMPARE(folders->count(), 2);
        QCOMPARE(moves.count(), 1);
        QCOMPARE(moves.at(0).at(0).toString(), QStringLiteral("/home/u/Documenti"));

        drives->setFocus();
        QTest::keyClick(drives, Qt::Key_Down);
        QCOMPARE(chooser.folder(), std::string("/media/u/USB"));
        QCOMPARE(folders->count(), 0);
        QTest::keyClick(drives, Qt::Key_Down);
        QCOMPARE(drives->currentIndex(), 0);
        QCOMPARE(folders->count(), 2);
    }

    void creation() {
        Opened<company::CompanyCreationForm, ui::CompanyCreationView> opened(
            [](TestSession& t) { t.drive.makeInstallation(); }, company::CreationMode::First);
        auto& [test, form, view] = opened;
        view.activateWindow();
        QCOMPARE(view.objectName(), QStringLiteral("zelcrea"));
        auto field = [&](int i) { return child<QLineEdit>(view, QStringLiteral("text_%1").arg(i)); };
        for (int i = 0; i < company::CompanyCreationForm::fieldCount; ++i) field(i);
        QVERIFY(view.findChild<QComboBox*>("anno") && view.findChild<QComboBox*>("azprec"));
        QTest::keyClick(field(3), Qt::Key_Return);
        QCOMPARE(view.focusWidget(), field(4));

        // Mode 0 cannot be left; confirming creates the company and closes.
        click(view, "bottone_0");
        view.close();
        QCOMPARE(test.platform.messages().size(), std::size_t(2));  // "E' obbligatorio creare l'azienda"
        QVERIFY(view.isVisible());
        QTest::keyClicks(field(0), QStringLiteral("Rossi Srl"));
        click(view, "bottone_1");
        QVERIFY(!view.isVisible());
        QVERIFY(test.drive.read("kalwin/kalwin/kalvora.azi").starts_with("Rossi Srl "));
    }

    // Grid1 shows the form's rows and colours, a header click sorts, Enter chooses.
    void selection() {
        Opened<company::CompanySelectionForm, ui::CompanySelectionView> opened([](TestSession& t) {
            t.drive.makeInstallation();
            t.drive.write(kalvora::testing::registryPath,
                          kalvora::testing::registryBytes({{0, "Zeta Srl"}, {3, "Alfa Spa"}, {17, "Città Nuova"}}));
            t.session.company().registry = *company::readRegistry(t.files, t.session.installation());
            company::makeCurrent(t.session, 3);
        });
        auto& [test, form, view] = opened;
        auto* grid = child<QTableView>(view, "Grid1");
        QCOMPARE(view.objectName(), QStringLiteral("zelselazi"));
        QCOMPARE(cell(grid, 2, 1).toString(), QStringLiteral("Città Nuova"));
        QCOMPARE(cell(grid, 1, 0, Qt::BackgroundRole).value<QColor>(), QColor(0xff, 0xe0, 0xc0));  // hex C0E0FF
        QHeaderView* header = grid->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(1) + 5, 5));
        QCOMPARE(cell(grid, 1, 0).toString(), QStringLiteral("017"));  // Alfa Spa, Città Nuova, Zeta Srl
        for (const Qt::Key key : {Qt::Key_Home, Qt::Key_Down, Qt::Key_Return}) QTest::keyClick(grid, key);
        QVERIFY(!view.isVisible());
        QCOMPARE(test.session.company().companyCaption, std::string("017 Città Nuova"));
    }

    // Grid1 toggles a row's choice, the buttons reach the form, the copy paints its rows and
    // fills the progress bar, the folder lists show behind "Sfoglia".
    void backup() {
        Opened<company::BackupForm, ui::ArchiveCopyView> opened([](TestSession& t) {
            t.drive.makeInstallation(0);
            t.drive.write(folder + "kalvora.cli", "clienti");
        });
        auto& [test, form, view] = opened;
        QCOMPARE(view.objectName(), QStringLiteral("zelabak"));
        auto* grid = child<QTableView>(view, "Grid1");
        QCOMPARE(cell(grid, 0, 0).toString() + "|" + cell(grid, 0, 2).toString(), QStringLiteral("KALVORA.CLI|SI"));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(0, 2)).center());
        QCOMPARE(cell(grid, 0, 2).toString(), QStringLiteral("NO"));
        click(view, "bottone_3");
        QCOMPARE(cell(grid, 0, 2).toString(), QStringLiteral("SI"));
        QVERIFY(!child<QWidget>(view, "Dir1")->isVisible());
        click(view, "Sfoglia");
        QVERIFY(child<QWidget>(view, "Dir1")->isVisible());
        QVERIFY(child<QLineEdit>(view, "Text1")->text().endsWith(QStringLiteral("kalaz0.bak")));

        test.platform.answers = {true};
        click(view, "bottone_1");
        QCOMPARE(cell(grid, 0, 0, Qt::BackgroundRole).value<QColor>(), QColor(0xc0, 0xff, 0xc0));
        QCOMPARE(child<QProgressBar>(view, "ProgressBar1")->value(), 1000);
        QVERIFY(test.drive.exists(folder + "kalaz0.bak/kalvora.cli"));

        toggleAsAssistant(child<QCheckBox>(view, "Check1"));
        click(view, "bottone_0");
        QVERIFY(!view.isVisible() && form.closed());
        QVERIFY(test.drive.read("kalwin/kalwin/kalvora.pry").starts_with("1\r\n"));
    }

    void restore() {
        Opened<company::RestoreForm, ui::ArchiveCopyView> opened([](TestSession& t) {
            t.drive.makeInstallation(0);
            t.drive.write(folder + "kalaz0.bak/BOL001.DAT", "bolla");
        });
        auto& [test, form, view] = opened;
        QCOMPARE(view.objectName(), QStringLiteral("zelarip"));
        auto* grid = child<QTableView>(view, "Grid1");
        toggleAsAssistant(child<QRadioButton>(view, "Option1_1"));
        QCOMPARE(cell(grid, 0, 0).toString() + "|" + cell(grid, 0, 2).toString(), QStringLiteral("BOL001.DAT|NO"));
        QCOMPARE(grid->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Ripristina"));
        QVERIFY(!view.findChild<QCheckBox*>(QStringLiteral("Check1")));  // the preferences are the backup's
    }

    void closingPreviewsThenWrites() {
        Opened<company::AccountingClosingForm, ui::AccountingClosingView> opened(arrangeCompany,
                                                                                company::ClosingMode::BalanceSheet);
        auto& [test, form, view] = opened;
        QCOMPARE(view.objectName() + "|" + view.windowTitle(), QStringLiteral("kalchi|Chiusura automatica conti patrimoniali"));
        QCOMPARE(child<ui::DateField>(view, "data")->date(), QDate(2026, 12, 6));
        type(child<QLineEdit>(view, "text2_0"), "1");
        type(child<QLineEdit>(view, "text2_1"), "99");
        type(child<QLineEdit>(view, "text2_2"), "1");
        QCOMPARE(child<QLineEdit>(view, "text2_0")->text() + child<QLineEdit>(view, "text2_2")->text(),
                 QStringLiteral("010001"));
        QCOMPARE(child<QLabel>(view, "Label2")->text(), QStringLiteral("Bilancio di chiusura"));
        QTest::keyClicks(child<QLineEdit>(view, "text1_3"), "12");
        QCOMPARE(form.document(), std::string("12"));

        const std::string before = test.drive.read(folder + "kalvora.gio");
        click(view, "bottone_1");
        auto* grid = child<QTableView>(view, "Grid1");
        // Both accounts are of the balance sheet: two entries of two lines.
        QCOMPARE(grid->model()->rowCount(), 4);
        QCOMPARE(cell(grid, 0, 2).toString() + " " + cell(grid, 0, 5).toString(), QStringLiteral("01.01.0001 1.234,56"));
        QVERIFY(child<QListWidget>(view, "List1")->count() > 0);
        QCOMPARE(test.drive.read(folder + "kalvora.gio"), before);

        test.platform.answers = {true};
        click(view, "bottone_1");
        QCOMPARE(test.drive.read(folder + "kalvora.gio").size(), 3 * core::gio::archive.recordLength);
    }

    void openingOffersTheCompanies() {
        Opened<company::AccountingClosingForm, ui::AccountingClosingView> opened(
            [](TestSession& t) {
                arrangeCompany(t);
                t.session.company().registry[1] = "Alfa 2025";
                t.session.company().general.setPreviousYearCompany("001");
            },
            company::ClosingMode::Opening);
        auto& [test, form, view] = opened;
        QCOMPARE(view.objectName(), QStringLiteral("kalape"));
        auto* companies = child<QComboBox>(view, "Combo1");
        QCOMPARE(companies->count(), static_cast<int>(form.companies().size()));
        QCOMPARE(companies->currentIndex(), form.chosenCompany());
        companies->activated(0);
        QCOMPARE(form.chosenCompany(), 0);
        click(view, "bottone_0");
        QVERIFY(form.closed() && !view.isVisible());
    }

    void checkListsTheAccounts() {
        Opened<company::BalanceCheckForm, ui::BalanceCheckView> opened(arrangeCompany);
        auto& [test, form, view] = opened;
        QVERIFY(child<QLabel>(view, "Label1")->text().startsWith(QStringLiteral("Questa funzione controlla")));
        click(view, "bottone_1");
        auto* grid = child<QTableView>(view, "Grid1");
        QCOMPARE(grid->model()->rowCount(), 3);
        QCOMPARE(cell(grid, 0, 0).toString() + " " + cell(grid, 0, 2).toString(), QStringLiteral("01.01.0001 1.234,56"));
    }

    void resetOptionsReachTheForm() {
        Opened<company::YearEndResetForm, ui::YearEndResetView> opened(arrangeCompany);
        auto& [test, form, view] = opened;
        QCOMPARE(view.objectName() + "|" + view.windowTitle(), QStringLiteral("zelaazz|Azzeramento archivi"));
        const auto& options = form.options();
        int journal = -1;
        for (std::size_t i = 0; i < options.size(); ++i) {
            const QString n = QString::number(i);
            auto* check = child<QCheckBox>(view, "Check1_" + n);
            QCOMPARE(check->text(), QString::fromStdString(options[i].caption));
            QCOMPARE(check->isEnabled(), options[i].enabled);
            const auto kind = options[i].kind;
            QCOMPARE(view.findChild<ui::DateField*>("data_" + n) != nullptr, kind == company::ResetOptionKind::Date);
            QCOMPARE(view.findChild<QLineEdit*>("anno_" + n) != nullptr, kind == company::ResetOptionKind::Year);
            if (options[i].caption == "Elimina le scritture contabili registrate prima del:") journal = static_cast<int>(i);
        }
        QVERIFY(journal >= 0);
        const QString n = QString::number(journal);
        QCOMPARE(child<ui::DateField>(view, "data_" + n)->date(), QDate(2026, 1, 1));
        toggleAsAssistant(child<QCheckBox>(view, "Check1_" + n));
        QVERIFY(form.options()[static_cast<std::size_t>(journal)].ticked);
        child<ui::DateField>(view, "data_" + n)->setDate(QDate(2027, 1, 1));
        QCOMPARE(form.options()[static_cast<std::size_t>(journal)].value, std::string("01/01/2027"));

        test.platform.defaultAnswer = true;
        click(view, "bottone_1");
        QCOMPARE(child<QLabel>(view, "Label1")->text(), QString());
        // The only entry was dated before the cut-off.
        QVERIFY(test.drive.read(folder + "kalvora.gio").empty());
    }

    // zelacnv: a bar per archive group; Conferma asks, converts an old count file and closes.
    void conversionFillsItsBars() {
        Opened<company::ArchiveConversionForm, ui::ArchiveConversionView> opened([](TestSession& t) {
            t.drive.makeInstallation(0);
            t.drive.write(folder + "kalvora.tot", std::string(12 * 15, '\0'));
        });
        auto& [test, form, view] = opened;
        QCOMPARE(view.objectName() + "|" + view.windowTitle(), QStringLiteral("zelacnv|Conversione archivi"));
        QCOMPARE(child<QLabel>(view, "Label1_0")->text(), QStringLiteral("Contatori"));
        test.platform.answers = {true};
        click(view, "bottone_1");
        QCOMPARE(child<QProgressBar>(view, "ProgressBar1_0")->value(), 100);
        QVERIFY(form.closed() && !view.isVisible());
        QCOMPARE(test.drive.read(folder + "kalvora.tot").size(), std::size_t(50 * 140));
    }

    // zelabem: the folder chosen in Dir1 shows in Text1; Conferma copies its files.
    void importCopiesTheChosenFolder() {
        Opened<company::CompatibleImportForm, ui::CompatibleImportView> opened([](TestSession& t) {
            t.drive.makeInstallation(0);
            t.drive.write("altro/kalvora.tot", "contatori");
        });
        auto& [test, form, view] = opened;
        QCOMPARE(view.objectName() + "|" + view.windowTitle(),
                 QStringLiteral("zelabem|Conversione archivi di programmi compatibili"));
        auto* folders = child<QListWidget>(view, "Dir1");
        const auto found = folders->findItems(QStringLiteral("altro"), Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        folders->setFocus();
        folders->setCurrentItem(found.first());
        QTest::keyClick(folders, Qt::Key_Return);
        QVERIFY(child<QLineEdit>(view, "Text1")->text().endsWith(QStringLiteral("altro")));
        test.platform.answers = {true};
        click(view, "bottone_1");
        QCOMPARE(test.drive.read(folder + "kalvora.tot"), std::string("contatori"));
        QVERIFY(form.closed());
    }
    // zelalet: the choice reaches the form, "esegui verifica" fills List1 and ends with its message.
    void readOnlyCheckListsTheFiles() {
        Opened<company::ReadOnlyCheckForm, ui::ReadOnlyCheckView> opened([](TestSession& t) {
            t.drive.makeInstallation(0);
            t.drive.write(folder + "kalvora.cli", "clienti");
            std::filesystem::permissions(t.drive.path(folder + "kalvora.cli"), std::filesystem::perms::owner_read);
        });
        auto& [test, form, view] = opened;
        QCOMPARE(view.objectName() + "|" + view.windowTitle(),
                 QStringLiteral("zelalet|Verifica attributi sola lettura archivi"));
        QVERIFY(child<QRadioButton>(view, "Option1_0")->isChecked());
        child<QRadioButton>(view, "Option1_1")->click();
        QVERIFY(form.scope() == company::ReadOnlyCheckForm::Scope::AllFiles);
        click(view, "esegui");
        auto* list = child<QListWidget>(view, "List1");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(1)->text(), QStringLiteral("Correggo il file kalvora.cli     Status -> OK"));
    }

    // zelaind: the boxes show the counts; a bad value keeps the window open with the focus on
    // it, a good one is written on Conferma.
    void countersRefuseThenWrite() {
        Opened<company::ArchiveCountersForm, ui::ArchiveCountersView> opened([](TestSession& t) {
            t.drive.makeInstallation(0);
            t.drive.write(folder + "kalvora.tot", kalvora::testing::countsFile({{6, 3}}, 25, 0));
        });
        auto& [test, form, view] = opened;
        QCOMPARE(view.objectName() + "|" + view.windowTitle(), QStringLiteral("zelaind|Variazione indici"));
        auto* accounts = child<QLineEdit>(view, "text1_17");
        QCOMPARE(accounts->text() + "|" + accounts->accessibleName(), QStringLiteral("3|Piano dei conti"));
        type(accounts, "5");
        type(child<QLineEdit>(view, "Text2_4"), "12x");
        click(view, "bottone_1");
        QVERIFY(view.isVisible() && test.platform.messages().size() == 1);
        QCOMPARE(view.focusWidget(), child<QLineEdit>(view, "Text2_4"));
        type(child<QLineEdit>(view, "Text2_4"), "12");
        child<QComboBox>(view, "Combo1")->activated(3);
        child<QCheckBox>(view, "nume_1")->click();
        click(view, "bottone_1");
        QVERIFY(form.closed() && !view.isVisible());
        const std::string tot = test.drive.read(folder + "kalvora.tot");
        QCOMPARE(kalvora::testing::countIn(tot, 6), 5.0);
        QCOMPARE(tot.substr(22 * 140 + 40, 1) + tot.substr(23 * 140 + 40, 1), std::string("31"));
    }
};

QTEST_MAIN(CompanyViewsTest)
#include "company_views_test.moc"
