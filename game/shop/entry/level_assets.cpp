#include "game/shop/entry/level_assets.h"

#include "game/data/game_tables.h"
#include "game/shop/background/shop_background.h"
#include "game/shop/customers/roster.h"
#include "game/shop/screen/shop_game.h"
#include "game/shop/session/game_session.h"

namespace {

// Only the level's own customers and shop are loaded: all of them would not fit a small video card.
// What an earlier level loaded is found again at once.
void LoadLevelAssets() {
    clsGameSession* session = clsGameSession::Instance();
    const LevelRecord* record = session->GetCurrentLevelRecord();
    if (!record) return;
    PreloadLevelCustomers(*session, *record);
    clsShopGame::PreloadScreenAssets(*session);
    int level = GetLevelFlow().currentLevel;
    session->AddPreloadAnim(clsShopBackground::BackgroundName(level));
    for (const clsShopBackground::Decoration* decoration : clsShopBackground::DecorationsForLevel(level))
        session->AddPreloadAnim(TString("backgrounds/objects/") + decoration->name);
    while (session->LoadPendingAssets()) {
    }
}

}  // namespace

TWindow* CreateBackgroundWithLevelAssets() {
    LoadLevelAssets();
    return clsShopBackground::Create();
}
