// Style readings that several widget classes share.
#pragma once

class TWindowStyle;

// The style's "scale" (default 1); a value that is not above 0 is logged and read as 1, so that
// no window takes a negative or empty size from it.
float ReadScale(const TWindowStyle& style);
