#include "launcher/postit_notes.h"

#include "core/dates.h"
#include "core/numbers.h"
#include "core/text.h"
#include "launcher/background.h"
#include "launcher/postit_form.h"

#include <vector>

namespace kalvora::launcher {

namespace {

constexpr std::size_t linesPerNote = 4;

bool validSlot(int slot) { return slot >= 1 && slot <= postitSlots; }

bool expired(const PostitNote& note, const core::Date& today) {
    const auto date = core::parseDdMmYyyy(note.expiry);
    return date && core::toYyyymmdd(today) > core::toYyyymmdd(*date);
}

}  // namespace

bool PostitNote::isFree() const { return core::trim(text).empty(); }

std::string postitFileName(const std::string& userCaption) {
    return "kalvora.p" + core::left(userCaption, 2);
}

std::optional<PostitTable> readPostits(const core::Files& files, const core::Installation& installation,
                                       const std::string& userCaption) {
    const auto lines = files.readLines(installation.file(postitFileName(userCaption)));
    if (!lines || lines->size() < postitSlots * linesPerNote) return std::nullopt;
    PostitTable table;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::string* fields = lines->data() + i * linesPerNote;
        table[i] = {fields[0], core::integerValue(fields[1]), core::integerValue(fields[2]), fields[3]};
    }
    return table;
}

int writePostits(core::Files& files, const core::Installation& installation, const std::string& userCaption,
                 const PostitTable& table) {
    std::vector<std::string> lines;
    lines.reserve(postitSlots * linesPerNote);
    for (const PostitNote& note : table) {
        lines.push_back(note.text);
        lines.push_back(core::printForm(note.left));
        lines.push_back(core::printForm(note.top));
        lines.push_back(note.expiry);
    }
    return files.writeLines(installation.file(postitFileName(userCaption)), lines);
}

PostitNotes::PostitNotes(core::Session& session) : session_(session) {}

const PostitNote& PostitNotes::note(int slot) const {
    static const PostitNote none;
    return validSlot(slot) ? table_[slot - 1] : none;
}

bool PostitNotes::visible(int slot) const { return !hidden_ && validSlot(slot) && !table_[slot - 1].isFree(); }

bool PostitNotes::transparentScreen() const {
    return readBackground(session_.files(), session_.installation()).choice == transparentBackground;
}

int PostitNotes::save() {
    return writePostits(session_.files(), session_.installation(), session_.run().userCaption, table_);
}

void PostitNotes::saveOrComplain() {
    if (const int error = save(); error != 0)
        session_.platform().message("Non è stato possibile salvare i post-it: errore " + std::to_string(error),
                                    "Attenzione", core::Icon::Critical);
}

void PostitNotes::show() {
    hidden_ = transparentScreen();
    const auto read = readPostits(session_.files(), session_.installation(), session_.run().userCaption);
    table_ = read.value_or(PostitTable{});
    const core::Date today = session_.clock().today();
    for (PostitNote& note : table_)
        if (!note.isFree() && expired(note, today)) note = {};
    // A file that could not be read is left alone: rewriting it empty would lose the notes a
    // damaged or unreachable file may still hold. The start-up stays quiet about a failed
    // save; the expired notes go at the next one.
    if (read) save();
}

void PostitNotes::newNote() {
    auto& s = session_;
    int slot = 1;
    while (slot <= postitSlots && !table_[slot - 1].isFree()) ++slot;
    if (slot > postitSlots) {
        s.platform().message("Non è possibile visualizzare ulteriori post-it", "Attenzione", core::Icon::Critical);
        return;
    }
    if (transparentScreen()) {
        s.platform().message("Non è possibile visualizzare visualizzare post-it con lo schermo trasparente",
                             "Attenzione", core::Icon::Critical);
        return;
    }
    PostitForm form(s, 0);
    s.platform().showModal(form);
    if (form.result() != PostitForm::Confirmed) return;
    table_[slot - 1] = {form.text(), newPostitLeft, newPostitTop, form.expiry()};
    hidden_ = false;
    saveOrComplain();
}

void PostitNotes::editNote(int slot) {
    if (!visible(slot)) return;
    auto& s = session_;
    PostitNote& note = table_[slot - 1];
    PostitForm form(s, slot, note.text, note.expiry);
    s.platform().showModal(form);
    if (form.result() == PostitForm::Confirmed) {
        note.text = form.text();
        note.expiry = form.expiry();
    } else if (form.result() == PostitForm::Removed) {
        note = {};
    } else {
        return;
    }
    saveOrComplain();
}

void PostitNotes::moveNote(int slot, int left, int top) {
    if (!visible(slot)) return;
    PostitNote& note = table_[slot - 1];
    if (note.left == left && note.top == top) return;
    note.left = left;
    note.top = top;
    saveOrComplain();
}

}  // namespace kalvora::launcher
