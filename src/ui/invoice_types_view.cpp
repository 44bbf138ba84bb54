#include "ui/invoice_types_view.h"

#include <array>

namespace kalvora::ui {

template <>
InvoiceTypesView::TableView(tables::InvoiceTypesForm& form, QWidget* parent)
    : GridView(form, parent) {
    using Field = tables::InvoiceField;
    using Form = tables::InvoiceTypesForm;
    const std::array<FieldBox, tables::invoiceFieldCount> boxes = {{
        {"text1", Form::headers[0], 1, Form::headers[0], 330},
        {"Text2", Form::headers[1], 1, Form::headers[1], 330},
        {"sc4", Form::headers[2], 1, Form::headers[2], 56},
    }};
    // The sales side is stored as typed; the purchase side packs description and %Detr.
    const auto maxLength = [](Field field) {
        return static_cast<int>(field == Field::Purchase     ? Form::purchaseWidth
                                : field == Field::Deductible ? Form::deductibleWidth
                                                             : 0);
    };
    buildFieldGrid<Field>(form, boxes, maxLength,
                          {{QStringLiteral("nota"), QString::fromUtf8(Form::reservedNote)},
                           {QStringLiteral("aiuto"), QString::fromUtf8(Form::helpText)}});
}

}  // namespace kalvora::ui
