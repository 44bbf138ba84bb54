#pragma once
// The main window's background: kalvora.bgr in the installation folder (choice, picture path,
// colour) and the choices the window zelbgr offers.
#include "core/files.h"
#include "core/paths.h"

#include <array>
#include <string>

namespace kalvora::launcher {

constexpr const char* backgroundFileName = "kalvora.bgr";
constexpr int plainColourBackground = 0;
constexpr int ownPictureBackground = 1;
constexpr int firstDeliveredBackground = 2;   // sfondo1.bmp
constexpr int lastDeliveredBackground = 16;   // sfondo15.bmp
constexpr int transparentBackground = 17;
constexpr int backgroundChoices = 18;
constexpr long defaultBackgroundColour = 8388608;  // dark blue, red in the low byte

struct Background {
    int choice = plainColourBackground;  // 0..17, the option index of zelbgr
    std::string path;                    // line 2 as stored
    long colour = defaultBackgroundColour;

    bool operator==(const Background&) const = default;
};

// The caption of each option of zelbgr, by choice.
extern const std::array<const char*, backgroundChoices> backgroundCaptions;

// The stored choice; the defaults for what cannot be read.
Background readBackground(const core::Files& files, const core::Installation& installation);
// Rewrites kalvora.bgr (atomically); 0 or the error number.
int writeBackground(core::Files& files, const core::Installation& installation, const Background& background);

// The delivered picture of a choice: "sfondo1.bmp" for 2 ... "sfondo15.bmp" for 16; empty for
// the other choices.
std::string deliveredPictureName(int choice);
// Its number, 1..15, or 0.
int deliveredPictureNumber(int choice);

// What the main window shows for a stored background.
struct BackgroundDisplay {
    enum class Kind { Colour, Picture, Transparent };
    Kind kind = Kind::Colour;
    std::string picture;  // the file to load (Picture); the colour is shown when it cannot be
    int delivered = 0;    // 1..15 when the picture is a delivered one, drawn when missing
    long colour = defaultBackgroundColour;

    bool operator==(const BackgroundDisplay&) const = default;
};

// Choice 2..16: the delivered picture in the installation folder, whatever line 2 says;
// choice 1: the path of line 2 on this system; no usable path gives the colour.
BackgroundDisplay backgroundDisplay(const core::Files& files, const core::Installation& installation,
                                    const Background& background);

}  // namespace kalvora::launcher
