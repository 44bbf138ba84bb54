#pragma once
// The post-it notes of the main window: ten slots of text, position and expiry, kept per group
// of ten users in kalvora.p followed by the first two characters of the user caption (a blank
// and the tens digit: users 0-9 share "kalvora.p 0"), 40 lines, four for each slot.
#include "core/files.h"
#include "core/paths.h"
#include "core/session.h"

#include <array>
#include <optional>
#include <string>

namespace kalvora::launcher {

constexpr int postitSlots = 10;
// Where a new note goes, in twips from the top left of the main window's working area.
constexpr int newPostitLeft = 120;
constexpr int newPostitTop = 60;

struct PostitNote {
    std::string text;    // blank: a free slot
    int left = 0;        // twips
    int top = 0;         // twips
    std::string expiry;  // "dd/mm/yyyy", or empty for none
    bool isFree() const;
    friend bool operator==(const PostitNote&, const PostitNote&) = default;
};

using PostitTable = std::array<PostitNote, postitSlots>;

// "kalvora.p" followed by the first two characters of `userCaption`.
std::string postitFileName(const std::string& userCaption);
// The whole table; nullopt when the file is missing or shorter than 40 lines.
std::optional<PostitTable> readPostits(const core::Files& files, const core::Installation& installation,
                                       const std::string& userCaption);
// Rewrites the file from the table: 0 or an error number.
int writePostits(core::Files& files, const core::Installation& installation, const std::string& userCaption,
                 const PostitTable& table);

// The notes held by the main window for the user logged in. Slots are numbered 1 to 10.
class PostitNotes {
public:
    explicit PostitNotes(core::Session& session);

    const PostitNote& note(int slot) const;
    // Whether the main window shows the note of `slot` (never on the transparent screen).
    bool visible(int slot) const;

    // Reads the user's notes, drops those past their expiry date and saves what is left.
    void show();
    // The toolbar's "*postit": zelpostit for a new note in the first free slot.
    void newNote();
    // A double click on a note: zelpostit to change or remove it.
    void editNote(int slot);
    // The note was dropped at `left`, `top` (twips).
    void moveNote(int slot, int left, int top);

private:
    int save();
    void saveOrComplain();
    bool transparentScreen() const;

    core::Session& session_;
    PostitTable table_{};
    bool hidden_ = false;  // the transparent screen shows no notes
};

}  // namespace kalvora::launcher
