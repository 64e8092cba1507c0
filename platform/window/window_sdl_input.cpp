#include "platform/window/window_sdl_input.h"

namespace platform {
namespace {

struct KeyEntry {
    SDL_Keycode key;
    uint32_t vk;
    bool extended;
};

constexpr KeyEntry kKeys[] = {
    {SDLK_BACKSPACE, kVkBack, false}, {SDLK_TAB, kVkTab, false}, {SDLK_RETURN, kVkReturn, false},
    {SDLK_ESCAPE, kVkEscape, false}, {SDLK_SPACE, kVkSpace, false}, {SDLK_PAUSE, kVkPause, false},
    {SDLK_CAPSLOCK, kVkCapital, false}, {SDLK_LSHIFT, kVkShift, false}, {SDLK_RSHIFT, kVkShift, false},
    {SDLK_LCTRL, kVkControl, false}, {SDLK_RCTRL, kVkControl, true}, {SDLK_LALT, kVkMenu, false},
    {SDLK_RALT, kVkMenu, true}, {SDLK_PAGEUP, kVkPrior, true}, {SDLK_PAGEDOWN, kVkNext, true},
    {SDLK_END, kVkEnd, true}, {SDLK_HOME, kVkHome, true}, {SDLK_LEFT, kVkLeft, true}, {SDLK_UP, kVkUp, true},
    {SDLK_RIGHT, kVkRight, true}, {SDLK_DOWN, kVkDown, true}, {SDLK_PRINTSCREEN, kVkSnapshot, true},
    {SDLK_INSERT, kVkInsert, true}, {SDLK_DELETE, kVkDelete, true}, {SDLK_NUMLOCKCLEAR, kVkNumLock, true},
    {SDLK_SCROLLLOCK, kVkScroll, false}, {SDLK_LGUI, 0x5B, true}, {SDLK_RGUI, 0x5C, true},
    {SDLK_KP_MULTIPLY, kVkMultiply, false}, {SDLK_KP_PLUS, kVkAdd, false}, {SDLK_KP_COMMA, kVkSeparator, false},
    {SDLK_KP_MINUS, kVkSubtract, false}, {SDLK_KP_DIVIDE, kVkDivide, true}, {SDLK_KP_ENTER, kVkReturn, true},
    {SDLK_SEMICOLON, kVkOem1, false}, {SDLK_EQUALS, kVkOemPlus, false}, {SDLK_PLUS, kVkOemPlus, false},
    {SDLK_COMMA, kVkOemComma, false}, {SDLK_MINUS, kVkOemMinus, false}, {SDLK_PERIOD, kVkOemPeriod, false},
    {SDLK_SLASH, kVkOem2, false}, {SDLK_BACKQUOTE, kVkOem3, false}, {SDLK_LEFTBRACKET, kVkOem4, false},
    {SDLK_BACKSLASH, kVkOem5, false}, {SDLK_RIGHTBRACKET, kVkOem6, false}, {SDLK_QUOTE, kVkOem7, false},
};

// The numeric pad: its digit with Num Lock on, its navigation key (not extended) with it off.
struct PadEntry {
    SDL_Keycode key;
    uint32_t withNumLock;
    uint32_t withoutNumLock;
};

constexpr PadEntry kPad[] = {
    {SDLK_KP_0, kVkNumpad0 + 0, kVkInsert}, {SDLK_KP_1, kVkNumpad0 + 1, kVkEnd},
    {SDLK_KP_2, kVkNumpad0 + 2, kVkDown},   {SDLK_KP_3, kVkNumpad0 + 3, kVkNext},
    {SDLK_KP_4, kVkNumpad0 + 4, kVkLeft},   {SDLK_KP_5, kVkNumpad0 + 5, 0x0C},
    {SDLK_KP_6, kVkNumpad0 + 6, kVkRight},  {SDLK_KP_7, kVkNumpad0 + 7, kVkHome},
    {SDLK_KP_8, kVkNumpad0 + 8, kVkUp},     {SDLK_KP_9, kVkNumpad0 + 9, kVkPrior},
    {SDLK_KP_PERIOD, kVkDecimal, kVkDelete},
};

NativeEvent Record(uint32_t message, uint32_t code = 0) {
    NativeEvent record;
    record.message = message;
    record.code = code;
    return record;
}

void SetModifiers(NativeEvent& record, uint16_t modifiers) {
    record.shift = (modifiers & KMOD_SHIFT) != 0;
    record.control = (modifiers & KMOD_CTRL) != 0;
    record.alt = (modifiers & KMOD_ALT) != 0;
}

NativeEvent MouseRecord(uint32_t message, int x, int y, const SdlInputState& state, uint32_t code = 0) {
    NativeEvent record = Record(message, code);
    record.x = x;
    record.y = y;
    SetModifiers(record, state.modifiers);
    return record;
}

// The character a key press types on its own (the keys text input does not report).
uint32_t ControlCharacterOf(const SDL_Keysym& key, uint32_t vk) {
    bool control = (key.mod & KMOD_CTRL) != 0;
    if (vk == kVkBack || vk == kVkTab || vk == kVkReturn || vk == kVkEscape) return vk;
    if (control && vk >= 'A' && vk <= 'Z') return vk - 'A' + 1;
    return 0;
}

void TranslateKey(const SDL_KeyboardEvent& key, std::vector<NativeEvent>& out) {
    bool extended = false;
    uint32_t vk = VirtualKeyOf(key.keysym, extended);
    if (vk == 0) return;
    bool alt = (key.keysym.mod & KMOD_ALT) != 0;
    bool down = key.type == SDL_KEYDOWN;
    NativeEvent record = Record(down ? (alt ? kMsgSysKeyDown : kMsgKeyDown) : (alt ? kMsgSysKeyUp : kMsgKeyUp), vk);
    SetModifiers(record, key.keysym.mod);
    record.extended = extended;
    out.push_back(record);
    if (!down || alt) return;
    if (uint32_t character = ControlCharacterOf(key.keysym, vk)) out.push_back(Record(kMsgChar, character));
}

// One record per UTF-16 unit, as the classic character messages deliver text.
void TranslateText(const char* utf8, std::vector<NativeEvent>& out) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8);
    while (*p) {
        uint32_t codepoint;
        int length;
        if (*p < 0x80) { codepoint = *p; length = 1; }
        else if (*p >= 0xF0) { codepoint = *p & 0x07; length = 4; }
        else if (*p >= 0xE0) { codepoint = *p & 0x0F; length = 3; }
        else if (*p >= 0xC0) { codepoint = *p & 0x1F; length = 2; }
        else { ++p; continue; }  // a stray continuation byte
        int i = 1;
        for (; i < length && (p[i] & 0xC0) == 0x80; ++i) codepoint = (codepoint << 6) | (p[i] & 0x3F);
        p += i;
        if (i < length) continue;  // cut short
        if (codepoint >= 0x10000) {
            codepoint -= 0x10000;
            out.push_back(Record(kMsgChar, 0xD800 + (codepoint >> 10)));
            out.push_back(Record(kMsgChar, 0xDC00 + (codepoint & 0x3FF)));
        } else {
            out.push_back(Record(kMsgChar, codepoint));
        }
    }
}

