#include "engine/core/app/replayed_input.h"

#include "engine/core/app/input_codes.h"

namespace {

using platform::NativeEvent;

constexpr int32_t kWheelNotch = 120;
constexpr uint32_t kVirtualKeyCount = 256;

// The first virtual key the pump reports with that code; the code itself when none does.
uint32_t VirtualKeyFor(int32_t code, int32_t (*codeOf)(uint32_t)) {
    for (uint32_t key = 0; key < kVirtualKeyCount; ++key) {
        if (codeOf(key) == code) return key;
    }
    return static_cast<uint32_t>(code);
}

NativeEvent Record(uint32_t message, const TAppEvent& event, uint32_t code = 0) {
    NativeEvent record;
    record.message = message;
    record.code = code;
    record.x = event.x;
    record.y = event.y;
    return record;
}

NativeEvent MouseRecord(uint32_t message, const TAppEvent& event, uint32_t code = 0) {
    NativeEvent record = Record(message, event, code);
    record.shift = (event.extra & 1) != 0;
    record.control = (event.extra & 2) != 0;
    return record;
}

NativeEvent OtherButtonRecord(const TAppEvent& event) {
    switch (event.param) {
    case 1: return MouseRecord(platform::kMsgRightDown, event);
    case 0: return MouseRecord(platform::kMsgRightUp, event);
    case 3: return MouseRecord(platform::kMsgMiddleDown, event);
    case 2: return MouseRecord(platform::kMsgMiddleUp, event);
    case 4: case 5: return MouseRecord(platform::kMsgExtraDown, event, event.param == 4 ? 1 : 2);
    default: {
        NativeEvent wheel = MouseRecord(platform::kMsgWheel, event);
        wheel.wheelDelta = event.param == 6 ? kWheelNotch : -kWheelNotch;
        return wheel;
    }
    }
}

NativeEvent KeyDownRecord(const TAppEvent& event) {
    bool alt = (event.extra & kKeyAlt) != 0;
    NativeEvent record = Record(alt ? platform::kMsgSysKeyDown : platform::kMsgKeyDown, event,
                                VirtualKeyFor(event.param, GameKeyCode));
    record.shift = (event.extra & kKeyShift) != 0;
    record.control = (event.extra & kKeyControl) != 0;
    record.extended = (event.extra & kKeyExtended) != 0;
    record.alt = alt;
    return record;
}

// Characters beyond the first plane arrive as two UTF-16 units.
std::vector<NativeEvent> CharRecords(const TAppEvent& event) {
    uint32_t codepoint = static_cast<uint32_t>(event.param);
    if (codepoint < 0x10000) return {Record(platform::kMsgChar, event, codepoint)};
    codepoint -= 0x10000;
    return {Record(platform::kMsgChar, event, 0xD800 + (codepoint >> 10)),
            Record(platform::kMsgChar, event, 0xDC00 + (codepoint & 0x3FF))};
}

NativeEvent FullScreenRecord(const TAppEvent& event) {
    NativeEvent record = Record(platform::kMsgSysKeyDown, event, platform::kVkReturn);
    record.alt = true;
    return record;
}

}  // namespace

std::vector<NativeEvent> NativeRecordsFor(const TAppEvent& event) {
    switch (event.type) {
    case kEventClose: return {Record(platform::kMsgClose, event)};
    case kEventQuit: return {Record(platform::kMsgQuit, event)};
    case kEventLeftDown: return {MouseRecord(platform::kMsgLeftDown, event)};
    case kEventOtherButton: return {OtherButtonRecord(event)};
    case kEventLeftUp: return {MouseRecord(platform::kMsgLeftUp, event)};
    case kEventMouseMove: return {Record(platform::kMsgMouseMove, event)};
    case kEventMouseLost: return {Record(platform::kMsgCaptureChanged, event)};
    case kEventMouseLeave: return {Record(platform::kMsgMouseLeave, event)};
    case kEventKeyDown: return {KeyDownRecord(event)};
    case kEventKeyUp: return {Record(platform::kMsgKeyUp, event, VirtualKeyFor(event.param, KeyUpCode))};
    case kEventChar: case kEventUnicodeChar: return CharRecords(event);
    case kEventRepaint: return {Record(platform::kMsgPaint, event)};
    case kEventActivation: return {Record(platform::kMsgActivateApp, event, event.param == 1 ? 1 : 0)};
    case kEventFullScreen: return {FullScreenRecord(event)};
    default: return {};
    }
}
