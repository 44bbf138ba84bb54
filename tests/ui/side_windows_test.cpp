// Windows opened beside the main window through the real platform: the payment terms and VAT
// codes tables from their menu entries, the information window from the toolbar. Each is a
// top-level window of its own that does not block the main window, works, is opened once at a
// time, and is gone with its form once closed.
#include "core/clock.h"
#include "core/files.h"
#include "core/session.h"
#include "launcher/main_form.h"
#include "support/temp_drive.h"
#include "ui/app.h"
#include "ui/qt_platform.h"
#include "ui/views.h"
#include "ui_fixtures.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace kalvora;

namespace {

constexpr const char* tablesPath = "kalwin/kalwin/kalaz0.000/kalvora.tab";

struct Fixture {
    Fixture() {
        drive.makeInstallation(0);
        drive.write(kalvora::testing::registryPath, kalvora::testing::registryBytes({{0, "Prova"}}));
        ui::registerViews(platform);
    }

    // The one visible top-level window with this name, or nullptr.
    static QWidget* window(const char* name) {
        QWidget* found = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible() || w->objectName() != QLatin1String(name)) continue;
            if (found) return nullptr;
            found = w;
        }
        return found;
    }

    kalvora::testing::TempDrive drive;
    core::FixedClock clock{core::Date{2026, 3, 15}};
    core::Files files;
    ui::QtPlatform platform;
    core::Session session{core::Installation(drive.root()), platform, clock, files};
    launcher::MainForm form{session};
};

// A form whose end can be seen.
class ProbeForm : public core::Form {
public:
    ProbeForm(core::Session& session, bool& destroyed) : core::Form(session), destroyed_(destroyed) {}
    ~ProbeForm() override { destroyed_ = true; }
    std::string name() const override { return "zelprova"; }
    std::string title() const override { return "Prova"; }
    void finish() { close(); }

private:
    bool& destroyed_;
};

// Closes its form from a button or from the close box, as every view does.
class ProbeView : public QWidget {
public:
    explicit ProbeView(ProbeForm& form) : form_(form) {
        setObjectName(QStringLiteral("zelprova"));
        auto* done = new QPushButton(QStringLiteral("Fatto"), this);
        done->setObjectName(QStringLiteral("fatto"));
        connect(done, &QPushButton::clicked, this, [this] {
            form_.finish();
            hide();
        });
    }

protected:
    void closeEvent(QCloseEvent*) override { form_.finish(); }

private:
    ProbeForm& form_;
};

}  // namespace

class SideWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(ui::installItalianTranslations(*QCoreApplication::instance())); }
    void paymentTermsOpenFromTheMenuEditConfirmAndGo();
    void vatCodesOpenFromTheMenuAndTheCloseBoxLeavesTheFileAlone();
    void informationWindowFromTheToolbarClosesWithItsButton();
    void aClosedWindowFreesItsForm();
};

void SideWindowsTest::paymentTermsOpenFromTheMenuEditConfirmAndGo() {
    Fixture f;
    f.form.chooseMenu("x_pag");
    // The menu handler is back while the window stays open.
    QPointer<QWidget> table = Fixture::window("zelstpag");
    QVERIFY(table);
    QVERIFY(table->isWindow());
    QVERIFY(!table->parentWidget());
    QCOMPARE(table->windowModality(), Qt::NonModal);
    QCOMPARE(table->windowTitle(), QStringLiteral("Tabella modalità di pagamento"));

    auto* description = table->findChild<QLineEdit*>("text1_0");
    QVERIFY(description);
    description->setFocus();
    QTest::keyClicks(description, "Rimessa diretta");
    // Chosen again, the same window comes forward with what was typed: a second editor of the
    // file would save over this one.
    f.form.chooseMenu("x_pag");
    QCOMPARE(Fixture::window("zelstpag"), table.data());
    QCOMPARE(description->text(), QStringLiteral("Rimessa diretta"));
    QTest::mouseClick(table->findChild<QToolButton*>("bottone_1"), Qt::LeftButton);
    QTRY_VERIFY(!table);

    const std::vector<std::string> lines = *f.files.readLines(f.drive.path(tablesPath));
    QCOMPARE(lines.size(), std::size_t{930});
    QCOMPARE(lines[92], std::string("Rimessa diretta"));

    // Opened again, it shows what was saved.
    f.form.chooseMenu("x_pag");
    table = Fixture::window("zelstpag");
    QVERIFY(table);
    QCOMPARE(table->findChild<QLineEdit*>("text1_0")->text(), QStringLiteral("Rimessa diretta"));
    table->close();
    QTRY_VERIFY(!table);
}

