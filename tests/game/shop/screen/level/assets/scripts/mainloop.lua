-- One shop level for scenarios, over the game's own assets: the level's shop screen (the game's
-- scripts/shop.lua) opens at once and the game's calls are printed with the probe and the saved
-- progress; the scenario plays the level.
TextFont = "fonts/default.mvec"

function setLevelOfPlant(level) end
function setLevelOfPhoenix(level) end
function showGainTrophy(bit) print("showGainTrophy", bit) end
function playShopGame(level) print("playShopGame", level) end

function Report(call)
  print(call)
  print("probe", GetGameProbe())
  print("saved", GetNumberOfSavedLevels(), GetLevelStartMoney(GetNumberOfSavedLevels() - 1), GetLevelEarnedMoney(0))
end
function loadYouLosePopup() Report("loadYouLosePopup()") end
function loadYouWinPopup(replay) Report("loadYouWinPopup(" .. replay .. ")") end

return function()
  -- The level opens once the game's start-up is over (it leaves the game at its end).
  Pause(1)
  CreateNewUser("Tessa")
  ChangeUserData()
  ContinueSavedLevel(0)
  setCurrentLevel()
  DoModal("scripts/shop.lua")
  while true do
    WaitForMessage()
  end
end
