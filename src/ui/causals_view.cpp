#include "ui/causals_view.h"

#include <QGroupBox>
#include <QHBoxLayout>

#include <array>

namespace kalvora::ui {

template <>
CausalsView::TableView(tables::CausalsForm& form, QWidget* parent)
    : GridView(form, parent) {
    using Form = tables::CausalsForm;
    using List = tables::CausalList;
    constexpr std::array<const char*, tables::causalListCount> controls = {"sc4", "text", "text1"};
    constexpr std::array<const char*, tables::causalListCount> selectors = {"VScroll1", "VScroll2", "VScroll3"};

    // Side by side; Tab goes down each list in turn.
    auto* frames = new QHBoxLayout;
    for (int i = 0; i < tables::causalListCount; ++i) {
        const auto list = static_cast<List>(i);
        const QString caption = QString::fromUtf8(Form::frameTexts[i]);
        GridColumn box{.control = QLatin1String(controls[i]),
                       .spoken = caption,
                       .width = 230,
                       .text = [&form, list](int r) { return form.text(list, r); },
                       .edit = [&form, list](int r, std::string text) { form.edit(list, r, std::move(text)); },
                       .enter = [&form, list](int r) { form.enterPressed(list, r); },
                       .focusIn = [&form, list](int r) { form.setFocus(list, r); }};
        frames->addWidget(grid({.caption = caption,
                                .selector = QLatin1String(selectors[i]),
                                .rows = Form::visibleRows,
                                .columns = {std::move(box)},
                                .first = [&form, list] { return form.firstEntry(list); },
                                .lastFirst = [&form, list] { return form.lastFirstEntry(list); },
                                .scrollTo = [&form, list](int first) { form.scrollTo(list, first); },
                                .rowName = [&form, list](int r) { return QString::number(form.entryOf(list, r)); }}));
    }
    column()->addLayout(frames);
    finish([this, &form] { return cell(static_cast<int>(form.focusedList()), form.focusedRow(), 0); });
}

}  // namespace kalvora::ui
