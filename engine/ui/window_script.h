// TWindowScript: the window system's script host. Scripts build windows from tables through the
// type functions it defines ("Button{...}" and the like), act on windows through its window script
// functions, and wait for messages inside its coroutine; messages no window handled and button
// commands reach the waiting script at once, else its queues "gMessageQueue" and "gCommandQueue".
// On construction it runs the built-in layer "gScreenInit", which defines the dialog functions
// (DoWindow, MakeDialog, DoModal, WaitForMessage, ...).
#pragma once

#include <map>
#include <vector>

#include "engine/scripthost/script.h"
#include "engine/scripthost/script_target.h"
#include "engine/ui/window_script_link.h"

class TLuaTable;
class TWindowManager;
class TWindowStyle;

// Told about every window a script creates, once it is initialised.
class IWindowCreationListener {
public:
    virtual ~IWindowCreationListener() = default;
    virtual void OnWindowCreated(TWindow* window, TWindowStyle& style) = 0;
};

class TWindowScript : public TScript, public IWindowScript, public TScriptTarget {
public:
    TWindowScript();
    ~TWindowScript() override;

    // IWindowScript.
    bool QueueMessage(TMessage* message, bool command) override;
    bool QueueCommand(TMessage* message, const TLuaFunction& function) override;
    void ResetWindowStack(TWindow* window) override;
    void PushWindow(TWindow* window) override;
    // Keeps the last window: the stack never runs empty once it held one.
    void PopWindow() override;
    void RegisterWindowType(const TString& name, TWindowFactory factory) override;
    void DoLuaString(const TString& text) override { TScript::DoLuaString(text); }
    bool SetStringTableMode(bool on) override;
    TTask* AsTask() override { return this; }

    TWindow* GetCurrentWindow() const { return windows_.empty() ? nullptr : windows_.back(); }
    bool GetStringTableMode() const { return stringTableMode_; }
    void SetCreationListener(IWindowCreationListener* listener) { listener_ = listener; }
    // True while the script waits for a message in "HandleGetMessage".
    bool IsWaiting() const { return waitState_ == kWaiting; }

    // Makes the window a child of the current window, initialises it from the style table on top
    // of the stack and makes it current. A window the current one refuses is deleted; false then.
    bool CreateFromStyle(TWindow* window);

    // The main window is closing: a playing movie stops (no movie ever plays here).
    void AbortMovie() {}

    // Text helpers of the window script functions.
    static TString TagHotKey(const TString& keyText, const TString& label);
    // The label without its first "&", and "@" + the character after it (empty without one).
    static std::pair<TString, TString> StripKeyFromLabel(const TString& label);

protected:
    bool Animate() override;
    bool DeliverCall() override;

private:
    enum WaitState { kResumeFailed = 0, kNotWaiting = 1, kWaiting = 3 };

    void BindFunctions();
    void BindWindowFunctions();
    void BindMessageFunctions();
    // Hands the message (or a command-only one) and the command to the script; see QueueMessage.
    bool Deliver(TMessage* message, const TLuaFunction* command);
    // Pushes the message as a script value, taking it.
    void PushMessage(TMessage* message);
    int ResumeWith(int valueCount);

    // Window script functions.
    TWindowManager* Manager() const;
    TWindow* TopModal() const;
    TWindow* FindInModal(const TString& name) const;
    template <class Visit>
    TWindow* FindUpModalChain(const TString& name, Visit visit) const;

    void PostCreate(TLuaTable* style, TString unused);
    TString GetLabel(TString name);
    void RegisterHotkey(TString keyText, TString command);
    void SetLabel(TString name, TString label);
    TString TagHotKeyFunction(TString keyText, TString label, TString unused);
    void SetBitmap(TString name, TString image, float scale);
    void SetPosition(TString name, int x, int y);
    int SetCommand(lua_State* L);
    int StripKeyFromLabelFunction(lua_State* L);
    void SetWindowName(TString name);
    void FillRect(TLuaTable* rect, TLuaTable* color);
    uint32_t GetTimer();
    TString GetConfigValue(TString key, TString fallback);
    bool IsEnabled(TString key);
    void SelectLayer(int layer);
    bool EnableWindow(TString name, bool on);
    bool GetButtonToggleState(TString name);
    void SetButtonToggleState(TString name, bool on);
    void PopWindowFunction();
    void RealSetFocus(TString name);
    bool StringToClipboard(TString text);
    void UpdateWindow();
    TString PushModal(TString name);
    void ClearModalChildren();
    int GetWindowDepth();
    void DoPopModal(TString nameOrId);
    int HandleGetMessage(lua_State* L);
    int GenericCreate(lua_State* L);
    int CreateNamedMessage(lua_State* L);
    int CreateCloseMessage(lua_State* L);
    int PostMessage(lua_State* L);
    int PostMessageToParent(lua_State* L);
    TString GetString(TString key, TString p1, TString p2, TString p3, TString p4, TString p5);
    bool StartMovie(TString file, bool translate, bool allowInput);
    bool IsMoviePlaying();
    void StopMovie();
    bool ImageLoaded(TString name);
    void DestroyWindow(TString name);
    void DoFitToChildren();

    std::vector<TWindow*> windows_;
    std::map<TString, TWindowFactory> types_;
    int waitState_ = kNotWaiting;
    IWindowCreationListener* listener_ = nullptr;
    bool stringTableMode_ = false;
};
