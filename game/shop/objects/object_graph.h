// clsObjectGraph: a scene object with a place. It moves in straight lines at a speed and tells its
// scene once on arrival, follows a parent at an offset, and can bob up and down.
#pragma once

#include <memory>

#include "engine/core/base/maths.h"
#include "game/shop/motion/move_event.h"
#include "game/shop/motion/time_driver.h"
#include "game/shop/objects/basic_object.h"

class clsActor;

class clsObjectGraph : public clsBasicObject, public iMoveEvent {
public:
    explicit clsObjectGraph(iGameScene* owner);

    // Follows the parent, moves by the velocity, arrives, bobs (dt in seconds).
    void Update(float dt) override;
    void Draw() override {}

    virtual void SetPositionV(const TVec2& position);
    virtual void SetPosition(float x, float y);
    // Moves towards the object's position plus (dx, dy); false for a null or released object.
    virtual bool MoveToObject(clsObjectGraph* object, float speed, float dx, float dy);
    // Starts a straight move at speed (units per second); false when the point is the position.
    virtual bool MoveTowards(const TVec2& point, float speed);

    // Drifts at velocity (units per second) with no target to arrive at.
    void SetVelocity(const TVec2& velocity) { velocity_ = velocity; }

    // Scales accumulate: each pending scale is multiplied into the drawn transform.
    void SetScale(float scale) { SetScaleXY(scale, scale); }
    void SetScaleXY(float sx, float sy);
    // Bounds relative to the position.
    void SetBounds(const TRect& bounds);
    void UpdateWorldRect();

    // Follows parent at the offset from now on; false for a null parent, the object itself or a
    // parent of another scene.
    bool AttachTo(clsObjectGraph* parent, float dx, float dy);
    bool AttachToPoint(clsObjectGraph* parent, const TVec2& offset) { return AttachTo(parent, offset.x, offset.y); }
    void Detach() { parent_ = nullptr; }

    // Swings the object up and down by height × factor, each half swing durationMs long.
    void StartBobbing(int durationMs, float factor);
    void StopBobbing();

    void OnMoveStep(clsTimeDriver* driver, float value, int elapsedMs) override;
    void OnMoveEnd(clsTimeDriver* driver) override;

    const TVec2& GetPosition() const { return position_; }
    const TVec2& GetVelocity() const { return velocity_; }
    bool IsMoving() const { return moveLength_ > 0.0f; }
    clsObjectGraph* GetMoveTarget() const { return moveTarget_; }
    const TVec2& GetScale() const { return scale_; }
    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    const TVec2& GetCentreOffset() const { return centreOffset_; }
    const TRect& GetWorldRect() const { return worldRect_; }
    const TRect& GetBounds() const { return bounds_; }
    bool IsVisible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    clsObjectGraph* GetParent() const { return parent_; }
    // The actor that owns this object as its body, if any.
    clsActor* GetUserPointer() const { return user_; }
    void SetUserPointer(clsActor* user) { user_ = user; }
    // The scene object (an item, a shelf place) that shows itself through this one, if any: a
    // scene maps a hit sprite to its object through it.
    clsBasicObject* GetHolder() const { return holder_; }
    void SetHolder(clsBasicObject* holder) { holder_ = holder; }

protected:
    // The size of the object's picture: width, height, centre offset and bounds around the centre.
    void SetSize(int width, int height);
    // The pending flags, taken (read and cleared) by the drawable subclasses.
    bool TakePositionPending();
    bool TakeScalePending();

private:
    void Arrive();

    TVec2 position_{0.0f, -900.0f};
    bool positionPending_ = true;
    bool scalePending_ = false;

    float moveLength_ = 0.0f;
    TVec2 moveStart_;
    TVec2 movePoint_;
    TVec2 velocity_;
    clsObjectGraph* moveTarget_ = nullptr;

    int width_ = 0;
    int height_ = 0;
    TVec2 centreOffset_;
    TVec2 scale_{1.0f, 1.0f};
    bool visible_ = true;
    TRect worldRect_;
    TRect bounds_;

    clsObjectGraph* parent_ = nullptr;
    TVec2 parentOffset_;
    clsActor* user_ = nullptr;
    clsBasicObject* holder_ = nullptr;

    std::unique_ptr<clsTimeDriver> bobbing_;
    int bobbingDurationMs_ = 0;
    float bobbingBaseY_ = 0.0f;  // the line an unattached object bobs around
};
