#include "core/general_settings.h"

namespace kalvora::core {

GeneralSettings::GeneralSettings(Record r) : record_(std::move(r)) {
    // A short file leaves zero bytes; a longer record keeps only the first record's bytes.
    record_.bytes().resize(recordLength, 0);
}

std::int16_t GeneralSettings::leadingInteger(int index) const {
    if (index < 0 || index > 5)
        return 0;
    return record_.int16(static_cast<std::size_t>(index) * 2);
}

void GeneralSettings::setLeadingInteger(int index, std::int16_t value) {
    if (index < 0 || index > 5)
        return;
    record_.setInt16(static_cast<std::size_t>(index) * 2, value);
}

void GeneralSettings::applyVersionFill() {
    setVersionMarker("9");
    setRefreshLists("1");
    setFirstColour(defaultFirstColour);
    setSecondColour(defaultSecondColour);
    setAlternateColours("1");
    setDropAlternateOver10000("1");
}

}  // namespace kalvora::core
