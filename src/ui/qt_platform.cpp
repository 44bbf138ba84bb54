#include "ui/qt_platform.h"

#include "core/dates.h"
#include "core/form.h"
#include "ui/network_access.h"
#include "ui/platform/print_dialogs.h"
#include "ui/platform/print_surface.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTime>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <fontconfig/fontconfig.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <set>
#include <utility>

namespace kalvora::ui {

namespace {

struct PatternFree {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternFree>;

// The pattern fontconfig matches when asked for `family`, the request strong or weak.
Pattern substituted(const QByteArray& family, bool strong) {
    Pattern pattern(FcPatternCreate());
    if (!pattern) return pattern;
    FcValue value;
    value.type = FcTypeString;
    value.u.s = reinterpret_cast<const FcChar8*>(family.constData());
    if (!(strong ? FcPatternAdd(pattern.get(), FC_FAMILY, value, FcTrue)
                 : FcPatternAddWeak(pattern.get(), FC_FAMILY, value, FcTrue)) ||
        !FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern))
        return nullptr;
    FcDefaultSubstitute(pattern.get());
    return pattern;
}

std::set<QString> strongFamilies(FcPattern* pattern) {
    std::set<QString> families;
    FcValue value;
    FcValueBinding binding;
    for (int i = 0; FcPatternGetWithBinding(pattern, FC_FAMILY, i, &value, &binding) == FcResultMatch; ++i)
        if (value.type == FcTypeString && binding == FcValueBindingStrong)
            families.insert(QString::fromUtf8(reinterpret_cast<const char*>(value.u.s)).toCaseFolded());
    return families;
}

// Whether the system prints `name` with that family or with one its font configuration holds
// as the same in metrics ("Liberation Sans" for "Arial"), so that texts keep their widths;
// nullopt when fontconfig cannot tell. The configuration's binding "same" gives a substitute the
// binding of the family it stands for, so the substitutes that are strong for a strong request
// and not for a weak one are exactly those.
std::optional<bool> printedWithItsMetrics(const std::string& name) {
    const QByteArray family = toQt(name).trimmed().toUtf8();
    if (family.isEmpty()) return false;
    const Pattern request = substituted(family, true);
    const Pattern weakRequest = substituted(family, false);
    if (!request || !weakRequest) return std::nullopt;
    std::set<QString> same = strongFamilies(request.get());
    for (const QString& strongAnyway : strongFamilies(weakRequest.get())) same.erase(strongAnyway);
    same.insert(QString::fromUtf8(family).toCaseFolded());

    FcResult result = FcResultNoMatch;
    const Pattern match(FcFontMatch(nullptr, request.get(), &result));
    if (!match) return std::nullopt;
    FcBool scalable = FcTrue;
    if (FcPatternGetBool(match.get(), FC_SCALABLE, 0, &scalable) == FcResultMatch && !scalable) return false;
    FcChar8* matched = nullptr;
    for (int i = 0; FcPatternGetString(match.get(), FC_FAMILY, i, &matched) == FcResultMatch; ++i)
        if (same.count(QString::fromUtf8(reinterpret_cast<const char*>(matched)).toCaseFolded())) return true;
    return false;
}

// Ends a modal loop when its window is hidden by the program (not when it is minimised).
class HideWatcher : public QObject {
public:
    explicit HideWatcher(QEventLoop& loop) : loop_(loop) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && !event->spontaneous()) loop_.quit();
        return QObject::eventFilter(watched, event);
    }

private:
    QEventLoop& loop_;
};

