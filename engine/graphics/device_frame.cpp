// The frame cycle: begin and end of a frame, the viewport, vertex drawing and the present pass.
#include <chrono>
#include <thread>

#include "engine/core/base/log.h"
#include "engine/graphics/display_host.h"
#include "engine/graphics/device_display.h"
#include "engine/graphics/renderer.h"

namespace {
constexpr char kSource[] = ".\\dxdisplayhandler";
}

bool TPlatform::BeginDraw(bool checkContext) {
    TPlatformData& d = *data_;
    TDisplayHost& host = GetDisplayHost();
    if (!d.device || d.directXBroken) return false;
    if (platform::video::Failed(d.backSurface->IsLost())) {
        if (host.HasFocus()) MarkDirectXBroken();
        return false;
    }
    const auto& front = d.context->GetFrontSurface();
    if (!front || platform::video::Failed(front->IsLost())) return false;
    platform::video::Result r = d.context->IsWindowed() ? platform::video::kOk : front->GetFlipStatus();
    if (r == platform::video::kWasStillDrawing) return false;
    if (platform::video::Failed(r)) LogDxError(r, kSource, __LINE__);
    if (checkContext && (d.context->IsDeviceLost() || !d.context->GetDevice())) {
        MarkDirectXBroken();
        return false;
    }
    r = d.device->BeginScene();
    if (r == platform::video::kSurfaceLost) {
        LogPrintf("TRenderer::BeginDraw: DDERR_SURFACELOST on BeginScene");
        if (d.inRestore) {
            MarkDirectXBroken();
            return false;
        }
        d.Restore();
        if (d.directXBroken || !d.device) {
            d.inScene = false;
            return false;
        }
        r = d.device->BeginScene();
        if (platform::video::Failed(r)) {
            LogDxError(r, kSource, __LINE__);
            MarkDirectXBroken();
            d.inScene = false;
            return false;
        }
    } else if (platform::video::Failed(r)) {
        LogDxError(r, kSource, __LINE__);
        d.inScene = false;
        return false;
    }
    ++d.workingCount;
    if (platform::video::Result v = ApplyViewport(d.modeRect); platform::video::Failed(v))
        LogDxError(v, kSource, __LINE__);
    if (platform::video::Result v = ApplyViewport(TRect::Intersect(d.viewport, d.modeRect)); platform::video::Failed(v))
        LogDxError(v, kSource, __LINE__);
    d.inScene = true;
    return true;
}

void TPlatform::EndDraw(bool present) {
    TPlatformData& d = *data_;
    TDisplayHost& host = GetDisplayHost();
    if (!d.inScene) return;
    d.inScene = false;
    if (!d.device) return;
    platform::video::Result r = d.device->EndScene();
    if (r == platform::video::kSceneEndFailed) {
        MarkDirectXBroken();
        return;
    }
    if (platform::video::Failed(r)) LogDxError(r, kSource, __LINE__);
    // Frame capture: a mode-0 pass copies the finished frame into the renderer's frame texture.
    if (std::shared_ptr<TTexture> frame = TRenderer::Get()->TakeFrameTexture()) {
        if (BeginRenderTarget(frame, 0)) {
            EndRenderTarget();
        } else {
            TRenderer::Get()->SetFrameTexture(frame);
        }
    }
    if (present && !host.WindowManagerSuspended() && platform::video::Succeeded(r)) r = d.context->UpdateFrame();
    if (r == platform::video::kSurfaceLost) {
        LogPrintf("TPlatform::EndDraw: DDERR_SURFACELOST on UpdateFrame or EndScene");
        d.Restore();
    } else if (platform::video::Failed(r)) {
        LogDxError(r, kSource, __LINE__);
        LogPrintf("TPlatform::EndDraw: Unexpected error (see above) on UpdateFrame or EndScene");
        d.Restore();
    }
    // The window shows what the present thread has copied so far (SDL video belongs to this thread).
    d.context->ShowFrontBuffer();
}

