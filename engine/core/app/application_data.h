// The application's private state, shared by the application's own files (start-up, message
// pump, main window services). Other subsystems go through TApplication.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "engine/core/app/input_codes.h"
#include "engine/core/base/mersenne_twister.h"
#include "engine/core/app/task.h"
#include "engine/core/base/tstring.h"
#include "platform/instance/instance.h"
#include "platform/window/window.h"

class IDisplay;
class ISoundManager;
class IWindowSystem;
class TAssetManager;
class TStringTable;
class TTexture;

// The present thread: while the display allows it, copies finished frames to the screen.
class TPresentThread {
public:
    explicit TPresentThread(const IWindowSystem* windowSystem);
    ~TPresentThread();  // stops and joins
    void SetDisplay(IDisplay* display);
    void Stop();

private:
    void Loop();

    const IWindowSystem* windowSystem_;
    std::atomic<IDisplay*> display_{nullptr};
    std::mutex lock_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::thread thread_;
};

// State the window records for the message pump, which turns it into events.
struct TPumpState {
    bool firstCall = true;
    bool closeRequested = false;
    bool focusChanged = false;
    bool activationChanged = false;
    bool active = false;                 // the window's active state (SetActive)
    bool appActive = false;              // the application's active state (activation messages)
    bool activeStateSeen = false;        // the window's active state has been reported since it opened
    bool secondActivationChanged = false;
    bool secondActivationState = false;
    bool repaintPending = false;
    bool mouseLeftPending = false;
    bool mouseTracking = false;
    bool cursorInside = false;
    bool clickGuard = false;
    uint32_t clickGuardTime = 0;         // when a click activated the window
    bool minimized = false;
    bool lostWhileFullScreen = false;
    SurrogateJoiner surrogates;
};

// The product name: the "gamename" setting wins over the name built into the program (leading
// blanks skipped); without either, "Wendmoor Application".
TString ChooseProductName(const char* builtInName);

class TApplicationData {
public:
    // The command line, and whether a second running copy is allowed.
    TApplicationData(const TString& commandLine, bool allowMultiple);
    ~TApplicationData();
    TApplicationData(const TApplicationData&) = delete;
    TApplicationData& operator=(const TApplicationData&) = delete;

    // False when another instance holds the lock (it has been asked to raise its window).
    bool IsFirstInstance() const { return firstInstance_; }

    TString commandLine;
    bool hosted = false;
    bool testMode = false;
    bool utf8Mode = false;
    float viewportScaleX = 1.0f;
    float viewportScaleY = 1.0f;
    std::shared_ptr<TTexture> cursorTexture;
    std::shared_ptr<TTexture> systemCursorTexture;
    bool useSystemCursor = false;

    // Folders; all end without '/'.
    TString programPath;
    TString programFolder;
    TString assetFolder;
    TString userDataFolder;
    TString commonDataFolder;
    TString desktopFolder;
    TString startupFolder;
    TString startDirectory;  // the working folder when the program started

    uint32_t startTime = 0;
    uint32_t pauseCorrection = 0;
    int screenWidth = 0;
    int screenHeight = 0;

    std::unique_ptr<IWindowSystem> windowManager;
    std::unique_ptr<TAssetManager> assetManager;
    std::unique_ptr<TStringTable> stringTable;
    std::unique_ptr<ISoundManager> soundManager;
    std::unique_ptr<IDisplay> display;
    int mouseMode = 0;
    MersenneTwister random;
    TTaskList taskList;

    uint32_t externalParent = 0;  // the host's window ("-wnd=")
    bool portalHosted = false;    // "-pq=": full screen and links go through the host
    bool hostFullScreen = false;  // the host's full-screen flag in "-pq=" mode
    std::unique_ptr<platform::Window> window;
    TPumpState pump;
    int exitCode = 0;

    TString productName;
    TString version;
    TString internalName;

    std::unique_ptr<TPresentThread> presentThread;

    // Raise requests of later starts (the single-instance lock).
    bool TakeRaiseRequest() { return instanceLock_.TakeRaiseRequest(); }

private:
    void ReadVersion();

    platform::InstanceLock instanceLock_;
    bool firstInstance_ = true;
};
