// A display for texture tests: a software display object from the standard hardware profile,
// with the square-texture demand, screen depth and device loss under the test's control, and
// counts of what the texture code reported.
#pragma once

#include "engine/graphics/texture_display.h"

class TestTextureDisplay : public ITextureDisplay {
public:
    TestTextureDisplay() {
        platform::video::SetActiveProfile(platform::video::HardwareProfile::Standard());
        platform::video::DisplayObject::Create(0, &object);
        device = object->GetAdapter().devices.front();
        SetTextureDisplay(this);
    }
    ~TestTextureDisplay() override {
        SetTextureDisplay(nullptr);
        platform::video::SetActiveProfile(platform::video::HardwareProfile::Standard());
    }

    platform::video::DisplayObject* GetDisplayObject() override { return up ? object.get() : nullptr; }
    const platform::video::DeviceDescription* GetDeviceDescription() override { return up ? &device : nullptr; }
    bool RequiresSquareTextures() override { return squareOnly; }
    int GetScreenBits() override { return screenBits; }
    void AddTextureMemory(int64_t bytes) override { textureMemory += bytes; }
    void OnRestoreFailed() override { ++restoreFailures; }
    void OnOutOfVideoMemory() override { ++outOfVideoMemory; }
    void SwitchTo16BitTextures() override { ++switchedTo16Bits; }
    bool IsDrawing() override { return drawing; }

    std::shared_ptr<platform::video::DisplayObject> object;
    platform::video::DeviceDescription device;
    bool up = true;
    bool squareOnly = false;
    bool drawing = false;
    int screenBits = 32;
    int64_t textureMemory = 0;
    int restoreFailures = 0;
    int outOfVideoMemory = 0;
    int switchedTo16Bits = 0;
};
