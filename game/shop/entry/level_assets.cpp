#include "game/shop/entry/level_assets.h"

#include "game/modes/bazaar/bazaar.h"
#include "game/modes/bazaar/bazaar_tutorial.h"
#include "game/shop/background/shop_background.h"
#include "game/shop/screen/shop_game.h"
#include "game/shop/session/game_session.h"

namespace {

// Only the level's own shop is loaded: all eight would not fit a small video card.
// A picture every shop level shows: when it is there, the level's assets are. The shop's background
// and decorations are the current level's: the bazaar after a day already stands in the next
// day's shop (pictures loaded before come from the asset cache).
constexpr char kLevelMarker[] = "gui/open_closed_appears";

void LoadLevelAssets() {
    clsGameSession* session = clsGameSession::Instance();
    if (!session->GetTexture(kLevelMarker)) clsShopGame::PreloadAssets(*session);
    PreloadLevelShopBackground(*session, GetLevelFlow().currentLevel);
    while (session->LoadPendingAssets()) {
    }
}

// The bazaar's own pictures and sounds, beside the level's (the bazaar follows a shop day).
constexpr char kBazaarMarker[] = "anim/bazaar/shop_price";

void LoadBazaarAssetsIfMissing() {
    clsGameSession* session = clsGameSession::Instance();
    if (session->GetTexture(kBazaarMarker)) return;
    clsBazaar::PreloadAssets(*session);
    while (session->LoadPendingAssets()) {
    }
}

}  // namespace

TWindow* CreateBazaarWithAssets() {
    LoadBazaarAssetsIfMissing();
    return clsBazaar::Create();
}

TWindow* CreateTutorialBazaarWithAssets() {
    LoadBazaarAssetsIfMissing();
    return clsTutorialBazaar::Create();
}

TWindow* CreateBackgroundWithLevelAssets() {
    LoadLevelAssets();
    return clsShopBackground::Create();
}
