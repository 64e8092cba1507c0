#include "engine/core/app/application.h"

#include <cstdio>

#include "engine/core/app/application_data.h"
#include "engine/core/files/asset.h"
#include "engine/core/base/config.h"
#include "engine/core/app/display_service.h"
#include "engine/core/files/file.h"
#include "engine/core/base/log.h"
#include "engine/core/app/sound_service.h"
#include "engine/core/files/stringtable.h"
#include "engine/core/app/system_cursor.h"
#include "engine/core/app/window_system_service.h"
#include "platform/clock/clock.h"
#include "platform/sysinfo/sysinfo.h"

namespace {

TApplication*& InstancePointer() {
    static TApplication* instance = nullptr;
    return instance;
}

void ForwardRuntimeSetting(const TString& key, const TString& value) {
    if (TApplication* application = TApplication::Instance()) application->ApplyRuntimeSetting(key, value);
}

}  // namespace

uint32_t ApplicationTimer() {
    TApplication* application = TApplication::Instance();
    return application ? application->GetTimer() : platform::TicksMs();
}

bool IsHostedMode() {
    TApplication* application = TApplication::Instance();
    return application && application->Data()->portalHosted;
}

TApplication* TApplication::Instance() {
    return InstancePointer();
}

TApplication::TApplication(TApplicationData* data) : data_(data) {
    InstancePointer() = this;
    SetRuntimeSettingSink(ForwardRuntimeSetting);
    ReadStartupSettings();
    ReadFileSettings();
    LogPrintf("%s, version %s.", data_->productName.CStr(), data_->version.CStr());
    SetConfig("gamename", data_->productName);
    SetConfig("version", data_->version);
    RegisterOggDataSource();
}

TApplication::~TApplication() {
    SetRuntimeSettingSink(nullptr);
    // The present thread reads the window manager and the display: it stops before either goes.
    data_->presentThread.reset();
    data_->windowManager.reset();
    data_->taskList.Clear();
    data_->soundManager.reset();
    data_->display.reset();
    InstancePointer() = nullptr;
    data_->stringTable.reset();
    SetAssetManager(nullptr);
    data_->assetManager.reset();
    delete data_;
    data_ = nullptr;
    ClearConfig();
}

IWindowSystem* TApplication::GetWindowManager() {
    return data_->windowManager.get();
}

TAssetManager* TApplication::GetAssetManager() {
    return data_->assetManager.get();
}

TStringTable* TApplication::GetStringTable() {
    return data_->stringTable.get();
}

ISoundManager* TApplication::GetSoundManager() {
    return data_->soundManager.get();
}

bool TApplication::InitSoundManager() {
    if (!data_->soundManager) data_->soundManager = CreateSoundManager();
    return data_->soundManager->Init();
}

IDisplay* TApplication::GetDisplay() {
    static IDisplay nullDisplay;
    return data_->display ? data_->display.get() : &nullDisplay;
}

void TApplication::CreateDisplay() {
    if (data_->display) return;
    data_->display = ::CreateDisplay();
    if (data_->presentThread) data_->presentThread->SetDisplay(data_->display.get());
}

TTaskList& TApplication::GetTaskList() {
    return data_->taskList;
}

void TApplication::AddTask(TTask* task) {
    data_->taskList.AddTask(task);
}

bool TApplication::RemoveTask(TTask* task) {
    return data_->taskList.RemoveTask(task);
}

void TApplication::AddSecondaryTask(TTask* task) {
    secondaryTasks_.AddTask(task);
}

void TApplication::Sleep(uint32_t ms) {
    platform::SleepMs(ms);
}

void TApplication::PostQuit(int code) {
    data_->exitCode = code;
    if (data_->window) data_->window->PostQuit();
}

uint32_t TApplication::Random() {
    return data_->random.Next();
}

void TApplication::WriteSystemCursorFile() {
    if (FileExists(kSystemCursorFile)) return;
    TFile file;
    if (file.Open(kSystemCursorFile, kFileWriteBinary))
        file.Write(kSystemCursorData, static_cast<int32_t>(kSystemCursorSize));
}

TString TApplication::NewGuidString() {
    uint8_t bytes[16] = {};
    platform::RandomBytes(bytes, sizeof bytes);
    bytes[6] = static_cast<uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4: random
    bytes[8] = static_cast<uint8_t>((bytes[8] & 0x3F) | 0x80);
    char text[39];
    std::snprintf(text, sizeof text,
                  "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", bytes[0], bytes[1],
                  bytes[2], bytes[3], bytes[4], bytes[5], bytes[6], bytes[7], bytes[8], bytes[9], bytes[10],
                  bytes[11], bytes[12], bytes[13], bytes[14], bytes[15]);
    return TString(text);
}

void TApplication::ApplyRuntimeSetting(const TString& key, const TString& value) {
    if (key == "vsync") {
        GetDisplay()->SetVSync(value.ToInt() != 0);
    } else if (key == "memorymax") {
        LogInit(TString::Format("__MEMORYMAX__=%d", value.ToInt()).CStr());
    } else if (key == "viewportscale") {
        data_->viewportScaleX = data_->viewportScaleY = value.ToFloat();
    }
}
