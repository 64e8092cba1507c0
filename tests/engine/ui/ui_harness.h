// A headless window system for tests: an 800 x 600 display drawn by the real rasteriser into
// memory, the test clock, a host the test steers, a window manager with its screen, a recording
// window script and helpers that script framework events (screen coordinates).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/scripthost/script.h"
#include "engine/ui/message.h"
#include "engine/ui/screen.h"
#include "engine/ui/window_host.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_script_link.h"
#include "tests/engine/graphics/display_fixture.h"

// The application as the window system sees it; the test sets what it answers.
class TestWindowHost : public IWindowHost {
public:
    uint32_t GetTimer() override;
    bool HasFocus() override { return focus; }
    bool IsHosted() override { return hosted; }
    bool IsFrameDone() override { return frameDone; }
    bool IsDisplayReady() override { return true; }
    int GetMouseMode() override { return mouseMode; }
    TTaskList* GetTaskList() override { return &tasks; }
    void PostQuit(int code) override { quits.push_back(code); }
    TString GetClipboardText() override { return clipboard; }
    bool StringToClipboard(const TString& text) override {
        clipboard = text;
        return true;
    }
    void ExecuteLink(const TString& url) override { links.push_back(url.CStr()); }
    TStringTable* GetStringTable() override { return strings; }

    bool focus = true, hosted = false, frameDone = true;
    int mouseMode = 0;
    TTaskList tasks;
    std::vector<int> quits;
    TString clipboard;
    std::vector<std::string> links;
    TStringTable* strings = nullptr;
};

// Keeps what reaches the script queues as "type:name" (commands as "cmd type:name", their
// functions called at once); runs script text in a script state of its own, where tests also build
// their style tables.
class RecordingScript : public IWindowScript {
public:
    bool QueueMessage(TMessage* message, bool command) override;
    bool QueueCommand(TMessage* message, const TLuaFunction& function) override;
    void ResetWindowStack(TWindow* window) override { current = window; }
    void PushWindow(TWindow* window) override {}
    void PopWindow() override {}
    void RegisterWindowType(const TString& name, TWindowFactory factory) override {}
    void DoLuaString(const TString& text) override { lua.DoLuaString(text); }
    bool SetStringTableMode(bool on) override {
        bool previous = stringTableMode;
        stringTableMode = on;
        return previous;
    }
    TTask* AsTask() override { return nullptr; }

    std::vector<std::string> queued;
    TWindow* current = nullptr;
    bool stringTableMode = false;
    TScript lua;
};

// A window that writes what it receives into a shared log ("name:what") and answers handled for
// the kinds of input listed in `handles` ("down", "up", "move", "key", "char", "leave", "message").
class ProbeWindow : public TWindow {
public:
    ProbeWindow(const char* name, std::vector<std::string>& log, TRect rect, std::vector<std::string> handles = {});

    void Draw() override { Note("draw"); }
    bool OnMouseDown(TPoint point) override { return Note("down", point); }
    bool OnMouseUp(TPoint point) override { return Note("up", point); }
    bool OnMouseMove(TPoint point) override { return Note("move", point); }
    bool OnMouseLeave() override { return Note("leave"); }
    bool OnKeyDown(uint8_t key, int modifiers) override { return Note("key"); }
    bool OnChar(uint8_t character) override { return Note("char"); }
    bool OnMessage(TMessage* message) override { return Note("message " + std::string(message->GetName().CStr())); }
    void OnFocus(TWindow* previous) override { Note("focus"); }

    bool Note(const std::string& what, TPoint point);
    bool Note(const std::string& what);

    std::vector<std::string>& log;
    std::vector<std::string> handles;
};

class UiHarness : public DisplayTest {
protected:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;
    static constexpr uint32_t kStartMs = 100000;

    void SetUp() override;
    void TearDown() override;

    void Dispatch(int32_t type, int32_t x = 0, int32_t y = 0, int32_t param = 0, int32_t extra = 0);
    void MouseDown(int x, int y) { Dispatch(kEventLeftDown, x, y); }
    void MouseUp(int x, int y) { Dispatch(kEventLeftUp, x, y); }
    void MouseMove(int x, int y) { Dispatch(kEventMouseMove, x, y); }
    void KeyDown(int key, int modifiers = 0) { Dispatch(kEventKeyDown, 0, 0, key, modifiers); }
    void Char(int character) { Dispatch(kEventChar, 0, 0, character); }
    void Idle() { Dispatch(kEventIdle); }
    // Moves the test clock (the application time and every running window clock).
    void Advance(uint32_t ms);

    // A modal window of the given size pushed on the stack (its name set).
    TModalWindow* PushDialog(const char* name, TRect rect = TRect(0, 0, kWidth, kHeight));
    // Red, green, blue of a pixel of the drawn frame.
    uint32_t Pixel(int x, int y);

    TestWindowHost windowHost;
    RecordingScript script;
    std::unique_ptr<TWindowManager> manager;
    TScreen* screen = nullptr;
    TPlatform* display = nullptr;
};