// A message box shows the ordinary pointer even while long work has the hourglass up.
class ArrowWhileBusy {
public:
    explicit ArrowWhileBusy(bool busy) : active_(busy) {
        if (active_) QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowWhileBusy() {
        if (active_) QGuiApplication::restoreOverrideCursor();
    }
    ArrowWhileBusy(const ArrowWhileBusy&) = delete;
    ArrowWhileBusy& operator=(const ArrowWhileBusy&) = delete;

private:
    bool active_;
};

QMessageBox::Icon boxIcon(core::Icon icon) {
    switch (icon) {
        case core::Icon::Critical: return QMessageBox::Critical;
        case core::Icon::Question: return QMessageBox::Question;
        case core::Icon::Exclamation: return QMessageBox::Warning;
        case core::Icon::Information: return QMessageBox::Information;
        case core::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

bool isWebAddress(const QString& target) {
    return target.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           target.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

// Result codes of the old shell's open action.
constexpr int openFileNotFound = 2;
constexpr int openPathNotFound = 3;
constexpr int openNoHandler = 31;
constexpr int openSucceeded = 42;

// The desktop programs looked for, most common Debian desktops first.
const char* const calculators[] = {"gnome-calculator", "kcalc", "mate-calc", "galculator", "qalculate-gtk",
                                   "qalculate-qt", "xcalc"};
const char* const wordProcessors[] = {"libreoffice", "soffice", "abiword", "calligrawords", "focuswriter",
                                      "gedit", "kwrite", "mousepad", "pluma"};

// What /proc tells of a process: its state letter and when it started, in clock ticks after
// boot. nullopt where there is no /proc or no such process.
struct ProcessStat {
    char state = '?';
    quint64 startTime = 0;
};

std::optional<ProcessStat> processStat(qint64 pid) {
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray text = file.read(4096);
    // The command name in parentheses may hold blanks and parentheses of its own.
    const qsizetype close = text.lastIndexOf(')');
    if (close < 0) return std::nullopt;
    const QList<QByteArray> fields = text.mid(close + 2).split(' ');
    // fields[0] is the state (field 3 of the line), fields[19] the start time (field 22).
    if (fields.size() < 20 || fields[0].isEmpty()) return std::nullopt;
    bool ok = false;
    const quint64 start = fields[19].toULongLong(&ok);
    if (!ok) return std::nullopt;
    return ProcessStat{fields[0].at(0), start};
}

// Error numbers of startProgram.
constexpr int startNotFound = 2;
constexpr int startNotExecutable = 13;
constexpr int startFailed = 1;

}  // namespace

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

bool QtPlatform::hasView(const core::Form& form) const {
    return factories_.count(std::type_index(typeid(form))) != 0;
}

QWidget* QtPlatform::createView(core::Form& form, QWidget* parent) {
    auto it = factories_.find(std::type_index(typeid(form)));
    if (it == factories_.end()) {
        qCritical("kalvora: no view is registered for the window %s (%s)", form.name().c_str(), typeid(form).name());
        return nullptr;
    }
    return it->second(form, parent);
}

QWidget* QtPlatform::dialogParent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->isWindow()) return w;
    return nullptr;
}

namespace {

// Messages separate their paragraphs with a carriage return, as the stored texts do; a plain
// text label breaks lines only at a line feed.
QString paragraphs(const std::string& text) {
    QString out = toQt(text);
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

}  // namespace

void QtPlatform::message(const std::string& text, const std::string& title, core::Icon icon) {
    ArrowWhileBusy arrow(busyDepth_ > 0);
    QMessageBox box(boxIcon(icon), toQt(title), paragraphs(text), QMessageBox::Ok, dialogParent());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtPlatform::askYesNo(const std::string& text, const std::string& title, core::Icon icon) {
    ArrowWhileBusy arrow(busyDepth_ > 0);
    QMessageBox box(boxIcon(icon), toQt(title), paragraphs(text), QMessageBox::Yes | QMessageBox::No,
                    dialogParent());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtPlatform::showModal(core::Form& form) {
    if (form.closed() || quitRequested_) return;
    QPointer<QWidget> view = createView(form, dialogParent());
    // Nobody could ever close this form, so waiting for it would hang the program.
    if (!view) return;
    view->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    HideWatcher watcher(loop);
    view->installEventFilter(&watcher);
    // A view hides itself once its form has closed; hidden for any other reason it comes back.
    while (view && !form.closed() && !quitRequested_) {
        view->show();
        view->raise();
        view->activateWindow();
        // -1: the application is ending and no loop can run any more.
        if (runLoop(loop) == -1) break;
    }
    if (view) {
        view->removeEventFilter(&watcher);
        delete view.data();
    }
}

int QtPlatform::runLoop(QEventLoop& loop) {
    loops_.push_back(&loop);
    const int result = loop.exec(QEventLoop::DialogExec);
    loops_.pop_back();
    return result;
}

void QtPlatform::processEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtPlatform::setBusy(bool busy) {
    if (busy) {
        ++busyDepth_;
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth_ > 0) {
        --busyDepth_;
        QGuiApplication::restoreOverrideCursor();
    }
}

core::ScreenSize QtPlatform::screenSize() const {
    core::ScreenSize size;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        size.width = screen->size().width();
        size.height = screen->size().height();
    }
    return size;
}

int QtPlatform::startProgram(const std::string& program, const std::vector<std::string>& arguments,
                             const std::string& windowTitle) {
    const QString name = toQt(program);
    if (name.isEmpty()) return startNotFound;
    QString path = name;
    if (!name.contains(QLatin1Char('/'))) {
        path = QStandardPaths::findExecutable(name);
        if (path.isEmpty()) return startNotFound;
    }
    const QFileInfo info(path);
    if (!info.exists()) return startNotFound;
    if (info.isDir() || !info.isExecutable()) return startNotExecutable;
    QStringList args;
    args.reserve(static_cast<qsizetype>(arguments.size()));
    for (const std::string& a : arguments) args << toQt(a);
    qint64 pid = 0;
    if (!QProcess::startDetached(info.absoluteFilePath(), args, QString(), &pid)) return startFailed;
    std::erase_if(started_, [](const StartedProgram& p) { return !isRunning(p); });
    if (!windowTitle.empty() && pid > 0) {
        StartedProgram started{windowTitle, pid, std::nullopt};
        if (const auto stat = processStat(pid))
            started.startTime = stat->startTime;
        else if (processStat(QCoreApplication::applicationPid()))
            return 0;  // /proc works and the program has already ended: nothing to remember
        started_.push_back(std::move(started));
    }
    return 0;
}

std::string QtPlatform::desktopProgram(core::DesktopTool tool) {
    const auto find = [](const auto& candidates) {
        for (const char* name : candidates) {
            const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
            if (!path.isEmpty()) return path.toStdString();
        }
        return std::string();
    };
    return tool == core::DesktopTool::Calculator ? find(calculators) : find(wordProcessors);
}

int QtPlatform::openDocument(const std::string& target) {
    const QString text = toQt(target);
    if (isWebAddress(text)) {
        const QUrl url(text, QUrl::StrictMode);
        if (!url.isValid() || url.host().isEmpty()) return openFileNotFound;
        return QDesktopServices::openUrl(url) ? openSucceeded : openNoHandler;
    }
    const QFileInfo info(text);
    if (text.isEmpty() || !info.exists())
        return QFileInfo(info.absolutePath()).isDir() ? openFileNotFound : openPathNotFound;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath())) ? openSucceeded
                                                                                  : openNoHandler;
}

X11Windows* QtPlatform::x11() {
    if (!x11Tried_) {
        x11Tried_ = true;
        if (QGuiApplication::platformName() == QLatin1String("xcb")) {
            if (auto* native = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
                x11_ = X11Windows::borrow(native->connection());
        } else if (!qEnvironmentVariableIsEmpty("DISPLAY")) {
            x11_ = X11Windows::connect();
        }
    }
    return x11_.get();
}

std::vector<X11Window> QtPlatform::ownWindows() const {
    std::vector<X11Window> ids;
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return ids;
    for (QWindow* w : QGuiApplication::allWindows())
        if (w->handle()) ids.push_back(static_cast<X11Window>(w->winId()));
    return ids;
}

bool QtPlatform::isRunning(const StartedProgram& program) {
    if (program.pid <= 0) return false;
    // Refused (EPERM) means the number now belongs to somebody else's process.
    if (::kill(static_cast<pid_t>(program.pid), 0) != 0) return false;
    // Ended but not yet reaped, or a later process that was given the same number.
    if (const auto stat = processStat(program.pid)) {
        if (stat->state == 'Z' || stat->state == 'X') return false;
        if (program.startTime && *program.startTime != stat->startTime) return false;
    }
    return true;
}

std::optional<QtPlatform::StartedProgram> QtPlatform::runningProgram(const std::string& title) const {
    for (auto it = started_.rbegin(); it != started_.rend(); ++it)
        if (it->title == title && isRunning(*it)) return *it;
    return std::nullopt;
}

bool QtPlatform::bringToFront(const std::string& title) {
    front_ = {};
    // An empty title would match any untitled window.
    if (title.empty()) return false;
    front_.title = title;
    if (X11Windows* x = x11()) {
        if (const auto window = x->find(title, ownWindows()); window && x->activate(*window)) {
            front_.kind = FrontWindow::Kind::X11;
            front_.window = *window;
            return true;
        }
    }
    const QString wanted = toQt(title);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || w->windowTitle() != wanted) continue;
        if (w->isMinimized()) w->showNormal();
        w->raise();
        w->activateWindow();
        front_.kind = FrontWindow::Kind::Widget;
        front_.widget = w;
        return true;
    }
    // Where its window cannot be seen, a program started here and still running is open.
    if (const auto program = runningProgram(title)) {
        front_.kind = FrontWindow::Kind::Process;
        front_.program = *program;
        return true;
    }
    front_.kind = FrontWindow::Kind::None;
    return false;
}

