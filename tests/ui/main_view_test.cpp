// The wiring of the kalxena window against the fake platform: the menu bar mirrors the form's
// menu tree, the captions and pictures follow the form, the close box ends at once.
#include "company/company_creation.h"
#include "launcher/login_form.h"
#include "launcher/main_form.h"
#include "launcher/users_fixture.h"
#include "support/test_session.h"
#include "ui/date_field.h"
#include "ui/main_view.h"

#include <QAction>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

#include <functional>

using namespace kalvora;

namespace {

// The first start as a user plays it: nobody to log in, a company named "Prova".
struct Fixture {
    Fixture() {
        test.drive.makeInstallation();
        test.platform.modalHandlers["zelchkp"] = [](core::Form& f) {
            dynamic_cast<launcher::LoginForm&>(f).continuePressed();
        };
        test.platform.modalHandlers["zelcrea"] = [](core::Form& f) {
            auto& creation = dynamic_cast<company::CompanyCreationForm&>(f);
            creation.setField(0, "Prova");
            creation.confirm();
        };
    }
    template <typename T> T* child(const char* name) const { return view.findChild<T*>(QLatin1String(name)); }

    kalvora::testing::TestSession test{core::Date{2026, 3, 15}};
    launcher::MainForm form{test.session};
    ui::MainView view{form};
};

// Walks the model and the widgets side by side; returns the first difference, empty when none.
QString compareMenus(const ui::MainView& view, const std::vector<launcher::MenuEntry>& entries, int& count) {
    for (const auto& e : entries) {
        ++count;
        const QString name = QString::fromStdString(e.name);
        const QAction* action = view.findChild<QAction*>(name);
        if (!action) return name + ": no action";
        if (action->text() != QString::fromStdString(e.caption)) return name + ": caption " + action->text();
        if (action->isVisible() != e.visible) return name + ": visibility";
        // Qt reports every hidden action as disabled.
        if (e.visible && action->isEnabled() != e.enabled) return name + ": state";
        if (!e.children.empty()) {
            const QMenu* menu = view.findChild<QMenu*>(name);
            if (!menu || action->menu() != menu) return name + ": no submenu";
            if (menu->actions().size() != static_cast<qsizetype>(e.children.size())) return name + ": entries";
            const QString inner = compareMenus(view, e.children, count);
            if (!inner.isEmpty()) return inner;
        }
    }
    return {};
}

// A click on the field's arrow drops its calendar down.
void dropDown(QDateEdit* date) {
    date->setFocus();
    QTest::mouseClick(date, Qt::LeftButton, {}, QPoint(date->width() - 6, date->height() / 2));
}

bool anyHiddenOrDisabled(const std::vector<launcher::MenuEntry>& entries) {
    for (const auto& e : entries)
        if (!e.visible || !e.enabled || anyHiddenOrDisabled(e.children)) return true;
    return false;
}

}  // namespace

class MainViewTest : public QObject {
    Q_OBJECT

private slots:
    void startupRunsOnceAfterTheWindowIsShown();
    void menuBarMirrorsTheMenuTree();
    void imageControlsCarryItalianNamesAndTips();
    void closeBoxEndsWithoutQuestions();
    void changeUserLogsInAgainAndRebuildsTheMenus();
    void f10OpensTheFirstMenu();
    void aRefusedDateGoesBackToTheComputersDate();
    void aDateFromTheCalendarIsSetOnce();
    void groupMenusTakeTheFocusFromTheDateField();
};

void MainViewTest::startupRunsOnceAfterTheWindowIsShown() {
    Fixture f;
    QCOMPARE(f.view.objectName(), QStringLiteral("kalxena"));
    QVERIFY(!f.form.started());
    QVERIFY(!f.child<QToolButton>("Image2")->isVisibleTo(&f.view));

    f.view.show();
    QTRY_VERIFY(f.form.started());
    f.view.hide();
    f.view.show();
    QTest::qWait(20);
    QCOMPARE(f.test.platform.modalsOpened, (std::vector<std::string>{"zelchkp", "zelcrea"}));

    QCOMPARE(f.view.windowTitle(), QStringLiteral("Kalvora Zaft 15.E"));
    QVERIFY(f.child<QToolButton>("Image2")->isVisible());
    QCOMPARE(f.child<QLabel>("selazienda")->text(), QStringLiteral("000 Prova"));
    QCOMPARE(f.child<QLabel>("selazienda2")->text(), QStringLiteral("2026"));
    QCOMPARE(f.child<QLabel>("nuser")->text(), QStringLiteral(" 00 Utente non identificato"));
    QVERIFY(!f.child<QLabel>("user0")->isVisible());
    QCOMPARE(f.view.focusWidget(), f.child<QLineEdit>("text1"));
    // The key field is shown but lies outside the window's visible area.
    QVERIFY(f.child<QLineEdit>("text1")->isVisible());
    QVERIFY(!f.view.rect().intersects(QRect(f.child<QLineEdit>("text1")->mapTo(&f.view, QPoint(0, 0)),
                                            f.child<QLineEdit>("text1")->size())));
}

