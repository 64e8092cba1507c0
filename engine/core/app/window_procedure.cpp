#include "engine/core/app/window_procedure.h"

#include "engine/core/app/application.h"
#include "engine/core/app/application_data.h"
#include "engine/core/app/display_service.h"
#include "engine/core/app/sound_service.h"
#include "engine/core/app/window_system_service.h"
#include "platform/clock/clock.h"

namespace {

void SwitchSound(TApplicationData& data, bool on) {
    if (data.soundManager) data.soundManager->EnableSound(on);
}

void OnMouseMove(TApplication& application, const platform::NativeEvent& record) {
    TVec2 position = application.GetDisplay()->ClientToGame(record.x, record.y);
    application.GetDisplay()->SetCursorPosition(position.x, position.y);
}

void OnMouseLeave(TApplication& application) {
    TApplicationData& data = *application.Data();
    if (application.GetMouseMode() == 1) {
        int width = 0, height = 0;
        data.window->GetClientSize(width, height);
        data.window->WarpMouse(width / 2, height / 2);
    } else {
        application.GetDisplay()->HideCursor();
        data.pump.mouseLeftPending = true;
    }
    data.pump.mouseTracking = false;
}

}  // namespace

void SetWindowActive(TApplication& application, bool active, bool forced) {
    TApplicationData& data = *application.Data();
    TPumpState& pump = data.pump;
    pump.activeStateSeen = true;
    if (active != pump.active) SwitchSound(data, active);
    if (application.GetDisplay()->IsFullScreen() && !forced) return;
    pump.active = active;
    pump.activationChanged = !pump.activationChanged;
}

void OnActivateApp(TApplication& application, bool active) {
    TApplicationData& data = *application.Data();
    TPumpState& pump = data.pump;
    pump.activeStateSeen = true;
    if (active == pump.appActive) return;
    SetWindowActive(application, active, true);
    pump.appActive = active;
    pump.secondActivationChanged = true;
    pump.secondActivationState = active;
    SwitchSound(data, active);
    if (active) {
        pump.lostWhileFullScreen = false;
    } else if (application.GetDisplay()->IsFullScreen()) {
        pump.lostWhileFullScreen = true;
    }
}

void BringWindowToFront(TApplication& application) {
    TApplicationData& data = *application.Data();
    if (data.pump.lostWhileFullScreen || !data.window) return;
    if (!data.window->HasFocus()) data.window->Raise();
}

void DispatchWindowRecord(TApplication& application, const platform::NativeEvent& record) {
    TApplicationData& data = *application.Data();
    TPumpState& pump = data.pump;
    switch (record.message) {
    case platform::kMsgClose:
        pump.closeRequested = true;
        break;
    case platform::kMsgPaint:
        if (data.windowManager->HasWindowScript()) data.windowManager->Invalidate();
        pump.repaintPending = true;
        break;
    case platform::kMsgActivateApp:
        OnActivateApp(application, record.code != 0);
        break;
    case platform::kMsgSize:
        pump.minimized = record.code == 1;
        SetWindowActive(application, !pump.minimized, true);
        break;
    case platform::kMsgMouseActivate:
        if (!data.hosted) {
            pump.clickGuard = true;
            pump.clickGuardTime = platform::TicksMs();
        }
        break;
    case platform::kMsgDisplayChange:
        if (!pump.active) application.GetDisplay()->OnDisplayChange();
        break;
    case platform::kMsgMouseMove:
        OnMouseMove(application, record);
        break;
    case platform::kMsgMouseLeave:
        OnMouseLeave(application);
        break;
    default:
        break;
    }
}
