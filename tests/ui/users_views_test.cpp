// The wiring of the login, password change and users table windows: controls found by name,
// typing, Enter and the buttons reach the form, and the result shows.
#include "launcher/login_form.h"
#include "launcher/password_form.h"
#include "launcher/users_fixture.h"
#include "launcher/users_table_form.h"
#include "ui/login_view.h"
#include "ui/password_view.h"
#include "ui/users_table_view.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

using namespace kalvora;
using kalvora::testing::scrambledBytes;
using kalvora::testing::TestSession;

namespace {

void showActive(QWidget& w) {
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

QLineEdit* edit(QWidget& root, const QString& name) { return root.findChild<QLineEdit*>(name); }

void typeInto(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

}  // namespace

class UsersViewsTest : public QObject {
    Q_OBJECT

private slots:
    void login();
    void passwordChange();
    void usersTable();
};

void UsersViewsTest::login() {
    TestSession t;
    kalvora::testing::writeRawUsers(t.drive, {{1, {"Amministratore", scrambledBytes("capo")}},
                                              {3, {"Lucia", scrambledBytes("lucia")}}});
    launcher::LoginForm form(t.session);
    form.open();
    ui::LoginView view(form);
    QCOMPARE(view.objectName(), QStringLiteral("zelchkp"));
    QCOMPARE(view.windowTitle(), QStringLiteral("Inserimento password di accesso"));
    showActive(view);
    QLineEdit* field = edit(view, "text1");
    QCOMPARE(view.focusWidget(), field);
    QCOMPARE(field->echoMode(), QLineEdit::Password);
    QVERIFY(!view.findChild<QToolButton*>("continua")->isVisible());

    typeInto(field, "sbagliata");
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(t.platform.shown.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(t.platform.shown[0].text), QStringLiteral("La password immessa non è corretta"));
    QVERIFY(view.isVisible());
    typeInto(field, "lucia");
    QTest::mouseClick(view.findChild<QToolButton*>("bottone_1"), Qt::LeftButton);
    QVERIFY(form.closed());
    QVERIFY(!view.isVisible());
    QCOMPARE(t.session.run().userCaption, std::string(" 03 Lucia"));
}

void UsersViewsTest::passwordChange() {
    TestSession t;
    kalvora::testing::writeRawUsers(t.drive, {{1, {"Amministratore", scrambledBytes("capo")}},
                                              {2, {"Mario", scrambledBytes("vecchia")}}});
    t.session.run().userCaption = " 02 Mario";
    launcher::PasswordForm form(t.session);
    form.open();
    ui::PasswordView view(form);
    QCOMPARE(view.objectName(), QStringLiteral("zelpasw"));
    showActive(view);
    QLineEdit* current = edit(view, "text1_0");
    QLineEdit* fresh = edit(view, "text1_1");
    QCOMPARE(view.focusWidget(), current);
    QTest::keyClicks(current, "vecchia");
    QTest::keyClick(current, Qt::Key_Return);
    QCOMPARE(view.focusWidget(), fresh);
    QTest::keyClicks(fresh, "nuova");
    QTest::keyClick(fresh, Qt::Key_Return);
    QVERIFY(form.closed());
    QVERIFY(!view.isVisible());
    QCOMPARE(kalvora::testing::fileLines(t.drive).at(6), scrambledBytes("nuova"));
}

void UsersViewsTest::usersTable() {
    TestSession t;
    t.drive.makeInstallation();
    launcher::UsersTableForm form(t.session);
    form.open();
    ui::UsersTableView view(form);
    QCOMPARE(view.objectName(), QStringLiteral("zelstpwd"));
    showActive(view);
    QCOMPARE(edit(view, "text1_1")->text(), QStringLiteral("Amministratore"));
    QCOMPARE(edit(view, "sc4_1")->text(), QString::fromUtf8(launcher::defaultAdministratorPassword()));
    QVERIFY(edit(view, "sc4_18") && !edit(view, "text1_19"));
    QVERIFY(view.findChild<QPushButton*>("disattiva"));

    // Typing goes into the table at once; the page selector moves the grid.
    typeInto(edit(view, "text1_12"), "Anna");
    typeInto(edit(view, "sc4_12"), "anna");
    auto* page = view.findChild<QScrollBar*>("selpag");
    page->setValue(10);
    QCOMPARE(form.firstEntry(), 10);
    QCOMPARE(edit(view, "text1_3")->text(), QStringLiteral("Anna"));
    QTest::keyClick(edit(view, "sc4_18"), Qt::Key_Return);
    QCOMPARE(page->value(), 11);

    QTest::mouseClick(view.findChild<QToolButton*>("bottone_1"), Qt::LeftButton);
    QVERIFY(form.closed());
    QVERIFY(!view.isVisible());
    const auto lines = kalvora::testing::fileLines(t.drive);
    QCOMPARE(lines.size(), std::size_t(495));
    QCOMPARE(lines[55], std::string("Anna"));
    QCOMPARE(lines[56], scrambledBytes("anna"));
}

QTEST_MAIN(UsersViewsTest)
#include "users_views_test.moc"
