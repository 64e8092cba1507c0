// Where the shop's pieces stand on the 800 x 600 screen and which pictures and music a level uses.
#pragma once

#include "engine/core/base/maths.h"

struct CustomerPlaceLayout {
    TVec2 customerSpot;
    TVec2 serviceSpot;  // where the heroine stands to serve
};
// Counter places, from the front of the counter to its back.
inline const CustomerPlaceLayout kCustomerPlaces[4] = {
    {{233.0f, 520.0f}, {325.0f, 494.0f}},
    {{154.0f, 469.0f}, {240.0f, 446.0f}},
    {{105.0f, 390.0f}, {185.0f, 373.0f}},
    {{80.0f, 304.0f}, {158.0f, 300.0f}},
};

inline const TVec2 kHeroineStart{300.0f, 300.0f};

// Ingredient boxes by ingredient id: ids 0..4 in the right column, 5..9 in the left, bottom up.
inline constexpr int kMagicBoxCount = 10;
inline constexpr float kMagicBoxColumns[2] = {578.0f, 485.0f};
inline constexpr float kMagicBoxRows[5] = {200.0f, 162.0f, 123.0f, 85.0f, 46.0f};
// The clickable rectangle of a box around its position.
inline const TRect kMagicBoxBounds{-35, -16, 38, 16};
inline constexpr int kMagicBoxParameter = 100;

inline const TVec2 kCauldronPlaces[3] = {{462.0f, 496.0f}, {572.0f, 496.0f}, {682.0f, 496.0f}};
inline const TVec2 kMagicBookPosition{591.0f, 5.0f};
inline const TVec2 kBucketPosition{637.3f, 277.5f};
inline const TVec2 kHarpPosition{367.0f, 458.0f};
inline const TVec2 kPlantPosition{740.9f, 420.6f};
inline const TVec2 kRadaduvozPosition{700.0f, 300.0f};
inline const TVec2 kPhoenixPosition{133.5f, 230.1f};
inline const TVec2 kPerchPosition{142.0f, 247.6f};
inline constexpr char kPerchTexture[] = "anim/palo_fenix";

// The shelf's box, its artifact slot grid (origin, rows, columns, slot size, gaps) and its potion spots.
inline const TRect kShelfBox{180, 13, 318, 203};
struct ShelfSlotGrid {
    int offsetX, offsetY, rows, columns, cellWidth, cellHeight, gapY, gapX;
};
inline constexpr ShelfSlotGrid kShelfSlots{94, 33, 3, 3, 47, 31, 18, 16};

// The counter table of each shop (three levels a shop); shops 5 to 8 share the last position.
inline constexpr int kTablePositionCount = 5;
inline const TVec2 kTablePositions[kTablePositionCount] = {
    {210.9f, 408.9f}, {227.9f, 408.9f}, {227.9f, 397.4f}, {229.4f, 401.4f}, {227.9f, 397.4f},
};
inline constexpr int kLevelsPerShop = 3;

// Beside the score panel, below its goal.
inline const TVec2 kCharmPosition{122.0f, 124.0f};
inline const TVec2 kSignPosition{46.0f, 155.0f};
// The word on the sign: centred on its position in a box of this size.
inline const TVec2 kSignTextPosition{46.0f, 200.0f};
inline constexpr int kSignTextWidth = 142, kSignTextHeight = 74;
inline constexpr int kSignTextFlags = 5;  // centred both ways
inline constexpr int kSignTextSize = 22;
inline const TVec2 kGoalMessagePosition{400.0f, 300.0f};

// The floor grid the heroine walks on: 3 rows of 6 cells of 108 x 108 from (106, 177), each cell
// with the point in it where she stands.
inline constexpr int kGridRows = 3;
inline constexpr int kGridColumns = 6;
inline constexpr int kGridCellSize = 108;
inline constexpr TPoint kGridOrigin{106, 177};
inline const TVec2 kGridAnchors[kGridRows][kGridColumns] = {
    {{105, 30}, {70, 30}, {50, 30}, {15, 30}, {0, 30}, {-30, 50}},
    {{120, 30}, {50, 30}, {50, 30}, {50, 30}, {50, 30}, {30, 30}},
    {{135, -20}, {70, 20}, {40, 20}, {30, 20}, {30, 20}, {30, 20}},
};

// Where items stand from a holder's anchor, three rows of three.
inline constexpr int kItemOffsetCount = 9;
inline const TVec2 kItemOffsets[kItemOffsetCount] = {
    {-36, -100}, {24, -100}, {92, -100}, {-36, -52}, {36, -52}, {92, -52}, {-36, 0}, {36, 0}, {92, 0},
};

// The music of a level: the second tune for the second shop.
inline const char* MusicForLevel(int levelIndex) {
    return levelIndex >= 3 && levelIndex <= 5 ? "audio/music/magicshopmusic2.ogg" : "audio/music/magicshopmusic.ogg";
}
