#include "printing/field_placement.h"
#include "printing/label_layout_form.h"
#include "printing/layout_designer.h"

#include "support/test_session.h"

#include <gtest/gtest.h>

namespace kalvora::printing {
namespace {

enum Window { Designer, Subject, Body, Labels };

// Types `typed` in the window's text and, when `font` is given, takes it from the font dialog;
// then confirms or saves. Says what the window kept, and " saved" when it wrote its file.
std::string play(testing::TestSession& t, Window w, const std::string& typed, const std::string& font = "") {
    t.drive.makeInstallation(0);
    t.platform.fontAnswers = {core::PrintFont{font, 11, true, false}};
    if (w == Designer) {
        LayoutDesignerForm f(t.session, 1);
        f.open();
        f.newElement(2);
        f.editCoordinate(DesignerFrame::Testo, 2, typed);
        if (!font.empty()) f.chooseFont();
        f.confirm(2);
        return std::to_string(f.grid().count) + " " + f.fontCaption();
    }
    if (w == Labels) {
        LabelLayoutForm f(t.session, 3);
        f.open();
        f.editText(10, typed);
        if (!font.empty()) f.chooseFont(0);
        f.confirm();
        return f.row(0).carattere + (t.drive.exists("kalwin/kalwin/kalvora.eta") ? " saved" : "");
    }
    FieldPlacementForm f(t.session, 5);
    f.open();
    w == Subject ? f.editSubject(typed) : f.editBody(typed);
    if (!font.empty()) f.clickCell(1, PlacementColumn::Font);
    f.save();
    return f.cell(1, PlacementColumn::Font) + (f.closed() ? " saved" : "");
}

TEST(UnstorableText, IsRefusedNamingItsCharacters) {
    const std::string cannot = " contiene caratteri che non possono essere memorizzati (";
    const std::string remove = "): toglierli o sostituirli.";
    const std::string font = "Il tipo di carattere \"Noto ł\"" + cannot + "ł): sceglierne un altro.";
    const struct {
        Window window;
        std::string typed, font, kept, said;
    } cases[] = {
        {Designer, "Città € ł Ω ł", "", "0 Arial", "Il testo" + cannot + "ł Ω" + remove},
        {Designer, "Città €", "Noto ł", "1 Arial", font},
        {Subject, "DDT № 5", "", "Arial (9)", "L'oggetto dell'e-mail" + cannot + "№" + remove},
        {Body, "Saluti\n— 李", "", "Arial (9)", "Il testo dell'e-mail" + cannot + "李" + remove},
        {Subject, "Città €", "Noto ł", "Arial (9) saved", font},
        {Labels, "Prezzo ₺", "", "Arial (9)", "Il campo numero 3" + cannot + "₺" + remove},
        {Labels, "Città €", "Noto ł", "Arial (9) saved", font},
    };
    for (const auto& c : cases) {
        testing::TestSession t;
        EXPECT_EQ(play(t, c.window, c.typed, c.font), c.kept) << c.said;
        std::string said;
        for (const testing::Shown& m : t.platform.messages())
            said += m.title + (m.icon == core::Icon::Critical ? " stop: " : ": ") + m.text;
        EXPECT_EQ(said, "Attenzione stop: " + c.said);
    }
}

}  // namespace
}  // namespace kalvora::printing
