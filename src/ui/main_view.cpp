#include "ui/main_view.h"

#include "ui/date_field.h"
#include "ui/elided_label.h"
#include "ui/icons.h"
#include "ui/launcher/backdrop.h"
#include "ui/launcher/postit_layer.h"
#include "ui/qt_text.h"
#include "ui/toolbar_row.h"

#include "core/dates.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace kalvora::ui {

namespace {

constexpr const char* dateFormat = "dd/MM/yyyy";

// The menus of the menu bar that give the focus back to the key field.
bool isGroupMenu(const std::string& name) {
    for (const char* group : {"m_ven", "m_acq", "m_mag", "m_con", "m_uti", "m_azi"})
        if (name == group) return true;
    return false;
}

// The band at the top holding the company and the user.
class HeaderBand : public QWidget {
public:
    explicit HeaderBand(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QLinearGradient g(0, 0, 0, height());
        g.setColorAt(0, QColor(0xfb, 0xfc, 0xfe));
        g.setColorAt(1, QColor(0xe3, 0xea, 0xf3));
        p.fillRect(rect(), g);
        p.setPen(QColor(0xb8, 0xc4, 0xd3));
        p.drawLine(0, height() - 1, width(), height() - 1);
    }
};

QToolButton* imageButton(QWidget* parent, const char* name, const QIcon& icon, const QString& tip,
                         int iconSide) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setIcon(icon);
    b->setIconSize(QSize(iconSide, iconSide));
    b->setAutoRaise(true);
    b->setToolTip(tip);
    b->setAccessibleName(tip.trimmed());
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

ElidedLabel* caption(QWidget* parent, const char* name) {
    auto* l = new ElidedLabel(parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

// The names of the tree, so the menu bar is rebuilt only when its structure changes.
void shapeOf(const std::vector<launcher::MenuEntry>& entries, std::string& out) {
    for (const auto& e : entries) {
        out += e.name;
        if (!e.children.empty()) {
            out += '(';
            shapeOf(e.children, out);
            out += ')';
        }
        out += ',';
    }
}

// What the actions show of the tree: captions and the visible and enabled flags.
void stateOf(const std::vector<launcher::MenuEntry>& entries, std::string& out) {
    for (const auto& e : entries) {
        out += e.caption;
        out += e.visible ? '\x01' : '\x02';
        out += e.enabled ? '\x01' : '\x02';
        if (!e.children.empty()) stateOf(e.children, out);
    }
}

}  // namespace

MainView::MainView(launcher::MainForm& form, QWidget* parent) : QMainWindow(parent), form_(form) {
    setObjectName(QStringLiteral("kalxena"));
    // Placed here rather than by the window manager, so that the windows opened during the
    // start-up can be centred on it at once. The frame is added once the window manager has
    // framed the window (fitFrame).
    frame_ = QRect(QPoint(0, 0), outerSize);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        frame_.setSize(frame_.size().boundedTo(area.size()));
        frame_.moveCenter(area.center());
    }
    resize(frame_.size());
    move(frame_.topLeft());

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* band = new HeaderBand(central);
    auto* bandRow = new QHBoxLayout(band);
    bandRow->setContentsMargins(10, 6, 14, 6);
    bandRow->setSpacing(8);

    companyArea_ = new QWidget(band);
    auto* companyRow = new QHBoxLayout(companyArea_);
    companyRow->setContentsMargins(0, 0, 0, 0);
    companyRow->setSpacing(8);
    companyPicture_ = imageButton(companyArea_, "Image2", icons::company(),
                                  QStringLiteral(" Seleziona una diversa azienda/studio "), icons::companySide);
    companyRow->addWidget(companyPicture_);
    auto* captions = new QVBoxLayout;
    captions->setSpacing(0);
    companyCaption_ = caption(companyArea_, "selazienda");
    QFont big = companyCaption_->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    companyCaption_->setFont(big);
    yearCaption_ = caption(companyArea_, "selazienda2");
    QPalette muted = yearCaption_->palette();
    muted.setColor(QPalette::WindowText, QColor(0x4a, 0x5a, 0x6e));
    yearCaption_->setPalette(muted);
    captions->addWidget(companyCaption_);
    captions->addWidget(yearCaption_);
    companyRow->addLayout(captions, 1);
    bandRow->addWidget(companyArea_, 3);
    bandRow->addStretch(1);

    userPicture_ = new QLabel(band);
    userPicture_->setObjectName(QStringLiteral("user0"));
    userPicture_->setPixmap(icons::user().pixmap(icons::userSide, icons::userSide));
    userPicture_->setAccessibleName(QStringLiteral("Utente collegato"));
    bandRow->addWidget(userPicture_);
    userCaption_ = caption(band, "nuser");
    userCaption_->setMinimumWidth(220);
    bandRow->addWidget(userCaption_, 1);
    changeUser_ = imageButton(band, "user2", icons::changeUser(), QStringLiteral(" Cambia utente "), icons::userSide);
    bandRow->addWidget(changeUser_);
    band->setMinimumHeight(64);
    column->addWidget(band);

    toolbar_ = new ToolbarRow(form_.session().files(), this, central);
    column->addWidget(toolbar_);

    auto* backdrop = new Backdrop(central);
    backdrop_ = backdrop;
    column->addWidget(backdrop, 1);

    // Off the visible area but shown and focused, so the window gets the keystrokes without
    // showing an edit box.
    keyField_ = new QLineEdit(backdrop);
    keyField_->setObjectName(QStringLiteral("text1"));
    keyField_->setAccessibleName(QStringLiteral("Comandi da tastiera"));
    keyField_->setGeometry(-2000, -2000, 20, 20);
    postits_ = new PostitLayer(form_.postits(), backdrop);
    postits_->acted = [this] { afterAction(); };
    setCentralWidget(central);

    auto* bar = new QStatusBar(this);
    // The notice button sits right after the end of the status text.
    auto* statusArea = new QWidget(bar);
    auto* statusRow = new QHBoxLayout(statusArea);
    statusRow->setContentsMargins(4, 0, 0, 0);
    statusRow->setSpacing(8);
    status_ = caption(statusArea, "rete");
    status_->setAccessibleName(QStringLiteral("Stato"));
    statusRow->addWidget(status_);
    noticeButton_ = imageButton(statusArea, "oklinkbut", icons::notice(), QStringLiteral("Apri l'avviso del giorno"), 18);
    noticeButton_->hide();
    statusRow->addWidget(noticeButton_);
    statusRow->addStretch(1);
    bar->addWidget(statusArea, 1);
    date_ = new DateField(bar);
    date_->setObjectName(QStringLiteral("datax"));
    date_->setDisplayFormat(QLatin1String(dateFormat));
    date_->setAccessibleName(QStringLiteral("Data di lavoro"));
    date_->setToolTip(QStringLiteral("Data di lavoro"));
    bar->addPermanentWidget(date_);
    setStatusBar(bar);

    connect(toolbar_, &ToolbarRow::buttonClicked, this, [this](int number) {
        form_.toolbarClicked(number);
        afterAction();
    });
    connect(companyPicture_, &QToolButton::clicked, this, [this] {
        form_.companyPictureClicked();
        afterAction();
        if (!form_.exiting()) keyField_->setFocus();
    });
    // A date is chosen when the calendar closes on it or when typing in the field ends; the
    // calendar's signals come before the field has taken the date, hence queued.
    connect(date_, &QDateEdit::editingFinished, this, &MainView::commitDate);
    date_->calendarReady = [this](QCalendarWidget* calendar) {
        connect(calendar, &QCalendarWidget::clicked, this, &MainView::commitDate, Qt::QueuedConnection);
        connect(calendar, &QCalendarWidget::activated, this, &MainView::commitDate, Qt::QueuedConnection);
    };

    connect(noticeButton_, &QToolButton::clicked, this, [this] {
        form_.noticeClicked();
        afterAction();
    });
    connect(changeUser_, &QToolButton::clicked, this, [this] {
        // Nobody is logged in while the login window is up.
        userPicture_->hide();
        form_.changeUser();
        afterAction();
        if (!form_.exiting()) keyField_->setFocus();
    });

    // F10 opens the menu bar on its first menu, as on most desktops; the arrows go on from there.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, &MainView::openFirstMenu);

    form_.changed = [this] {
        refresh();
        repaint();
    };
    refresh();
}

MainView::~MainView() {
    form_.changed = nullptr;
    // Closing the window moves the focus out of the date field, whose end of editing must not
    // reach a window already half destroyed.
    disconnect(date_, nullptr, this, nullptr);
    if (QCalendarWidget* calendar = date_->builtCalendar()) disconnect(calendar, nullptr, this, nullptr);
}

bool MainView::event(QEvent* event) {
    const bool done = QMainWindow::event(event);
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize || event->type() == QEvent::Show) fitFrame();
    return done;
}

