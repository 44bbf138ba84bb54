#include "launcher/postit_notes.h"

#include "launcher/postit_form.h"
#include "support/test_session.h"

#include <gtest/gtest.h>

namespace kalvora::launcher {
namespace {

constexpr const char* groupZero = "kalwin/kalwin/kalvora.p 0";
constexpr const char* freeSlot = "\r\n 0 \r\n 0 \r\n\r\n";

// Ten slots as the file holds them, the first ones from `notes`.
std::string notesFile(const std::vector<std::string>& notes) {
    std::string bytes;
    for (const std::string& note : notes) bytes += note;
    for (std::size_t i = notes.size(); i < postitSlots; ++i) bytes += freeSlot;
    return bytes;
}

struct Notes {
    explicit Notes(const std::string& user = " 05 Anna") {
        test.drive.makeInstallation();
        test.session.run().userCaption = user;
    }
    // The editor plays `user` on zelpostit.
    void editor(std::function<void(PostitForm&)> user) {
        test.platform.modalHandlers["zelpostit"] = [user](core::Form& f) { user(dynamic_cast<PostitForm&>(f)); };
    }
    testing::TestSession test;  // today is 06/12/2026
    PostitNotes notes{test.session};
};

TEST(PostitNotesTest, NewNoteIsWrittenInWindows1252AtItsStartingPlace) {
    Notes n;
    n.notes.show();
    n.editor([](PostitForm& form) {
        EXPECT_EQ(form.frameCaption(), "Nuovo post-it");
        form.enterField(PostitForm::TextField);
        form.setText("Città: è ora");
        form.setExpiry("31/12/2026");
        form.confirm();
    });
    n.notes.newNote();
    EXPECT_EQ(n.test.drive.read(groupZero), notesFile({"Citt\xe0: \xe8 ora\r\n 120 \r\n 60 \r\n31/12/2026\r\n"}));
    EXPECT_TRUE(n.notes.visible(1));
    EXPECT_TRUE(n.test.platform.messages().empty());

    // The next one takes the next free slot; moving stores the drop point.
    n.editor([](PostitForm& form) {
        form.setText("Due");
        form.confirm();
    });
    n.notes.newNote();
    n.notes.moveNote(2, 3120, 1560);
    EXPECT_EQ(readPostits(n.test.files, n.test.drive.installation(), " 05 Anna")->at(1),
              (PostitNote{"Due", 3120, 1560, ""}));
}

TEST(PostitNotesTest, ExpiredNotesGoAtTheNextShowAndLeaveTheFile) {
    Notes n;
    n.test.drive.write(groupZero, notesFile({"Oggi\r\n 150 \r\n 90 \r\n06/12/2026\r\n",
                                             "Ieri\r\n 150 \r\n 90 \r\n05/12/2026\r\n",
                                             // Not a strict date: never expires.
                                             "Sempre\r\n-30 \r\n 90 \r\n1/1/2020\r\n"}));
    n.notes.show();
    EXPECT_TRUE(n.notes.visible(1));
    EXPECT_FALSE(n.notes.visible(2));
    EXPECT_TRUE(n.notes.visible(3));
    EXPECT_EQ(n.notes.note(3).left, -30);
    EXPECT_EQ(n.test.drive.read(groupZero), notesFile({"Oggi\r\n 150 \r\n 90 \r\n06/12/2026\r\n", freeSlot,
                                                       "Sempre\r\n-30 \r\n 90 \r\n1/1/2020\r\n"}));
}

TEST(PostitNotesTest, AShortFileShowsNothingAndIsNotOverwritten) {
    Notes n;
    const std::string shortFile = notesFile({"Tronco\r\n 150 \r\n 90 \r\n\r\n"}).substr(0, 30);
    n.test.drive.write(groupZero, shortFile);
    n.notes.show();
    EXPECT_FALSE(n.notes.visible(1));
    EXPECT_EQ(n.test.drive.read(groupZero), shortFile);
}

TEST(PostitNotesTest, UsersShareTheFileOfTheirGroupOfTen) {
    Notes n(" 03 Lucia");
    n.test.drive.write(groupZero, notesFile({"Di gruppo\r\n 150 \r\n 90 \r\n\r\n"}));
    for (const auto& [user, sees] : {std::pair{" 03 Lucia", true}, {" 07 Piero", true}, {" 12 Sara", false}}) {
        n.test.session.run().userCaption = user;
        n.notes.show();
        EXPECT_EQ(n.notes.visible(1), sees) << user;
    }
    EXPECT_EQ(postitFileName(" 12 Sara"), "kalvora.p 1");
}

TEST(PostitNotesTest, NewNoteIsRefusedWhenAllSlotsAreTakenOrTheScreenIsTransparent) {
    struct Case {
        int notes;
        bool transparent;
        const char* message;
    };
    for (const Case c : {Case{10, false, "Non è possibile visualizzare ulteriori post-it"},
                         Case{1, true, "Non è possibile visualizzare visualizzare post-it con lo schermo trasparente"}}) {
        Notes n;
        n.test.drive.write(groupZero, notesFile(std::vector<std::string>(c.notes, "Nota\r\n 150 \r\n 90 \r\n\r\n")));
        if (c.transparent) n.test.drive.write("kalwin/kalwin/kalvora.bgr", "17\r\n\r\n 8388608 \r\n");
        n.notes.show();
        EXPECT_EQ(n.notes.visible(1), !c.transparent);
        n.notes.newNote();
        EXPECT_TRUE(n.test.platform.modalsOpened.empty());
        ASSERT_EQ(n.test.platform.messages().size(), 1u);
        EXPECT_EQ(n.test.platform.messages()[0].text, c.message);
        EXPECT_EQ(n.test.platform.messages()[0].title, "Attenzione");
        EXPECT_EQ(n.test.platform.messages()[0].icon, core::Icon::Critical);
    }
}

TEST(PostitNotesTest, EditorChangesRemovesOrLeavesTheNote) {
    const std::string stored = "Vecchio\r\n 150 \r\n 90 \r\n31/12/2026\r\n";
    struct Case {
        std::function<void(PostitForm&)> user;
        std::string file;
    };
    const Case cases[] = {
        {[](PostitForm& f) { f.setText("Nuovo testo"); f.setExpiry(""); f.confirm(); },
         notesFile({"Nuovo testo\r\n 150 \r\n 90 \r\n\r\n"})},
        {[](PostitForm& f) { f.remove(); }, notesFile({})},
        {[](PostitForm& f) { f.setText("Perso"); f.cancel(); }, notesFile({stored})},
        {[](PostitForm& f) { f.setText("Perso"); f.closeBox(); }, notesFile({stored})},
    };
    for (const Case& c : cases) {
        Notes n;
        n.test.drive.write(groupZero, notesFile({stored}));
        n.notes.show();
        n.editor([&](PostitForm& form) {
            EXPECT_EQ(form.frameCaption(), "Modifica post-it");
            EXPECT_EQ(form.text(), "Vecchio");
            c.user(form);
        });
        n.notes.editNote(1);
        EXPECT_EQ(n.test.drive.read(groupZero), c.file);
        EXPECT_EQ(n.notes.visible(1), !n.notes.note(1).isFree());
    }
}

TEST(PostitFormTest, ConfirmNeedsATextAndAStrictDate) {
    struct Case {
        const char* text;  // nullptr: the hint left untouched
        const char* expiry;
        const char* message;  // nullptr: accepted
        PostitForm::Field focus;
    };
    const Case cases[] = {
        {nullptr, nullptr, "Non è stato definito il testo del post-it", PostitForm::TextField},
        {"   ", "", "Non è stato definito il testo del post-it", PostitForm::TextField},
        // Stored as '?' it would read differently after the next start; only what cannot be held is named.
        {"Città Ω € 😀 Ω", "", "Il testo del post-it contiene caratteri che non possono essere memorizzati (Ω 😀): "
                                "toglierli o sostituirli.", PostitForm::TextField},
        {"Nota", "1/1/2025", "La data di scadenza non è corretta", PostitForm::ExpiryField},
        {"Nota", "31/02/2026", "La data di scadenza non è corretta", PostitForm::ExpiryField},
        {"Nota", nullptr, nullptr, PostitForm::TextField},
        {"Nota", " 01/01/2025 ", nullptr, PostitForm::TextField},
    };
    for (const Case& c : cases) {
        testing::TestSession test;
        PostitForm form(test.session, 0);
        if (c.text) form.setText(c.text);
        if (c.expiry) form.setExpiry(c.expiry);
        // The focus starts elsewhere, so a refusal has to bring it back.
        form.enterField(c.focus == PostitForm::TextField ? PostitForm::ExpiryField : PostitForm::TextField);
        form.confirm();
        if (!c.message) {
            EXPECT_EQ(form.result(), PostitForm::Confirmed) << c.expiry;
            EXPECT_EQ(form.expiry(), c.expiry ? "01/01/2025" : "");
            continue;
        }
        EXPECT_FALSE(form.closed());
        ASSERT_NE(test.platform.last(), nullptr);
        EXPECT_EQ(test.platform.last()->text, c.message);
        EXPECT_EQ(form.focusedField(), c.focus);
    }
}

}  // namespace
}  // namespace kalvora::launcher
