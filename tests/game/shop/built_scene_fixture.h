// Shop objects drawn from the game's built pictures: a recording scene whose assets are the pictures
// the test loads from the asset folder, on the test clock, over the 800 x 600 display of
// BuiltPictureTest.
#pragma once

#include <memory>
#include <string>

#include "engine/core/files/asset.h"
#include "engine/graphics/animated_sprite.h"
#include "platform/clock/clock.h"
#include "tests/game/shop/built_picture_fixture.h"
#include "tests/game/shop/recording_scene.h"

class BuiltSceneTest : public BuiltPictureTest {
protected:
    void SetUp() override {
        platform::SetTestClock(1000);
        platform::UseClockBackend(platform::ClockBackend::Test);
        BuiltPictureTest::SetUp();
        map.SetAutoLoad(true);
        scene = std::make_unique<RecordingScene>();
    }
    void TearDown() override {
        scene.reset();
        AnimationTaskList().Clear();
        map = TAssetMap();
        BuiltPictureTest::TearDown();
        platform::UseClockBackend(platform::ClockBackend::Real);
    }

    // Hands the scene the game's picture of that name; false when the asset folder lacks it.
    bool Load(const std::string& name) {
        std::shared_ptr<TTexture> texture = map.GetTexture(name.c_str());
        scene->assets.textures[name] = texture;
        return texture != nullptr;
    }

    TAssetMap map;
    std::unique_ptr<RecordingScene> scene;
};
