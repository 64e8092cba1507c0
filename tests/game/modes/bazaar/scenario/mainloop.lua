-- The bazaar scenario: the game's own scripts, then a new player in the bazaar twice. The first
-- visit buys the shoes (free here) and leaves with Done, which prints the bazaar's probe; the second
-- one, after the player's progress is read back from the store, stays open for the events file.
ReadFile("scripts/game_mainloop.lua")

function setCurrentLevel() print("done", GetGameProbe()) end

return function()
  EnsurePlayer()
  DoModal("scripts/bazaar.lua")
  ChangeUserData()
  print("again", GetLevelStartMoney(0))
  DoModal("scripts/bazaar.lua")
end
