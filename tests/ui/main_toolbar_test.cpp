// The toolbar bottoni1 of the kalxena window against the fake platform: the buttons the toolbar
// file gives, their pictures, names and order, the row refilled on resize, the tooltip label
// and clicks reaching the form.
#include "launcher/login_form.h"
#include "launcher/main_form.h"
#include "support/test_session.h"
#include "ui/app_style.h"
#include "ui/icons.h"
#include "ui/main_view.h"
#include "ui/toolbar_row.h"
#include "ui_fixtures.h"

#include <QApplication>
#include <QEnterEvent>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

#include <memory>
#include <thread>

using namespace kalvora;
using kalvora::testing::toolbarBytes;
using kalvora::testing::toolbarPath;

namespace {

struct Fixture {
    explicit Fixture(const std::string& toolbarFile = {}) {
        test.drive.makeInstallation();
        test.drive.write(kalvora::testing::registryPath, kalvora::testing::registryBytes({{0, "Prova"}}));
        if (!toolbarFile.empty()) test.drive.write(toolbarPath, toolbarFile);
        test.platform.modalHandlers["zelchkp"] = [](core::Form& f) {
            dynamic_cast<launcher::LoginForm&>(f).continuePressed();
        };
        view = std::make_unique<ui::MainView>(form);
        view->show();
    }
    bool started() {
        return QTest::qWaitFor([this] { return form.started(); }, 5000);
    }
    QToolButton* button(int n) const { return view->findChild<QToolButton*>(QStringLiteral("bottoni1_%1").arg(n)); }
    ui::ToolbarRow* row() const { return view->findChild<ui::ToolbarRow*>(QStringLiteral("bottoni1")); }
    QLabel* label() const { return view->findChild<QLabel*>(QStringLiteral("label")); }
    // The visible buttons' numbers from left to right.
    std::vector<int> visibleButtons() const {
        std::vector<std::pair<int, int>> at;
        for (int n = 1; n <= launcher::Toolbar::buttonCount; ++n)
            if (QToolButton* b = button(n); b && b->isVisible()) at.emplace_back(b->x(), n);
        std::sort(at.begin(), at.end());
        std::vector<int> numbers;
        for (const auto& [x, n] : at) numbers.push_back(n);
        return numbers;
    }

    kalvora::testing::TestSession test{core::Date{2026, 3, 15}};
    launcher::MainForm form{test.session};
    std::unique_ptr<ui::MainView> view;
};

void hover(QWidget* w) {
    QEnterEvent enter(QPointF(4, 4), w->mapToGlobal(QPointF(4, 4)), w->mapToGlobal(QPointF(4, 4)));
    QApplication::sendEvent(w, &enter);
}

void leave(QWidget* w) {
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(w, &event);
}

}  // namespace

class MainToolbarTest : public QObject {
    Q_OBJECT

private slots:
    void defaultToolbarHasElevenNamedButtonsWithPictures();
    void onlyButtonThirtyTakesTheFirstPlace();
    void theRowHoldsWhatFitsAndIsLaidOutAgainOnResize();
    void pictureFieldsStarEmptyPathAndBrokenFile();
    void aButtonWithoutTooltipStillHasAName();
    void tooltipLabelShowsBesideTheButtonUnderTheMouse();
    void clicksReachTheFormAndTheWindowFollows();
    void drawnPicturesExistForEveryDefaultCommand();
};

