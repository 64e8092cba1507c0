// What a shop level loads before its screen is made. The loading screen loads the list from its end,
// so the names below load in the reverse of this order.
#include "game/shop/assistants/phoenix.h"
#include "game/shop/assistants/radaduvoz.h"
#include "game/shop/cauldron/cauldron.h"
#include "game/shop/customers/customer_kinds.h"
#include "game/shop/heroine/player.h"
#include "game/shop/hud/score_panel.h"
#include "game/shop/items/artifact.h"
#include "game/shop/items/ingredient_graph.h"
#include "game/shop/items/potion_graph.h"
#include "game/shop/items/shelf.h"
#include "game/shop/props/bucket.h"
#include "game/shop/props/harp.h"
#include "game/shop/props/magic_book_paper.h"
#include "game/shop/props/plant.h"
#include "game/shop/screen/shop_game.h"

namespace {

constexpr const char* kScreenAnims[] = {
    "anim/palo_fenix",      "anim/anim_check",      "effects/stars_stand",  "items/item_money",
    "effects/money_stand",  "items/charms/charm1",  "items/charms/charm4",  "items/charms/charm5",
};
constexpr const char* kActionSounds[] = {
    "audio/sfx/mainchar-pick",  "audio/sfx/mainchar-pickpot", "audio/sfx/mainchar-pickmoney",
    "audio/sfx/mainchar-drop",  "audio/sfx/fire_ignite",      "audio/sfx/boots_upgrade",
    "audio/sfx/pot_upgrade",    "audio/sfx/staff_upgrade",    "audio/sfx/clients_complain",
    "audio/sfx/messages-refuse",
};
constexpr const char* kMessageAnims[] = {
    "effects/fx_fire",           "effects/fx_ingredient",   "anim/goal_reached",
    "anim/expert_goal_reached",  "gui/open_closed_appears", "gui/open_closed_changes",
};

}  // namespace

void clsShopGame::PreloadAssets(iGameAssets& assets) {
    PreloadMageAnims(assets);
    PreloadShadowAnims(assets);
    Preload2HeadAnims(assets);
    PreloadDruidAnims(assets);
    PreloadWitchAnims(assets);
    PreloadVampireAnims(assets);
    PreloadMedusaAnims(assets);
    PreloadPlayerAnims(assets);
    PreloadGuiScoreGoalTimeAnims(assets);
    PreloadCauldronAnims(assets);
    PreloadBucketAnims(assets);
    PreloadFenixAnims(assets);
    PreloadRadaduvozAnims(assets);
    PreloadPotionAnims(assets);
    PreloadIngredientAnims(assets);
    PreloadArtifactAnims(assets);
    PreloadShelfAnims(assets);
    PreloadMagicBookAnims(assets);
    PreloadNumberAnims(assets);
    for (const char* name : kScreenAnims) assets.AddPreloadAnim(name);
    for (const char* name : kActionSounds) assets.AddPreloadSound(name);
    PreloadHarpAnims(assets);
    PreloadPlantAnims(assets);
    for (const char* name : kMessageAnims) assets.AddPreloadAnim(name);
}
