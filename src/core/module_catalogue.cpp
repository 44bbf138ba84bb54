#include "core/module_catalogue.h"

#include <algorithm>

namespace kalvora::core {

namespace {
template <typename Pred>
const ModuleEntry* findModule(Pred pred) {
    const auto it = std::find_if(moduleCatalogue.begin(), moduleCatalogue.end(), pred);
    return it == moduleCatalogue.end() ? nullptr : &*it;
}
}  // namespace

const ModuleEntry* findModuleByEntry(std::string_view entry) {
    return findModule([&](const ModuleEntry& m) { return m.entry == entry; });
}

const ModuleEntry* findModuleByCode(std::string_view code) {
    if (code.empty()) return nullptr;
    return findModule([&](const ModuleEntry& m) { return m.code == code; });
}

const ModuleEntry* findModuleByPosition(int position) {
    return findModule([&](const ModuleEntry& m) { return m.position == position && !m.program.empty(); });
}

}  // namespace kalvora::core