void MainView::fitFrame() {
    // The window with its frame takes the room planned for it, so that the window manager's
    // title bar and borders do not push the status line and the date past the screen's edge.
    const QWindow* window = windowHandle();
    if (!window || windowState() != Qt::WindowNoState) return;
    const QMargins margins = window->frameMargins();
    if (margins == fittedMargins_) return;
    fittedMargins_ = margins;
    setGeometry(frame_.marginsRemoved(margins));
}

void MainView::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    keyField_->setFocus();
    if (startupScheduled_) return;
    startupScheduled_ = true;
    QTimer::singleShot(0, this, &MainView::runStartup);
}

void MainView::runStartup() {
    if (!form_.exiting()) form_.startup();
    afterAction();
    if (!form_.exiting()) keyField_->setFocus();
    emit startupFinished();
}

void MainView::closeEvent(QCloseEvent* event) {
    if (!form_.exiting()) form_.closeBox();
    refresh();
    if (form_.exiting())
        event->accept();
    else
        event->ignore();
}

void MainView::openFirstMenu() {
    QMenuBar* bar = menuBar();
    for (QAction* action : bar->actions()) {
        if (!action->isVisible() || !action->isEnabled() || action->isSeparator()) continue;
        bar->setActiveAction(action);
        return;
    }
}

