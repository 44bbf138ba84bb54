#pragma once
// The check window zelaver ("Verifica impostazioni"): looks for settings likely to make printing
// fail and lists what it finds in List1: the system's date and number formats, the listing
// edges, the fonts of the listings, of the field placements and of the form grids, and commas
// in the codes of the company's tables.
#include "core/form.h"
#include "core/listing_settings.h"
#include "core/session.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kalvora::printing {

class SettingsCheckForm : public core::Form {
public:
    static constexpr int edgeLimit = 950;
    static constexpr const char* finishedText = "Verifica terminata.";
    static constexpr const char* nothingFoundText = "Nessun inconveniente rilevato.";

    explicit SettingsCheckForm(core::Session& session);
    std::string name() const override { return "zelaver"; }
    std::string title() const override { return "Verifica impostazioni"; }

    // Shows an empty list.
    void open() { list_.clear(); }
    // "esegui verifica": runs every check again and fills List1 in order.
    void run();
    // List1.
    const std::vector<std::string>& list() const { return list_; }
    // The exit button and the close box.
    // Refused while a check runs: the window stays until the check has ended.
    void exit() {
        if (!running_) close();
    }
    bool running() const { return running_; }

private:
    void checkRegionalSettings();
    void checkListingEdges(const core::ListingSettings& settings);
    void checkListingFonts(const core::ListingSettings& settings,
                           const std::optional<std::vector<std::string>>& lines);
    void checkLayoutFonts();
    void checkTables();
    // Tries a font once per run; a failure lists "Il font <name><where> non esiste oppure non è
    // stampabile.".
    void tryFont(const std::string& fontName, const std::string& where);

    std::vector<std::string> list_;
    bool running_ = false;
    std::map<std::string, bool> printable_;  // fonts tried in this run
};

}  // namespace kalvora::printing
