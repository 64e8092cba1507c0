#include "game/shop/customers/customer_kinds.h"

namespace {

const CustomerLook kShadowLook = {
    .kindId = "Shadow",
    .imagePrefix = "anim/shadow/shadow_",
    .secondStandImage = "stand02",
    .angryImage = "angry",
    .appearSound = "audio/sfx/customer06/customer_shadow_in",
    .leaveSound = "audio/sfx/customer06/customer_shadow_in",
    .walkSpeed = 80.0f,
    .shadowOffset = {0.0f, 55.0f},
    .shadowScale = 1.0f,
    .preloadImages = {"appear", "stand", "stand02", "angry", "disappear", "disappear_angry", "take_item", nullptr},
    .preloadSounds = {"audio/sfx/customer06/customer_shadow_in", nullptr},
};

constexpr float kWalkAwayDistance = 300.0f;

}  // namespace

clsShadow::clsShadow(clsGameInterface* owner, clsObjectRequired* request, bool variant)
    : clsClient(owner, kShadowLook, request, variant) {}

// The walk away ends the leaving, unless the leave animation has ended it first.
void clsShadow::PlayAction() {
    if (GetState() == kLeaving) OnMoveEnded();
}

void clsShadow::Hook6() {
    clsClient::Hook6();
    WalkTo(GetPosition() - TVec2(kWalkAwayDistance, 0.0f));
}

void PreloadShadowAnims(iGameAssets& assets) {
    PreloadCustomerLook(assets, kShadowLook);
}
