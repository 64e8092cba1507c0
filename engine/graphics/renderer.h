// TRenderer: the one drawing interface above the display handler. Tracks the open drawing blocks and
// refuses calls made in the wrong one, keeps the current texture, the clip-rectangle stack and the frame
// statistics, and forwards the rest to the display handler.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/base/color.h"
#include "engine/core/base/maths.h"
#include "engine/core/base/tstring.h"
#include "engine/graphics/device_display.h"
#include "engine/graphics/vertex.h"

class TTexture;
class TTextBlock;

struct TRenderState {
    uint32_t frameIndex = 0;
    uint32_t frameTimes[15] = {};
    float lastFps = 0.0f;
    bool showStats = false;
    std::unique_ptr<TTextBlock> statsText;
    std::shared_ptr<TTexture> texture;
    std::shared_ptr<TTexture> frameTexture;
    std::vector<TRect> clipStack;
    bool inBegin2d = false;
    bool inBegin3d = false;
    bool inBeginDraw = false;
    bool inBeginRenderTarget = false;
    bool fps = true;

    TRenderState();
    ~TRenderState();
};

class TRenderer {
public:
    static TRenderer* Get();
    static void Destroy();

    bool BeginDraw(int checkContext);
    void EndDraw();
    bool BeginRenderTarget(const std::shared_ptr<TTexture>& target, int mode);
    bool Begin2d();
    bool Begin3d();
    void End2d();
    void End3d();
    bool IsIn2d() const { return state_.inBegin2d; }
    bool IsIn3d() const { return state_.inBegin3d; }
    bool IsDrawing() const { return state_.inBeginDraw || state_.inBeginRenderTarget; }

    void DrawVertices(uint32_t primitiveType, const TVertexSet& set);
    void SetBlendMode(TBlendMode mode);
    void SetCullMode(TCullMode mode);
    void SetWorldTransform(const TMat4& m);
    void GetWorldTransform(TMat4* m);
    TRect GetViewport();
    void PushViewport(const TRect& rect);
    void PopViewport();
    void SetTexture(const std::shared_ptr<TTexture>& texture);
    std::shared_ptr<TTexture> GetTexture() const { return state_.texture; }
    // Colour channels r, g, b, a in 0..1.
    void FillRect(const TRect& rect, const float rgba[4], const std::shared_ptr<TTexture>& texture = nullptr);
    bool PushClipRect(const TRect& rect);
    void PopClipRect();
    TRect GetClipRect() const;

    void SetOption(const TString& name, const TString& value);
    TString GetOption(const TString& name);
    bool ToggleStats();
    // The frame's last step: statistics, the overlay and the end of the frame.
    void DrawStats(int unused = 0);
    float GetFps() const { return state_.lastFps; }
    void SetFrameTexture(const std::shared_ptr<TTexture>& texture);
    std::shared_ptr<TTexture> GetFrameTexture() const { return state_.frameTexture; }
    // Hands the frame texture over (empties it).
    std::shared_ptr<TTexture> TakeFrameTexture();

private:
    TRenderer();
    TPlatform* Platform() const;

    TRenderState state_;
};
