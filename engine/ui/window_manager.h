// TWindowManager: the window system's run-time state. It owns the screen and the modal windows
// stacked on it, routes every framework event into the tree (capture, hover, focus), queues and
// delivers messages, deletes windows deferred to the next event and draws paced frames.
#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <vector>

#include "engine/core/app/app_event.h"
#include "engine/core/app/window_system_service.h"
#include "engine/scripthost/script_target.h"
#include "engine/ui/window.h"

class IWindowHost;
class IWindowScript;
class TMessage;
class TTexture;

// Offered every message that has no target before the default target gets it.
class IMessageListener {
public:
    virtual ~IMessageListener() = default;
    // True: consumed (the manager deletes the message).
    virtual bool OnMessage(TMessage* message) = 0;
};

// Answers TWindow::OnMouseExit for every window while installed.
class IMouseExitHook {
public:
    virtual ~IMouseExitHook() = default;
    virtual bool OnMouseExit(TWindow* window, TPoint point) = 0;
};

class TWindowManager : public IWindowSystem, public TScriptTarget {
public:
    static constexpr uint32_t kFrameIntervalMs = 12;
    static constexpr uint32_t kBackgroundFrameIntervalMs = 200;

    // The manager talks to the application through the host (the application's when null).
    explicit TWindowManager(IWindowHost* host = nullptr);
    ~TWindowManager() override;
    TWindowManager(const TWindowManager&) = delete;
    TWindowManager& operator=(const TWindowManager&) = delete;

    // The live manager; null when none exists.
    static TWindowManager* Get();

    // The window script: unhandled messages, the current-window stack and window types.
    IWindowScript* GetScript() const { return script_; }
    void SetScript(IWindowScript* script);
    // Registers a window type by name; a later registration of the name replaces the earlier one.
    void AddWindowType(const TString& name, TWindowFactory factory);
    // Runs script text with the window as the script's current window.
    void DoScriptForWindow(TWindow* window, const TString& text);

    // The modal stack; the screen at its bottom, each modal window a child of the one below.
    TWindow* GetScreen() const { return screen_; }
    void SetScreen(TWindow* screen);
    TWindow* GetTopModal() const { return modalStack_.empty() ? nullptr : modalStack_.front(); }
    const std::vector<TWindow*>& GetModalStack() const { return modalStack_; }
    void PushModal(TWindow* window);
    // Pops the top modal window; it is deleted at the next event. The new top's clock stays paused.
    void PopModal();
    // Pops down to and including the modal window with that name or id text, then starts the new
    // top's clock. Nothing when no modal window carries it.
    void DoPopModal(const TString& nameOrId);

    TWindow* GetFocus() const { return focus_; }
    void SetFocus(TWindow* window);
    TWindow* GetHover() const { return hover_; }

    // Windows in the capture list receive mouse events wherever the pointer is.
    void CaptureMouse(TWindow* window);
    void ReleaseMouse(TWindow* window);
    bool HasCapture(const TWindow* window) const;

    // The window is deleted at the start of the next dispatched event; messages aimed into its
    // subtree go to the default target instead.
    void DeleteLater(TWindow* window);
    // Called by every window's destructor.
    void WindowRemoved(TWindow* window);

    // Owned extras.
    void AddListener(std::unique_ptr<IMessageListener> listener);
    void AddOverlay(TWindow* window);
    void SetMouseExitHook(std::unique_ptr<IMouseExitHook> hook);
    IMouseExitHook* GetMouseExitHook() const { return mouseExitHook_.get(); }

    // Messages: queued first in, first out, delivered at the next delivery point.
    void PostMessage(TMessage* message);
    void ProcessMessages();
    void DeliverMessage(TMessage* message);
    // Hands the message to the window script's queues; deleted when no script takes it.
    void QueueForScript(TMessage* message, bool command);
    size_t PendingMessageCount() const { return pending_.size(); }

    void DispatchEvent(const TAppEvent& event);
    // The whole code of the latest key event routed (the windows' key handlers see its low byte).
    int32_t GetKeyCode() const { return keyCode_; }
    // One frame, when due: 12 ms apart, 200 ms while the game is in the background.
    void RenderFrame();
    void Draw(int mode);

    // A texture the render-target pass draws into every frame while it is set.
    void SetRenderTarget(const std::shared_ptr<TTexture>& texture) { renderTarget_ = texture; }
    const std::shared_ptr<TTexture>& GetRenderTarget() const { return renderTarget_; }
    bool SetTopModalOnly(bool on) { return topModalOnly_ = on; }
    void SetDebugHoverFrame(bool on) { debugHoverFrame_ = on; }
    bool IsRedrawNeeded() const { return redrawNeeded_; }
    uint32_t GetLastFrameTime() const { return lastFrameTime_; }

    // IWindowSystem.
    // Start-up: the window script, on the application's task list (kept here when there is none).
    void CreateWindowScript() override;
    bool HasWindowScript() const override { return script_ != nullptr; }
    void Invalidate() override { redrawNeeded_ = true; }
    bool IsPresentHeld() const override { return movie_; }
    bool IsInputBlocked() const override { return movieInput_; }
    bool SetStringTableMode(bool on) override;
    bool HasRootScreen() const override { return screen_ != nullptr; }
    void CreateRootScreen(int width, int height) override;

    IWindowHost& Host() const { return *host_; }

private:
    void FlushDeletions();
    void ClearHover();
    void SetHover(TWindow* window);
    void ReleaseAllCaptures();
    void DispatchCapturedMouse(const TAppEvent& event);
    void DispatchMouse(const TAppEvent& event);
    bool OfferToOverlays(const TAppEvent& event);
    // Calls visit on each captured window in order; stops when the top modal window changes; after
    // a change of the list goes on with the window that was next, while it is still captured.
    void WalkCaptures(const std::function<void(TWindow*)>& visit);
    bool CoversScreen(const TWindow* window) const;
    void RetargetMessagesInto(TWindow* window);
    bool IsFrameDue();
    void DrawFrame();
    void DrawHoverFrame();
    bool NamesModal(const TWindow* window, const TString& nameOrId) const;

    IWindowHost* host_;
    std::shared_ptr<TTexture> renderTarget_;
    TWindow* screen_ = nullptr;
    bool abortDraw_ = false;
    uint32_t lastFrameTime_ = 0;
    std::vector<TWindow*> modalStack_;  // front = top
    std::vector<TWindow*> deferred_;
    std::vector<TWindow*> overlays_;
    bool movie_ = false;       // no movie player exists here: stays clear
    bool movieInput_ = false;
    bool topModalOnly_ = false;
    bool redrawNeeded_ = true;
    bool debugHoverFrame_ = false;
    bool captureChanged_ = false;
    TWindow* hover_ = nullptr;
    std::vector<TWindow*> capture_;
    TWindow* focus_ = nullptr;
    int32_t keyCode_ = 0;
    IWindowScript* script_ = nullptr;
    std::unique_ptr<IWindowScript> ownedScript_;  // the one made here while no task list takes it
    std::list<TMessage*> pending_;
    std::vector<std::unique_ptr<IMessageListener>> listeners_;
    std::unique_ptr<IMouseExitHook> mouseExitHook_;
};

// Makes the application create a TWindowManager as its window system.
void InstallWindowSystem();
