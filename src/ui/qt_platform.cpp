#include "ui/qt_platform.h"

#include "ui/qt_text.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkInterface>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <algorithm>

namespace kalvora::ui {

namespace {

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

// Error numbers of startProgram.
constexpr int startNotFound = 2;
constexpr int startNotExecutable = 13;
constexpr int startFailed = 1;

}  // namespace

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

void QtPlatform::registerView(const std::string& windowName, ViewFactory factory) {
    factories_[windowName] = std::move(factory);
}

bool QtPlatform::hasView(const std::string& windowName) const {
    return factories_.count(windowName) != 0;
}

QWidget* QtPlatform::createView(core::Form& form, QWidget* parent) {
    auto it = factories_.find(form.name());
    if (it == factories_.end()) return nullptr;
    return it->second(form, parent);
}

QWidget* QtPlatform::dialogParent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->isWindow()) return w;
    return nullptr;
}

void QtPlatform::message(const std::string& text, const std::string& title, core::Icon icon) {
    ArrowWhileBusy arrow(busyDepth_ > 0);
    QMessageBox box(boxIcon(icon), toQt(title), toQt(text), QMessageBox::Ok, dialogParent());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool QtPlatform::askYesNo(const std::string& text, const std::string& title, core::Icon icon) {
    ArrowWhileBusy arrow(busyDepth_ > 0);
    QMessageBox box(boxIcon(icon), toQt(title), toQt(text), QMessageBox::Yes | QMessageBox::No,
                    dialogParent());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtPlatform::showModal(core::Form& form) {
    if (form.closed() || quitRequested_) return;
    QPointer<QWidget> view = createView(form, dialogParent());
    if (!view) {
        // Nobody could ever close this form, so waiting for it would hang the program.
        qWarning("kalvora: no window for %s", form.name().c_str());
        return;
    }
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
                             const std::string& /*windowTitle*/) {
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
    return QProcess::startDetached(info.absoluteFilePath(), args) ? 0 : startFailed;
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

bool QtPlatform::bringToFront(const std::string& title) {
    const QString wanted = toQt(title);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || w->windowTitle() != wanted) continue;
        if (w->isMinimized()) w->showNormal();
        w->raise();
        w->activateWindow();
        return true;
    }
    return false;
}

void QtPlatform::closeFrontWindow() {
    if (QWidget* front = QApplication::activeWindow()) front->close();
}

bool QtPlatform::isOnline() {
    const auto interfaces = QNetworkInterface::allInterfaces();
    return std::any_of(interfaces.begin(), interfaces.end(), [](const QNetworkInterface& i) {
        const auto flags = i.flags();
        return flags.testFlag(QNetworkInterface::IsUp) && flags.testFlag(QNetworkInterface::IsRunning) &&
               !flags.testFlag(QNetworkInterface::IsLoopBack) && !i.addressEntries().isEmpty();
    });
}

std::optional<std::string> QtPlatform::download(const std::string& address, int timeoutMs) {
    const QUrl url(toQt(address), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return std::nullopt;
    if (!network_) network_ = std::make_unique<QNetworkAccessManager>();

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    // Owned here: deleted before returning, whatever happened.
    std::unique_ptr<QNetworkReply> reply(network_->get(request));

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool failed = false;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        failed = true;
        reply->abort();
    });
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &loop, [&](qint64 received, qint64) {
        if (received > downloadLimit) {
            failed = true;
            reply->abort();
        }
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(std::max(0, timeoutMs));
    if (!reply->isFinished()) runLoop(loop);
    timer.stop();

    // Unfinished here means the loop was ended from outside (the program is quitting).
    if (!reply->isFinished()) {
        failed = true;
        reply->abort();
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (failed || reply->error() != QNetworkReply::NoError || status != 200) return std::nullopt;
    const QByteArray body = reply->readAll();
    if (body.size() > downloadLimit) return std::nullopt;
    return body.toStdString();
}

void QtPlatform::quit() {
    quitRequested_ = true;
    for (QEventLoop* loop : loops_) loop->exit(0);
    // exit() rather than quit(): quit() would ask every window to close first, and the main
    // window's close box means "end now" a second time.
    QCoreApplication::exit(0);
}

}  // namespace kalvora::ui
