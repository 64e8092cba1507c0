// What texture data needs of the display handler: the display object and device it creates
// surfaces with, the screen's depth and square-texture demand, the texture-memory count and the
// handler's reactions to failures. The display handler installs its own; until it does (and in
// tests without a display) the default answers "display not up" and ignores the rest.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/video/profile.h"

class ITextureDisplay {
public:
    virtual ~ITextureDisplay() = default;
    // Null while the display (or its device) is not up: texture data then only records sizes.
    virtual platform::video::DisplayObject* GetDisplayObject() { return nullptr; }
    virtual const platform::video::DeviceDescription* GetDeviceDescription() { return nullptr; }
    // The back buffer's depth buffer, whose format render-target depth buffers copy (may be null).
    virtual platform::video::Surface* GetDepthBuffer() { return nullptr; }
    virtual bool RequiresSquareTextures() { return false; }
    virtual int GetScreenBits() { return 32; }
    virtual void AddTextureMemory(int64_t bytes) {}
    // A restore could not rebuild a texture whose file still exists: restore again later.
    virtual void OnRestoreFailed() {}
    virtual void OnOutOfVideoMemory() {}
    // A mipmapped texture came out at 16 bits on a 32-bit screen: use 16-bit textures from now on.
    virtual void SwitchTo16BitTextures() {}
    // A new render target with alpha: the device is pointed at it and back, so that a depth it cannot draw
    // into is found (and reported) when the texture is made rather than in the middle of a pass.
    virtual void TryRenderTarget(const std::shared_ptr<platform::video::Surface>& surface) {}
    // Render targets with alpha are made at 32 bits (the device refused a 16-bit one).
    virtual bool AlphaTargetsAt32Bits() { return false; }
    // A frame or render-target pass is open (texture copies are refused meanwhile).
    virtual bool IsDrawing() { return false; }
};

// The installed display, or the do-nothing default; never null.
ITextureDisplay& GetTextureDisplay();
void SetTextureDisplay(ITextureDisplay* display);
