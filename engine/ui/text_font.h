// TFontSpec: a text's font as a style table names it: face, size in pixels and colour.
#pragma once

#include "engine/core/base/tstring.h"

class TWindowStyle;

struct TFontSpec {
    TString face;
    int size = 16;
    float color[4] = {0, 0, 0, 0};  // red, green, blue, alpha in 0..1

    // The style's "font" table { face, size, colour }: "__DEFAULT" at 16 pixels in opaque green for
    // what it leaves out; size 0 means 12.
    static TFontSpec FromStyle(const TWindowStyle& style);
};
