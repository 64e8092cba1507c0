#include "game/shop/customers/customer_kinds.h"

namespace {

const CustomerLook kMageLook = {
    .kindId = "Alchemist",
    .imagePrefix = "anim/mage/mage_",
    .secondStandImage = "stand02",
    .angryImage = "angry",
    .appearSound = "audio/sfx/customer01/characters-appear",
    .leaveSound = "audio/sfx/customer01/characters-disappear",
    .walkSpeed = 0.0f,
    .shadowOffset = {0.0f, 50.0f},
    .shadowScale = 1.0f,
    .preloadImages = {"appear", "disappear", "disappear_angry", "take_item", "angry", "stand", "stand02", nullptr},
    .preloadSounds = {"audio/sfx/customer01/characters-appear", "audio/sfx/customer01/characters-disappear", nullptr},
};

}  // namespace

clsMage::clsMage(clsGameInterface* owner, clsObjectRequired* request, bool variant)
    : clsClient(owner, kMageLook, request, variant) {}

void PreloadMageAnims(iGameAssets& assets) {
    PreloadCustomerLook(assets, kMageLook);
}
