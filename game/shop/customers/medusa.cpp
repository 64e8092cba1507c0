#include "game/shop/customers/customer_kinds.h"

namespace {

const CustomerLook kMedusaLook = {
    .kindId = "Medusa",
    .imagePrefix = "anim/medusa/medusa_",
    .secondStandImage = "stand02",
    .angryImage = "standangry",
    .appearSound = "audio/sfx/customers_medusa",
    .leaveSound = "audio/sfx/customers_medusa",
    .walkSpeed = 55.0f,
    .shadowOffset = {8.0f, 60.0f},
    .shadowScale = 0.6f,
    .preloadImages = {"appear", "disappear", "disappear_angry", "take_item", "angry", "stand", "stand02", "standangry",
                      nullptr},
    .preloadSounds = {"audio/sfx/customers_medusa", nullptr},
};

// She glides this far, in from the left and out to the left.
constexpr float kGlideDistance = 200.0f;

}  // namespace

clsMedusa::clsMedusa(clsGameInterface* owner, clsObjectRequired* request, bool variant)
    : clsClient(owner, kMedusaLook, request, variant) {}

// The appear animation and the glide run together: whichever ends first is the arrival.
void clsMedusa::PlayAppear() {
    clsClient::PlayAppear();
    TVec2 place = GetPosition();
    SetPosition(place.x - kGlideDistance, place.y);
    WalkTo(place);
}

void clsMedusa::PlayAction() {
    if (GetState() == kAppearing || GetState() == kLeaving) OnMoveEnded();
}

// Silent when she leaves angry; the leave animation and the glide away race as on arrival.
void clsMedusa::Hook6() {
    if (GetMoneyTotal() > 0) PlaySound(GetLook().leaveSound);
    ShowLeaving();
    WalkTo(GetPosition() - TVec2(kGlideDistance, 0.0f));
}

void PreloadMedusaAnims(iGameAssets& assets) {
    PreloadCustomerLook(assets, kMedusaLook);
}
