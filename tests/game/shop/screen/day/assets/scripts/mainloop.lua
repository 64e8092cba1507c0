-- A shop day with nobody at the controls: the level opens, and the game's calls are printed with
-- what the game then shows. The level's end quits the game.
TextFont = ""

function setLevelOfPlant(level) end
function setLevelOfPhoenix(level) end
function playAnimationBook(action, state) end
function showGainTrophy(bit) print("showGainTrophy", bit) end

function playShopGame(level)
  print("playShopGame", level)
  gLevel = level
end

function Report(call)
  print(call)
  print("probe", GetGameProbe())
  print("saved", GetNumberOfSavedLevels(), GetLevelEarnedMoney(0), IsNewUser())
  PostMessage(CreateNamedMessage(kQuitNow, "quit"))
end
function loadYouLosePopup() Report("loadYouLosePopup()") end
function loadYouWinPopup(replay) Report("loadYouWinPopup(" .. replay .. ")") end

return function()
  CreateNewUser("Tessa")
  ChangeUserData()
  ContinueSavedLevel(0)
  setCurrentLevel()
  PushModal("shop")
  MakeDialog{ ShopGameWindow{ name = "shop", x = 0, y = 0, w = 800, h = 600 } }
  print("opened", GetGameProbe())
  while true do
    WaitForMessage()
  end
end
