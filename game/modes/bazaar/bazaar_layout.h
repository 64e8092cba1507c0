// Where the bazaar puts its add-ons and their price tags on the 800 x 600 screen; the shop's own
// objects stand where the shop has them (game/shop/screen/shop_layout.h).
#pragma once

#include "engine/core/base/maths.h"

inline constexpr int kBazaarDrawerSpots = 3;
inline const TVec2 kCauldronAddonPlaces[3] = {{459.6f, 489.6f}, {567.8f, 489.6f}, {678.6f, 489.6f}};
inline const TVec2 kCauldronTagPlaces[3] = {{461.5f, 543.9f}, {573.4f, 543.9f}, {685.5f, 544.0f}};
inline const TVec2 kShoesAddonOffset{0.0f, 53.0f};  // from the heroine
inline const TVec2 kShoesTagOffset{60.0f, 0.0f};    // from the shoes add-on
inline const TVec2 kHarpAddonOffset{3.0f, 0.0f};    // from the harp
inline const TVec2 kHarpTagPlace{506.9f, 360.9f};
inline const TVec2 kPhoenixTagPlace{274.1f, 143.8f};
inline const TVec2 kDrawerTagPlaces[kBazaarDrawerSpots] = {{285.4f, 96.2f}, {285.4f, 142.2f}, {285.4f, 191.0f}};
// The add-on picture on the description panel, from the panel's corner.
inline const TVec2 kIconOffset{172.0f, 168.0f};
