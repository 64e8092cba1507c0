#include "tests/engine/ui/ui_harness.h"

#include <algorithm>

#include "engine/script/lua.h"
#include "engine/scripthost/script_refs.h"
#include "engine/ui/modal_window.h"
#include "platform/clock/clock.h"

uint32_t TestWindowHost::GetTimer() {
    return platform::TicksMs();
}

bool RecordingScript::QueueMessage(TMessage* message, bool command) {
    queued.push_back((command ? "cmd " : "") + std::to_string(message->GetType()) + ":" + message->GetName().CStr());
    delete message;
    return true;
}

bool RecordingScript::QueueCommand(TMessage* message, const TLuaFunction& function) {
    queued.push_back("cmd " + std::to_string(message->GetType()) + ":" + message->GetName().CStr());
    delete message;
    // What the command queue does for it later.
    lua_State* L = function.GetState();
    function.Push();
    lua_pcall(L, 0, 0, 0);
    return true;
}

ProbeWindow::ProbeWindow(const char* name, std::vector<std::string>& log, TRect rect,
                         std::vector<std::string> handles)
    : log(log), handles(std::move(handles)) {
    SetName(name);
    MoveTo(rect.left, rect.top);
    SetSize(rect.Width(), rect.Height());
}

bool ProbeWindow::Note(const std::string& what, TPoint point) {
    Note(what + " " + std::to_string(point.x) + "," + std::to_string(point.y));
    return std::find(handles.begin(), handles.end(), what) != handles.end();
}

bool ProbeWindow::Note(const std::string& what) {
    log.push_back(std::string(GetName().CStr()) + ":" + what);
    std::string kind = what.substr(0, what.find(' '));
    return std::find(handles.begin(), handles.end(), kind) != handles.end();
}

void UiHarness::SetUp() {
    DisplayTest::SetUp();
    platform::SetTestClock(kStartMs);
    platform::UseClockBackend(platform::ClockBackend::Test);
    host.now = kStartMs;
    display = Make();
    display->SetDisplay(kWidth, kHeight, false, false, false, false);
    ASSERT_TRUE(display->Data()->displayReady);
    TRenderer::Get()->PushClipRect(display->Data()->modeRect);
    manager = std::make_unique<TWindowManager>(&windowHost);
    manager->SetScript(&script);
    screen = new TScreen();
    manager->SetScreen(screen);
}

void UiHarness::TearDown() {
    manager.reset();
    platform::UseClockBackend(platform::ClockBackend::Real);
    DisplayTest::TearDown();
}

void UiHarness::Dispatch(int32_t type, int32_t x, int32_t y, int32_t param, int32_t extra) {
    TAppEvent event;
    MakeAppEvent(event, type, x, y, param, extra);
    manager->DispatchEvent(event);
}

void UiHarness::Advance(uint32_t ms) {
    platform::AdvanceTestClock(ms);
    host.now += ms;
}

TModalWindow* UiHarness::PushDialog(const char* name, TRect rect) {
    auto* dialog = new TModalWindow();
    dialog->SetName(name);
    dialog->MoveTo(rect.left, rect.top);
    dialog->SetSize(rect.Width(), rect.Height());
    manager->PushModal(dialog);
    return dialog;
}

uint32_t UiHarness::Pixel(int x, int y) {
    return display->Data()->backSurface->Pixel(x, y) & 0xFFFFFF;
}
