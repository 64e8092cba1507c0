-- The tutorials of the shop's later features over one test level that has them all (config.xml):
-- the game's own scripts play, as they would before the level, the one tutorial the scenario names
-- ("lua gPlay = 'tutorialPlantSeen'", its key); the others count as seen. The messages it shows, the deeds of the
-- player it hears of and its end are printed.
ReadFile("scripts/game_mainloop.lua")

-- On the test level all three features come first.
kLevelOfArtifacts = 0

local gameShowWizardMessage = showWizardMessage
function showWizardMessage(label, flag, position)
  print("message", label, flag, position)
  gameShowWizardMessage(label, flag, position)
end

local gameOnWizardContinue = onWizardContinue
function onWizardContinue()
  print("onWizardContinue()")
  gameOnWizardContinue()
end

local gameOnEndTutorial = onEndTutorial
function onEndTutorial()
  print("onEndTutorial()", GetGameProbe())
  gameOnEndTutorial()
end

return function()
  CreateNewUser("Tessa")
  ChangeUserData()
  ContinueSavedLevel(0)
  while not gPlay do WaitForMessage(100) end
  for i, tutorial in ipairs(kTutorials) do
    if tutorial.key ~= gPlay then SetCurrentUserInt(tutorial.key, 1) end
  end
  PlayShopGame(0)
end
