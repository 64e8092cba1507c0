// A scene standing in for the shop: a clsGameInterface that records every hook its objects call,
// in order ("hooks") and with their arguments, owns what is handed to it (registered objects,
// finished potions' sprites) as the shop does, answers textures and sounds from RecordingAssets and
// runs on a clock the test moves.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "engine/core/base/clock.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/scene/game_interface.h"
#include "tests/game/shop/recording_assets.h"

struct DropMoneyCall {
    int potionMoney;
    int fruitMoney;
    int artifactMoney;
    int tipMoney;
    clsAnimatedSprite* body;
    bool operator==(const DropMoneyCall&) const = default;
};

struct ShowStarsCall {
    int potionId;
    clsAnimatedSprite* sprite;
    clsCauldron* cauldron;
    bool operator==(const ShowStarsCall&) const = default;
};

class RecordingScene : public clsGameInterface {
public:
    ~RecordingScene() override {
        std::vector<clsBasicObject*> left;
        left.swap(owned);
        for (clsBasicObject* object : left) object->Destroy();
        DeleteReleasedObjects();
    }

    // What is queued is no longer the scene's to destroy at the end.
    void QueueRelease(clsBasicObject* object) override {
        owned.erase(std::remove(owned.begin(), owned.end(), object), owned.end());
        clsGameInterface::QueueRelease(object);
    }

    bool OnAnimate() override {
        ++animationPasses;
        return clsGameInterface::OnAnimate();
    }
    const TClock* GetClock() override { return &clock; }
    iGameAssets& GetAssets() override { return assets; }

    void RegisterObject(clsBasicObject* object) override {
        Record("RegisterObject");
        registered.push_back(object);
        owned.push_back(object);
    }
    void OnAnimationEnded(clsAnimatedSprite* sprite) override {
        Record("OnAnimationEnded");
        animationsEnded.push_back(sprite);
    }
    void CloseShop() override { Record("CloseShop"); }
    void EndLevel(bool won) override {
        clsGameInterface::EndLevel(won);
        Record(won ? "EndLevel(won)" : "EndLevel(lost)");
    }
    void Hook32(clsObjectGraph* object) override {
        Record("Hook32");
        arrivals.push_back(object);
    }
    void ShowStars(int potionId, clsAnimatedSprite* sprite, clsCauldron* cauldron) override {
        Record("ShowStars(" + std::to_string(potionId) + ")");
        stars.push_back({potionId, sprite, cauldron});
        owned.push_back(sprite);
    }
    void DropMoney(int potion, int fruit, int artifact, int tip, clsAnimatedSprite* body) override {
        Record("DropMoney(" + std::to_string(potion) + "," + std::to_string(fruit) + "," + std::to_string(artifact) +
               "," + std::to_string(tip) + ")");
        moneyDrops.push_back({potion, fruit, artifact, tip, body});
    }
    void OnMoneyChanged() override { Record("OnMoneyChanged"); }
    void Hook36() override { Record("Hook36"); }
    void OnCustomerLost(clsClient* customer) override {
        Record("OnCustomerLost");
        customersLost.push_back(customer);
    }
    void OnCustomerServed() override { Record("OnCustomerServed"); }

    int Count(const std::string& hook) const { return static_cast<int>(std::count(hooks.begin(), hooks.end(), hook)); }

    TClock clock;  // paused: the test moves it
    int animationPasses = 0;
    RecordingAssets assets;
    std::vector<std::string> hooks;
    std::vector<clsBasicObject*> registered;
    std::vector<clsAnimatedSprite*> animationsEnded;
    std::vector<clsObjectGraph*> arrivals;
    std::vector<ShowStarsCall> stars;
    std::vector<DropMoneyCall> moneyDrops;
    std::vector<clsClient*> customersLost;

private:
    void Record(std::string hook) { hooks.push_back(std::move(hook)); }

    std::vector<clsBasicObject*> owned;
};
