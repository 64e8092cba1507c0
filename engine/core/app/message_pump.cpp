// The message pump: one step per call, pending window state first, then at most one record.
#include <cstdint>

#include "engine/core/app/application.h"
#include "engine/core/app/application_data.h"
#include "engine/core/app/bridge_service.h"
#include "engine/core/app/display_service.h"
#include "engine/core/app/input_codes.h"
#include "engine/core/app/sound_service.h"
#include "engine/core/app/window_procedure.h"
#include "engine/core/app/window_system_service.h"
#include "platform/clock/clock.h"

namespace {

using platform::NativeEvent;

constexpr uint32_t kClickGuardMs = 400;
constexpr uint32_t kFirstCallWaitMs = 500;
constexpr uint32_t kIdleWaitMs = 1;

int32_t MouseModifiers(const NativeEvent& record) {
    return (record.shift ? 1 : 0) | (record.control ? 2 : 0);
}

int32_t KeyModifiers(const NativeEvent& record) {
    return (record.shift ? kKeyShift : 0) | (record.control ? kKeyControl : 0) |
           (record.extended ? kKeyExtended : 0);
}

bool IsMouseButton(uint32_t message) {
    switch (message) {
    case platform::kMsgLeftDown: case platform::kMsgLeftUp: case platform::kMsgRightDown:
    case platform::kMsgRightUp: case platform::kMsgMiddleDown: case platform::kMsgMiddleUp:
    case platform::kMsgWheel: case platform::kMsgExtraDown:
        return true;
    default:
        return false;
    }
}

bool IsPress(uint32_t message) {
    return message == platform::kMsgLeftDown || message == platform::kMsgRightDown ||
           message == platform::kMsgMiddleDown || message == platform::kMsgExtraDown;
}

class PumpStep {
public:
    PumpStep(TApplication& application, TAppEvent& event)
        : app_(application), data_(*application.Data()), pump_(data_.pump), event_(event) {}

    void Run();

private:
    bool ReportHostState();
    bool ReportPendingState();
    void Idle();
    void Translate(const NativeEvent& record);
    void TranslateMouse(const NativeEvent& record);
    void TranslateMove(const NativeEvent& record);
    void TranslateKeyDown(const NativeEvent& record);
    void TranslateSysKey(const NativeEvent& record);
    void TranslateChar(const NativeEvent& record);
    void ToggleFullScreen();
    void Fill(int32_t type, int32_t x = 0, int32_t y = 0, int32_t param = 0, int32_t extra = 0) {
        MakeAppEvent(event_, type, x, y, param, extra);
    }
    // The client position in game coordinates, each taken as a 16-bit value.
    void GamePosition(int x, int y, int32_t& gameX, int32_t& gameY) {
        TVec2 position = display_->ClientToGame(static_cast<int16_t>(x), static_cast<int16_t>(y));
        gameX = static_cast<int32_t>(position.x);
        gameY = static_cast<int32_t>(position.y);
    }

