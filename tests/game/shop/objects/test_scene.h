// A small scene standing in for the shop: it records what its objects tell it, keeps a release
// queue and a clock the test sets, and answers texture names from a map the test fills.
#pragma once

#include <vector>

#include "engine/core/base/clock.h"
#include "game/shop/objects/basic_object.h"
#include "game/shop/objects/game_scene.h"
#include "tests/game/shop/recording_assets.h"

class TestScene : public iGameScene, public RecordingAssets {
public:
    ~TestScene() override { DeleteReleasedObjects(); }

    void QueueRelease(clsBasicObject* object) override {
        object->SetReleased();
        released.push_back(object);
    }
    void OnAnimationEnded(clsAnimatedSprite* sprite) override { animationsEnded.push_back(sprite); }
    void Hook32(clsObjectGraph* object) override { arrivals.push_back(object); }
    const TClock* GetClock() override { return &clock; }
    iGameAssets& GetAssets() override { return *this; }

    // Last queued first, as the shop deletes them at the end of a frame.
    void DeleteReleasedObjects() {
        while (!released.empty()) {
            delete released.back();
            released.pop_back();
        }
    }

    TClock clock;  // paused: the test sets its time
    std::vector<clsBasicObject*> released;
    std::vector<clsAnimatedSprite*> animationsEnded;
    std::vector<clsObjectGraph*> arrivals;
};
