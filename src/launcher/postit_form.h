#pragma once
// The post-it editor zelpostit: the note's text and its optional expiry date, with Conferma,
// Elimina and Annulla. The opener reads result(), text() and expiry() once it has closed.
#include "core/form.h"
#include "core/session.h"

#include <array>
#include <string>

namespace kalvora::launcher {

class PostitForm : public core::Form {
public:
    // What the window ended with.
    enum Result { Open = 0, Confirmed = 1, Removed = 2, Cancelled = 3, ClosedBox = 9 };
    enum Field { TextField, ExpiryField };

    static constexpr const char* textHint = "Testo...";
    static constexpr const char* expiryHint = "dd/mm/yyyy";
    static constexpr const char* expiryLabel = "Eventuale scadenza";
    // Followed by the characters at fault in brackets.
    static constexpr const char* unstorableText =
        "Il testo del post-it contiene caratteri che non possono essere memorizzati";
    // The fixed labels that explain how notes work.
    static constexpr std::array<const char*, 4> explanations{
        "Ogni utente può tenere fino a 10 post-it contemporaneamente e trascinarli con il mouse "
        "nel punto preferito della finestra principale.",
        "Per modificare o eliminare un post-it fare doppio clic sul suo testo nella finestra principale.",
        "Un post-it con una data di scadenza viene eliminato automaticamente dopo quella data.",
        "I post-it non vengono visualizzati quando è selezionato lo schermo trasparente.",
    };

    // `slot` 0 for a new note, else the note's slot (1 to 10) with its current text and expiry.
    PostitForm(core::Session& session, int slot, std::string text = {}, std::string expiry = {});

    std::string name() const override { return "zelpostit"; }
    std::string title() const override { return "Post-it"; }
    // The frame's caption: "Nuovo post-it" or "Modifica post-it".
    std::string frameCaption() const;
    int slot() const { return slot_; }

    // What the fields show, hints included.
    const std::string& shownText() const { return text_; }
    const std::string& shownExpiry() const { return expiry_; }
    // What they hold: an untouched hint counts as nothing typed.
    std::string text() const { return textHinted_ ? std::string() : text_; }
    std::string expiry() const { return expiryHinted_ ? std::string() : expiry_; }
    void setText(std::string text);
    void setExpiry(std::string expiry);
    // Entering a field clears its hint.
    void enterField(Field field);
    Field focusedField() const { return focus_; }

    // Refuses an empty text, a text the notes file cannot hold and a date that is not a strict
    // dd/mm/yyyy; otherwise closes with Confirmed.
    void confirm();
    void remove();
    void cancel();
    void closeBox();
    Result result() const { return result_; }

private:
    void finish(Result result);

    int slot_;
    std::string text_;
    std::string expiry_;
    bool textHinted_ = false;
    bool expiryHinted_ = false;
    Field focus_ = TextField;
    Result result_ = Open;
};

}  // namespace kalvora::launcher