void QtPlatform::closeFrontWindow() {
    const FrontWindow target = std::exchange(front_, FrontWindow{});
    auto terminate = [this](const std::string& title) {
        if (const auto program = runningProgram(title)) ::kill(static_cast<pid_t>(program->pid), SIGTERM);
    };
    switch (target.kind) {
        case FrontWindow::Kind::X11:
            // A window that cannot be asked to close: its program, if started here, is.
            if (!x11_ || !x11_->requestClose(target.window)) terminate(target.title);
            break;
        case FrontWindow::Kind::Widget:
            if (target.widget) target.widget->close();
            break;
        case FrontWindow::Kind::Process:
            if (isRunning(target.program)) ::kill(static_cast<pid_t>(target.program.pid), SIGTERM);
            break;
        case FrontWindow::Kind::None:
            break;
    }
}

bool QtPlatform::isOnline() {
    // A running interface other than the loopback with an address of its own.
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return false;
    bool online = false;
    for (const ifaddrs* i = list; i && !online; i = i->ifa_next) {
        const bool usable = (i->ifa_flags & IFF_UP) && (i->ifa_flags & IFF_RUNNING) && !(i->ifa_flags & IFF_LOOPBACK);
        const bool addressed =
            i->ifa_addr && (i->ifa_addr->sa_family == AF_INET || i->ifa_addr->sa_family == AF_INET6);
        online = usable && addressed;
    }
    freeifaddrs(list);
    return online;
}

