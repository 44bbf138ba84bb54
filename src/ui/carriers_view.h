#pragma once
// The carriers window zelstvet: 18 rows of six boxes over T9 columns 2..5, the page selector
// selpag, the help text and the button bar.
#include "tables/carriers.h"
#include "ui/grid_view.h"
