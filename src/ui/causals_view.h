#pragma once
// The causals window zelstcau: three framed lists of 18 boxes side by side, causals (sc4,
// VScroll1), goods appearance (text, VScroll2) and product categories (text1, VScroll3), and the
// button bar.
#include "tables/causals.h"
#include "ui/grid_view.h"
