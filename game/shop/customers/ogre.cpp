#include "game/shop/customers/customer_kinds.h"

namespace {

const CustomerLook kOgreLook = {
    .kindId = "Ogre",
    .imagePrefix = "anim/2head/2head_",
    .secondStandImage = "stand2",
    .angryImage = "angry",
    .appearSound = "audio/sfx/client_jump",
    .leaveSound = "audio/sfx/client_jump2",
    .walkSpeed = 500.0f,
    .shadowOffset = {0.0f, 55.0f},
    .shadowScale = 1.0f,
    .preloadImages = {"appear", "disappear", "disappear_angry", "take_item", "angry", "stand", "stand2", nullptr},
    .preloadSounds = {"audio/sfx/client_jump", "audio/sfx/client_jump2", nullptr},
};

// The leave animation's frame at which he leaps, paid or angry, and where to.
constexpr int kPaidJumpFrame = 17;
constexpr int kAngryJumpFrame = 20;
const TVec2 kJump{-300.0f, -100.0f};

}  // namespace

cls2Head::cls2Head(clsGameInterface* owner, clsObjectRequired* request, bool variant)
    : clsClient(owner, kOgreLook, request, variant) {}

void cls2Head::PlayAppear() {
    WalkIn();
}

void cls2Head::PlayAction() {
    OnWalkEnded();
}

void cls2Head::Update(float dt) {
    clsClient::Update(dt);
    JumpAwayAtFrame(kPaidJumpFrame, kAngryJumpFrame, kJump);
}

void Preload2HeadAnims(iGameAssets& assets) {
    PreloadCustomerLook(assets, kOgreLook);
}
