// clsActor: a character of a scene. It owns a body (an animated sprite, from construction until
// Release) and an optional ground shadow drawn under it; subclasses say which animation plays.
#pragma once

#include <memory>

#include "engine/core/base/maths.h"
#include "game/shop/objects/scene_sprite.h"

class iGameAssets;
class iGameScene;

class clsActor {
public:
    explicit clsActor(iGameScene* owner);
    // The body first, then the shadow.
    virtual ~clsActor();
    clsActor(const clsActor&) = delete;
    clsActor& operator=(const clsActor&) = delete;

    virtual void SetPositionV(const TVec2& position);
    virtual void SetPosition(float x, float y);
    virtual TVec2 GetPosition() const;
    // Starts a straight walk of the body at the actor's speed; false when it stands there already.
    virtual bool WalkTo(TVec2 point);
    // Chooses and plays the animation that fits the actor's state.
    virtual void RefreshAnimation() = 0;
    virtual void Hook6() {}
    virtual void PlayAction() { RefreshAnimation(); }
    // The scene calls this when the body's awaited animation has ended.
    virtual void OnMoveEnded() { RefreshAnimation(); }
    // Body, then shadow (dt in seconds).
    virtual void Update(float dt);
    // Shadow, then body: the shadow lies under the body.
    virtual void Draw();

    // Shows the named animation of the owner scene's assets on the body, plays the action and takes
    // the state that stands for it.
    void ShowAnimation(const TString& textureName, const TString& action, int state);
    // Plays an effect sound of the owner scene's assets once.
    void PlaySound(const TString& name);
    // Puts a shadow under the body at (dx, dy) from it, scaled (made on the first call).
    void AddShadow(float dx, float dy, float scale);
    static void PreloadShadow(iGameAssets& assets);
    // Hands the body to the scene's release queue (unless it is already there) and deletes the actor.
    void Release();

    clsAnimatedSprite* GetBody() const { return body_.get(); }
    clsSprite* GetShadow() const { return shadow_.get(); }
    iGameScene* GetOwner() const { return owner_; }
    int GetState() const { return state_; }
    void SetState(int state) { state_ = state; }
    float GetSpeed() const { return speed_; }
    void SetSpeed(float speed) { speed_ = speed; }

private:
    int state_ = 0;
    iGameScene* owner_;
    float speed_ = 0.0f;
    std::unique_ptr<clsSprite> shadow_;
    std::unique_ptr<clsAnimatedSprite> body_;
};
