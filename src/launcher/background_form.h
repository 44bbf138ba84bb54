#pragma once
// The window zelbgr ("Selezione sfondo"): one option per background choice (imm 0..17), the
// path of the user's own picture (text1) with its browse button (Command1), the colour button
// (selcar) with its sample (carattere), confirm and cancel.
#include "core/form.h"
#include "core/session.h"
#include "launcher/background.h"

#include <functional>
#include <string>

namespace kalvora::launcher {

class BackgroundForm : public core::Form {
public:
    static constexpr const char* fileDialogTitle = "Seleziona l'immagine di sfondo";
    static constexpr const char* fileFilter = "*.bmp; *.jpg";
    static constexpr const char* colourDialogTitle = "Seleziona il colore";

    // `applied` runs after the choice has been saved, so the main window shows it.
    explicit BackgroundForm(core::Session& session, std::function<void()> applied = {})
        : Form(session), applied_(std::move(applied)) {}
    std::string name() const override { return "zelbgr"; }
    std::string title() const override { return "Selezione sfondo"; }

    // Reads kalvora.bgr: the stored choice is selected, its path and colour shown.
    void open();

    int choice() const { return choice_; }           // the selected option of imm
    const std::string& path() const { return path_; } // text1
    long colour() const { return colour_; }          // the sample carattere, red in the low byte

    void select(int choice);             // imm(choice) clicked; out of range is ignored
    void setPath(std::string text);      // text1 edited
    void browse();                       // Command1
    void chooseColour();                 // selcar
    // bottone_1: saves the choice and closes; a failed save says so and keeps the window open.
    void confirm();
    void cancel() { close(); }           // bottone_0 and the close box

private:
    std::function<void()> applied_;
    int choice_ = plainColourBackground;
    std::string path_;
    long colour_ = defaultBackgroundColour;
};

// Opens zelbgr over the main window and waits for it to close; `applied` runs then, when the
// choice was saved.
void openBackgroundSelection(core::Session& session, std::function<void()> applied = {});

}  // namespace kalvora::launcher
