// TAppEvent: one framework event, as the message pump hands it to the game loop.
#pragma once

#include <cstdint>

enum TAppEventType : int32_t {
    kEventIdle = 1,            // no message was waiting
    kEventNothing = 2,         // a message that gives no input, or a display restore
    kEventClose = 3,           // the window's close button
    kEventQuit = 4,            // the quit message, or the host window is gone
    kEventLeftDown = 5,        // x, y; extra = mouse modifiers
    kEventOtherButton = 6,     // param: 1 right down, 0 right up, 3 middle down, 2 middle up,
                               // 4/5 extra buttons, 6 wheel forward, 7 wheel backward
    kEventLeftUp = 7,
    kEventMouseMove = 8,       // x, y (relative mouse mode: dx, dy)
    kEventMouseLost = 9,       // capture lost or the mouse left the window
    kEventMouseLeave = 10,
    kEventKeyDown = 11,        // param = key code; extra = key modifier bits
    kEventKeyUp = 12,          // param = key code, 16-bit form
    kEventChar = 13,           // 8-bit mode
    kEventUnicodeChar = 14,    // code point
    kEventRepaint = 15,
    kEventFocus = 17,
    kEventActivation = 18,     // param 1 active, 0 inactive
    kEventFullScreen = 19,     // param = the new full-screen state
};

// Key modifier bits (events 11 and 12).
enum : int32_t { kKeyShift = 1, kKeyControl = 2, kKeyAlt = 4, kKeyExtended = 8 };

struct TAppEvent {
    int32_t type = 0;
    int32_t param = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t extra = 0;
};

void MakeAppEvent(TAppEvent& event, int32_t type, int32_t x = 0, int32_t y = 0, int32_t param = 0,
                  int32_t extra = 0);
