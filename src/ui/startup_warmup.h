#pragma once
// Work every start needs that does not have to wait its turn on the main thread, done on a
// second core while the main thread connects to the display and builds the main window:
// reading the font configuration, listing the installed fonts, drawing the main window's
// pictures, and connecting to the session bus (the accessibility layer connects at the first
// focused widget).
#include <thread>

namespace kalvora::ui {

class StartupWarmup {
public:
    // Starts reading the font configuration: it needs nothing from Qt.
    StartupWarmup();
    // Waits for everything started to finish.
    ~StartupWarmup();
    StartupWarmup(const StartupWarmup&) = delete;
    StartupWarmup& operator=(const StartupWarmup&) = delete;

    // Once the application object exists: the font list, and the session bus when its address
    // is known (without one, the connection is made here, before any other thread starts).
    void applicationReady();
    // Waits for everything started to finish.
    void finish();

private:
    std::thread fontConfiguration_;
    std::thread fonts_;
    std::thread bus_;
};

}  // namespace kalvora::ui
