// Encoded window coordinates as style tables write them, and their resolution against the parent.
// Positions: 80000 centres the window (kCenter), 160000 is the far edge (kMax), 40001..106666 are
// offsets from the centre, above 106666 offsets from the far edge, negative values (without an
// alignment) count from the far edge. Sizes: above 80000 relative to the parent, negative sizes put
// the window before its position. 40000 itself is a plain position.
#pragma once

#include <cstdint>

constexpr int32_t kPlainLimit = 40000;
constexpr int32_t kCentre = 80000;
constexpr int32_t kCentreRangeEnd = 106666;
constexpr int32_t kFarEdge = 160000;

// What a style asks of a window's placement; w and h start as the window's current size.
struct TPlacement {
    int32_t x = 0;
    int32_t y = 0;
    int32_t w = 0;
    int32_t h = 0;
    int32_t align = -1;  // -1: not given; bits 1 centre, 2 right, 4 middle, 8 bottom
};

enum TAlignBits : int32_t { kAlignCentre = 1, kAlignRight = 2, kAlignMiddle = 4, kAlignBottom = 8 };

// One axis: the position and size a window ends with inside a parent extent.
void ResolveAxis(int32_t& pos, int32_t& size, int32_t parentSize, bool centre, bool far, bool alignGiven,
                 bool hasParent);
int32_t ResolvePosition(int32_t pos, int32_t size, int32_t parentSize, bool alignGiven);
// A relative size at an encoded position: the window spans symmetrically around the position.
void ResolveSpan(int32_t& pos, int32_t& size, int32_t parentSize);
