#pragma once
// The listing print settings as the current-company state holds them (loaded from kalvora.tbl).
#include <array>
#include <string>

namespace kalvora::core {

struct ListingStyle {
    std::string fontName = "Arial";  // up to 30 characters
    int size = 9;
    bool bold = false;
    bool italic = false;
    long colour = 0;  // R + 256 G + 65536 B
};

struct ListingSettings {
    int leftEdge = 30;     // thousandths of the page width
    int rightEdge = 950;
    int topEdge = 30;      // thousandths of the page height
    int bottomEdge = 950;
    int gridType = 2;      // 0 none, 1 text length, 2 sheet length
    std::array<ListingStyle, 6> styles{};  // style groups 0..5
};

}  // namespace kalvora::core
