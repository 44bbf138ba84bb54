// The wiring of the login, password change and users table windows: controls found by name,
// typing, Enter and the buttons reach the form, and the result shows.
#include "launcher/password_form.h"
#include "launcher/users_fixture.h"
#include "launcher/users_table_form.h"
#include "ui/login_view.h"
#include "ui/password_view.h"
#include "ui/users_table_view.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

using namespace kalvora;
using kalvora::testing::scrambledBytes;

namespace {

// The view of `form`, shown; null unless its objectName is `name`.
template <typename View, typename Form>
std::unique_ptr<View> shown(Form& form, const char* name) {
    auto view = std::make_unique<View>(form);
    view->show();
    return view->objectName() == QLatin1String(name) && QTest::qWaitForWindowActive(view.get()) ? std::move(view) : nullptr;
}

QLineEdit* typeInto(QWidget& root, const char* name, const QString& text) {
    auto* field = root.findChild<QLineEdit*>(name);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    return field;
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
    kalvora::testing::TestSession t;
    kalvora::testing::writeRawUsers(t.drive, {{3, {"Lucia", scrambledBytes("lucia")}}});
    launcher::LoginForm form(t.session);
    form.open();
    auto view = shown<ui::LoginView>(form, "zelchkp");
    QVERIFY(view);
    typeInto(*view, "text1", "lucia");
    QTest::mouseClick(view->findChild<QToolButton*>("bottone_1"), Qt::LeftButton);
    QVERIFY(!view->isVisible());
    QCOMPARE(t.session.run().userCaption, std::string(" 03 Lucia"));
}

void UsersViewsTest::passwordChange() {
    kalvora::testing::TestSession t;
    kalvora::testing::writeRawUsers(t.drive, {{2, {"Mario", scrambledBytes("vecchia")}}});
    t.session.run().userCaption = " 02 Mario";
    launcher::PasswordForm form(t.session);
    form.open();
    auto view = shown<ui::PasswordView>(form, "zelpasw");
    QVERIFY(view);
    QTest::keyClick(typeInto(*view, "text1_0", "vecchia"), Qt::Key_Return);
    QTest::keyClick(typeInto(*view, "text1_1", "nuova"), Qt::Key_Return);
    QVERIFY(!view->isVisible());
    QCOMPARE(kalvora::testing::fileLines(t.drive).at(6), scrambledBytes("nuova"));
}

void UsersViewsTest::usersTable() {
    kalvora::testing::TestSession t;
    t.drive.makeInstallation();
    launcher::UsersTableForm form(t.session);
    form.open();
    auto view = shown<ui::UsersTableView>(form, "zelstpwd");
    QVERIFY(view);
    // Typing goes into the table at once; the page selector and Enter in the last row move the grid.
    typeInto(*view, "text1_12", "Anna");
    auto* page = view->findChild<QScrollBar*>("selpag");
    page->setValue(10);
    QCOMPARE(view->findChild<QLineEdit*>("text1_3")->text(), QStringLiteral("Anna"));
    QTest::keyClick(view->findChild<QLineEdit*>("sc4_18"), Qt::Key_Return);
    QCOMPARE(form.firstEntry(), 11);
    QTest::mouseClick(view->findChild<QToolButton*>("bottone_1"), Qt::LeftButton);
    QVERIFY(!view->isVisible());
    QCOMPARE(kalvora::testing::fileLines(t.drive).at(55), std::string("Anna"));
}

QTEST_MAIN(UsersViewsTest)
#include "users_views_test.moc"
