// clsObjectRequired: an item a customer can ask for and pay for (a potion, the fruit, an artifact).
// It shows itself through one animated sprite, which leads back to it.
#pragma once

#include <memory>

#include "game/shop/objects/scene_sprite.h"

class clsObjectRequired : public clsBasicObject {
public:
    explicit clsObjectRequired(iGameScene* owner);
    ~clsObjectRequired() override;

    // Hands the item and then its sprite to the scene's deletion.
    void Destroy() override;
    void Update(float dt) override;
    void Draw() override;

    // The money a customer pays for the item (its tip aside).
    int GetValue() const { return value_; }
    // Null once the sprite was handed away.
    clsAnimatedSprite* GetSprite() const { return sprite_.get(); }
    // Gives up the sprite, which no longer leads here (a cauldron hands a finished potion's sprite
    // to the scene and deletes the potion).
    clsAnimatedSprite* DetachSprite();

protected:
    void SetValue(int value) { value_ = value; }

private:
    int value_ = 0;
    std::unique_ptr<clsAnimatedSprite> sprite_;
};
