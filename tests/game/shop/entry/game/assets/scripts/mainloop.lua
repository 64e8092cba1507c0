-- Prints what the game hands the scripts, creates one window of each of the game's window types
-- and then waits; the events file decides what happens next.
kGameWindowTypes = {
  "ShopGameWindow", "BackgroundWindow", "MainMenu", "OptionsWindow", "ChoosePlayerWindow", "CreditsWindow",
  "YouWinWindow", "YouLoseWindow", "LoadingWindow", "CollapseWindow", "BazaarWindow", "controlTab",
  "controlAnimation", "PauseWindow", "StartWindow", "YesNoWindow", "EnterNameWindow", "TrophiesWindow",
  "GainTrophyWindow", "EndCollapseWindow", "FxButton", "controlButton", "guiLevelSelect", "RegisterUserWindow",
  "TutorialGameWindow", "PanelWizard", "TutorialBazaarWindow", "TutorialArtifactWindow", "TutorialPlantWindow",
  "TutorialFenixWindow", "TransitionWindow", "ContinueWindow", "TextEdit",
}

function setLevelOfPlant(level) print("setLevelOfPlant", level) end
function setLevelOfPhoenix(level) print("setLevelOfPhoenix", level) end

gPauses = 0

-- The loading screen among the types reports its end; the player chooser hands over the players.
function OnFinishedLoadingAssets() end
function InitOffset(current, count) end
function UpdatePlayerChoices(current, count, names) end

-- One window of each type; answers how many of them the dialog then holds.
function CreateEveryType()
  local dialog = {}
  for i, name in ipairs(kGameWindowTypes) do
    table.insert(dialog, _G[name]{ name = "w_" .. name, x = 0, y = 0, w = 10, h = 10 })
  end
  MakeDialog(dialog)
  local found = 0
  for i, name in ipairs(kGameWindowTypes) do
    -- The transition window names itself, for "StartFadeOut" to find it.
    local windowName = name == "TransitionWindow" and "swtTransitionWindow" or "w_" .. name
    if EnableWindow(windowName, true) then found = found + 1 end
  end
  return found
end

return function()
  PushModal("everytype")
  print("windows", CreateEveryType())
  print("timer", GetTimer())
  print("probe", GetGameProbe())
  -- A level starts once the game's start-up is over.
  Pause(100)
  InsideGame(true)
  while true do
    WaitForMessage()
  end
end
