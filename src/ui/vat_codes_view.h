#pragma once
// The VAT codes window zelstiva: the sales set (VScroll1) and the purchase set (VScroll2) of
// eight rows each, the company-wide values below them and the button bar. Every change goes to
// the form at once.
#include "tables/vat_codes.h"
#include "ui/grid_view.h"
