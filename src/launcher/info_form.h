#pragma once
// The information window zelabout: the product picture and its version line.
#include "core/form.h"
#include "core/session.h"

#include <string>

namespace kalvora::launcher {

class InfoForm : public core::Form {
public:
    explicit InfoForm(core::Session& session) : core::Form(session) {}

    std::string name() const override { return "zelabout"; }
    std::string title() const override { return "Informazioni"; }
    // "versione 'ZAFT' 15.E", or 'TORNALIX' in the bundle edition.
    std::string versionLine() const;
    void closeWindow() { close(); }
};

}  // namespace kalvora::launcher
