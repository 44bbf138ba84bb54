#include "ui/carriers_view.h"

#include <array>

namespace kalvora::ui {

template <>
CarriersView::TableView(tables::CarriersForm& form, QWidget* parent)
    : GridView(form, parent) {
    using Form = tables::CarriersForm;
    // In focus order; the tax identifier shares the country's header.
    const std::array<FieldBox, tables::carrierFieldCount> boxes = {{
        {"text1", Form::headers[0], 1, "Nome vettore o tipo di trasporto", 220},
        {"Text2", Form::headers[1], 1, "Indirizzo a 1' riga di annotazioni", 220},
        {"Text3", Form::headers[2], 1, "Città o 2' riga di annotazioni", 200},
        {"text4", Form::headers[3], 2, "ID Stato", 34},
        {"text5", "", 1, "Codice (fatture PA)", 150},
        {"sc4", Form::headers[5], 1, "Codice Fiscale", 150},
    }};
    buildFieldGrid<tables::CarrierField>(form, boxes, tables::carrierFieldWidth,
                                         {{QStringLiteral("aiuto"), QString::fromUtf8(Form::helpText)}});
}

}  // namespace kalvora::ui
