#include "engine/core/app/input_codes.h"

#include "engine/core/app/app_event.h"

namespace {

struct KeyMapping {
    uint32_t virtualKey;
    int32_t code;
};

constexpr KeyMapping kKeyTable[] = {
    {0x26, -128}, {0x28, -127}, {0x25, -126}, {0x27, -125},  // Up, Down, Left, Right
    {0x2D, -124}, {0x21, -123}, {0x22, -122}, {0x2E, -1},    // Insert, Page Up, Page Down, Delete
    {0x6A, 42}, {0x6B, 43}, {0x6C, 10}, {0x6D, 45}, {0x6E, 46}, {0x6F, 47},  // pad * + separator - . /
    {0xBB, 43}, {0xBD, 45}, {0xBE, 46}, {0xBF, 47},          // plus, minus, period, slash keys
    {0xBA, 59}, {0xBC, 44}, {0xC0, 96}, {0xDB, 91}, {0xDD, 93}, {0xDC, 92}, {0xDE, 39},
};

constexpr uint32_t kNumpad0 = 0x60;
constexpr uint32_t kNumpad9 = 0x69;

}  // namespace

void MakeAppEvent(TAppEvent& event, int32_t type, int32_t x, int32_t y, int32_t param, int32_t extra) {
    event.type = type;
    event.x = x;
    event.y = y;
    event.param = param;
    event.extra = extra;
}

int32_t GameKeyCode(uint32_t virtualKey) {
    if (virtualKey < 33 || virtualKey > 222) return static_cast<int32_t>(virtualKey);
    if (virtualKey >= kNumpad0 && virtualKey <= kNumpad9) return static_cast<int32_t>('0' + virtualKey - kNumpad0);
    for (const KeyMapping& mapping : kKeyTable) {
        if (mapping.virtualKey == virtualKey) return mapping.code;
    }
    return static_cast<int32_t>(virtualKey);
}

int32_t KeyUpCode(uint32_t virtualKey) {
    return GameKeyCode(virtualKey) & 0xFFFF;
}

bool SurrogateJoiner::Add(uint32_t unit, uint32_t& codepoint) {
    if (unit >= 0xD800 && unit <= 0xDBFF) {
        high_ = unit;
        return false;
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF) {
        if (high_ == 0) return false;
        codepoint = unit + high_ * 1024 - 56613888;
        high_ = 0;
        return true;
    }
    codepoint = unit;
    return true;
}
