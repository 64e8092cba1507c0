#include "game/shop/customers/customer_kinds.h"

namespace {

const CustomerLook kDruidLook = {
    .kindId = "Druid",
    .imagePrefix = "anim/druid/druid_",
    .secondStandImage = "stand02",
    .angryImage = "angry",
    .appearSound = "audio/sfx/customer03/druid_appear",
    .leaveSound = "audio/sfx/customer03/druid_go",
    .walkSpeed = 0.0f,
    .shadowOffset = {0.0f, 55.0f},
    .shadowScale = 1.0f,
    .preloadImages = {"appear", "disappear", "disappear_angry", "take_item", "angry", "stand", "stand02", nullptr},
    .preloadSounds = {"audio/sfx/customer03/druid_appear", "audio/sfx/customer03/druid_go", nullptr},
};

}  // namespace

clsDruid::clsDruid(clsGameInterface* owner, clsObjectRequired* request, bool variant)
    : clsClient(owner, kDruidLook, request, variant) {}

void PreloadDruidAnims(iGameAssets& assets) {
    PreloadCustomerLook(assets, kDruidLook);
}
