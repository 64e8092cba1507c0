#include "game/shop/customers/customer_kinds.h"

namespace {

const CustomerLook kVampireLook = {
    .kindId = "Vampire",
    .imagePrefix = "anim/vampire/vampire_",
    .secondStandImage = "stand02",
    .angryImage = "angry",
    .appearSound = "audio/sfx/customer05/client_bat",
    .leaveSound = "audio/sfx/customer05/client_bat2",
    .walkSpeed = 0.0f,
    .shadowOffset = {0.0f, 50.0f},
    .shadowScale = 1.0f,
    .preloadImages = {"appear", "disappear", "disappear_angry", "take_item", "angry", "stand", "stand02", nullptr},
    .preloadSounds = {"audio/sfx/customer05/client_bat", "audio/sfx/customer05/client_bat2", nullptr},
};

}  // namespace

clsVampire::clsVampire(clsGameInterface* owner, clsObjectRequired* request, bool variant)
    : clsClient(owner, kVampireLook, request, variant) {}

void PreloadVampireAnims(iGameAssets& assets) {
    PreloadCustomerLook(assets, kVampireLook);
}
