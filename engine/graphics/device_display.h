// TPlatform: the display handler. One global instance owns the display's state (TPlatformData), builds and
// rebuilds the display mode with its fall-backs, keeps the display options and the default drawing state,
// runs the frame cycle and the restore protocol after a device loss.
#pragma once

#include <cstdint>
#include <list>
#include <memory>
#include <utility>

#include "engine/core/base/color.h"
#include "engine/core/base/maths.h"
#include "engine/core/base/tstring.h"
#include "engine/graphics/dx_context.h"
#include "engine/graphics/vertex.h"
#include "platform/video/device.h"

// Blend modes (TBlendMode).
enum TBlendMode : int32_t {
    BlendAlpha = 0,
    BlendOpaque = 1,
    BlendAdditive = 2,
    BlendSubtractive = 3,
    BlendMultiply = 4,
};

struct TMaterial {
    TColor diffuse{0xFFFFFFFF};
    TColor ambient{0xFF808080};
};

class TTexture;

class TPlatformData {
public:
    TPlatformData();
    ~TPlatformData();

    // The restore protocol after a lost surface.
    void Restore();
    // Points the device at another surface (texture data checks a new render target with it).
    bool SwitchRenderTarget(const std::shared_ptr<platform::video::Surface>& current,
                            const std::shared_ptr<platform::video::Surface>& next);

    platform::video::DisplayObject* directDraw = nullptr;
    std::shared_ptr<platform::video::Surface> backSurface;
    platform::video::Device* device = nullptr;
    std::unique_ptr<TDXContext> context;
    std::shared_ptr<platform::video::Surface> screenTarget;
    std::list<TRect> savedViewports;  // newest first
    TRect viewport, modeRect, clipRect, targetRect;
    std::shared_ptr<platform::video::Surface> currentTarget;
    bool fullScreen = false;
    int32_t blendMode = -1;
    int32_t displayDepth = 0;
    bool displayReady = false;
    bool depthWrite = false;
    bool depthTest = false;
    bool directXBroken = false;
    bool reconfigurePending = false;
    bool fallbackRunning = false;
    bool fatal = false;
    bool separateTextureMemories = false;
    bool noSpecularGouraud = false;
    bool squareTexturesOnly = false;
    uint32_t workingCount = 0;
    uint32_t brokenTime = 0;
    bool fullScreenSucceeded = false;
    bool lowMemoryVideo = false;
    bool inSetDisplay = false;
    bool inRestore = false;
    bool inScene = false;
    bool viewChanged = true;
    TMat4 projection;
    float nearZ = 0.1f, farZ = 1000.0f;
    bool antialias = false;
    bool hintAntialias = false;
    bool newSubtractive = false;
    bool newRenderBlend = false;
    bool colorOutput = true;
    int32_t renderTargetMode = 0;
    std::shared_ptr<TTexture> renderTarget;
    float texelOffset = -0.5f;
    bool calibrated = false;
    bool in2d = false;
    bool alphaTargetsAt32Bits = false;  // 16-bit render targets with alpha failed: make them 32-bit
    bool reportedTargetDepth = false;
    bool sixteenBitTextures = false;  // a mipmapped texture came out at 16 bits on a 32-bit screen
    float savedViewScale = 1.0f;
    std::shared_ptr<platform::video::Surface> stageTexture;  // the surface of the texture set last
    size_t dirtyBeforePass = 0;  // the back buffer's dirty rectangles when the pass began
};

class TPlatform {
public:
    static TPlatform* Instance();
    static TPlatform* Create();
    static void Destroy();

    TPlatformData* Data() { return data_.get(); }

    // Display modes (the ordered build with its fall-back chain).
    void SetDisplay(int width, int height, bool fullScreen, bool force, bool quiet, bool embedded);
    bool SetFullscreen(bool fullScreen);
    bool WindowTooLargeForDesktop(int width, int height);
    void RefreshDesktopMode();
    void GetDisplaySize(int* width, int* height, bool* fullScreen);
    bool IsFullScreen() const { return data_->fullScreen; }
    bool IsSquareTexturesOnly() const { return data_->squareTexturesOnly; }

    void SetOption(const TString& name, const TString& value);
    TString GetOption(const TString& name);

    void SetDepthTest(bool on);
    void SetDepthWrite(bool on);
    void SetWorldTransform(const TMat4& m);
    void SetViewTransform(const TMat4& m);
    void GetWorldTransform(TMat4* m);
    void SetProjectionTransform(const TMat4& m);
    void SetPerspective(float fieldOfView, float aspect, float nearZ, float farZ);
    void SetMaterial(const TMaterial& material);
    void SetAmbientColor(TColor color);
    void SetShadeMode(int mode);
    void SetCullMode(int mode);
    void SetBlendMode(int32_t mode);

    // Loss and restore.
    void MarkDirectXBroken();
    void MarkDirectXBrokenThrottled();
    bool IsDeviceReady();
    void RestoreAssets();
    void OnOutOfVideoMemory();
    void ResetWorkingCount() { data_->workingCount = 0; }

    // The frame.
    bool BeginDraw(bool checkContext);
    void EndDraw(bool present);
    bool IsPresentEnabled();
    std::pair<int, int> Present(int a, int b);
    bool IsFrameDone();
    platform::video::Result WaitForFlipDone();
    void SetViewport(int left, int top, int right, int bottom);
    void GetViewport(int* left, int* top, int* right, int* bottom);
    // Draws vertices of the given format (0x1E2, 0x1C4 or 0x112).
    void DrawVertices(uint32_t primitiveType, uint32_t vertexFormat, const void* vertices, uint32_t count);
    // Draws a vertex set: the kind picks format, lighting and (in a 2-D block) the 2-D projection.
    void DrawVertices(uint32_t primitiveType, const TVertexSet& set);

    // Drawing state.
    bool Begin2d();
    bool Begin3d();
    void End2d();
    void SetFilterMode(int mode);
    void SetTextureAddress(int u, int v);
    void SetTexture(const std::shared_ptr<TTexture>& texture);
    void PushViewport(int left, int top, int right, int bottom);
    void PopViewport();
    bool SetClipRect(const TRect& rect);
    // The texel-offset calibration, once per run.
    void TestRenderTargets();

    // Render-target passes and fills.
    bool BeginRenderTarget(const std::shared_ptr<TTexture>& target, int mode);
    void EndRenderTarget();
    void FillRect(int left, int top, int right, int bottom, const float rgba[4], const std::shared_ptr<TTexture>& texture);
    void FlipToGDISurface();
    void SetVSync(bool on);

    TDXContext* GetContext() { return data_->context.get(); }
    // Clamps rect into the mode rect, applies the view scale and hands it to the device.
    platform::video::Result ApplyViewport(const TRect& rect);

private:
    TPlatform();
    void ApplyDefaultRenderState();
    bool WindowCannotWork(int width, int height, int* reason);
    void RunFallbacks(int width, int height, bool fullScreen, bool quiet);
    void FinishBuild();
    bool UpdateViewport();
    void ApplyTextureStages();
    void SetStageState(uint32_t type, uint32_t value, int line);
    void CopyRegionToTexture(const TRect& region, TTexture& texture);
    void CopyBlueToAlpha(const TRect& region, TTexture& texture);
    void SetRenderState(uint32_t state, uint32_t value, int line);

    std::unique_ptr<TPlatformData> data_;
};
