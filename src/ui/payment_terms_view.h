#pragma once
// The payment-terms window zelstpag: 15 rows of description, payment type, six instalment
// month boxes, "Fine mese +" and days, the page selector selpag, the August and December
// settings and the button bar. Every change goes to the form at once.
#include "tables/payment_terms.h"
#include "ui/grid_view.h"