void SideWindowsTest::vatCodesOpenFromTheMenuAndTheCloseBoxLeavesTheFileAlone() {
    Fixture f;
    f.form.chooseMenu("x_iva");
    QPointer<QWidget> table = Fixture::window("zelstiva");
    QVERIFY(table);
    QVERIFY(table->isWindow());
    QVERIFY(!table->parentWidget());
    QCOMPARE(table->windowModality(), Qt::NonModal);
    QCOMPARE(table->windowTitle(), QStringLiteral("Tabella codici iva"));
    auto* first = table->findChild<QLineEdit*>("text1_0");
    QVERIFY(first);
    first->setFocus();
    QTest::keyClicks(first, "22");
    QCOMPARE(first->text(), QStringLiteral("22"));

    const std::string before = f.drive.read(tablesPath);
    table->close();
    QTRY_VERIFY(!table);
    QCOMPARE(f.drive.read(tablesPath), before);
}

void SideWindowsTest::informationWindowFromTheToolbarClosesWithItsButton() {
    Fixture f;
    // Button 1 of the default toolbar.
    f.form.toolbarClicked(1);
    QPointer<QWidget> info = Fixture::window("zelabout");
    QVERIFY(info);
    QVERIFY(info->isWindow());
    QCOMPARE(info->windowModality(), Qt::NonModal);
    QCOMPARE(info->windowTitle(), QStringLiteral("Informazioni"));
    auto* version = info->findChild<QLabel*>("versione");
    QVERIFY(version);
    QCOMPARE(version->text(), QStringLiteral("versione 'ZAFT' 15.E"));
    auto* picture = info->findChild<QWidget*>("immagine");
    QVERIFY(picture && picture->isVisible());
    // The picture is drawn, not left blank.
    const QImage drawn = picture->grab().toImage();
    QVERIFY(drawn.pixelColor(drawn.width() / 2, drawn.height() / 2) != info->palette().color(QPalette::Window));

    auto* close = info->findChild<QPushButton*>("chiudi");
    QVERIFY(close);
    QCOMPARE(close->text(), QStringLiteral("Chiudi"));
    QTest::mouseClick(close, Qt::LeftButton);
    QTRY_VERIFY(!info);

    // Esc closes it too; a second click meanwhile opens no second window.
    f.form.toolbarClicked(1);
    info = Fixture::window("zelabout");
    QVERIFY(info);
    f.form.toolbarClicked(1);
    QCOMPARE(Fixture::window("zelabout"), info.data());
    QTest::keyClick(info, Qt::Key_Escape);
    QTRY_VERIFY(!info);
}

void SideWindowsTest::aClosedWindowFreesItsForm() {
    Fixture f;
    f.platform.registerView("zelprova", [](core::Form& form, QWidget*) -> QWidget* {
        return new ProbeView(dynamic_cast<ProbeForm&>(form));
    });
    for (const bool byCloseBox : {false, true}) {
        bool destroyed = false;
        f.platform.show(std::make_unique<ProbeForm>(f.session, destroyed));
        QPointer<QWidget> window = Fixture::window("zelprova");
        QVERIFY(window);
        QVERIFY(!destroyed);
        if (byCloseBox)
            window->close();
        else
            QTest::mouseClick(window->findChild<QPushButton*>("fatto"), Qt::LeftButton);
        QTRY_VERIFY(!window);
        QVERIFY(destroyed);
    }
}

QTEST_MAIN(SideWindowsTest)
#include "side_windows_test.moc"
