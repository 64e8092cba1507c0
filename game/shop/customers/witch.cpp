#include "game/shop/customers/customer_kinds.h"

namespace {

const CustomerLook kWitchLook = {
    .kindId = "Witch",
    .imagePrefix = "anim/witch/witch_",
    .secondStandImage = "stand02",
    .angryImage = "angry",
    .appearSound = "audio/sfx/customer04/clients_witch",
    .leaveSound = "audio/sfx/customer04/clients_witch2",
    .walkSpeed = 500.0f,
    .shadowOffset = {0.0f, 50.0f},
    .shadowScale = 1.0f,
    .preloadImages = {"appear", "disappear", "disappear_angry", "take_item", "angry", "stand", "stand02", nullptr},
    .preloadSounds = {"audio/sfx/customer04/clients_witch", "audio/sfx/customer04/clients_witch2", nullptr},
};

// The leave animation's frame at which she takes off, paid or angry, and where to.
constexpr int kJumpFrame = 13;
const TVec2 kJump{-300.0f, 100.0f};

}  // namespace

clsWitch::clsWitch(clsGameInterface* owner, clsObjectRequired* request, bool variant)
    : clsClient(owner, kWitchLook, request, variant) {}

void clsWitch::PlayAppear() {
    WalkIn();
}

void clsWitch::PlayAction() {
    OnWalkEnded();
}

void clsWitch::Update(float dt) {
    clsClient::Update(dt);
    JumpAwayAtFrame(kJumpFrame, kJumpFrame, kJump);
}

void PreloadWitchAnims(iGameAssets& assets) {
    PreloadCustomerLook(assets, kWitchLook);
}
