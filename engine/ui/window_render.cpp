// Frames: paced on the application clock, drawn from the highest full-screen covering modal window
// up to the top, with an optional render-target pass first.
#include "engine/core/app/task.h"
#include "engine/graphics/renderer.h"
#include "engine/ui/modal_window.h"
#include "engine/ui/window_host.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_spider.h"

bool TWindowManager::IsFrameDue() {
    bool foreground = host_->HasFocus() || host_->IsHosted();
    uint32_t interval = foreground ? kFrameIntervalMs : kBackgroundFrameIntervalMs;
    uint32_t now = host_->GetTimer();
    if (now - lastFrameTime_ < interval) return false;
    lastFrameTime_ = now;
    return true;
}

void TWindowManager::RenderFrame() {
    abortDraw_ = false;
    if (movie_ || !redrawNeeded_ || !host_->IsFrameDone() || !IsFrameDue()) return;
    if (!modalStack_.empty()) {
        TWindowClearFlags clear(~static_cast<uint32_t>(kWindowDrawnInTarget), true);
        clear.Visit(modalStack_.back());
    }
    if (!GetTopModal()) return;
    if (host_->IsFrameDone()) {
        if (TTaskList* tasks = host_->GetTaskList()) tasks->Run(1);
        if (TModalWindow* top = dynamic_cast<TModalWindow*>(GetTopModal())) top->RunTasks(1);
    }
    DrawFrame();
}

void TWindowManager::DrawFrame() {
    TRenderer* renderer = TRenderer::Get();
    if (renderTarget_) {
        if (renderer->BeginRenderTarget(renderTarget_, 1)) {
            Draw(kDrawTargetPass);
            renderer->EndDraw();
        }
        if (!renderer->BeginDraw(1)) return;
        redrawNeeded_ = false;
        if (screen_) screen_->DrawTree(kDrawNormal);
        Draw(kDrawAfterTargetPass);
    } else {
        if (!renderer->BeginDraw(1)) return;
        redrawNeeded_ = false;
        Draw(kDrawNormal);
    }
    for (TWindow* overlay : overlays_) overlay->DrawTree(kDrawNormal);
    DrawHoverFrame();
    renderer->DrawStats();
}

void TWindowManager::DrawHoverFrame() {
    if (!debugHoverFrame_ || !hover_) return;
    const float colour[4] = {1, 0, 0, 1};
    TRect r = hover_->GetGlobalRect();
    TRenderer* renderer = TRenderer::Get();
    renderer->FillRect(TRect(r.left, r.top, r.right, r.top + 1), colour);
    renderer->FillRect(TRect(r.left, r.bottom - 1, r.right, r.bottom), colour);
    renderer->FillRect(TRect(r.left, r.top, r.left + 1, r.bottom), colour);
    renderer->FillRect(TRect(r.right - 1, r.top, r.right, r.bottom), colour);
}

bool TWindowManager::CoversScreen(const TWindow* window) const {
    return (window->GetFlags() & kWindowCovers) && screen_ && window->GetWidth() == screen_->GetWidth() &&
           window->GetHeight() == screen_->GetHeight();
}

void TWindowManager::Draw(int mode) {
    if (abortDraw_ || modalStack_.empty() || !host_->IsDisplayReady()) return;
    if (mode == kDrawAfterTargetPass || topModalOnly_) {
        GetTopModal()->DrawTree(mode);
        return;
    }
    // Windows under a full-screen covering modal window are hidden by it.
    size_t first = modalStack_.size() - 1;
    for (size_t i = 0; i < modalStack_.size(); ++i) {
        if (CoversScreen(modalStack_[i])) {
            first = i;
            break;
        }
    }
    size_t last = mode == kDrawTargetPass ? 1 : 0;  // the render-target pass leaves out the top
    for (size_t i = first + 1; i-- > last;) {
        if (!host_->IsDisplayReady()) return;
        modalStack_[i]->DrawTree(mode);
        if (abortDraw_) return;
    }
}
