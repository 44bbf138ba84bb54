#include "launcher/background.h"

#include "core/numbers.h"
#include "core/stored_path.h"
#include "core/text.h"

namespace kalvora::launcher {

const std::array<const char*, backgroundChoices> backgroundCaptions = {
    "Non utilizzare alcuna immagine: utilizza come sfondo il colore",
    "Utilizza una immagine personalizzata:",
    "Utilizza immagine 1: Panorama cittadino",
    "Utilizza immagine 2: Tramonto sul mare",
    "Utilizza immagine 3: Tramonto in montagna",
    "Utilizza immagine 4: Tramonto al mare",
    "Utilizza immagine 5: Foresta di ghiaccio",
    "Utilizza immagine 6: Spiagge tropicali",
    "Utilizza immagine 7: Primavera al lago",
    "Utilizza immagine 8: Inverno al lago",
    "Utilizza immagine 9: Deserto",
    "Utilizza immagine 10: Vulcano in eruzione",
    "Utilizza immagine 11: Orsi e cuccioli",
    "Utilizza immagine 12: Gattini",
    "Utilizza immagine 13: Cucciolo di leone",
    "Utilizza immagine 14: Pesce tropicale",
    "Utilizza immagine 15: Cavallo al mare",
    "Utilizza uno sfondo trasparente",
};

namespace {

constexpr long largestColour = 0xffffff;

// Whether text starts as a number does: an optional sign, then a digit or a point and a digit.
bool startsAsNumber(const std::string& text) {
    std::size_t i = text.empty() || (text[0] != '-' && text[0] != '+') ? 0 : 1;
    if (i < text.size() && text[i] == '.') ++i;
    return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

}  // namespace

Background readBackground(const core::Files& files, const core::Installation& installation) {
    Background b;
    const auto lines = files.readLines(installation.file(backgroundFileName));
    if (!lines) return b;
    // The choice and the path are read together: without both, neither counts.
    if (lines->size() >= 2) {
        const int choice = core::integerValue((*lines)[0]);
        if (choice >= 0 && choice < backgroundChoices) {
            b.choice = choice;
            b.path = (*lines)[1];
        }
    }
    if (lines->size() >= 3) {
        const std::string text = core::trim((*lines)[2]);
        const double value = core::numericValue(text);
        // A colour that is no number of three bytes keeps the default rather than turning black.
        if (startsAsNumber(text) && value >= 0 && value <= largestColour) b.colour = static_cast<long>(value);
    }
    return b;
}

int writeBackground(core::Files& files, const core::Installation& installation, const Background& background) {
    return files.writeLines(installation.file(backgroundFileName),
                            {std::to_string(background.choice), background.path,
                             core::printForm(static_cast<double>(background.colour))});
}

int deliveredPictureNumber(int choice) {
    return choice >= firstDeliveredBackground && choice <= lastDeliveredBackground
               ? choice - firstDeliveredBackground + 1
               : 0;
}

std::string deliveredPictureName(int choice) {
    const int number = deliveredPictureNumber(choice);
    return number ? "sfondo" + std::to_string(number) + ".bmp" : std::string();
}

BackgroundDisplay backgroundDisplay(const core::Files& files, const core::Installation& installation,
                                    const Background& background) {
    BackgroundDisplay d;
    d.colour = background.colour;
    if (background.choice == transparentBackground) {
        d.kind = BackgroundDisplay::Kind::Transparent;
    } else if (const int number = deliveredPictureNumber(background.choice)) {
        d.kind = BackgroundDisplay::Kind::Picture;
        d.picture = files.resolve(installation.file(deliveredPictureName(background.choice)));
        d.delivered = number;
    } else if (background.choice == ownPictureBackground) {
        if (auto path = core::storedPathOnThisSystem(files, installation, core::trim(background.path))) {
            d.kind = BackgroundDisplay::Kind::Picture;
            d.picture = std::move(*path);
        }
    }
    return d;
}

}  // namespace kalvora::launcher
