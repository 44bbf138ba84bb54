// The wiring of the kalxena window against the fake platform: the menu bar mirrors the form's
// menu tree, the captions and toolbar follow the form, the close box ends at once.
#include "launcher/login_form.h"
#include "launcher/main_form.h"
#include "launcher/users_fixture.h"
#include "support/test_session.h"
#include "ui/main_view.h"
#include "ui_fixtures.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

using namespace kalvora;

namespace {

// Company 000 "Prova" and nobody to log in.
struct Fixture {
    explicit Fixture(const std::string& toolbarFile = {}) {
        test.drive.makeInstallation(0);
        test.drive.write(kalvora::testing::registryPath, kalvora::testing::registryBytes({{0, "Prova"}}));
        if (!toolbarFile.empty()) test.drive.write(kalvora::testing::toolbarPath, toolbarFile);
        test.platform.modalHandlers["zelchkp"] = [](core::Form& f) {
            dynamic_cast<launcher::LoginForm&>(f).continuePressed();
        };
    }
    template <typename T> T* child(const QString& name) const { return view.findChild<T*>(name); }
    bool started() {
        view.show();
        return QTest::qWaitFor([this] { return form.started(); }, 5000);
    }

    kalvora::testing::TestSession test{core::Date{2026, 3, 15}};
    launcher::MainForm form{test.session};
    ui::MainView view{form};
};

// Walks the model and the widgets side by side; returns the first difference, empty when none.
QString compareMenus(const ui::MainView& view, const std::vector<launcher::MenuEntry>& entries) {
    for (const auto& e : entries) {
        const QString name = QString::fromStdString(e.name);
        const QAction* action = view.findChild<QAction*>(name);
        if (!action) return name + ": no action";
        if (action->text() != QString::fromStdString(e.caption)) return name + ": caption " + action->text();
        if (action->isVisible() != e.visible) return name + ": visibility";
        // Qt reports every hidden action as disabled.
        if (e.visible && action->isEnabled() != e.enabled) return name + ": state";
        if (e.children.empty()) continue;
        if (!action->menu() || action->menu()->actions().size() != qsizetype(e.children.size()))
            return name + ": entries";
        if (QString inner = compareMenus(view, e.children); !inner.isEmpty()) return inner;
    }
    return {};
}

}  // namespace

class MainViewTest : public QObject {
    Q_OBJECT

private slots:
    void startupRunsOnceAndTheMenuBarMirrorsTheMenuTree();
    void changeUserLogsInAgainAndTheCloseBoxEnds();
    void toolbarButtonsFromTheFileReachTheForm();
};

void MainViewTest::startupRunsOnceAndTheMenuBarMirrorsTheMenuTree() {
    Fixture f;
    QVERIFY(f.started());
    f.view.hide();
    f.view.show();
    QTest::qWait(20);
    QCOMPARE(f.test.platform.modalsOpened, std::vector<std::string>{"zelchkp"});
    QCOMPARE(f.view.windowTitle(), QStringLiteral("Kalvora Zaft 15.E"));
    QCOMPARE(f.child<QLabel>("selazienda")->text(), QStringLiteral("000 Prova"));
    // The key field has the focus but lies outside the window's visible area.
    auto* keys = f.child<QLineEdit>("text1");
    QCOMPARE(f.view.focusWidget(), keys);
    QVERIFY(!f.view.rect().intersects(QRect(keys->mapTo(&f.view, QPoint(0, 0)), keys->size())));

    f.view.fillAllMenus();
    QString difference = compareMenus(f.view, f.form.menus());
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    QCOMPARE(f.view.menuBar()->actions().size(), qsizetype(f.form.menus().size()));

    // A refresh carries every change of the tree across.
    auto& tree = const_cast<std::vector<launcher::MenuEntry>&>(f.form.menus());
    launcher::MenuEntry* leaf = &tree.front();
    while (!leaf->children.empty()) leaf = &leaf->children.back();
    tree.front().visible = false;
    leaf->enabled = false;
    leaf->caption = "Voce rinominata";
    f.view.refresh();
    difference = compareMenus(f.view, f.form.menus());
    QVERIFY2(difference.isEmpty(), qPrintable(difference));

    // Choosing an entry reaches the form: "Fine lavoro" asks first.
    f.view.findChild<QAction*>("o_fin")->trigger();
    QCOMPARE(f.test.platform.questions().back().text, std::string("Sei proprio sicuro?"));
}

void MainViewTest::changeUserLogsInAgainAndTheCloseBoxEnds() {
    Fixture f;
    kalvora::testing::writeRawUsers(f.test.drive, {{1, {"Amministratore", kalvora::testing::scrambledBytes("capo")}},
                                                   {2, {"Mario Rossi", kalvora::testing::scrambledBytes("mario")}}});
    std::string password = "capo";
    bool pictureShownMeanwhile = false;
    f.test.platform.modalHandlers["zelchkp"] = [&](core::Form& form) {
        pictureShownMeanwhile = f.child<QLabel>("user0")->isVisible();
        auto& login = dynamic_cast<launcher::LoginForm&>(form);
        login.setPassword(password);
        login.confirm();
    };
    QVERIFY(f.started());
    QVERIFY(f.child<QLabel>("user0")->isVisible());
    password = "mario";
    QTest::mouseClick(f.child<QToolButton>("user2"), Qt::LeftButton);
    QVERIFY(!pictureShownMeanwhile);
    QCOMPARE(f.child<QLabel>("nuser")->text(), QStringLiteral(" 02 Mario Rossi"));
    QVERIFY(f.child<QLabel>("user0")->isVisible());

    f.view.close();
    QVERIFY(f.form.exiting());
    QVERIFY(f.test.platform.quitCalled);
    QVERIFY(f.test.platform.questions().empty());
    QVERIFY(!f.view.isVisible());
}

void MainViewTest::toolbarButtonsFromTheFileReachTheForm() {
    Fixture f(kalvora::testing::toolbarBytes(
        {{2, {"*", "Informazioni", "*info"}}, {5, {"", "", "=CLI"}}, {30, {"*", "Guida", "*help1"}}}));
    auto button = [&f](int n) { return f.child<QToolButton>(QStringLiteral("bottoni1_%1").arg(n)); };
    QVERIFY(f.started());
    QVERIFY(button(2)->isVisible() && button(5)->isVisible() && button(30)->isVisible());
    QVERIFY(!button(1));
    QVERIFY(button(2)->x() < button(5)->x() && button(5)->x() < button(30)->x());
    QCOMPARE(button(2)->accessibleName(), QStringLiteral("Informazioni"));
    // Without a tooltip a module button is named after its module; past button 11 "*" has no picture.
    QCOMPARE(button(5)->accessibleName(), QStringLiteral("Gestione archivio clienti"));
    QVERIFY(!button(2)->icon().isNull());
    QVERIFY(button(30)->icon().isNull());

    QTest::mouseClick(button(2), Qt::LeftButton);
    QCOMPARE(f.test.platform.windowsShown.size(), std::size_t{1});
    QCOMPARE(f.test.platform.windowsShown[0]->name(), std::string("zelabout"));
}

QTEST_MAIN(MainViewTest)
#include "main_view_test.moc"