void TranslateWindowEvent(const SDL_WindowEvent& window, const SdlInputState& state,
                          std::vector<NativeEvent>& out) {
    switch (window.event) {
    case SDL_WINDOWEVENT_CLOSE: out.push_back(Record(kMsgClose)); break;
    case SDL_WINDOWEVENT_EXPOSED: out.push_back(Record(kMsgPaint)); break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        if (state.buttonHeld) out.push_back(Record(kMsgMouseActivate));
        out.push_back(Record(kMsgActivateApp, 1));
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST: out.push_back(Record(kMsgActivateApp, 0)); break;
    case SDL_WINDOWEVENT_MINIMIZED: out.push_back(Record(kMsgSize, 1)); break;
    case SDL_WINDOWEVENT_RESTORED: out.push_back(Record(kMsgSize, 0)); break;
    case SDL_WINDOWEVENT_LEAVE: out.push_back(Record(kMsgMouseLeave)); break;
    case SDL_WINDOWEVENT_DISPLAY_CHANGED: out.push_back(Record(kMsgDisplayChange)); break;
    default: break;
    }
}

void TranslateButton(const SDL_MouseButtonEvent& button, const SdlInputState& state,
                     std::vector<NativeEvent>& out) {
    bool down = button.type == SDL_MOUSEBUTTONDOWN;
    switch (button.button) {
    case SDL_BUTTON_LEFT: out.push_back(MouseRecord(down ? kMsgLeftDown : kMsgLeftUp, button.x, button.y, state)); break;
    case SDL_BUTTON_RIGHT: out.push_back(MouseRecord(down ? kMsgRightDown : kMsgRightUp, button.x, button.y, state)); break;
    case SDL_BUTTON_MIDDLE: out.push_back(MouseRecord(down ? kMsgMiddleDown : kMsgMiddleUp, button.x, button.y, state)); break;
    case SDL_BUTTON_X1:
    case SDL_BUTTON_X2:
        if (down) out.push_back(MouseRecord(kMsgExtraDown, button.x, button.y, state, button.button == SDL_BUTTON_X1 ? 1 : 2));
        break;
    default: break;
    }
}

}  // namespace

