#include "launcher/postit_form.h"

#include "core/cp1252.h"
#include "core/dates.h"
#include "core/text.h"

namespace kalvora::launcher {

PostitForm::PostitForm(core::Session& session, int slot, std::string text, std::string expiry)
    : core::Form(session), slot_(slot) {
    if (slot_ == 0) {
        text_ = textHint;
        expiry_ = expiryHint;
        textHinted_ = expiryHinted_ = true;
    } else {
        text_ = core::singleLine(text);
        expiry_ = core::singleLine(expiry);
    }
}

std::string PostitForm::frameCaption() const { return slot_ == 0 ? "Nuovo post-it" : "Modifica post-it"; }

void PostitForm::setText(std::string text) {
    // A line break would split the note across lines of the notes file.
    text_ = core::singleLine(text);
    textHinted_ = false;
}

void PostitForm::setExpiry(std::string expiry) {
    expiry_ = core::singleLine(expiry);
    expiryHinted_ = false;
}

void PostitForm::enterField(Field field) {
    focus_ = field;
    if (field == TextField && textHinted_) setText({});
    if (field == ExpiryField && expiryHinted_) setExpiry({});
}

void PostitForm::confirm() {
    if (closed()) return;
    auto& platform = session().platform();
    if (core::trim(text()).empty()) {
        platform.message("Non è stato definito il testo del post-it", "Attenzione", core::Icon::Critical);
        focus_ = TextField;
        return;
    }
    // Refused rather than stored as '?': the note on the main window would read differently
    // from the file and change at the next start.
    if (const std::string odd = core::charactersOutsideCp1252(text()); !odd.empty()) {
        platform.message(unstorableText + (" (" + odd + "): toglierli o sostituirli."), "Attenzione",
                         core::Icon::Critical);
        focus_ = TextField;
        return;
    }
    const std::string date = core::trim(expiry());
    // The strict form: "1/1/2025" is a real day but not ten characters.
    if (!date.empty() && !core::parseDdMmYyyy(date)) {
        platform.message("La data di scadenza non è corretta", "Attenzione", core::Icon::Critical);
        focus_ = ExpiryField;
        return;
    }
    setExpiry(date);
    finish(Confirmed);
}

void PostitForm::remove() { finish(Removed); }
void PostitForm::cancel() { finish(Cancelled); }
void PostitForm::closeBox() { finish(ClosedBox); }

void PostitForm::finish(Result result) {
    if (closed()) return;
    result_ = result;
    close();
}

}  // namespace kalvora::launcher
