-- The game's flow. The game runs this file once at start; the function it returns runs for the
-- whole game, opening one screen after the other. The functions below are the ones the game calls
-- by name: they only note what was asked (in gNext) and never wait, so the game can call them at
-- any time. Until a screen exists, the request it would serve is only noted.

TextFont = "fonts/default.mvec"
gMaximumNumberOfPlayers = 6
kScrollOffset = 0

-- The dialogs' fonts (kPanelFont for text on the UI kit's panels) and a button that shows a string of strings.xml: Button's fields plus label,
-- the string's name, and font (kButtonFont when left out). The button wears the UI kit's picture:
-- the wide one (180 x 60) when w is 160 or more, else the small one (120 x 50); w and h follow it.
kTextFont = { TextFont, 26, FColor(1, 1, 1, 1) }
kPanelFont = { TextFont, 26, FColor(0.227, 0.133, 0.2, 1) }
kButtonFont = { TextFont, 26, FColor(1, 0.957, 0.839, 1) }

function LabelButton(t)
  local wide = (t.w or 0) >= 160
  local prefix = wide and "gui/ui/button_" or "gui/ui/button_small_"
  t.w, t.h = wide and 180 or 120, wide and 60 or 50
  t.graphics = { prefix .. "normal", prefix .. "pressed", prefix .. "over" }
  local label = Text{ name = "label", label = t.label, font = t.font or kButtonFont, flags = kPushButtonAlignment,
                      x = 0, y = 0, w = t.w, h = t.h }
  t.label = nil
  t.font = nil
  table.insert(t, label)
  return Button(t)
end

gLevelOfPlant = 0
gLevelOfPhoenix = 0
gNext = nil

-- Notes a request of the game: its name and arguments.
function Request(name, ...)
  gNext = { name = name, args = arg }
end

-- From the game's start: the first levels with the plant and with the phoenix, counted from 0.
function setLevelOfPlant(level) gLevelOfPlant = level end
function setLevelOfPhoenix(level) gLevelOfPhoenix = level end

-- Starting levels (setCurrentLevel) and their results; the level's end closes the shop. The collapse
-- game is still to come.
function playShopGame(level) Request("playShopGame", level) end
function playCollapseGame() Request("playCollapseGame") end
function loadYouWinPopup(replay) Request("loadYouWinPopup", replay); CloseWindow() end
function loadYouLosePopup() Request("loadYouLosePopup"); CloseWindow() end
function showGainTrophy(bit) Request("showGainTrophy", bit) end
function playEndCollapse(charm) Request("playEndCollapse", charm) end
function playAnimationBook(action, state) Request("playAnimationBook", action, state) end

-- The menus and the loading screen.
function OnFinishedLoadingAssets() Request("OnFinishedLoadingAssets") end
function UpdatePlayerChoices(first, count, names) Request("UpdatePlayerChoices", first, count, names) end
function InitOffset(x, y) Request("InitOffset", x, y) end
function DisableAllButtons() Request("DisableAllButtons") end
function EnableAllButtons() Request("EnableAllButtons") end
function SendGameMessage(message) Request("SendGameMessage", message) end

-- The tutorials.
function showWizardMessage(label, flag, position) Request("showWizardMessage", label, flag, position) end
function onWizardContinue() Request("onWizardContinue") end
function onEndTutorial() Request("onEndTutorial") end
function onEndTutorialShop() Request("onEndTutorialShop") end
function ActivateTabIndex(on, index) Request("ActivateTabIndex", on, index) end
function DisableTab() Request("DisableTab") end

-- A player to play with: the last one chosen, else a new one.
function EnsurePlayer()
  if GetNumUsers() == 0 then CreateNewUser("Tessa") end
  ChangeUserData()
end

-- The screens the game asked for, one after the other, until it asks for none.
kScreens = {
  playShopGame = "scripts/shop.lua",
  loadYouWinPopup = "scripts/result.lua",
  loadYouLosePopup = "scripts/result.lua",
  openBazaar = "scripts/bazaar.lua",
}

function RunRequestedScreens()
  while gNext and kScreens[gNext.name] do
    gResult = gNext
    gNext = nil
    DoModal(kScreens[gResult.name])
  end
end

return function()
  EnsurePlayer()
  DoModal("scripts/start.lua")
  RunRequestedScreens()
end
