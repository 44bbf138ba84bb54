#include "launcher/info_form.h"

#include "launcher/main_form.h"

namespace kalvora::launcher {

std::string InfoForm::versionLine() const {
    const bool bundle = session().run().edition == core::Edition::Tornalix;
    return std::string("versione '") + (bundle ? "TORNALIX" : "ZAFT") + "' " + version;
}

}  // namespace kalvora::launcher