void MainView::afterAction() {
    refresh();
    if (form_.exiting()) hide();
}

void MainView::chooseMenu(const std::string& entryName) {
    form_.chooseMenu(entryName);
    afterAction();
}

void MainView::refresh() {
    setWindowTitle(toQt(form_.title()));
    backdrop_->setBackground(form_.session().files(), form_.session().installation(), form_.background());

    companyArea_->setVisible(form_.companyAreaVisible());
    companyCaption_->setFullText(toQt(form_.companyCaption()));
    yearCaption_->setFullText(toQt(form_.yearCaption()));
    userPicture_->setVisible(form_.userPictureVisible());
    userCaption_->setFullText(toQt(form_.userCaption()));

    status_->setFullText(toQt(form_.status()));
    QPalette palette = status_->palette();
    palette.setColor(QPalette::WindowText,
                     form_.statusColour() == launcher::StatusColour::Red ? QColor(0xc0, 0x10, 0x10) : QColor(Qt::black));
    status_->setPalette(palette);
    noticeButton_->setVisible(form_.noticeButtonVisible());

    // The toolbar is read by the start-up; until then there is nothing to offer.
    toolbar_->setToolbar(form_.toolbar());
    toolbar_->setVisible(form_.started() && !form_.exiting());
    postits_->refresh();

    // A date being typed is left alone; commitDate shows the form's date once typing ends.
    if (!date_->hasFocus()) showFormDate();

    refreshMenus();
}

void MainView::showFormDate() {
    const QDate date = QDate::fromString(toQt(form_.dateText()), QLatin1String(dateFormat));
    if (date.isValid() && date != date_->date()) date_->setDate(date);
}