void MainViewTest::menuBarMirrorsTheMenuTree() {
    Fixture f;
    f.view.show();
    QTRY_VERIFY(f.form.started());
    // A menu of the bar gets its entries when it first opens, with the states of that moment.
    QMenu* utilities = f.view.findChild<QMenu*>("m_uti");
    QVERIFY(utilities && utilities->actions().isEmpty());
    QVERIFY(!f.view.findChild<QAction*>("s_pwd"));
    f.view.menuBar()->setActiveAction(utilities->menuAction());
    QTRY_VERIFY(utilities->isVisible());
    QVERIFY(!utilities->actions().isEmpty());
    QVERIFY(f.view.findChild<QAction*>("s_pwd"));
    utilities->hide();
    f.view.fillAllMenus();
    const auto& menus = f.form.menus();
    QVERIFY(anyHiddenOrDisabled(menus));  // some entries are disabled for want of their window
    int count = 0;
    const QString difference = compareMenus(f.view, menus, count);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    QVERIFY(count > 20);
    QCOMPARE(f.view.menuBar()->actions().size(), static_cast<qsizetype>(menus.size()));
    QCOMPARE(f.view.findChild<QAction*>("o_fin")->text(), QStringLiteral("Fine lavoro"));

    // This user is denied nothing and nothing is hidden yet: change entries of the tree in
    // place to see that a refresh carries every state across, both ways.
    auto& tree = const_cast<std::vector<launcher::MenuEntry>&>(menus);
    launcher::MenuEntry* first = &tree.front();
    launcher::MenuEntry* leaf = first;
    while (!leaf->children.empty()) leaf = &leaf->children.back();
    first->visible = false;
    leaf->enabled = false;
    leaf->caption = "Voce rinominata";
    f.view.refresh();
    count = 0;
    QString again = compareMenus(f.view, menus, count);
    QVERIFY2(again.isEmpty(), qPrintable(again));
    first->visible = true;
    leaf->enabled = true;
    f.view.refresh();
    again = compareMenus(f.view, menus, count);
    QVERIFY2(again.isEmpty(), qPrintable(again));
}

void MainViewTest::imageControlsCarryItalianNamesAndTips() {
    Fixture f;
    auto* company = f.child<QToolButton>("Image2");
    QCOMPARE(company->toolTip(), QStringLiteral(" Seleziona una diversa azienda/studio "));
    QCOMPARE(company->accessibleName(), QStringLiteral("Seleziona una diversa azienda/studio"));
    auto* changeUser = f.child<QToolButton>("user2");
    QCOMPARE(changeUser->toolTip(), QStringLiteral(" Cambia utente "));
    QCOMPARE(changeUser->accessibleName(), QStringLiteral("Cambia utente"));
    auto* notice = f.child<QToolButton>("oklinkbut");
    QVERIFY(!notice->accessibleName().isEmpty());
    QCOMPARE(notice->toolTip(), notice->accessibleName());
    for (QToolButton* b : {company, changeUser, notice}) QVERIFY(!b->icon().isNull());
    QVERIFY(f.child<QWidget>("datax"));
    QVERIFY(!f.child<QWidget>("datax")->accessibleName().isEmpty());
}

void MainViewTest::closeBoxEndsWithoutQuestions() {
    Fixture f;
    f.view.show();
    QTRY_VERIFY(f.form.started());
    f.view.close();
    QVERIFY(f.form.exiting());
    QVERIFY(f.test.platform.quitCalled);
    QVERIFY(f.test.platform.questions().empty());
    QVERIFY(!f.view.isVisible());
}

void MainViewTest::changeUserLogsInAgainAndRebuildsTheMenus() {
    Fixture f;
    // Mario Rossi is denied the customers' archive (privilege position 101).
    auto lines = kalvora::testing::rawUserLines({{1, {"Amministratore", kalvora::testing::scrambledBytes("capo")}},
                                                 {2, {"Mario Rossi", kalvora::testing::scrambledBytes("mario")}}});
    lines[9] = std::string(100, '0') + "1";
    f.test.drive.write(kalvora::testing::usersPath, kalvora::testing::joinCrLf(lines));
    std::string password = "capo";
    bool pictureShownMeanwhile = false;
    f.test.platform.modalHandlers["zelchkp"] = [&](core::Form& form) {
        pictureShownMeanwhile = f.child<QLabel>("user0")->isVisible();
        auto& login = dynamic_cast<launcher::LoginForm&>(form);
        login.setPassword(password);
        login.confirm();
    };
    f.view.show();
    QTRY_VERIFY(f.form.started());
    f.view.fillAllMenus();
    auto* changeUser = f.child<QToolButton>("user2");
    QVERIFY(changeUser->isVisible());
    QCOMPARE(f.child<QLabel>("nuser")->text(), QStringLiteral(" 01 Amministratore"));
    QVERIFY(f.child<QLabel>("user0")->isVisible());
    QVERIFY(f.view.findChild<QAction*>("x_kalcli")->isEnabled());

    password = "mario";
    QTest::mouseClick(changeUser, Qt::LeftButton);
    QCOMPARE(f.test.platform.modalsOpened, (std::vector<std::string>{"zelchkp", "zelcrea", "zelchkp"}));
    QVERIFY(!pictureShownMeanwhile);
    QCOMPARE(f.child<QLabel>("nuser")->text(), QStringLiteral(" 02 Mario Rossi"));
    QVERIFY(f.child<QLabel>("user0")->isVisible());
    QVERIFY(!f.view.findChild<QAction*>("x_kalcli")->isEnabled());
    QVERIFY(f.view.findChild<QAction*>("x_kalemf")->isEnabled());
    QVERIFY(f.view.isVisible());
}

