-- The first screen, until the start screen and the menus come: the shop (its sign names the game),
-- a way into the player's newest level (over this screen, which comes back after it), and a way out.
local quit = function() PostMessage(CreateNamedMessage(kQuitNow, "quit")) end
local play = function()
  ContinueSavedLevel(GetNumberOfSavedLevels() - 1)
  setCurrentLevel()
end

MakeDialog{
  Bitmap{ name = "backdrop", image = "backgrounds/shop_1/bg_shop_01", x = 0, y = 0 },
  LabelButton{ name = "play", label = "lblOpenShop", command = play, x = 310, y = 380, w = 180, h = 60 },
  LabelButton{ name = "quit", label = "lblQuit", command = quit, x = 340, y = 450, w = 120, h = 44 },
}
