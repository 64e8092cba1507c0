// The screens' preload lists in the order the loading screen asks for them: the shop, the collapse
// game, the bazaar, the shop backgrounds, the tutorial panel, the first-level tutorial, the other
// tutorials. A screen still to come adds its list at its place when it is built.
#include "game/screens/loading/loading_screen.h"
#include "game/shop/background/shop_background.h"
#include "game/shop/screen/shop_game.h"
#include "game/shop/session/game_session.h"

void FillPreloadLists(clsGameSession& session) {
    clsShopGame::PreloadAssets(session);
    PreloadShopBackgroundAnims(session);
}
