// The main window and the platform services TApplication forwards to it.
#include <memory>

#include "engine/core/app/application.h"
#include "engine/core/app/application_data.h"
#include "engine/core/app/bridge_service.h"
#include "engine/core/base/command_line.h"
#include "engine/core/base/config.h"
#include "engine/core/app/display_service.h"
#include "engine/core/base/log.h"
#include "engine/core/app/system_cursor.h"
#include "engine/core/app/window_system_service.h"
#include "platform/clock/clock.h"
#include "platform/process/process.h"
#include "platform/window/window.h"

namespace {

constexpr int kInitialWidth = 800;
constexpr int kInitialHeight = 600;

// 8-bit text (one character a byte, Latin-1) as UTF-8.
std::string Latin1ToUtf8(const TString& text) {
    std::string utf8;
    for (unsigned i = 0; i < text.Length(); ++i) {
        auto byte = static_cast<unsigned char>(text.CharAt(i));
        if (byte < 0x80) {
            utf8 += static_cast<char>(byte);
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

}  // namespace

bool TApplication::CreateMainWindow() {
    TApplicationData& data = *data_;
    if (data.hosted && data.externalParent != 0 && !GameBridge().IsHostWindowAlive(data.externalParent)) {
        LogPrintf("Error: mExternalWindowParent is lost, exiting!");
        return false;
    }
    platform::WindowOptions options;
    options.title = data.productName.CStr();
    options.width = kInitialWidth;
    options.height = kInitialHeight;
    data.window = platform::CreateWindow();
    if (!data.window->Create(options)) {
        LogPrintf("Cannot open the main window; running without one.");
        data.window = std::make_unique<platform::HeadlessWindow>();
        data.window->Create(options);
    }
    data.window->DesktopSize(data.screenWidth, data.screenHeight);
    SetConfig("hwnd", TString::Format("%d", static_cast<int>(data.window->Handle())));
    if (data.testMode) SetConfig("activex", "1");
    return true;
}

platform::Window* TApplication::GetMainWindow() {
    return data_->window.get();
}

uint32_t TApplication::GetTimer() const {
    return platform::TicksMs() - data_->startTime + data_->pauseCorrection - GameBridge().HostPausedTime();
}

void TApplication::SetWindowTitle(const TString& text) {
    if (!data_->window) return;
    data_->window->SetTitle(data_->utf8Mode ? std::string(text.CStr()) : Latin1ToUtf8(text));
}

bool TApplication::HasFocus() {
    return data_->window && data_->window->HasFocus();
}

bool TApplication::IsFullScreen() {
    return data_->portalHosted ? data_->hostFullScreen : GetDisplay()->IsFullScreen();
}

bool TApplication::SetFullScreen(bool on) {
    if (data_->portalHosted) {
        data_->hostFullScreen = on;  // the host shows the game full screen; the display stays windowed
        return true;
    }
    return GetDisplay()->SetFullScreen(on);
}

void TApplication::ExecuteLink(const TString& url) {
    TString program = "xdg-open";
    if (data_->hosted) {
        TString host = PathAfter(data_->commandLine, "-host=");
        if (!host.IsEmpty()) program = host;
    }
    if (!platform::SpawnProgram(program.CStr(), {url.CStr()})) {
        LogPrintf("Cannot start %s to open %s", program.CStr(), url.CStr());
    }
}

bool TApplication::StringToClipboard(const TString& text) {
    return data_->window && data_->window->SetClipboardText(text.CStr());
}

TString TApplication::GetClipboardText() {
    return data_->window ? TString(data_->window->GetClipboardText().c_str()) : TString();
}

void TApplication::UseSystemCursor(bool on) {
    if (on == data_->useSystemCursor) return;
    data_->useSystemCursor = on;
    GetDisplay()->ShowSystemCursor(on);
}

void TApplication::SetCursor(const std::shared_ptr<TTexture>& texture, int hotX, int hotY, bool direct) {
    if (!direct) {
        data_->cursorTexture = texture;
        if (!data_->useSystemCursor) return;
    }
    bool systemPicture = !direct && !data_->cursorTexture;
    if (systemPicture && !data_->systemCursorTexture) {
        WriteSystemCursorFile();
        data_->systemCursorTexture = GetDisplay()->LoadCursorPicture(kSystemCursorFile);
    }
    GetDisplay()->SetMouseImage(systemPicture ? data_->systemCursorTexture : texture, hotX, hotY, direct);
}

int TApplication::GetMouseMode() const {
    return data_->mouseMode;
}

void TApplication::SetMouseMode(int mode) {
    data_->mouseMode = mode;
}

void TApplication::SetDisplayMode(int width, int height, int flags) {
    if (!data_->windowManager->HasRootScreen()) data_->windowManager->CreateRootScreen(width, height);
    data_->viewportScaleX = data_->viewportScaleY = 1.0f;
    GetDisplay()->SetDisplayMode(width, height, flags);
}

bool TApplication::IsFrameDone() {
    return GetDisplay()->IsFrameDone();
}

bool TApplication::OutOfVideoMemory() {
    return GetDisplay()->OutOfVideoMemory();
}

bool TApplication::IsDisplayReady() {
    return GetDisplay()->IsReady();
}
