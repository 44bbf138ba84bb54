// The wiring of the launcher's windows against the fake platform: the kalxena window (the menu
// bar mirrors the form's menu tree, the captions and toolbar follow the form, the close box ends
// at once) and the login, password change and users table windows (typing, Enter and the
// buttons reach the form, and the result shows).
#include "launcher/background_form.h"
#include "launcher/internet_functions.h"
#include "launcher/login_form.h"
#include "launcher/main_form.h"
#include "launcher/password_form.h"
#include "launcher/postit_form.h"
#include "launcher/users_fixture.h"
#include "launcher/users_table_form.h"
#include "controls.h"
#include "support/test_session.h"
#include "ui/launcher/assistance_view.h"
#include "ui/launcher/backdrop.h"
#include "ui/launcher/background_view.h"
#include "ui/launcher/postit_view.h"
#include "ui/login_view.h"
#include "ui/main_view.h"
#include "ui/password_view.h"
#include "ui/users_table_view.h"
#include "ui_fixtures.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

using namespace kalvora;
using kalvora::testing::scrambledBytes;

namespace {

// Company 000 "Prova" and nobody to log in.
struct Fixture {
    explicit Fixture(const std::string& toolbarFile = {}) {
        test.drive.makeInstallation(0);
        test.drive.write(kalvora::testing::registryPath, kalvora::testing::registryBytes({{0, "Prova"}}));
        test.drive.write("kalwin/kalwin/kalaz0.000/kalvora.a14", "06/12/2026\r\n");
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

// The view of `form`, shown; null unless its objectName is `name`.
template <typename View, typename Form>
std::unique_ptr<View> shown(Form& form, const char* name) {
    form.open();
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

class LauncherViewsTest : public QObject {
    Q_OBJECT

private slots:
    void startupRunsOnceAndTheMenuBarMirrorsTheMenuTree() {
        Fixture f;
        QVERIFY(f.started());
        f.view.hide();
        f.view.show();
        QTest::qWait(20);
        QCOMPARE(f.test.platform.modalsOpened, std::vector<std::string>{"zelchkp"});
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

    void changeUserLogsInAgainAndTheCloseBoxEnds() {
        Fixture f;
        kalvora::testing::writeRawUsers(f.test.drive, {{1, {"Amministratore", scrambledBytes("capo")}},
                                                       {2, {"Mario Rossi", scrambledBytes("mario")}}});
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
        QVERIFY(f.test.platform.quitCalled && f.test.platform.questions().empty());
        QVERIFY(!f.view.isVisible());
    }

    void toolbarButtonsFromTheFileReachTheForm() {
        Fixture f(kalvora::testing::toolbarBytes(
            {{2, {"*", "Informazioni", "*info"}}, {5, {"", "", "=CLI"}}, {30, {"*", "Guida", "*help1"}}}));
        auto button = [&f](int n) { return f.child<QToolButton>(QStringLiteral("bottoni1_%1").arg(n)); };
        QVERIFY(f.started());
        QVERIFY(button(2)->isVisible() && button(5)->isVisible() && button(30)->isVisible());
        QVERIFY(!button(1));
        QVERIFY(button(2)->x() < button(5)->x() && button(5)->x() < button(30)->x());
        // Without a tooltip a module button is named after its module; past button 11 "*" has no picture.
        QCOMPARE(button(2)->accessibleName() + "|" + button(5)->accessibleName(),
                 QStringLiteral("Informazioni|Gestione archivio clienti"));
        QVERIFY(!button(2)->icon().isNull() && button(30)->icon().isNull());

        QTest::mouseClick(button(2), Qt::LeftButton);
        QCOMPARE(f.test.platform.windowsShown.size(), std::size_t{1});
        QCOMPARE(f.test.platform.windowsShown[0]->name(), std::string("zelabout"));
    }

    void login() {
        kalvora::testing::TestSession t;
        kalvora::testing::writeRawUsers(t.drive, {{3, {"Lucia", scrambledBytes("lucia")}}});
        launcher::LoginForm form(t.session);
        auto view = shown<ui::LoginView>(form, "zelchkp");
        QVERIFY(view);
        typeInto(*view, "text1", "lucia");
        QTest::mouseClick(view->findChild<QToolButton*>("bottone_1"), Qt::LeftButton);
        QVERIFY(!view->isVisible());
        QCOMPARE(t.session.run().userCaption, std::string(" 03 Lucia"));
    }

    void passwordChange() {
        kalvora::testing::TestSession t;
        kalvora::testing::writeRawUsers(t.drive, {{2, {"Mario", scrambledBytes("vecchia")}}});
        t.session.run().userCaption = " 02 Mario";
        launcher::PasswordForm form(t.session);
        auto view = shown<ui::PasswordView>(form, "zelpasw");
        QVERIFY(view);
        QTest::keyClick(typeInto(*view, "text1_0", "vecchia"), Qt::Key_Return);
        QTest::keyClick(typeInto(*view, "text1_1", "nuova"), Qt::Key_Return);
        QVERIFY(!view->isVisible());
        QCOMPARE(kalvora::testing::fileLines(t.drive).at(6), scrambledBytes("nuova"));
    }

    void usersTable() {
        kalvora::testing::TestSession t;
        t.drive.makeInstallation();
        launcher::UsersTableForm form(t.session);
        auto view = shown<ui::UsersTableView>(form, "zelstpwd");
        QVERIFY(view);
        // Typing goes into the table at once; the page selector and Enter in the last row move the grid.
        typeInto(*view, "text1_12", "Anna");
        view->findChild<QScrollBar*>("selpag")->setValue(10);
        QCOMPARE(view->findChild<QLineEdit*>("text1_3")->text(), QStringLiteral("Anna"));
        QTest::keyClick(view->findChild<QLineEdit*>("sc4_18"), Qt::Key_Return);
        QCOMPARE(form.firstEntry(), 11);
        QTest::mouseClick(view->findChild<QToolButton*>("bottone_1"), Qt::LeftButton);
        QVERIFY(!view->isVisible());
        QCOMPARE(kalvora::testing::fileLines(t.drive).at(55), std::string("Anna"));
    }

    void postitIsShownDraggedAndItsPositionStored() {
        Fixture f;
        std::string notes = "Riunione\r\n 300 \r\n 150 \r\n\r\n";
        for (int i = 1; i < launcher::postitSlots; ++i) notes += "\r\n 0 \r\n 0 \r\n\r\n";
        f.test.drive.write("kalwin/kalwin/kalvora.p 0", notes);
        QVERIFY(f.started());
        auto* note = f.child<QWidget>("postit_0");
        QVERIFY(note && note->isVisible() && !f.child<QWidget>("postit_1")->isVisible());
        QCOMPARE(f.child<QLabel>("xpostit_0")->text(), QStringLiteral("Riunione"));
        QCOMPARE(note->pos(), QPoint(20, 10));

        // Held at (5, 5) and carried 40 right and 30 down.
        QTest::mousePress(note, Qt::LeftButton, {}, QPoint(5, 5));
        const QPoint to = note->mapToGlobal(QPoint(45, 35));
        QMouseEvent move(QEvent::MouseMove, note->mapFromGlobal(to), to, Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(note, &move);
        QCOMPARE(note->pos(), QPoint(60, 40));
        QTest::mouseRelease(note, Qt::LeftButton, {}, QPoint(5, 5));
        const std::string stored = f.test.drive.read("kalwin/kalwin/kalvora.p 0");
        QVERIFY(stored.starts_with("Riunione\r\n 900 \r\n 600 \r\n\r\n"));
    }

    // zelpostit: the hints go when the user moves into a field, the refusals bring the focus back
    // to the field at fault, Conferma closes with the note.
    void postitEditor() {
        kalvora::testing::TestSession t;
        launcher::PostitForm change(t.session, 4, "Riunione", "");
        QCOMPARE(ui::PostitView(change).findChild<QGroupBox*>()->title(), QStringLiteral("Modifica post-it"));

        launcher::PostitForm form(t.session, 0);
        ui::PostitView view(form);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QCOMPARE(view.objectName(), QStringLiteral("zelpostit"));
        QCOMPARE(view.findChild<QGroupBox*>()->title(), QStringLiteral("Nuovo post-it"));
        auto* text = view.findChild<QLineEdit*>("testo");
        auto* expiry = view.findChild<QLineEdit*>("scadenza");
        auto* confirm = view.findChild<QToolButton*>("bottone_1");
        QVERIFY(text && expiry && confirm);
        // The focus the window opens with leaves the hints in place.
        QCOMPARE(QApplication::focusWidget(), text);
        QCOMPARE(text->text(), QStringLiteral("Testo..."));
        QCOMPARE(expiry->text(), QStringLiteral("dd/mm/yyyy"));

        QTest::mouseClick(confirm, Qt::LeftButton);
        QVERIFY(view.isVisible());
        QCOMPARE(t.platform.last()->text, std::string("Non è stato definito il testo del post-it"));
        QCOMPARE(QApplication::focusWidget(), text);

        QTest::keyClick(text, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), expiry);
        QCOMPARE(expiry->text(), QString());
        QCOMPARE(text->text(), QStringLiteral("Testo..."));
        QTest::mouseClick(text, Qt::LeftButton);
        QCOMPARE(text->text(), QString());

        QTest::keyClicks(text, QStringLiteral("Riunione"));
        typeInto(view, "scadenza", QStringLiteral("1/1/2027"));
        QTest::mouseClick(confirm, Qt::LeftButton);
        QVERIFY(view.isVisible());
        QCOMPARE(t.platform.last()->text, std::string("La data di scadenza non è corretta"));
        QCOMPARE(QApplication::focusWidget(), expiry);

        typeInto(view, "scadenza", QStringLiteral("01/01/2027"));
        QTest::mouseClick(confirm, Qt::LeftButton);
        QVERIFY(!view.isVisible());
        QCOMPARE(form.result(), launcher::PostitForm::Confirmed);
        QCOMPARE(form.text() + " " + form.expiry(), std::string("Riunione 01/01/2027"));
    }

    void backgroundSelection() {
        kalvora::testing::TestSession t;
        t.drive.makeInstallation();
        int applied = 0;
        launcher::BackgroundForm form(t.session, [&applied] { ++applied; });
        auto view = shown<ui::BackgroundView>(form, "zelbgr");
        QVERIFY(view);
        QCOMPARE(view->findChildren<QRadioButton*>().size(), qsizetype(18));
        QVERIFY(view->findChild<QRadioButton*>("imm_0")->isChecked());
        kalvora::testing::toggleAsAssistant(view->findChild<QRadioButton*>("imm_1"));
        typeInto(*view, "text1", "/foto/mare.jpg");
        t.platform.colourAnswers = {255};
        QTest::mouseClick(view->findChild<QPushButton*>("selcar"), Qt::LeftButton);
        QCOMPARE(view->findChild<QLabel*>("carattere")->palette().color(QPalette::Window), QColor(255, 0, 0));
        QTest::mouseClick(view->findChild<QToolButton*>("bottone_1"), Qt::LeftButton);
        QVERIFY(!view->isVisible());
        QCOMPARE(applied, 1);
        QCOMPARE(t.drive.read("kalwin/kalwin/kalvora.bgr"), std::string("1\r\n/foto/mare.jpg\r\n 255 \r\n"));
    }

    void backdropShowsTheColourWhenThePictureDoesNotLoad() {
        kalvora::testing::TestSession t;
        t.drive.makeInstallation();
        t.drive.write("kalwin/kalwin/rotta.jpg", "non è una immagine");
        const std::string stored = "1\r\n" + t.drive.path("kalwin/kalwin/rotta.jpg") + "\r\n 33023 \r\n";
        t.drive.write("kalwin/kalwin/kalvora.bgr", stored);
        QWidget window;
        window.resize(200, 150);
        auto* backdrop = new ui::Backdrop(&window);
        backdrop->resize(window.size());
        const auto inst = t.session.installation();
        backdrop->setBackground(t.files, inst, launcher::readBackground(t.files, inst));
        QCOMPARE(backdrop->look(), ui::Backdrop::Look::Colour);
        QCOMPARE(backdrop->grab().toImage().pixelColor(100, 75), QColor(255, 128, 0));
        QCOMPARE(t.drive.read("kalwin/kalwin/kalvora.bgr"), stored);

        // A delivered picture missing from the installation is drawn there and shown.
        backdrop->setBackground(t.files, inst, {3, "", 33023});
        QCOMPARE(backdrop->look(), ui::Backdrop::Look::Picture);
        QCOMPARE(t.drive.read("kalwin/kalwin/sfondo2.bmp").substr(0, 2), std::string("BM"));
        QVERIFY(backdrop->grab().toImage().pixelColor(100, 75) != QColor(255, 128, 0));
        QCOMPARE(QImage(QString::fromStdString(t.drive.path("kalwin/kalwin/sfondo2.bmp"))).size(), QSize(1024, 768));
        // One already there is shown as it is, scaled to cover the area.
        QImage blue(4, 3, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        QVERIFY(blue.save(QString::fromStdString(t.drive.path("kalwin/kalwin/sfondo3.bmp"))));
        const std::string before = t.drive.read("kalwin/kalwin/sfondo3.bmp");
        backdrop->setBackground(t.files, inst, {4, "", 33023});
        QCOMPARE(backdrop->grab().toImage().pixelColor(199, 0), QColor(Qt::blue));
        QCOMPARE(t.drive.read("kalwin/kalwin/sfondo3.bmp"), before);
    }

    // zelstass: the pages switch by their buttons, a function button starts kalfass.
    void assistancePages() {
        kalvora::testing::TestSession t;
        t.drive.makeInstallation();
        launcher::AssistanceForm form(t.session, 2);
        auto view = std::make_unique<ui::AssistanceView>(form);
        view->show();
        QCOMPARE(view->objectName(), QStringLiteral("zelstass"));
        const auto current = [&view] { return view->findChild<QStackedWidget*>()->currentWidget()->objectName(); };
        QCOMPARE(current(), QStringLiteral("Frame2"));
        QTest::mouseClick(view->findChild<QPushButton*>("bottoni1_6"), Qt::LeftButton);
        QCOMPARE(current(), QStringLiteral("Frame1"));
        QVERIFY(!view->findChild<QPushButton*>("bottoni1_6")->isVisible());
        QTest::mouseClick(view->findChild<QPushButton*>("bottoni1_3"), Qt::LeftButton);
        QCOMPARE(current(), QStringLiteral("Frame3"));
        QTest::mouseClick(view->findChild<QPushButton*>("bottoni1_9"), Qt::LeftButton);
        QCOMPARE(t.platform.started.size(), std::size_t(1));
        QCOMPARE(t.platform.started[0].arguments, std::vector<std::string>{"016"});
        QTest::mouseClick(view->findChild<QPushButton*>("bottoni1_4"), Qt::LeftButton);
        QVERIFY(!view->isVisible());
    }
};

QTEST_MAIN(LauncherViewsTest)
#include "launcher_views_test.moc"
