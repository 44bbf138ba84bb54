#pragma once
// The product's names as windows, print footers and the about box show them.
#include "core/state.h"

namespace kalvora::core {

constexpr const char* productName = "Kalvora";
constexpr const char* version = "15.E";
constexpr const char* zaftEditionName = "Zaft";
constexpr const char* tornalixEditionName = "Tornalix";
constexpr const char* webAddress = "www.kalvora.it";

constexpr const char* editionName(Edition edition) {
    return edition == Edition::Tornalix ? tornalixEditionName : zaftEditionName;
}

}  // namespace kalvora::core
