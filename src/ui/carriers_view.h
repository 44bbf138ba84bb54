#pragma once
// The carriers window zelstvet: 18 rows of six boxes over T9 columns 2..5, the page selector
// selpag, the help text and the button bar.
#include "tables/carriers.h"
#include "ui/grid_view.h"

namespace kalvora::ui {

class CarriersView : public GridView {
    Q_OBJECT
public:
    explicit CarriersView(tables::CarriersForm& form, QWidget* parent = nullptr);
};

}  // namespace kalvora::ui
