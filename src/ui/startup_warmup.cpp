#include "ui/startup_warmup.h"

#include <QDBusConnection>
#include <QFontDatabase>

#include <fontconfig/fontconfig.h>

namespace kalvora::ui {

StartupWarmup::StartupWarmup() : fontConfiguration_([] { FcInit(); }) {}

StartupWarmup::~StartupWarmup() { finish(); }

void StartupWarmup::applicationReady() {
    if (fonts_.joinable() || bus_.joinable()) return;
    // The font list is made once, under the font database's own lock: the main thread, needing a
    // font meanwhile, waits for it rather than making it again. The configuration read first is
    // the one it then uses.
    fonts_ = std::thread([this] {
        if (fontConfiguration_.joinable()) fontConfiguration_.join();
        QFontDatabase::families();
    });
    bus_ = std::thread([] { QDBusConnection::sessionBus(); });
}

void StartupWarmup::finish() {
    if (fonts_.joinable()) fonts_.join();
    if (fontConfiguration_.joinable()) fontConfiguration_.join();
    if (bus_.joinable()) bus_.join();
}

}  // namespace kalvora::ui
