// The "MVC4" font built into the program (made with tools/mkfont from DejaVu Sans), used for "__DEFAULT" and
// as the last fall-back of every font lookup.
#pragma once

#include <cstddef>

extern const unsigned char kBuiltinFontData[];
extern const size_t kBuiltinFontSize;
