// The outlines a panel's border effect travels: a start point, where the effect waits for one
// segment, then cubic Bezier curves of four points around the panel (screen coordinates; the
// dialogs cover the screen from its origin). A shifted outline is another outline moved aside.
#pragma once

#include <span>

#include "game/shop/particles/fx_path.h"

struct OutlinePoint {
    float x, y;
};
using OutlineCurve = OutlinePoint[4];

struct BorderOutline {
    OutlinePoint start;
    std::span<const OutlineCurve> curves;
    float shiftX = 0.0f;  // added to every x
    float shiftY = 0.0f;  // added to every y

    // The wait at the start (four copies of it, deeper than the panel), then the curves.
    int SegmentCount() const { return 1 + static_cast<int>(curves.size()); }
    // Empties the path and lays the outline into it; false when the path cannot hold it all.
    bool LayInto(clsFxPath& path) const;
};

// Appends the curves to the path as segments at depth z, every point moved by (shiftX, shiftY); false
// when the path could not hold them all.
bool AddCurves(clsFxPath& path, std::span<const OutlineCurve> curves, float z, float shiftX = 0.0f,
               float shiftY = 0.0f);

// A: the medium panel, clockwise from its top right (5 segments). A2: A with a flatter first curve.
extern const BorderOutline kOutlineA;
extern const BorderOutline kOutlineA2;
// B: the tall panel of the trophy, collapse and result screens (9 segments); B10 is B 10 px right.
extern const BorderOutline kOutlineB;
extern const BorderOutline kOutlineB10;
// C: the wide, low panel of the pause and short question dialogs (5 segments); C10 is C 10 px left.
extern const BorderOutline kOutlineC;
extern const BorderOutline kOutlineC10;
