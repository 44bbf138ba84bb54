#pragma once
// The fifteen pictures delivered with the program as backgrounds of the main window,
// sfondo1.bmp ... sfondo15.bmp in the installation folder. They are drawn by the program itself
// when one is first needed and missing, so nothing has to be shipped beside it.
#include "core/files.h"

#include <QImage>
#include <QSize>

#include <string>

namespace kalvora::ui {

constexpr int deliveredPictureCount = 15;
constexpr QSize deliveredPictureSize{1024, 768};

// Picture `number` (1..15) drawn at `size`; a null image for another number.
QImage drawDeliveredPicture(int number, QSize size = deliveredPictureSize);

// Writes sfondo<number>.bmp into `folder` when it is not there (a whole new file or none);
// true when the picture is there afterwards.
bool ensureDeliveredPicture(core::Files& files, const std::string& folder, int number);
// The same for all fifteen; true when every one is there.
bool ensureDeliveredPictures(core::Files& files, const std::string& folder);

}  // namespace kalvora::ui