void MainView::commitDate() {
    // The refusal's message box takes the focus from the field, which ends its editing again.
    if (committingDate_) return;
    committingDate_ = true;
    const QDate picked = date_->date();
    const core::Date date{picked.year(), picked.month(), picked.day()};
    if (core::toDdMmYyyy(date) != form_.dateText()) form_.setDate(date);
    // Whatever happened, the field shows the computer's date: the new one, or the old one kept.
    showFormDate();
    committingDate_ = false;
    afterAction();
}

void MainView::groupMenuOpening() {
    // The calendar closes as soon as the menu bar is clicked, and the field would keep the
    // focus (and the keystrokes meant for the window) once the menu is gone.
    const QWidget* calendar = date_->builtCalendar();
    if (date_->hasFocus() || (calendar && calendar->isVisible())) keyField_->setFocus();
}

void MainView::refreshMenus() {
    std::string shape;
    shapeOf(form_.menus(), shape);
    if (shape != menuShape_) {
        menuShape_ = shape;
        menuState_.clear();
        buildMenus();
    }
    // Most refreshes change nothing in the menus: the actions are touched only when they did.
    std::string state;
    stateOf(form_.menus(), state);
    if (state == menuState_) return;
    menuState_ = std::move(state);
    applyEntries(form_.menus());
}

void MainView::buildMenus() {
    menuActions_.clear();
    // setMenuBar disposes of the old bar later, so an action being triggered right now survives.
    auto* bar = new QMenuBar(this);
    addEntries(bar, form_.menus());
    setMenuBar(bar);
}

void MainView::addEntries(QWidget* parent, const std::vector<launcher::MenuEntry>& entries) {
    const bool topLevel = qobject_cast<QMenuBar*>(parent) != nullptr;
    for (const auto& entry : entries) {
        const QString name = toQt(entry.name);
        QAction* action = nullptr;
        if (!entry.children.empty()) {
            auto* menu = new QMenu(toQt(entry.caption), parent);
            menu->setObjectName(name);
            if (topLevel && isGroupMenu(entry.name))
                connect(menu, &QMenu::aboutToShow, this, &MainView::groupMenuOpening);
            if (topLevel) {
                // The entries of a menu of the bar are made when it first opens: most are never
                // opened in a session, and making them all would slow every start.
                const std::string menuName = entry.name;
                connect(menu, &QMenu::aboutToShow, this, [this, menu, menuName] { fillMenu(menu, menuName); });
            } else {
                addEntries(menu, entry.children);
            }
            action = menu->menuAction();
        } else {
            action = new QAction(toQt(entry.caption), parent);
            if (entry.caption == "-") action->setSeparator(true);
            const std::string entryName = entry.name;
            connect(action, &QAction::triggered, this, [this, entryName] { chooseMenu(entryName); });
        }
        action->setObjectName(name);
        parent->addAction(action);
        menuActions_[entry.name] = action;
    }
}

void MainView::fillMenu(QMenu* menu, const std::string& name) {
    if (!menu->actions().isEmpty()) return;
    for (const auto& entry : form_.menus()) {
        if (entry.name != name) continue;
        addEntries(menu, entry.children);
        applyEntries(entry.children);
        return;
    }
}

void MainView::fillAllMenus() {
    for (QAction* action : menuBar()->actions())
        if (QMenu* menu = action->menu()) fillMenu(menu, action->objectName().toStdString());
}

void MainView::applyEntries(const std::vector<launcher::MenuEntry>& entries) {
    for (const auto& entry : entries) {
        auto it = menuActions_.find(entry.name);
        if (it != menuActions_.end()) {
            QAction* action = it->second;
            if (!action->isSeparator()) action->setText(toQt(entry.caption));
            action->setVisible(entry.visible);
            action->setEnabled(entry.enabled);
        }
        applyEntries(entry.children);
    }
}

}  // namespace kalvora::ui
