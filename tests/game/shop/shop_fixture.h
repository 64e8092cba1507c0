// The common ground of the shop tests: a 64 x 48 headless screen, a recording scene on a clock the
// test moves, the game's random numbers from a seeded source, animations whose named actions have
// as many frames as the test asks, and the log (DisplayTest's Log and Logged read it).
//   Step(dt, objects...)  moves the scene clock by dt, runs the animation scripts, updates the objects
//   FinishAction(sprite)  ends the sprite's current action; its next update tells the scene
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/animated_sprite.h"
#include "engine/graphics/animated_texture.h"
#include "game/shop/objects/scene_sprite.h"
#include "platform/clock/clock.h"
#include "tests/engine/graphics/animation_fixture.h"
#include "tests/game/shop/recording_scene.h"
#include "tests/game/shop/seeded_random.h"

// frameCount frames of 4 x 4 pixels side by side, each one filled with its own colour, and the
// script that names the actions ("function DoAnim() frames{1,2,3} end"; 16 ms a frame by default).
inline Bytes FramesAnm(const std::string& image, int frameCount, const std::string& script) {
    std::vector<AnmFrame> frames;
    for (int frame = 0; frame < frameCount; ++frame) frames.push_back({0, 0, 4 * frame, 1.0f, -1e7f});
    return AnmFile("frames", image, 4 * frameCount, frames, script);
}

inline Bytes FramesSheet(int frameCount) {
    std::vector<uint16_t> samples;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4 * frameCount; ++x) {
            uint16_t shade = static_cast<uint16_t>(40 + 200 * (x / 4) / std::max(frameCount, 1));
            samples.insert(samples.end(), {shade, uint16_t(255 - shade), 128, 255});
        }
    return WritePng(MakePng(4 * frameCount, 4, PNG_COLOR_TYPE_RGBA, 8, samples));
}

class ShopTest : public AnimatedTextureTest {
protected:
    void SetUp() override {
        AnimatedTextureTest::SetUp();
        platform::SetTestClock(1000);
        platform::UseClockBackend(platform::ClockBackend::Test);
        scene = std::make_unique<RecordingScene>();
    }
    void TearDown() override {
        scene.reset();
        AnimationTaskList().Clear();
        platform::UseClockBackend(platform::ClockBackend::Real);
        AnimatedTextureTest::TearDown();
    }

    // An animation the scene's objects find under name, with frameCount frames and the actions of
    // script (empty: the animation's own default).
    void AddAnimation(const std::string& name, int frameCount, const std::string& script = "") {
        std::string image = name.substr(name.rfind('/') + 1) + "_sheet.png";
        Add(name.substr(0, name.rfind('/') + 1) + image, FramesSheet(frameCount));
        Add(name + ".anm", FramesAnm(image, frameCount, script));
        scene->assets.textures[name] = TAnimatedTexture::Get("", "", name.c_str());
    }
    // A still picture of one colour under name.
    void AddPicture(const std::string& name, int width, int height, uint32_t argb = 0xFFFFFFFF) {
        scene->assets.textures[name] = Solid(width, height, argb);
    }

    // One frame of dt seconds: the scene's clock, the animation scripts, then the objects.
    template <class... Objects>
    void Step(float dt, Objects&... objects) {
        scene->clock.SetTime(scene->clock.GetTime() + static_cast<uint32_t>(std::lround(dt * 1000.0f)));
        AnimationTaskList().Run();
        (objects.Update(dt), ...);
    }

    // The sprite's current action has run to its end: the scene hears of it at the next update.
    static void FinishAction(clsAnimatedSprite& sprite) { sprite.GetAnimation().Die(); }

    SeededRandom random{1234};
    std::unique_ptr<RecordingScene> scene;
};