void MainToolbarTest::defaultToolbarHasElevenNamedButtonsWithPictures() {
    Fixture f;
    // Nothing to click before the start-up has read the toolbar file.
    QVERIFY(!f.row()->isVisible());
    QVERIFY(f.started());
    QVERIFY(f.row()->isVisible());
    QCOMPARE(f.visibleButtons(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    QVERIFY(!f.button(12));
    for (std::size_t i = 0; i < launcher::defaultToolbar.size(); ++i) {
        QToolButton* b = f.button(static_cast<int>(i) + 1);
        const QString tip = QString::fromUtf8(launcher::defaultToolbar[i].tooltip.data(),
                                              static_cast<qsizetype>(launcher::defaultToolbar[i].tooltip.size()));
        QCOMPARE(b->accessibleName(), tip);
        QCOMPARE(b->toolTip(), tip);
        QVERIFY2(!b->icon().isNull(), qPrintable(tip));
    }
    QCOMPARE(f.button(1)->accessibleName(), QStringLiteral("Informazioni"));
    QCOMPARE(f.button(11)->accessibleName(), QStringLiteral("Fine lavoro"));
    // One step between neighbours, in order.
    QCOMPARE(f.button(2)->x() - f.button(1)->x(), ui::ToolbarRow::step);
    QCOMPARE(f.button(11)->x() - f.button(1)->x(), 10 * ui::ToolbarRow::step);
}

void MainToolbarTest::onlyButtonThirtyTakesTheFirstPlace() {
    Fixture f(toolbarBytes({{30, {"*", "Trentesimo", "*info"}}}));
    QVERIFY(f.started());
    QCOMPARE(f.visibleButtons(), std::vector<int>{30});
    QCOMPARE(f.button(30)->x(), ui::ToolbarRow::margin);
    QCOMPARE(f.button(30)->accessibleName(), QStringLiteral("Trentesimo"));
    // Past button 11 "*" has no built-in picture to keep.
    QVERIFY(f.button(30)->icon().isNull());
    for (int n = 1; n < 30; ++n) QVERIFY(!f.button(n));
}

void MainToolbarTest::theRowHoldsWhatFitsAndIsLaidOutAgainOnResize() {
    Fixture f;
    QVERIFY(f.started());
    // Room for exactly four buttons in the row.
    const int fourButtons = 2 * ui::ToolbarRow::margin + 4 * ui::ToolbarRow::step - ui::ToolbarRow::gap;
    f.row()->resize(fourButtons, f.row()->height());
    QCOMPARE(f.visibleButtons(), (std::vector<int>{1, 2, 3, 4}));
    f.row()->resize(fourButtons - 1, f.row()->height());
    QCOMPARE(f.visibleButtons(), (std::vector<int>{1, 2, 3}));
    // The window's own width decides once it is laid out again.
    f.view->resize(900, 600);
    QTRY_COMPARE(f.row()->width(), 900);
    QCOMPARE(f.visibleButtons().size(), std::size_t{11});
    QCOMPARE(f.row()->shownButtons(), f.visibleButtons());
}

void MainToolbarTest::pictureFieldsStarEmptyPathAndBrokenFile() {
    kalvora::testing::TempDrive pictures;
    QImage red(40, 40, QImage::Format_ARGB32);
    red.fill(Qt::red);
    const std::string good = pictures.path("rosso.png");
    QVERIFY(red.save(QString::fromStdString(good)));
    pictures.write("rotto.png", std::string("\x89PNG\r\n\x1a\n garbage \0\xff", 20));

    Fixture f(toolbarBytes({
        {1, {"*", "Informazioni", "*info"}},
        {2, {"", "Guida in linea", "*help1"}},
        {3, {good, "Immagine", "*assistenza"}},
        {4, {pictures.path("manca.png"), "Mancante", "*backup"}},
        {5, {pictures.path("rotto.png"), "Rotta", "*restore"}},
        {6, {"  " + good + "  ", "Con spazi", "*calcolatrice"}},
    }));
    QVERIFY(f.started());
    QCOMPARE(f.visibleButtons(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    QVERIFY(!f.button(1)->icon().isNull());
    QVERIFY(f.button(2)->icon().isNull());
    const QImage shown = f.button(3)->icon().pixmap(32, 32).toImage();
    QVERIFY(!shown.isNull());
    QCOMPARE(QColor(shown.pixel(16, 16)), QColor(Qt::red));
    QVERIFY(f.button(4)->icon().isNull());
    QVERIFY(f.button(5)->icon().isNull());
    QVERIFY(!f.button(6)->icon().isNull());
    // A button without a picture keeps a frame so it can still be seen.
    QVERIFY(!f.button(2)->autoRaise());
    QVERIFY(f.button(1)->autoRaise());
}

void MainToolbarTest::aButtonWithoutTooltipStillHasAName() {
    Fixture f(toolbarBytes({{1, {"*", "", "*info"}}, {2, {"", "", "=CLI"}}, {3, {"", "  ", "*mailarc"}}}));
    QVERIFY(f.started());
    QCOMPARE(f.button(1)->accessibleName(), QStringLiteral("Informazioni"));
    QCOMPARE(f.button(2)->accessibleName(), QStringLiteral("Gestione archivio clienti"));
    QVERIFY(!f.button(3)->accessibleName().trimmed().isEmpty());
}

void MainToolbarTest::tooltipLabelShowsBesideTheButtonUnderTheMouse() {
    Fixture f(toolbarBytes({{1, {"*", "Informazioni", "*info"}},
                            {2, {"*", "Guida", "*help1"}},
                            {3, {"*", "", "*assistenza"}}}));
    QVERIFY(f.started());
    QLabel* label = f.label();
    QVERIFY(label);
    QVERIFY(!label->isVisible());

    hover(f.button(2));
    QVERIFY(label->isVisible());
    QCOMPARE(label->text(), QStringLiteral(" Guida "));
    const QRect button(f.button(2)->mapTo(f.view.get(), QPoint(0, 0)), f.button(2)->size());
    const QRect shown(label->mapTo(f.view.get(), QPoint(0, 0)), label->size());
    QVERIFY(!shown.intersects(button));
    QVERIFY(shown.top() >= button.bottom() && shown.top() - button.bottom() < 10);
    QCOMPARE(shown.left(), button.left());

    // Moving on to another button moves the label with it.
    leave(f.button(2));
    hover(f.button(1));
    QCOMPARE(label->text(), QStringLiteral(" Informazioni "));
    QCOMPARE(label->mapTo(f.view.get(), QPoint(0, 0)).x(), f.button(1)->mapTo(f.view.get(), QPoint(0, 0)).x());
    leave(f.button(1));
    QVERIFY(!label->isVisible());

    // Nothing to say, no label.
    hover(f.button(3));
    QVERIFY(!label->isVisible());

    // The label is the only tooltip: the usual popup does not cover it.
    hover(f.button(1));
    QHelpEvent help(QEvent::ToolTip, QPoint(4, 4), f.button(1)->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(f.button(1), &help);
    QVERIFY(!QToolTip::isVisible());
    QVERIFY(label->isVisible());
}

void MainToolbarTest::clicksReachTheFormAndTheWindowFollows() {
    Fixture f(toolbarBytes({{1, {"*", "Informazioni", "*info"}},
                            {2, {"*", "Copie di backup", "*backup"}},
                            {3, {"", "Clienti", "=CLI"}},
                            {4, {"*", "Fine lavoro", "*fine"}}}));
    QVERIFY(f.started());

    QTest::mouseClick(f.button(1), Qt::LeftButton);
    QCOMPARE(f.test.platform.windowsShown.size(), std::size_t{1});
    QCOMPARE(f.test.platform.windowsShown[0]->name(), std::string("zelabout"));
    QVERIFY(!f.label()->isVisible());

    QTest::mouseClick(f.button(2), Qt::LeftButton);
    QCOMPARE(f.test.platform.messages().size(), std::size_t{1});
    QCOMPARE(f.test.platform.messages()[0].text, std::string("Funzione disabilitata"));
    QCOMPARE(f.test.platform.messages()[0].title, std::string("Attenzione"));

    // A module button starts the toolbar's program with the tooltip as window title.
    QTest::mouseClick(f.button(3), Qt::LeftButton);
    QCOMPARE(f.test.platform.started.size(), std::size_t{1});
    QCOMPARE(f.test.platform.started[0].title, std::string("Clienti"));

    // "*fine" asks first; Yes ends the program and the window goes.
    f.test.platform.answers = {true};
    QTest::mouseClick(f.button(4), Qt::LeftButton);
    QVERIFY(!f.test.platform.questions().empty());
    QVERIFY(f.form.exiting());
    QVERIFY(!f.view->isVisible());
}

void MainToolbarTest::drawnPicturesExistForEveryDefaultCommand() {
    // A picture of its own for every default command, each one different.
    std::vector<QImage> drawn;
    for (const auto& d : launcher::defaultToolbar) {
        const QIcon icon = ui::icons::toolbarPicture(d.command);
        QVERIFY(!icon.isNull());
        QImage image = icon.pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
        int painted = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) painted += qAlpha(image.pixel(x, y)) > 0;
        QVERIFY2(painted > 32 * 32 / 4, d.command.data());
        for (const QImage& other : drawn) QVERIFY(other != image);
        drawn.push_back(image);
    }
    QVERIFY(ui::icons::toolbarPicture("*help2").isNull());

    // Drawn ahead on another thread, as the start-up does, a picture is the one drawn on the spot.
    std::thread([] { ui::icons::drawMainWindowPicturesAhead(ui::ToolbarRow::iconSide); }).join();
    const int side = ui::ToolbarRow::iconSide;
    for (const auto& d : launcher::defaultToolbar) {
        const QIcon icon = ui::icons::toolbarPicture(d.command);
        QImage onTheSpot(side, side, QImage::Format_ARGB32_Premultiplied);
        onTheSpot.fill(Qt::transparent);
        {
            QPainter p(&onTheSpot);
            icon.paint(&p, QRect(0, 0, side, side));
        }
        QCOMPARE(icon.pixmap(side, side).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), onTheSpot);
    }

    // The program's style draws the menu bar's overflow chevrons and leaves the rest to Qt's.
    ui::AppStyle style;
    const auto image = [](const QIcon& icon) { return icon.pixmap(16, 16).toImage(); };
    QCOMPARE(image(style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton)),
             image(ui::icons::moreItems(Qt::Horizontal)));
    QCOMPARE(image(style.standardIcon(QStyle::SP_ToolBarVerticalExtensionButton)),
             image(ui::icons::moreItems(Qt::Vertical)));
    QVERIFY(image(ui::icons::moreItems(Qt::Horizontal)) != image(ui::icons::moreItems(Qt::Vertical)));
    QVERIFY(!style.standardIcon(QStyle::SP_MessageBoxWarning).isNull());
    QVERIFY(ui::icons::toolbarPicture("=CLI").isNull());
}

QTEST_MAIN(MainToolbarTest)
#include "main_toolbar_test.moc"