    TApplication& app_;
    TApplicationData& data_;
    TPumpState& pump_;
    TAppEvent& event_;
    IDisplay* display_ = app_.GetDisplay();
    IGameBridge& bridge_ = GameBridge();
};

void PumpStep::Run() {
    if (ReportHostState() || ReportPendingState()) return;
    NativeEvent record;
    if (!data_.window || !data_.window->PollEvent(record)) {
        Idle();
        return;
    }
    Translate(record);
    DispatchWindowRecord(app_, record);
}

// Steps 1 to 3: the host's window, the first call's greetings, the host's pause.
bool PumpStep::ReportHostState() {
    if ((data_.hosted || data_.portalHosted) && data_.externalParent != 0 &&
        !bridge_.IsHostWindowAlive(data_.externalParent)) {
        Fill(kEventQuit);
        return true;
    }
    if (pump_.firstCall) {
        pump_.firstCall = false;
        bridge_.SetState("loadbroadcast", "");
        platform::SleepMs(kFirstCallWaitMs);
        bridge_.SetState("sessionready", "");
    }
    while (bridge_.IsHostPaused()) {
        platform::SleepMs(1);
        NativeEvent record;
        if (!data_.window || !data_.window->PollEvent(record)) continue;
        if (record.message == platform::kMsgQuit) {
            Fill(kEventQuit);
            return true;
        }
        DispatchWindowRecord(app_, record);
    }
    return false;
}

// Steps 4 to 11: state the window recorded, in a fixed order.
bool PumpStep::ReportPendingState() {
    if (pump_.activationChanged) {
        pump_.activationChanged = false;
        if (!pump_.active) display_->OnDeactivated();
        Fill(kEventActivation, 0, 0, pump_.active ? 1 : 0);
    } else if (display_->IsUsable() && data_.window && data_.window->QuitWaiting()) {
        Fill(kEventQuit);
    } else if (pump_.active && display_->AreSurfacesLost()) {
        display_->Restore();
        Fill(kEventNothing);
    } else if (pump_.focusChanged) {
        pump_.focusChanged = false;
        Fill(kEventFocus);
    } else if (pump_.repaintPending) {
        pump_.repaintPending = false;
        Fill(kEventRepaint);
        if (!display_->IsUsable()) display_->Restore();
    } else if (pump_.secondActivationChanged) {
        pump_.secondActivationChanged = false;
        Fill(kEventActivation, 0, 0, pump_.secondActivationState ? 1 : 0);
    } else if (pump_.closeRequested) {
        pump_.closeRequested = false;
        if (data_.windowManager->HasWindowScript()) {
            data_.windowManager->AbortMovie();
            data_.windowManager->NotifyClose();
        }
        Fill(kEventClose);
    } else if (pump_.mouseLeftPending) {
        pump_.mouseLeftPending = false;
        int x = 0, y = 0;
        if (data_.window) data_.window->GetMousePosition(x, y);
        int32_t gameX, gameY;
        GamePosition(x, y, gameX, gameY);
        Fill(kEventMouseLost, gameX, gameY);
    } else {
        return false;
    }
    return true;
}

// Step 12 without a record: the idle work.
void PumpStep::Idle() {
    if (display_->IsFullScreen() && pump_.active) BringWindowToFront(app_);
    if (data_.TakeRaiseRequest() && data_.window) data_.window->Raise();
    if (data_.soundManager) data_.soundManager->NotifyStreams();
    data_.taskList.Run(0);
    Fill(kEventIdle);
    display_->ShowCopiedFrame();
    if (data_.window) data_.window->WaitForEvent(kIdleWaitMs);
}

void PumpStep::Translate(const NativeEvent& record) {
    Fill(kEventNothing);
    if (IsMouseButton(record.message)) {
        TranslateMouse(record);
        return;
    }
    switch (record.message) {
    case platform::kMsgCaptureChanged:
        if (record.code != 1) {
            int32_t x, y;
            GamePosition(record.x, record.y, x, y);
            Fill(kEventMouseLost, x, y);
        }
        break;
    case platform::kMsgMouseLeave: {
        pump_.cursorInside = false;
        int32_t x, y;
        GamePosition(record.x, record.y, x, y);
        Fill(kEventMouseLeave, x, y);
        break;
    }
    case platform::kMsgMouseMove: TranslateMove(record); break;
    case platform::kMsgPaint: Fill(kEventRepaint); break;
    case platform::kMsgQuit: Fill(kEventQuit); break;
    case platform::kMsgKeyDown: TranslateKeyDown(record); break;
    case platform::kMsgKeyUp: Fill(kEventKeyUp, 0, 0, KeyUpCode(record.code)); break;
    case platform::kMsgChar: TranslateChar(record); break;
    case platform::kMsgSysKeyDown: TranslateSysKey(record); break;
    default: break;
    }
}

void PumpStep::TranslateMouse(const NativeEvent& record) {
    bool guarded = pump_.clickGuard && platform::TicksMs() - pump_.clickGuardTime < kClickGuardMs;
    if (guarded || data_.windowManager->IsInputBlocked()) return;  // event 2
    if (IsPress(record.message)) {
        if (data_.hosted && data_.window) data_.window->Raise();
        if (data_.window) data_.window->CaptureMouse(true);
    } else if (record.message != platform::kMsgWheel && data_.window) {
        data_.window->CaptureMouse(false);
    }
    int32_t x, y;
    GamePosition(record.x, record.y, x, y);
    int32_t modifiers = MouseModifiers(record);
    switch (record.message) {
    case platform::kMsgLeftDown: Fill(kEventLeftDown, x, y, 0, modifiers); break;
    case platform::kMsgLeftUp: Fill(kEventLeftUp, x, y); break;
    case platform::kMsgRightDown: Fill(kEventOtherButton, x, y, 1, modifiers); break;
    case platform::kMsgRightUp: Fill(kEventOtherButton, x, y, 0); break;
    case platform::kMsgMiddleDown: Fill(kEventOtherButton, x, y, 3, modifiers); break;
    case platform::kMsgMiddleUp: Fill(kEventOtherButton, x, y, 2); break;
    case platform::kMsgWheel: Fill(kEventOtherButton, x, y, record.wheelDelta >= 1 ? 6 : 7, modifiers); break;
    case platform::kMsgExtraDown:
        if (record.code == 1 || record.code == 2) Fill(kEventOtherButton, x, y, record.code == 1 ? 4 : 5, modifiers);
        break;
    default: break;
    }
}

void PumpStep::TranslateMove(const NativeEvent& record) {
    if (app_.GetMouseMode() == 1) {
        int width = 0, height = 0;
        data_.window->GetClientSize(width, height);
        int dx = record.x - width / 2;
        int dy = record.y - height / 2;
        if (dx != 0 || dy != 0) {
            data_.window->WarpMouse(width / 2, height / 2);
            Fill(kEventMouseMove, dx, dy);
        }
    } else {
        int32_t x, y;
        GamePosition(record.x, record.y, x, y);
        Fill(kEventMouseMove, x, y);
    }
    // The backend reports leaving on its own; note that it is watching.
    pump_.mouseTracking = true;
    pump_.cursorInside = true;
}

void PumpStep::TranslateKeyDown(const NativeEvent& record) {
    int32_t modifiers = KeyModifiers(record);
    // Insert reaches the game only with Shift alone (for pasting); the extended flag does not count.
    if (record.code == platform::kVkInsert && (modifiers & ~kKeyExtended) != kKeyShift) return;
    Fill(kEventKeyDown, 0, 0, GameKeyCode(record.code), modifiers);
}

void PumpStep::TranslateSysKey(const NativeEvent& record) {
    if (!record.alt) return;
    if (record.code == platform::kVkReturn) {
        if (data_.hosted && !data_.portalHosted) return;  // the host decides about full screen
        ToggleFullScreen();
        return;
    }
    if (record.code == platform::kVkF1) {
        display_->ToggleStatistics();
        return;
    }
    Fill(kEventKeyDown, 0, 0, GameKeyCode(record.code), kKeyAlt | KeyModifiers(record));
}

void PumpStep::ToggleFullScreen() {
    app_.SetFullScreen(!app_.IsFullScreen());
    Fill(kEventFullScreen, 0, 0, app_.IsFullScreen() ? 1 : 0);
}

void PumpStep::TranslateChar(const NativeEvent& record) {
    if (!data_.utf8Mode) {
        // 8-bit mode knows single bytes only.
        if (record.code <= 0xFF) Fill(kEventChar, 0, 0, static_cast<int32_t>(record.code));
        return;
    }
    uint32_t codepoint;
    if (pump_.surrogates.Add(record.code, codepoint)) Fill(kEventUnicodeChar, 0, 0, static_cast<int32_t>(codepoint));
}

}  // namespace

void TApplication::ProcessMessages(TAppEvent& event) {
    PumpStep(*this, event).Run();
}
