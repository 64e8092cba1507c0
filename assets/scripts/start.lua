-- The first screen, until the start screen and the menus come: the shop (its sign names the game),
-- a word about what is coming, and a way out.
local quit = function() PostMessage(CreateNamedMessage(kQuitNow, "quit")) end

MakeDialog{
  Bitmap{ name = "backdrop", image = "backgrounds/shop_1/bg_shop_01", x = 0, y = 0 },
  Text{ name = "soon", label = "lblShopSoon", font = kTextFont, flags = kHAlignCenter, x = 0, y = 400, w = 800, h = 40 },
  LabelButton{ name = "quit", label = "lblQuit", command = quit, x = 340, y = 450, w = 120, h = 44 },
}
