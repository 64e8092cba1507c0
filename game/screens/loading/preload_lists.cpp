// The screens' preload lists in the order the loading screen asks for them: the shop, the collapse
// game, the bazaar, the shop background, the tutorial panel, the tutorials (their pointers; the rest
// of what they show is the shop's). A screen still to come adds its list at its place when it is
// built. Of the eight shops' backgrounds only the level's own is loaded: all eight (full-screen
// pictures, with the rest) do not fit the 256 MB of video memory of a small card, and a texture that
// does not fit breaks the display.
#include "game/modes/tutorials/gui_wizard.h"
#include "game/modes/tutorials/tutorial.h"
#include "game/screens/loading/loading_screen.h"
#include "game/shop/background/shop_background.h"
#include "game/shop/screen/shop_game.h"
#include "game/shop/session/game_session.h"

void FillPreloadLists(iGameAssets& assets) {
    clsShopGame::PreloadAssets(assets);
    PreloadLevelShopBackground(assets, GetLevelFlow().currentLevel);
    clsGuiWizard::PreloadAssets(assets);
    clsTutorial::PreloadPointers(assets);
}
