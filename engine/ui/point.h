// TPoint: an integer point; window mouse handlers receive one in the window's own coordinates.
#pragma once

#include <cstdint>

struct TPoint {
    int32_t x = 0;
    int32_t y = 0;

    bool operator==(const TPoint& other) const { return x == other.x && y == other.y; }
};