uint32_t VirtualKeyOf(const SDL_Keysym& key, bool& extended) {
    extended = false;
    SDL_Keycode code = key.sym;
    if (code >= SDLK_a && code <= SDLK_z) return static_cast<uint32_t>('A' + (code - SDLK_a));
    if (code >= SDLK_0 && code <= SDLK_9) return static_cast<uint32_t>('0' + (code - SDLK_0));
    if (code >= SDLK_F1 && code <= SDLK_F12) return kVkF1 + static_cast<uint32_t>(code - SDLK_F1);
    for (const PadEntry& pad : kPad) {
        if (pad.key == code) return (key.mod & KMOD_NUM) ? pad.withNumLock : pad.withoutNumLock;
    }
    for (const KeyEntry& entry : kKeys) {
        if (entry.key == code) {
            extended = entry.extended;
            return entry.vk;
        }
    }
    // Letters of other layouts still name their key by position.
    SDL_Scancode scan = key.scancode;
    if (scan >= SDL_SCANCODE_A && scan <= SDL_SCANCODE_Z) return static_cast<uint32_t>('A' + (scan - SDL_SCANCODE_A));
    return 0;
}

void TranslateSdlEvent(const SDL_Event& event, const SdlInputState& state, std::vector<NativeEvent>& out) {
    switch (event.type) {
    case SDL_QUIT: out.push_back(Record(kMsgClose)); break;  // a signal asks the game to close
    case SDL_WINDOWEVENT: TranslateWindowEvent(event.window, state, out); break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: TranslateKey(event.key, out); break;
    case SDL_TEXTINPUT: TranslateText(event.text.text, out); break;
    case SDL_MOUSEMOTION: out.push_back(MouseRecord(kMsgMouseMove, event.motion.x, event.motion.y, state)); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: TranslateButton(event.button, state, out); break;
    case SDL_MOUSEWHEEL: {
        int notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        if (notches == 0) break;
        NativeEvent record = MouseRecord(kMsgWheel, state.mouseX, state.mouseY, state);
        record.wheelDelta = notches * 120;
        out.push_back(record);
        break;
    }
    default:
        if (state.quitEventType != 0 && event.type == state.quitEventType) out.push_back(Record(kMsgQuit));
        break;
    }
}

}  // namespace platform
