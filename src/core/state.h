#pragma once
// The two records that live from start-up to exit and every window reads.
#include "core/general_settings.h"
#include "core/listing_settings.h"

#include <array>
#include <string>
#include <vector>

namespace kalvora::core {

enum class Edition { Zaft, Tornalix };

struct RunState {
    std::string windowTitle;
    std::string userCaption;    // " 01 Amministratore", " 00 Utente non identificato"
    std::string noticeLink;
    std::array<std::string, 200> startedModules{};  // slots 1..199 used
    Edition edition = Edition::Zaft;

    // The numeric value of the first three characters of the user caption.
    int userNumber() const;
};

struct CompanyState {
    static constexpr int registrySize = 1000;

    int code = 0;
    std::string companyCaption;  // "000 Rossi Srl"
    std::string yearCaption;     // "2026" or empty
    std::vector<std::string> registry = std::vector<std::string>(registrySize, "*");
    std::array<std::string, 4> headerLines{};   // 1..3 used
    std::array<std::string, 21> currency{};     // items 1..20 used
    ListingSettings listing;
    GeneralSettings general;

    // Currency item 1: amounts in euro.
    bool euro() const { return currency[1] != "0"; }
};

}  // namespace kalvora::core
