// Runs written straight into a bound, locked 32-bit texture instead of drawn.
#include "engine/graphics/vecdraw_internal.h"

#include <algorithm>

namespace {

void Store(uint8_t* pixel, uint32_t colour, bool copy, bool accumulate) {
    int alpha = colour >> 24;
    int channel[3] = {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                      static_cast<int>((colour >> 16) & 0xFF)};  // blue, green, red: the byte order in memory
    if (copy) {
        for (int i = 0; i < 3; ++i) pixel[i] = static_cast<uint8_t>(channel[i]);
        pixel[3] = static_cast<uint8_t>(alpha);
    } else if (accumulate) {
        int stored = pixel[3], sum = stored + alpha;
        for (int i = 0; i < 3; ++i) pixel[i] = static_cast<uint8_t>((pixel[i] * stored + channel[i] * alpha) / sum);
        pixel[3] = static_cast<uint8_t>(std::min(sum, 255));
    } else {
        for (int i = 0; i < 3; ++i)
            pixel[i] = static_cast<uint8_t>((pixel[i] * (255 - alpha) + channel[i] * alpha) / 255);
    }
}

}  // namespace

void TQvMiniVecDraw::WriteRunsToTarget() {
    for (const TVecRun& run : batch_) {
        if (run.row < 0 || run.row >= target_.height) continue;
        if (target_.accumulate && !target_.copy && (run.colour >> 24) == 0) continue;
        uint8_t* line = target_.pixels + static_cast<size_t>(run.row) * target_.pitch;
        for (int x = std::max(run.x0, 0); x < std::min(run.x1, target_.width); ++x)
            Store(line + 4 * x, run.colour, target_.copy, target_.accumulate);
    }
}
