-- The bazaar tutorial: the game's own scripts, and a new player's first visit to the bazaar, which
-- starts with the tutorial and goes on to the bazaar; a second visit goes straight to the bazaar.
-- The tutorial's end and the bazaar's Done print the probe.
ReadFile("scripts/game_mainloop.lua")

-- The shop's backdrop as a plain picture: the shop level's pictures and the bazaar's together are
-- more than the headless video card holds.
function BackgroundWindow(t)
  return Bitmap{ name = t.name, image = "backgrounds/shop_1/bg_shop_01", x = 0, y = 0 }
end

local gameEndTutorialShop = onEndTutorialShop
function onEndTutorialShop()
  print("onEndTutorialShop()", GetGameProbe())
  gameEndTutorialShop()
end

function setCurrentLevel() print("done", GetGameProbe()) end

return function()
  CreateNewUser("Tessa")
  ChangeUserData()
  OpenBazaar()
  print("seen", GetCurrentUserInt("tutorialShopSeen", 0))
  OpenBazaar()
end