void MainViewTest::f10OpensTheFirstMenu() {
    Fixture f;
    f.view.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.view));
    QTRY_VERIFY(f.form.started());
    QVERIFY(!f.view.menuBar()->activeAction());
    QTest::keyClick(f.child<QLineEdit>("text1"), Qt::Key_F10);
    QAction* active = f.view.menuBar()->activeAction();
    QVERIFY(active);
    QCOMPARE(active->objectName(), QStringLiteral("m_azi"));
    QCOMPARE(active->text(), QStringLiteral("Aziende"));
    QTRY_VERIFY(active->menu()->isVisible());
    active->menu()->hide();
}

void MainViewTest::aRefusedDateGoesBackToTheComputersDate() {
    Fixture f;
    f.view.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.view));
    QTRY_VERIFY(f.form.started());
    auto* date = f.child<QDateEdit>("datax");
    QCOMPARE(date->date(), QDate(2026, 3, 15));

    f.test.platform.setDateResult = 1;
    date->setFocus();
    date->setDate(QDate(2026, 4, 2));
    QTest::keyClick(date, Qt::Key_Return);
    QCOMPARE(f.test.platform.datesSet, (std::vector<core::Date>{{2026, 4, 2}}));
    QCOMPARE(f.test.platform.messages().size(), std::size_t{1});
    QCOMPARE(f.test.platform.messages()[0].title, std::string("Attenzione"));
    QCOMPARE(date->date(), QDate(2026, 3, 15));

    // Leaving the field after that changes nothing more.
    f.child<QLineEdit>("text1")->setFocus();
    QCOMPARE(f.test.platform.datesSet.size(), std::size_t{1});
    QCOMPARE(f.test.platform.messages().size(), std::size_t{1});

    // Typing today's date again is no change at all.
    date->setFocus();
    QTest::keyClick(date, Qt::Key_Return);
    QCOMPARE(f.test.platform.datesSet.size(), std::size_t{1});
}

void MainViewTest::aDateFromTheCalendarIsSetOnce() {
    Fixture f;
    f.view.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.view));
    QTRY_VERIFY(f.form.started());
    auto* date = f.child<ui::DateField>("datax");
    // The calendar is made only when the field is first reached for.
    QVERIFY(!date->builtCalendar());
    QCalendarWidget* calendar = date->calendarWidget();
    QVERIFY(calendar);
    dropDown(date);
    QTRY_VERIFY(calendar->isVisible());
    calendar->setSelectedDate(QDate(2026, 3, 20));
    QTest::keyClick(calendar->focusWidget() ? calendar->focusWidget() : calendar, Qt::Key_Return);
    QTRY_COMPARE(f.test.platform.datesSet, (std::vector<core::Date>{{2026, 3, 20}}));
    QTRY_VERIFY(!calendar->isVisible());
    // The fixed clock keeps today where it was: the field follows it.
    QCOMPARE(date->date(), QDate(2026, 3, 15));
    QTest::qWait(20);
    QCOMPARE(f.test.platform.datesSet.size(), std::size_t{1});
}

void MainViewTest::groupMenusTakeTheFocusFromTheDateField() {
    Fixture f;
    f.view.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.view));
    QTRY_VERIFY(f.form.started());
    auto* date = f.child<QDateEdit>("datax");
    auto* keys = f.child<QLineEdit>("text1");
    QMenuBar* bar = f.view.menuBar();
    auto open = [&](const char* name) {
        QMenu* menu = f.view.findChild<QMenu*>(QLatin1String(name));
        bar->setActiveAction(menu->menuAction());
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
    };

    // "Assistenza" is not one of them.
    date->setFocus();
    open("m_ass");
    QCOMPARE(f.view.focusWidget(), date);
    for (const char* group : {"m_azi", "m_uti", "m_ven", "m_con"}) {
        date->setFocus();
        QCOMPARE(f.view.focusWidget(), date);
        open(group);
        QVERIFY2(f.view.focusWidget() == keys, group);
    }

    // With the calendar dropped down.
    dropDown(date);
    QTRY_VERIFY(date->calendarWidget()->isVisible());
    open("m_azi");
    QCOMPARE(f.view.focusWidget(), keys);
    QVERIFY(f.test.platform.datesSet.empty());
}

QTEST_MAIN(MainViewTest)
#include "main_view_test.moc"
