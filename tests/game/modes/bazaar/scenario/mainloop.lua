-- The bazaar scenario: the game's own scripts, then a new player in the bazaar twice. The first
-- visit buys the shoes (free here) and leaves with Done, which prints the bazaar's probe; the second
-- one, after the player's progress is read back from the store, stays open for the events file.
ReadFile("scripts/game_mainloop.lua")

-- The shop level's pictures (every customer's among them) and the bazaar's together are more than
-- the headless video card holds: the scenario shows the shop's backdrop as a plain picture in place
-- of the shop's background, which loads the level's pictures. The bazaar's own pictures, panels and
-- texts show; the shop's furniture does not.
function BackgroundWindow(t)
  return Bitmap{ name = t.name, image = "backgrounds/shop_1/bg_shop_01", x = 0, y = 0 }
end

function setCurrentLevel() print("done", GetGameProbe()) end

return function()
  CreateNewUser("Tessa")
  ChangeUserData()
  DoModal("scripts/bazaar.lua")
  ChangeUserData()
  print("again", GetLevelStartMoney(0))
  DoModal("scripts/bazaar.lua")
end
