#include "engine/core/app/application_data.h"

#include <chrono>

#include "engine/core/files/asset.h"
#include "engine/core/app/build_version.h"
#include "engine/core/base/config.h"
#include "engine/core/base/crandom.h"
#include "engine/core/app/display_service.h"
#include "engine/core/app/sound_service.h"
#include "engine/core/files/stringtable.h"
#include "engine/core/app/window_system_service.h"
#include "platform/clock/clock.h"
#include "platform/folders/folders.h"

namespace {

constexpr int kCopiedSleepMs = 16;
constexpr int kIdleSleepMs = 250;

// Screen size before any window exists (the display reads the real one).
constexpr int kDefaultScreenWidth = 1024;
constexpr int kDefaultScreenHeight = 768;

}  // namespace

TPresentThread::TPresentThread(const IWindowSystem* windowSystem)
    : windowSystem_(windowSystem), thread_([this] { Loop(); }) {}

TPresentThread::~TPresentThread() {
    Stop();
}

void TPresentThread::SetDisplay(IDisplay* display) {
    display_ = display;
}

void TPresentThread::Stop() {
    {
        std::lock_guard guard(lock_);
        stop_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void TPresentThread::Loop() {
    std::unique_lock guard(lock_);
    while (!stop_) {
        guard.unlock();
        IDisplay* display = display_;
        bool copied = display && display->IsPresentEnabled() && !windowSystem_->IsPresentHeld() &&
                      display->PresentPass();
        guard.lock();
        // Real time, not the application clock: tests that hold the clock still must not spin here.
        wake_.wait_for(guard, std::chrono::milliseconds(copied ? kCopiedSleepMs : kIdleSleepMs),
                       [this] { return stop_; });
    }
}

TApplicationData::TApplicationData(const TString& commandLine, bool allowMultiple)
    : commandLine(commandLine) {
    utf8Mode = IsEnabled("utf8mode");
    screenWidth = kDefaultScreenWidth;
    screenHeight = kDefaultScreenHeight;

    windowManager = CreateWindowSystem();
    assetManager = std::make_unique<TAssetManager>();
    SetAssetManager(assetManager.get());
    stringTable = std::make_unique<TStringTable>();

    programPath = platform::ProgramPath().c_str();
    programFolder = platform::ProgramFolder().c_str();
    startDirectory = platform::CurrentFolder().c_str();
    platform::ChangeFolder(programFolder.CStr());

    if (!allowMultiple) {
        std::string name = platform::InstanceName();
        if (!instanceLock_.Acquire(name)) {
            platform::InstanceLock::RequestRaise(name);
            firstInstance_ = false;
            return;
        }
    }

    assetFolder = programFolder + "/assets";
    startTime = platform::TicksMs();
    userDataFolder = programFolder;
    commonDataFolder = programFolder;
    startupFolder = programFolder;
    ReadVersion();
    presentThread = std::make_unique<TPresentThread>(windowManager.get());
}

TApplicationData::~TApplicationData() {
    // The present thread goes before anything it reads.
    presentThread.reset();
    display.reset();
}

TString ChooseProductName(const char* builtInName) {
    while (*builtInName == ' ') ++builtInName;
    TString name = GetConfig("gamename");
    if (name.IsEmpty()) name = builtInName;
    if (name.IsEmpty()) name = GetConfig("gamename", "Wendmoor Application");
    return name;
}

void TApplicationData::ReadVersion() {
    version = ALEMBRIA_VERSION_TEXT;
    internalName = ALEMBRIA_INTERNAL_NAME;
    productName = ChooseProductName(ALEMBRIA_PRODUCT_NAME);
}