std::optional<std::string> QtPlatform::download(const std::string& address, int timeoutMs) {
    if (!networkTried_) {
        networkTried_ = true;
        network_ = loadNetworkAccess();
        if (!network_) qWarning("kalvora: the network module %s could not be loaded", networkModuleFile);
    }
    if (!network_) return std::nullopt;
    return network_->download(address, timeoutMs, downloadLimit, [this](QEventLoop& loop) { return runLoop(loop); });
}

void QtPlatform::quit() {
    quitRequested_ = true;
    for (QEventLoop* loop : loops_) loop->exit(0);
    // exit() rather than quit(): quit() would ask every window to close first, and the main
    // window's close box means "end now" a second time.
    QCoreApplication::exit(0);
}

}  // namespace kalvora::ui

namespace kalvora::ui {

namespace {

// Deletes a window opened beside the main window once its form has closed and the view hid.
class ClosedFormWatcher : public QObject {
public:
    ClosedFormWatcher(core::Form& form, QObject* parent) : QObject(parent), form_(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && form_.closed()) watched->deleteLater();
        return false;
    }

private:
    core::Form& form_;
};

}  // namespace

void QtPlatform::show(std::unique_ptr<core::Form> form) {
    // One window per name: two editors of the same table would each save over the other's
    // changes.
    std::erase_if(sideWindows_, [](const auto& open) { return !open.second; });
    for (const auto& [name, open] : sideWindows_) {
        if (name != form->name() || !open->isVisible()) continue;
        if (open->isMinimized()) open->showNormal();
        open->raise();
        open->activateWindow();
        return;
    }
    QWidget* view = createView(*form, nullptr);
    if (!view) return;
    // The form lives exactly as long as its window.
    std::shared_ptr<core::Form> owned(std::move(form));
    view->installEventFilter(new ClosedFormWatcher(*owned, view));
    view->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(view, &QObject::destroyed, [owned]() mutable { owned.reset(); });
    sideWindows_.emplace_back(owned->name(), view);
    view->show();
    view->raise();
    view->activateWindow();
}

