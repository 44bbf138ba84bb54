#pragma once
// The invoice types window zelstbil: 18 rows of text1 (sales type), Text2 (purchase type) and
// sc4 (%Detr) over table T7, the page selector selpag, the notes and the button bar.
#include "tables/invoice_types.h"
#include "ui/grid_view.h"
