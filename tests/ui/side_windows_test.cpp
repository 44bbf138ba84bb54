// The main window's menu entries through the real menu table, with the real views registered:
// every entry on offer opens a window of a registered view or starts something; a window
// opened beside the main one is single.
#include "core/clock.h"
#include "core/files.h"
#include "core/session.h"
#include "launcher/main_form.h"
#include "launcher/users_file.h"
#include "support/temp_drive.h"
#include "ui/qt_platform.h"
#include "ui/views.h"
#include "ui_fixtures.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <algorithm>

using namespace kalvora;

namespace {

// The real platform, except that modal windows are only made, not waited for, and what would
// leave the program (programs, documents, dialogs, questions) is written down instead.
class RecordingPlatform : public ui::QtPlatform {
public:
    std::vector<std::string> done;

    void showModal(core::Form& form) override {
        std::unique_ptr<QWidget> view(createView(form));
        done.push_back((view ? "window " : "no view ") + form.name());
    }
    void show(std::unique_ptr<core::Form> form) override {
        done.push_back((hasView(*form) ? "window " : "no view ") + form->name());
        ui::QtPlatform::show(std::move(form));
    }
    int startProgram(const std::string& program, const std::vector<std::string>&, const std::string&) override {
        return note("program " + program, 0);
    }
    std::string desktopProgram(core::DesktopTool) override { return "/usr/bin/true"; }
    int openDocument(const std::string& target) override { return note("document " + target, 42); }
    void printerSetup() override { note("printer setup"); }
    bool askYesNo(const std::string& text, const std::string&, core::Icon) override { return note("question " + text); }
    void message(const std::string& text, const std::string&, core::Icon) override { note("message " + text); }

private:
    int note(std::string what, int result = 0) {
        done.push_back(std::move(what));
        return result;
    }
};

struct Fixture {
    Fixture() {
        drive.makeInstallation(0);
        drive.write(kalvora::testing::registryPath, kalvora::testing::registryBytes({{0, "Prova"}, {5, "Beta"}}));
        drive.write("kalwin/kalwin/kalaz0.000/kalvora.a14", "15/03/2026\r\n");
        launcher::UsersTable users{};
        users[1] = {"Amministratore", *launcher::scramble("capo"), "9", "", std::string(500, '0')};
        users[2] = {"Mario", *launcher::scramble("mario"), "", "", std::string(500, '0')};
        launcher::writeUsers(files, session.installation(), users);
        ui::registerViews(platform);
    }

    // The one visible top-level window with this name, or nullptr.
    static QWidget* window(const char* name) {
        const auto all = QApplication::topLevelWidgets();
        const auto named = [name](QWidget* w) { return w->isVisible() && w->objectName() == QLatin1String(name); };
        return std::count_if(all.begin(), all.end(), named) == 1 ? *std::find_if(all.begin(), all.end(), named) : nullptr;
    }

    kalvora::testing::TempDrive drive;
    core::FixedClock clock{core::Date{2026, 3, 15}};
    core::Files files;
    RecordingPlatform platform;
    core::Session session{core::Installation(drive.root()), platform, clock, files};
    launcher::MainForm form{session};
};

// The entries a user can choose: visible and enabled leaves of the tree.
void offered(const std::vector<launcher::MenuEntry>& entries, std::vector<std::string>& out) {
    for (const auto& e : entries) {
        if (!e.visible || !e.enabled) continue;
        if (e.children.empty()) out.push_back(e.name);
        offered(e.children, out);
    }
}

}  // namespace

class SideWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void everyEntryOnOfferOpensSomething() {
        Fixture f;
        f.form.startup();
        QCOMPARE(f.platform.done, std::vector<std::string>{"window zelchkp"});
        std::vector<std::string> entries;
        offered(f.form.menus(), entries);
        QVERIFY(entries.size() > 100);
        for (const std::string& entry : entries) {
            // The administrator may open the users table, another user his password; the company
            // windows refuse company 000.
            bool opened = false;
            std::string outcome;
            for (const char* user : {" 01 Amministratore", " 02 Mario"}) {
                f.session.run().userCaption = user;
                f.session.company().companyCaption = "005 Beta";
                f.platform.done.clear();
                f.form.chooseMenu(entry);
                for (const std::string& done : f.platform.done) {
                    outcome += done + "; ";
                    QVERIFY2(!done.starts_with("no view"), qPrintable(QString::fromStdString(entry + ": " + done)));
                    opened = opened || !done.starts_with("message");
                }
            }
            QVERIFY2(opened, qPrintable(QString::fromStdString(entry + " opened nothing: " + outcome)));
        }
        // A window beside the main one is single: chosen again, the one open comes forward.
        QPointer<QWidget> table = Fixture::window("zelstpag");
        QVERIFY(table && !table->parentWidget());
        QCOMPARE(table->windowModality(), Qt::NonModal);
        f.form.chooseMenu("x_pag");
        QCOMPARE(Fixture::window("zelstpag"), table.data());
        table->close();
        QTRY_VERIFY(!table);

        f.form.toolbarClicked(1);  // "*info" of the default toolbar
        QPointer<QWidget> info = Fixture::window("zelabout");
        QVERIFY(info);
        QCOMPARE(info->findChild<QLabel*>("versione")->text(), QStringLiteral("versione 'ZAFT' 15.E"));
        QTest::mouseClick(info->findChild<QPushButton*>("chiudi"), Qt::LeftButton);
        QTRY_VERIFY(!info);
        for (QWidget* w : QApplication::topLevelWidgets()) w->close();
    }
};

QTEST_MAIN(SideWindowsTest)
#include "side_windows_test.moc"
