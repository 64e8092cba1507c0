#include "game/shop/objects/object_graph.h"

#include "game/shop/objects/game_scene.h"

clsObjectGraph::clsObjectGraph(iGameScene* owner) : clsBasicObject(owner) {}

void clsObjectGraph::Update(float dt) {
    if (parent_) {
        TVec2 attached = parent_->position_ + parentOffset_;
        if (attached != position_) SetPositionV(attached);
    }
    if (velocity_ != TVec2()) SetPosition(position_.x + velocity_.x * dt, position_.y + velocity_.y * dt);
    if (moveLength_ > 0.0f && (position_ - moveStart_).Length() >= moveLength_) Arrive();
    if (bobbing_) bobbing_->Update(static_cast<int>(dt * 1000.0f));
}

// The last step may overshoot: the object ends exactly on the target.
void clsObjectGraph::Arrive() {
    moveLength_ = 0.0f;
    velocity_ = TVec2();
    SetPositionV(movePoint_);
    if (GetOwner()) GetOwner()->Hook32(this);
}

void clsObjectGraph::SetPositionV(const TVec2& position) {
    position_ = position;
    positionPending_ = true;
}

void clsObjectGraph::SetPosition(float x, float y) {
    position_ = TVec2(x, y);
    positionPending_ = true;
}

bool clsObjectGraph::MoveToObject(clsObjectGraph* object, float speed, float dx, float dy) {
    if (!object || object->IsReleased()) return false;
    moveTarget_ = object;
    return MoveTowards(object->position_ + TVec2(dx, dy), speed);
}

bool clsObjectGraph::MoveTowards(const TVec2& point, float speed) {
    if (point == position_) return false;
    TVec2 direction = point - position_;
    moveStart_ = position_;
    movePoint_ = point;
    moveLength_ = direction.Length();
    direction.Normalize();
    velocity_ = direction * speed;
    return true;
}

void clsObjectGraph::SetScaleXY(float sx, float sy) {
    scale_ = TVec2(sx, sy);
    scalePending_ = true;
}

void clsObjectGraph::SetBounds(const TRect& bounds) {
    bounds_ = bounds;
    UpdateWorldRect();
}

void clsObjectGraph::UpdateWorldRect() {
    worldRect_ = TRect(static_cast<int32_t>(bounds_.left + position_.x), static_cast<int32_t>(bounds_.top + position_.y),
                       static_cast<int32_t>(bounds_.right + position_.x),
                       static_cast<int32_t>(bounds_.bottom + position_.y));
}

bool clsObjectGraph::AttachTo(clsObjectGraph* parent, float dx, float dy) {
    if (!parent || parent == this || parent->GetOwner() != GetOwner()) return false;
    parent_ = parent;
    parentOffset_ = TVec2(dx, dy);
    SetPositionV(parent->position_ + parentOffset_);
    return true;
}

void clsObjectGraph::StartBobbing(int durationMs, float factor) {
    if (!bobbing_) bobbing_ = std::make_unique<clsTimeDriver>(this);
    float swing = static_cast<float>(height_) * factor;
    bobbingDurationMs_ = durationMs;
    bobbingBaseY_ = position_.y;
    bobbing_->Set(-swing, swing, durationMs);
    bobbing_->Start();
    bobbing_->Hook(clsTimeDriver::kStep | clsTimeDriver::kEnd);
}

void clsObjectGraph::StopBobbing() {
    if (bobbing_) bobbing_->Unhook(clsTimeDriver::kStep | clsTimeDriver::kEnd);
}

// An attached object has just been put back on its attach point, so the swing adds to it; an
// unattached one swings around the line it stood on when the bobbing started.
void clsObjectGraph::OnMoveStep(clsTimeDriver*, float value, int) {
    SetPosition(position_.x, (parent_ ? position_.y : bobbingBaseY_) + value);
}

// Each half swing ends by starting the other.
void clsObjectGraph::OnMoveEnd(clsTimeDriver* driver) {
    driver->Set(-driver->GetStart(), -driver->GetEnd(), bobbingDurationMs_);
    driver->Start();
}

void clsObjectGraph::SetSize(int width, int height) {
    width_ = width;
    height_ = height;
    centreOffset_ = TVec2(width * 0.5f, height * 0.5f);
    int cx = static_cast<int>(centreOffset_.x), cy = static_cast<int>(centreOffset_.y);
    SetBounds(TRect(-cx, -cy, cx, cy));
}

bool clsObjectGraph::TakePositionPending() {
    bool pending = positionPending_;
    positionPending_ = false;
    return pending;
}

bool clsObjectGraph::TakeScalePending() {
    bool pending = scalePending_;
    scalePending_ = false;
    return pending;
}