int QtPlatform::setSystemDate(const core::Date& date) {
    // The system's date service changes the clock for everyone; it may refuse an ordinary user.
    const QString when = QStringLiteral("%1-%2-%3 %4")
                             .arg(date.year, 4, 10, QLatin1Char('0'))
                             .arg(date.month, 2, 10, QLatin1Char('0'))
                             .arg(date.day, 2, 10, QLatin1Char('0'))
                             .arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    const QString program = QStandardPaths::findExecutable(QStringLiteral("timedatectl"));
    if (program.isEmpty()) return 2;
    const int result = QProcess::execute(program, {QStringLiteral("set-time"), when});
    return result == 0 ? 0 : (result < 0 ? 2 : 1);
}

void QtPlatform::printerSetup() {
    QPrinter printer;
    const QString current = printerName();
    if (!current.isEmpty()) printer.setPrinterName(current);
    QPrintDialog dialog(&printer, dialogParent());
    dialog.setWindowTitle(QStringLiteral("Impostazione stampante"));
    if (dialog.exec() == QDialog::Accepted && printer.outputFormat() == QPrinter::NativeFormat &&
        !printer.printerName().isEmpty())
        chosenPrinter_ = printer.printerName();
}

QString QtPlatform::printerName() const {
    const QStringList installed = QPrinterInfo::availablePrinterNames();
    if (installed.isEmpty()) return {};
    if (installed.contains(chosenPrinter_)) return chosenPrinter_;
    const QString fallback = QPrinterInfo::defaultPrinterName();
    return installed.contains(fallback) ? fallback : installed.front();
}

std::unique_ptr<core::PrintJob> QtPlatform::startPrintJob(const std::string& title) {
    return std::make_unique<QtPrintJob>(*this, title, printerName(), fromQt(QDir::homePath()), dialogParent());
}

bool QtPlatform::canPrintFont(const std::string& name) {
    if (const std::optional<bool> answer = printedWithItsMetrics(name)) return *answer;
    return fontIsPrintable(name);
}

std::optional<core::PrintFont> QtPlatform::chooseFont(const std::string& title, const core::PrintFont& preset) {
    ArrowWhileBusy arrow(busyDepth_ > 0);
    return chooseFontDialog(dialogParent(), title, preset);
}

std::optional<long> QtPlatform::chooseColour(const std::string& title, long initial) {
    ArrowWhileBusy arrow(busyDepth_ > 0);
    return chooseColourDialog(dialogParent(), title, initial);
}

std::optional<std::string> QtPlatform::chooseFile(const std::string& title, const std::string& filter,
                                                  const std::string& folder) {
    ArrowWhileBusy arrow(busyDepth_ > 0);
    return chooseFileDialog(dialogParent(), title, filter, folder);
}

std::string QtPlatform::regionalDate(const core::Date& date) { return regionalDateText(date); }

std::string QtPlatform::regionalNumber(double value, int decimals) { return regionalNumberText(value, decimals); }

}  // namespace kalvora::ui
