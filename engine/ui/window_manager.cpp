#include "engine/ui/window_manager.h"

#include <algorithm>

#include "engine/core/app/task.h"
#include "engine/graphics/renderer.h"
#include "engine/ui/message.h"
#include "engine/ui/modal_window.h"
#include "engine/ui/screen.h"
#include "engine/ui/window_host.h"
#include "engine/scripthost/script_binding.h"
#include "engine/ui/window_script.h"
#include "engine/ui/window_script_link.h"
#include "engine/ui/xsell_window.h"
#include "engine/ui/window_spider.h"

namespace {

TWindowManager*& LiveManager() {
    static TWindowManager* manager = nullptr;
    return manager;
}

template <typename T>
bool Holds(const std::vector<T*>& list, const T* item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

TModalWindow* AsModal(TWindow* window) {
    return dynamic_cast<TModalWindow*>(window);
}

std::unique_ptr<IWindowSystem> MakeWindowManager() {
    return std::make_unique<TWindowManager>();
}

}  // namespace

void InstallWindowSystem() {
    SetWindowSystemFactory(MakeWindowManager);
}

TWindowManager::TWindowManager(IWindowHost* host) : host_(host ? host : &ApplicationWindowHost()) {
    LiveManager() = this;
}

TWindowManager::~TWindowManager() {
    listeners_.clear();
    capture_.clear();
    while (!modalStack_.empty()) PopModal();
    FlushDeletions();
    std::vector<TWindow*> overlays;
    overlays.swap(overlays_);
    for (TWindow* overlay : overlays) delete overlay;
    for (TMessage* message : pending_) delete message;
    pending_.clear();
    renderTarget_.reset();
    LiveManager() = nullptr;
}

TWindowManager* TWindowManager::Get() {
    return LiveManager();
}

void TWindowManager::SetScript(IWindowScript* script) {
    script_ = script;
    if (!script_) return;
    if (TWindow* top = GetTopModal()) script_->PushWindow(top);
    script_->RegisterWindowType("XSellWindow", &TXSellWindow::Create);
    if (auto* windowScript = dynamic_cast<TWindowScript*>(script_))
        BindMember(windowScript->GetState(), "SetTopModalOnly", this, &TWindowManager::SetTopModalOnly);
    TTaskList* tasks = host_->GetTaskList();
    if (TTask* task = script_->AsTask(); task && tasks) tasks->AddTask(task);
}

void TWindowManager::AddWindowType(const TString& name, TWindowFactory factory) {
    if (script_) script_->RegisterWindowType(name, factory);
}

void TWindowManager::CreateWindowScript() {
    auto script = std::make_unique<TWindowScript>();
    SetScript(script.get());
    if (!host_->GetTaskList()) {
        ownedScript_ = std::move(script);
    } else {
        script.release();  // the task list owns it
    }
}

void TWindowManager::DoScriptForWindow(TWindow* window, const TString& text) {
    if (!script_) return;
    script_->PushWindow(window);
    script_->DoLuaString(text);
    script_->PopWindow();
}

bool TWindowManager::SetStringTableMode(bool on) {
    return script_ && script_->SetStringTableMode(on);
}

void TWindowManager::CreateRootScreen(int width, int height) {
    if (screen_) return;
    SetScreen(new TScreen());
    if (screen_->GetWidth() == 0) screen_->SetSize(width, height);
}

void TWindowManager::SetScreen(TWindow* screen) {
    screen_ = screen;
    PushModal(screen);
    TRect viewport = TRenderer::Get()->GetViewport();
    screen->SetSize(viewport.Width(), viewport.Height());
    screen->OnAttach();
}

void TWindowManager::SetFocus(TWindow* window) {
    TWindow* previous = focus_;
    focus_ = window;
    if (window) window->OnFocus(previous);
}

void TWindowManager::PushModal(TWindow* window) {
    ClearHover();
    ReleaseAllCaptures();
    TWindow* previous = GetTopModal();
    modalStack_.insert(modalStack_.begin(), window);
    if (previous) {
        previous->AddChild(window, false);
        if (TModalWindow* modal = AsModal(previous)) modal->GetClock().Pause();
    }
    SetFocus(window);
    if (script_) script_->ResetWindowStack(window);
    window->OnAttach();
    if (window->GetWidth() == 0 && window->GetParent())
        window->SetSize(window->GetParent()->GetWidth(), window->GetParent()->GetHeight());
    Invalidate();
}

void TWindowManager::PopModal() {
    if (modalStack_.empty()) return;
    TWindow* top = modalStack_.front();
    if (TWindow* parent = top->GetParent()) parent->RemoveChild(top);
    DeleteLater(top);
    modalStack_.erase(modalStack_.begin());
    if (top == screen_) screen_ = nullptr;
    if (TModalWindow* modal = AsModal(top)) modal->ClearTasks();

    TWindow* next = GetTopModal();
    if (script_) script_->ResetWindowStack(next);
    if (next) SetFocus(next);
    TModalPoppedSpider popped;
    top->WalkChildren(popped);
    Invalidate();
    abortDraw_ = true;
}

bool TWindowManager::NamesModal(const TWindow* window, const TString& nameOrId) const {
    return window->GetName() == nameOrId || FormatWindowId(window) == nameOrId;
}

void TWindowManager::DoPopModal(const TString& nameOrId) {
    ClearHover();
    bool found = false;
    for (TWindow* up = GetTopModal(); up && !found; up = up->GetParent()) found = NamesModal(up, nameOrId);
    if (!found) return;
    for (;;) {
        TWindow* top = GetTopModal();
        if (!top) break;
        PopModal();
        if (NamesModal(top, nameOrId)) break;
    }
    if (TModalWindow* modal = AsModal(GetTopModal())) modal->GetClock().Start();
}

void TWindowManager::CaptureMouse(TWindow* window) {
    if (!Holds(capture_, window)) capture_.push_back(window);
}

void TWindowManager::ReleaseMouse(TWindow* window) {
    auto found = std::find(capture_.begin(), capture_.end(), window);
    if (found == capture_.end()) return;
    captureChanged_ = true;
    capture_.erase(found);
}

bool TWindowManager::HasCapture(const TWindow* window) const {
    return Holds(capture_, window);
}

void TWindowManager::ReleaseAllCaptures() {
    if (capture_.empty()) return;
    std::vector<TWindow*> released;
    released.swap(capture_);
    captureChanged_ = true;
    for (TWindow* window : released) window->OnMouseLeave();
}

void TWindowManager::ClearHover() {
    hover_ = nullptr;
}

void TWindowManager::SetHover(TWindow* window) {
    if (hover_ != window && debugHoverFrame_) Invalidate();
    hover_ = window;
}

void TWindowManager::DeleteLater(TWindow* window) {
    ClearHover();
    deferred_.push_back(window);
    RetargetMessagesInto(window);
    ReleaseMouse(window);
}

void TWindowManager::FlushDeletions() {
    if (deferred_.empty()) return;
    ClearHover();
    // One at a time: deleting a window takes any of its descendants out of the list too.
    while (!deferred_.empty()) {
        TWindow* window = deferred_.front();
        deferred_.erase(deferred_.begin());
        delete window;
    }
    Invalidate();
}

void TWindowManager::WindowRemoved(TWindow* window) {
    ClearHover();
    if (focus_ == window) focus_ = nullptr;
    ReleaseMouse(window);
    for (TModalWindow* modal = AsModal(GetTopModal()); modal; modal = AsModal(modal->GetParent())) {
        if (modal->GetFocusWindow() == window) modal->SetFocusWindow(nullptr);
    }
    // A window deleted directly leaves no stale entries behind.
    for (TMessage* message : pending_) {
        if (message->GetTarget() == window) message->SetTarget(nullptr);
    }
    std::erase(deferred_, window);
    std::erase(overlays_, window);
    std::erase(modalStack_, window);
    if (screen_ == window) screen_ = nullptr;
}

void TWindowManager::AddListener(std::unique_ptr<IMessageListener> listener) {
    listeners_.push_back(std::move(listener));
}

void TWindowManager::AddOverlay(TWindow* window) {
    overlays_.push_back(window);
}

void TWindowManager::SetMouseExitHook(std::unique_ptr<IMouseExitHook> hook) {
    mouseExitHook_ = std::move(hook);
}
