#pragma once
// The functions of the "Internet" menu and of the assistance window zelstass: the maker's web
// site, the assistance program kalfass, which does the rest given a function code, and the
// teleassistance program kalkass.
#include "core/form.h"
#include "core/session.h"

#include <string>

namespace kalvora::launcher {

// Internet item 1..8 (7 is the web site); other numbers do nothing. A failure to start the
// assistance program is reported to the user. Items and codes: 1 "005", 2 "001", 3 "011",
// 4 "007", 5 "008", 6 "002", 8 "009". The toolbar reaches them as "*dispo" 1, "*internet" 2,
// "*richagg" 3, "*mail" 4, "*mailarc" 5, "*sito" 7 and "*posta" 8; those with a menu entry
// work while the entry does.
void internetFunction(core::Session& session, int item);

// Starts kalfass with the three-digit function code as its argument, not waiting for it; a
// failure is reported with the system's error number.
void startAssistance(core::Session& session, const std::string& code);

// The assistance window zelstass: three pages of buttons (bottoni1) that start kalfass or
// kalkass. Page 1 sends a message or a copy of the archives, page 2 books a call back, page 3
// books or starts teleassistance.
class AssistanceForm : public core::Form {
public:
    static constexpr int pageCount = 3;

    // `page` is the window parameter: 1, 2 or 3 (anything else shows page 1).
    AssistanceForm(core::Session& session, int page);

    std::string name() const override { return "zelstass"; }
    std::string title() const override { return "Assistenza"; }

    int page() const { return page_; }
    // The buttons of a page (bottoni1 indexes) and their captions.
    static bool onPage(int button, int page);
    static std::string caption(int button);

    // bottoni1: 0 message (007), 1 copy of the archives (008), 2 and 3 pages 2 and 3, 4 close,
    // 5 call back (017), 6 back to page 1, 9 teleassistance booking (016), 10 teleassistance.
    void press(int button);
    void leave() { close(); }

private:
    int page_;
};

// Opens zelstass on a page, beside the main window.
void openAssistance(core::Session& session, int page);

}  // namespace kalvora::launcher
