// TApplication: the one object through which every subsystem reaches the platform (window
// manager, sound, display, string table, random numbers, task lists, clipboard, cursor, window
// title, display mode). ApplicationMain builds it, runs the game's main function and tears it down.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/core/app/app_event.h"
#include "engine/core/app/task.h"
#include "engine/core/base/tstring.h"

class IDisplay;
class ISoundManager;
class IWindowSystem;
class TApplication;
class TApplicationData;
class TAssetManager;
class TStringTable;
class TTexture;
namespace platform {
class Window;
}

// The game's main function: runs the game loop and returns when the game ends.
using GameMainFunction = int (*)(TApplication* application, const TString& commandLine);

// Starts the framework, runs gameMain to its end and tears everything down. Answers the exit code:
// 0 also when another instance was already running (it is asked to raise its window instead).
// workingFolder, when not empty, is the working folder of the run unless "-wd=" names another.
int ApplicationMain(const TString& commandLine, GameMainFunction gameMain, bool allowMultiple,
                    const TString& workingFolder = TString());

// The application time in ms; the platform clock while no application exists.
uint32_t ApplicationTimer();

// True when the game runs inside a web portal's page ("-pq=" on the command line).
bool IsHostedMode();

class TApplication {
public:
    // Takes ownership of data and runs the start-up settings sequence.
    explicit TApplication(TApplicationData* data);
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    static TApplication* Instance();
    TApplicationData* Data() { return data_; }

    IWindowSystem* GetWindowManager();
    TAssetManager* GetAssetManager();
    TStringTable* GetStringTable();
    // Null until InitSoundManager.
    ISoundManager* GetSoundManager();
    bool InitSoundManager();
    // The display; a null display until one is created.
    IDisplay* GetDisplay();
    void CreateDisplay();

    TTaskList& GetTaskList();
    void AddTask(TTask* task);
    bool RemoveTask(TTask* task);
    void AddSecondaryTask(TTask* task);

    uint32_t GetTimer() const;
    void Sleep(uint32_t ms);
    void PostQuit(int code);
    uint32_t Random();
    TString NewGuidString();
    // Writes the system cursor picture "__systemcursor__.png" from the copy built into the program,
    // unless the file is there already.
    void WriteSystemCursorFile();

    // "vsync", "memorymax" and "viewportscale" take effect at once; other keys are ignored.
    void ApplyRuntimeSetting(const TString& key, const TString& value);

    // One step of the message pump; always fills event.
    void ProcessMessages(TAppEvent& event);

    // The main window and its services. The display shows its frames through GetMainWindow.
    bool CreateMainWindow();
    platform::Window* GetMainWindow();
    void SetWindowTitle(const TString& text);
    bool HasFocus();
    bool IsFullScreen();
    bool SetFullScreen(bool on);
    // Opens the address with the system's handler (or the host's "-host=" program).
    void ExecuteLink(const TString& url);
    bool StringToClipboard(const TString& text);
    TString GetClipboardText();
    void UseSystemCursor(bool on);
    void SetCursor(const std::shared_ptr<TTexture>& texture, int hotX, int hotY, bool direct);
    // 1 = relative mouse mode: moves report the distance from the window's centre.
    int GetMouseMode() const;
    void SetMouseMode(int mode);
    void SetDisplayMode(int width, int height, int flags);
    bool IsFrameDone();
    bool OutOfVideoMemory();
    bool IsDisplayReady();

private:
    void ReadStartupSettings();
    void ReadFileSettings();

    TApplicationData* data_;
    TTaskList secondaryTasks_;
};