bool TPlatform::IsPresentEnabled() {
    return data_->displayReady && !data_->directXBroken;
}

std::pair<int, int> TPlatform::Present(int a, int b) {
    return data_->context->Present(a, b, 0);
}

bool TPlatform::IsFrameDone() {
    const auto& front = data_->context->GetFrontSurface();
    if (!front) return false;
    platform::video::Result r = data_->fullScreen ? front->GetFlipStatus() : front->GetBltStatus();
    return r != platform::video::kWasStillDrawing;
}

platform::video::Result TPlatform::WaitForFlipDone() {
    const auto& front = data_->context->GetFrontSurface();
    if (!front) return platform::video::kPointer;
    platform::video::Result r;
    while ((r = front->GetFlipStatus()) == platform::video::kWasStillDrawing) GetDisplayHost().Sleep(1);
    return r;
}

// Clamps rect into the mode rect, applies the view scale and hands it to the device.
platform::video::Result TPlatform::ApplyViewport(const TRect& rect) {
    TPlatformData& d = *data_;
    if (!d.device) return platform::video::kPointer;
    int left = std::max(rect.left, 0), top = std::max(rect.top, 0);
    int right = std::max(rect.right, left), bottom = std::max(rect.bottom, top);
    int w = d.modeRect.Width(), h = d.modeRect.Height();
    if (left >= w) left = w - 1;
    if (top >= h) top = h - 1;
    if (right > w) right = w;
    if (bottom > h) bottom = h;
    platform::video::Viewport vp{left, top, right - left, bottom - top, 0.0f, 1.0f};
    float scale = GetDisplayHost().ViewScale();
    if (scale != 1.0f) {
        auto scaled = [scale](int v) { return static_cast<int>(v * scale + 0.5f); };
        vp.x = scaled(vp.x), vp.y = scaled(vp.y), vp.width = scaled(vp.width), vp.height = scaled(vp.height);
        if (scale != 0 && w < (vp.x + vp.width) / scale) vp.width = scaled(w) - vp.x;
        if (scale != 0 && h < (vp.y + vp.height) / scale) vp.height = scaled(h) - vp.y;
    }
    return d.device->SetViewport(vp);
}

void TPlatform::SetViewport(int left, int top, int right, int bottom) {
    TPlatformData& d = *data_;
    if (!d.device) return;
    TRect old = d.viewport;
    d.viewport = TRect(left, top, right, bottom);
    if (platform::video::Failed(ApplyViewport(TRect::Intersect(d.viewport, d.clipRect)))) {
        LogPrintf("Bad viewport: %d, %d, %d, %d", left, top, right, bottom);
        d.viewport = old;
    }
    d.viewChanged = true;
}

void TPlatform::GetViewport(int* left, int* top, int* right, int* bottom) {
    const TRect& v = data_->viewport;
    if (left) *left = v.left;
    if (top) *top = v.top;
    if (right) *right = v.right;
    if (bottom) *bottom = v.bottom;
}

void TPlatform::DrawVertices(uint32_t primitiveType, uint32_t vertexFormat, const void* vertices, uint32_t count) {
    TPlatformData& d = *data_;
    if (d.directXBroken || !d.device) return;
    platform::video::Result r = d.device->DrawPrimitive(primitiveType, vertexFormat, vertices, count, 0);
    if (r == platform::video::kOutOfVideoMemory) {
        LogPrintf("DrawVertices out of video memory");
        OnOutOfVideoMemory();
    } else if (platform::video::Failed(r)) {
        LogDxError(r, kSource, __LINE__);
        MarkDirectXBroken();
    }
}

void TPlatform::FlipToGDISurface() {
    if (data_->directDraw) data_->directDraw->FlipToGDISurface();
}

void TPlatform::SetVSync(bool on) {
    data_->context->SetVSync(on);
}
