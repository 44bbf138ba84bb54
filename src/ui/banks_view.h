#pragma once
// The banks window zelstban: 18 rows of ten boxes over table T8, the page selector selpag, the
// help text and the button bar. Every change goes to the form at once; the account boxes are
// padded by the form when they lose the focus.
#include "tables/banks.h"
#include "ui/grid_view.h"
