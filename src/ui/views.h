#pragma once
// Tells the platform which view shows which window.
#include "ui/qt_platform.h"

namespace kalvora::ui {

void registerViews(QtPlatform& platform);

}  // namespace kalvora::ui
