// The wiring of the login, password change and users table windows against the fake platform:
// control names, accessible names, Enter, buttons and close box, the paging of the users grid.
#include "launcher/login_form.h"
#include "launcher/password_form.h"
#include "launcher/users_table_form.h"
#include "launcher/users_fixture.h"
#include "ui/login_view.h"
#include "ui/password_view.h"
#include "ui/users_table_view.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

using namespace kalvora;
using kalvora::testing::scrambledBytes;
using kalvora::testing::TestSession;

namespace {

template <typename T>
T* child(QWidget& root, const QString& name) {
    return root.findChild<T*>(name);
}

QLineEdit* edit(QWidget& root, const QString& name) { return child<QLineEdit>(root, name); }

void showActive(QWidget& w) {
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

// The only thing shown was this refusal, titled "Attenzione" with the stop icon.
bool refusedWith(const TestSession& t, const std::string& text) {
    return t.platform.shown.size() == 1 && t.platform.shown[0].text == text &&
           t.platform.shown[0].title == "Attenzione" && t.platform.shown[0].icon == core::Icon::Critical;
}

void typeInto(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

}  // namespace

class UsersViewsTest : public QObject {
    Q_OBJECT

private slots:
    void loginGreetsAndContinuesWithoutAUsersFile();
    void loginCloseBoxInInformationModeContinues();
    void loginByPasswordWithEnterAndButton();
    void loginCloseBoxWithoutAMatchEndsTheProgram();
    void loginCloseBoxWithAMatchLogsIn();
    void passwordChangeFieldsAndEnter();
    void passwordChangeRefusesAWrongCurrentPasswordAndCancels();
    void usersTableShowsEighteenNamedRowsAndPages();
    void usersTableEnterWalksTheGridAndPagesOn();
    void usersTableConfirmSavesAndRefusesAnEmptyAdministratorPassword();
    void usersTableDisableAsksFirst();
};

void UsersViewsTest::loginGreetsAndContinuesWithoutAUsersFile() {
    for (const bool byKey : {false, true}) {
        TestSession t;
        t.drive.makeInstallation();
        launcher::LoginForm form(t.session);
        form.open();
        ui::LoginView view(form);
        QCOMPARE(view.objectName(), QStringLiteral("zelchkp"));
        QCOMPARE(view.windowTitle(), QStringLiteral("Informazioni"));
        showActive(view);
        QCOMPARE(child<QLabel>(view, "saluto")->text(), QStringLiteral("Buon lavoro con Kalvora"));
        auto* proceed = child<QToolButton>(view, "continua");
        QVERIFY(proceed->isVisible());
        QCOMPARE(proceed->accessibleName(), QStringLiteral("Continua"));
        QCOMPARE(proceed->toolTip(), QStringLiteral("Continua"));
        QVERIFY(!proceed->icon().isNull());
        QVERIFY(!edit(view, "text1")->isVisible());
        QVERIFY(!child<QToolButton>(view, "bottone_1")->isVisible());
        QCOMPARE(view.focusWidget(), proceed);

        if (byKey)
            QTest::keyClick(&view, Qt::Key_Return);
        else
            QTest::mouseClick(proceed, Qt::LeftButton);
        QVERIFY(form.closed());
        QVERIFY(!view.isVisible());
        QCOMPARE(t.session.run().userCaption, std::string(" 00 Utente non identificato"));
        QVERIFY(!t.platform.quitCalled);
    }
}

void UsersViewsTest::loginCloseBoxInInformationModeContinues() {
    TestSession t;
    t.drive.makeInstallation();
    launcher::LoginForm form(t.session);
    form.open();
    ui::LoginView view(form);
    showActive(view);
    view.close();
    QVERIFY(form.closed());
    QVERIFY(!view.isVisible());
    QCOMPARE(t.session.run().userCaption, std::string(" 00 Utente non identificato"));
    QVERIFY(!form.programEnded());
}

void UsersViewsTest::loginByPasswordWithEnterAndButton() {
    for (const bool byButton : {false, true}) {
        TestSession t;
        kalvora::testing::writeRawUsers(t.drive, {{1, {"Amministratore", scrambledBytes("capo")}},
                                                  {3, {"Lucia", scrambledBytes("lucia")}}});
        launcher::LoginForm form(t.session);
        form.open();
        ui::LoginView view(form);
        QCOMPARE(view.windowTitle(), QStringLiteral("Inserimento password di accesso"));
        showActive(view);
        QLineEdit* field = edit(view, "text1");
        auto* confirm = child<QToolButton>(view, "bottone_1");
        QVERIFY(field->isVisible());
        QCOMPARE(field->echoMode(), QLineEdit::Password);
        QCOMPARE(field->accessibleName(), QStringLiteral("Password di accesso"));
        QCOMPARE(view.focusWidget(), field);
        QVERIFY(confirm->isVisible());
        QCOMPARE(confirm->accessibleName(), QStringLiteral("Conferma"));
        QCOMPARE(confirm->toolTip(), QStringLiteral("Conferma"));
        QVERIFY(!child<QToolButton>(view, "continua")->isVisible());

        // Escape does not leave: without a password that would end the program.
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(view.isVisible());
        QVERIFY(!form.closed());

        typeInto(field, "sbagliata");
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(refusedWith(t, "La password immessa non è corretta"));
        QVERIFY(view.isVisible());
        QCOMPARE(view.focusWidget(), field);
        // The refused text is selected, so typing again replaces it.
        QCOMPARE(field->selectedText(), QStringLiteral("sbagliata"));

        QTest::keyClicks(field, "lucia");
        QCOMPARE(field->text(), QStringLiteral("lucia"));
        if (byButton)
            QTest::mouseClick(confirm, Qt::LeftButton);
        else
            QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(form.closed());
        QVERIFY(!view.isVisible());
        QCOMPARE(t.session.run().userCaption, std::string(" 03 Lucia"));
        QVERIFY(form.userPictureVisible());
        QCOMPARE(t.platform.shown.size(), std::size_t(1));
    }
}

void UsersViewsTest::loginCloseBoxWithoutAMatchEndsTheProgram() {
    TestSession t;
    kalvora::testing::writeRawUsers(t.drive, {{1, {"Amministratore", scrambledBytes("capo")}}});
    launcher::LoginForm form(t.session);
    form.open();
    ui::LoginView view(form);
    showActive(view);
    typeInto(edit(view, "text1"), "altro");
    view.close();
    QVERIFY(form.programEnded());
    QVERIFY(t.platform.quitCalled);
    QVERIFY(!view.isVisible());
    QVERIFY(t.session.run().userCaption.empty());
}

void UsersViewsTest::loginCloseBoxWithAMatchLogsIn() {
    TestSession t;
    kalvora::testing::writeRawUsers(t.drive, {{1, {"Amministratore", scrambledBytes("capo")}}});
    launcher::LoginForm form(t.session);
    form.open();
    ui::LoginView view(form);
    showActive(view);
    typeInto(edit(view, "text1"), "capo");
    view.close();
    QVERIFY(!form.programEnded());
    QVERIFY(!t.platform.quitCalled);
    QVERIFY(!view.isVisible());
    QCOMPARE(t.session.run().userCaption, std::string(" 01 Amministratore"));
}

void UsersViewsTest::passwordChangeFieldsAndEnter() {
    TestSession t;
    kalvora::testing::writeRawUsers(t.drive, {{1, {"Amministratore", scrambledBytes("capo")}},
                                              {2, {"Mario", scrambledBytes("vecchia")}}});
    t.session.run().userCaption = " 02 Mario";
    launcher::PasswordForm form(t.session);
    form.open();
    ui::PasswordView view(form);
    QCOMPARE(view.objectName(), QStringLiteral("zelpasw"));
    QCOMPARE(view.windowTitle(), QStringLiteral("Imposta password"));
    QVERIFY(view.findChild<QGroupBox*>());
    QCOMPARE(view.findChild<QGroupBox*>()->title(), QStringLiteral("Personalizza la password di accesso"));
    showActive(view);
    QLineEdit* current = edit(view, "text1_0");
    QLineEdit* fresh = edit(view, "text1_1");
    QCOMPARE(current->echoMode(), QLineEdit::Password);
    QCOMPARE(fresh->echoMode(), QLineEdit::Password);
    QCOMPARE(current->accessibleName(), QStringLiteral("Password attuale"));
    QCOMPARE(fresh->accessibleName(), QStringLiteral("Nuova password"));
    QCOMPARE(child<QToolButton>(view, "bottone_1")->accessibleName(), QStringLiteral("Conferma"));
    QCOMPARE(child<QToolButton>(view, "bottone_0")->accessibleName(), QStringLiteral("Annulla"));
    QCOMPARE(view.focusWidget(), current);

    QTest::keyClicks(current, "vecchia");
    QTest::keyClick(current, Qt::Key_Return);
    QCOMPARE(view.focusWidget(), fresh);
    QVERIFY(view.isVisible());
    QTest::keyClicks(fresh, "nuova");
    QTest::keyClick(fresh, Qt::Key_Return);
    QVERIFY(form.closed());
    QVERIFY(!view.isVisible());
    QVERIFY(t.platform.shown.empty());
    const auto lines = kalvora::testing::fileLines(t.drive);
    QCOMPARE(lines.size(), std::size_t(495));
    QCOMPARE(lines[6], scrambledBytes("nuova"));
    QCOMPARE(lines[1], scrambledBytes("capo"));
}

void UsersViewsTest::passwordChangeRefusesAWrongCurrentPasswordAndCancels() {
    for (const bool closeBox : {false, true}) {
        TestSession t;
        kalvora::testing::writeRawUsers(t.drive, {{2, {"Mario", scrambledBytes("vecchia")}}});
        const std::string before = t.drive.read(kalvora::testing::usersPath);
        t.session.run().userCaption = " 02 Mario";
        launcher::PasswordForm form(t.session);
        form.open();
        ui::PasswordView view(form);
        showActive(view);
        QLineEdit* current = edit(view, "text1_0");
        typeInto(current, "sbagliata");
        typeInto(edit(view, "text1_1"), "nuova");
        QTest::mouseClick(child<QToolButton>(view, "bottone_1"), Qt::LeftButton);
        QVERIFY(refusedWith(t, "La password immessa non corrisponde con quella impostata precedentemente"));
        QVERIFY(view.isVisible());
        QCOMPARE(view.focusWidget(), current);

        if (closeBox)
            view.close();
        else
            QTest::mouseClick(child<QToolButton>(view, "bottone_0"), Qt::LeftButton);
        QVERIFY(form.closed());
        QVERIFY(!view.isVisible());
        QCOMPARE(t.drive.read(kalvora::testing::usersPath), before);
    }
}

void UsersViewsTest::usersTableShowsEighteenNamedRowsAndPages() {
    TestSession t;
    t.drive.makeInstallation();
    launcher::UsersTableForm form(t.session);
    form.open();
    ui::UsersTableView view(form);
    QCOMPARE(view.objectName(), QStringLiteral("zelstpwd"));
    QCOMPARE(view.windowTitle(), QStringLiteral("Tabella utenti"));
    QCOMPARE(view.findChild<QGroupBox*>()->title(),
             QStringLiteral("Tabella degli utenti e relative password di accesso"));
    showActive(view);
    QCOMPARE(edit(view, "text1_1")->text(), QStringLiteral("Amministratore"));
    QCOMPARE(edit(view, "sc4_1")->text(), QString::fromUtf8(launcher::defaultAdministratorPassword()));
    QCOMPARE(edit(view, "sc4_1")->echoMode(), QLineEdit::Normal);
    QVERIFY(!edit(view, "text1_19") && !edit(view, "text1_0"));
    for (int r = 1; r <= 18; ++r) {
        QCOMPARE(edit(view, QStringLiteral("text1_%1").arg(r))->accessibleName(), QStringLiteral("Nome utente %1").arg(r));
        QCOMPARE(edit(view, QStringLiteral("sc4_%1").arg(r))->accessibleName(), QStringLiteral("Password %1").arg(r));
    }
    auto* page = child<QScrollBar>(view, "selpag");
    QCOMPARE(page->orientation(), Qt::Vertical);
    QCOMPARE(page->minimum(), 1);
    QCOMPARE(page->maximum(), 82);
    QCOMPARE(page->value(), 1);
    QCOMPARE(view.focusWidget(), edit(view, "text1_1"));

    // Typing goes into the table at once; the row keeps its user when the grid moves.
    typeInto(edit(view, "text1_12"), "Giuseppe Verdi");
    typeInto(edit(view, "sc4_12"), "giuseppe");
    page->setValue(10);
    QCOMPARE(form.firstEntry(), 10);
    QCOMPARE(edit(view, "text1_1")->accessibleName(), QStringLiteral("Nome utente 10"));
    QCOMPARE(edit(view, "text1_3")->text(), QStringLiteral("Giuseppe Verdi"));
    QCOMPARE(edit(view, "sc4_3")->text(), QStringLiteral("giuseppe"));
    QCOMPARE(edit(view, "text1_12")->text(), QString());
    QTest::keyClick(edit(view, "text1_3"), Qt::Key_PageDown);
    QCOMPARE(page->value(), 28);
    QCOMPARE(form.firstEntry(), 28);
    page->setValue(1);
    QCOMPARE(edit(view, "text1_12")->text(), QStringLiteral("Giuseppe Verdi"));
    QCOMPARE(form.row(12).name, std::string("Giuseppe Verdi"));
}

void UsersViewsTest::usersTableEnterWalksTheGridAndPagesOn() {
    TestSession t;
    t.drive.makeInstallation();
    launcher::UsersTableForm form(t.session);
    form.open();
    ui::UsersTableView view(form);
    showActive(view);
    auto* page = child<QScrollBar>(view, "selpag");
    QTest::keyClick(edit(view, "text1_5"), Qt::Key_Return);
    QCOMPARE(view.focusWidget(), edit(view, "sc4_5"));
    QTest::keyClick(edit(view, "sc4_5"), Qt::Key_Return);
    QCOMPARE(view.focusWidget(), edit(view, "text1_6"));
    // From the last row the grid moves one user on and the focus stays in the last row.
    QTest::keyClick(edit(view, "sc4_18"), Qt::Key_Return);
    QCOMPARE(page->value(), 2);
    QCOMPARE(view.focusWidget(), edit(view, "text1_18"));
    QCOMPARE(edit(view, "text1_18")->accessibleName(), QStringLiteral("Nome utente 19"));
    page->setValue(82);
    QTest::keyClick(edit(view, "sc4_18"), Qt::Key_Return);
    QCOMPARE(page->value(), 82);
    QCOMPARE(view.focusWidget(), edit(view, "sc4_18"));
    QCOMPARE(edit(view, "sc4_18")->accessibleName(), QStringLiteral("Password 99"));
}

void UsersViewsTest::usersTableConfirmSavesAndRefusesAnEmptyAdministratorPassword() {
    TestSession t;
    t.drive.makeInstallation();
    launcher::UsersTableForm form(t.session);
    form.open();
    ui::UsersTableView view(form);
    showActive(view);
    auto* page = child<QScrollBar>(view, "selpag");
    edit(view, "sc4_1")->setFocus();
    edit(view, "sc4_1")->selectAll();
    QTest::keyClick(edit(view, "sc4_1"), Qt::Key_Delete);
    page->setValue(40);
    edit(view, "text1_4")->setFocus();
    QTest::mouseClick(child<QToolButton>(view, "bottone_1"), Qt::LeftButton);
    QVERIFY(refusedWith(t, "Non è possibile eliminare la password dell'amministratore!"));
    QVERIFY(view.isVisible());
    QCOMPARE(page->value(), 1);
    QCOMPARE(view.focusWidget(), edit(view, "sc4_1"));
    QVERIFY(!t.drive.exists(kalvora::testing::usersPath));

    QTest::keyClicks(edit(view, "sc4_1"), "nuovocapo");
    typeInto(edit(view, "text1_2"), "Anna");
    typeInto(edit(view, "sc4_2"), "anna");
    QTest::mouseClick(child<QToolButton>(view, "bottone_1"), Qt::LeftButton);
    QVERIFY(form.closed());
    QVERIFY(!view.isVisible());
    const auto lines = kalvora::testing::fileLines(t.drive);
    QCOMPARE(lines.size(), std::size_t(495));
    QCOMPARE(lines[0], std::string("Amministratore"));
    QCOMPARE(lines[1], scrambledBytes("nuovocapo"));
    QCOMPARE(lines[5], std::string("Anna"));
    QCOMPARE(lines[6], scrambledBytes("anna"));
}

void UsersViewsTest::usersTableDisableAsksFirst() {
    TestSession t;
    kalvora::testing::writeRawUsers(t.drive, {{1, {"Amministratore", scrambledBytes("capo")}}});
    t.platform.answers = {false, true};
    launcher::UsersTableForm form(t.session);
    form.open();
    ui::UsersTableView view(form);
    showActive(view);
    auto* disable = child<QPushButton>(view, "disattiva");
    QCOMPARE(disable->text(), QStringLiteral("Disattiva"));

    QTest::mouseClick(disable, Qt::LeftButton);
    QCOMPARE(t.platform.questions().size(), std::size_t(1));
    QCOMPARE(t.platform.questions()[0].title, std::string("Attenzione"));
    QVERIFY(view.isVisible());
    QVERIFY(t.drive.exists(kalvora::testing::usersPath));

    QTest::mouseClick(disable, Qt::LeftButton);
    QVERIFY(form.closed());
    QVERIFY(!view.isVisible());
    QVERIFY(!t.drive.exists(kalvora::testing::usersPath));
}

QTEST_MAIN(UsersViewsTest)
#include "users_views_test.moc"
