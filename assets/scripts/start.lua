-- The first screen, until the start screen and the menus come: the shop's picture, a word about
-- what is coming, and a way out.
local title = { TextFont, 48, FColor(1, 0.945, 0.357, 1) }
local text = { TextFont, 24, FColor(1, 1, 1, 1) }
local quit = function() PostMessage(CreateNamedMessage(kQuitNow, "quit")) end

MakeDialog{
  Bitmap{ name = "backdrop", image = "backgrounds/shop_1/bg_shop_01", x = 0, y = 0 },
  Text{ name = "title", label = "windowtitle", font = title, flags = kHAlignCenter, x = 0, y = 180, w = 800, h = 64 },
  Text{ name = "soon", label = "lblShopSoon", font = text, flags = kHAlignCenter, x = 0, y = 260, w = 800, h = 40 },
  Button{ name = "quit", command = quit, x = 350, y = 330, w = 100, h = 40,
    Text{ name = "label", label = "lblQuit", font = text, flags = kPushButtonAlignment, x = 0, y = 0, w = 100, h = 40 } },
}
