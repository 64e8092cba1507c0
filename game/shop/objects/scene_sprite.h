// The two drawable scene objects: a still picture (clsSprite) and an animation (clsAnimatedSprite),
// each wrapping a framework sprite that takes the object's position, scale and visibility.
#pragma once

#include <memory>

#include "engine/core/base/tstring.h"
#include "game/shop/objects/object_graph.h"

class TAnimatedSprite;
class TSprite;
class TTexture;

// What both drawable kinds share: the framework sprite and its upkeep.
class clsSpriteObject : public clsObjectGraph {
public:
    // Moves, then hands pending position and scale and the visibility to the framework sprite.
    void Update(float dt) override;
    // The framework sprite with a fresh draw state; nothing while it is hidden.
    void Draw() override;

    // Nothing happens for an empty texture.
    void SetTexture(const std::shared_ptr<TTexture>& texture);
    const std::shared_ptr<TSprite>& GetFrameworkSprite() const { return sprite_; }

protected:
    clsSpriteObject(iGameScene* owner, std::shared_ptr<TSprite> sprite, int typeCode);

private:
    std::shared_ptr<TSprite> sprite_;
};

class clsSprite : public clsSpriteObject {
public:
    explicit clsSprite(iGameScene* owner);

    // An animation shows its first frame.
    void Draw() override;
};

class clsAnimatedSprite : public clsSpriteObject {
public:
    explicit clsAnimatedSprite(iGameScene* owner);

    // After the sprite update, tells the owner once when an awaited animation has stopped.
    void Update(float dt) override;

    // Plays the named action of the animation ("DoAnim" is the usual one) and awaits its end.
    void Play(const TString& action);
    void SetRotation(float degrees);
    void SetSpriteFlags(bool flipH, bool flipV);

    const TString& GetLastAction() const { return lastAction_; }
    bool IsAwaitingEnd() const { return awaitingEnd_; }
    TAnimatedSprite& GetAnimation() const { return *animation_; }

private:
    std::shared_ptr<TAnimatedSprite> animation_;
    bool awaitingEnd_ = false;
    TString lastAction_;
};
