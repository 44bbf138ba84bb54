#include "ui/banks_view.h"

#include <array>

namespace kalvora::ui {

template <>
BanksView::TableView(tables::BanksForm& form, QWidget* parent)
    : GridView(form, parent) {
    using Form = tables::BanksForm;
    // In focus order; the account and sub-account share the group's header.
    const std::array<FieldBox, tables::bankFieldCount> boxes = {{
        {"text1", Form::headers[0], 1, "Descrizione banca", 220},
        {"sc1", Form::headers[1], 1, "ABI", 56},
        {"sc2", Form::headers[2], 1, "CAB", 56},
        {"sc5", Form::headers[3], 1, "SIA", 56},
        {"sc3", Form::headers[4], 1, "Numero conto", 150},
        {"sc7", Form::headers[5], 1, "CIN", 28},
        {"sc6", Form::headers[6], 1, "IB", 34},
        {"sc31", Form::headers[7], 3, "Codice conto gruppo", 34},
        {"sc32", "", 1, "Codice conto conto", 34},
        {"sc4", "", 1, "Codice conto sottoconto", 52},
    }};
    buildFieldGrid<tables::BankField>(form, boxes, tables::bankFieldWidth,
                                      {{QStringLiteral("aiuto"), QString::fromUtf8(Form::helpText)}});
}

}  // namespace kalvora::ui
