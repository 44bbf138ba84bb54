#include "ui/startup_warmup.h"

#include "ui/icons.h"
#include "ui/toolbar_row.h"

#include <QAccessible>
#include <QDBusConnection>
#include <QFontDatabase>

#include <fontconfig/fontconfig.h>

namespace kalvora::ui {

StartupWarmup::StartupWarmup() : fontConfiguration_([] { FcInit(); }) {}

StartupWarmup::~StartupWarmup() { finish(); }

void StartupWarmup::applicationReady() {
    if (fonts_.joinable() || bus_.joinable()) return;
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        // Without a session bus address, the first connection forks a bus launcher; a fork while
        // other threads hold locks can leave the child stuck before it runs anything, and the
        // connection waiting for it forever. The accessibility layer, which makes that connection,
        // is started here, with no warm-up thread running.
        if (fontConfiguration_.joinable()) fontConfiguration_.join();
        QAccessible::isActive();
    } else {
        bus_ = std::thread([] { QDBusConnection::sessionBus(); });
    }
    // The font list is made once, under the font database's own lock: the main thread, needing a
    // font meanwhile, waits for it rather than making it again. The configuration read first is
    // the one it then uses.
    fonts_ = std::thread([this] {
        if (fontConfiguration_.joinable()) fontConfiguration_.join();
        QFontDatabase::families();
        // The main window's pictures, needed at its first painting, some milliseconds later.
        icons::drawMainWindowPicturesAhead(ToolbarRow::iconSide);
    });
}

void StartupWarmup::finish() {
    if (fonts_.joinable()) fonts_.join();
    if (fontConfiguration_.joinable()) fontConfiguration_.join();
    if (bus_.joinable()) bus_.join();
}

}  // namespace kalvora::ui
