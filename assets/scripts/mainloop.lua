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
  if t.command then t.command = WhileButtonsOn(t.command) end
  table.insert(t, label)
  return Button(t)
end

-- A button's command that does nothing while a transition closes the screen (between the
-- transition's DisableAllButtons and EnableAllButtons).
function WhileButtonsOn(command)
  return function()
    if not gButtonsOff then command() end
  end
end

function DisableAllButtons() gButtonsOff = true end
function EnableAllButtons() gButtonsOff = nil end

-- A menu screen's transition window (every menu screen holds one, over its other windows), and
-- leaving the screen through it: the panels close it, then code runs.
function ScreenTransition()
  return TransitionWindow{ name = "transition", x = 0, y = 0, w = 800, h = 600 }
end

function LeaveScreen(code)
  StartFadeOut(code, "")
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

-- Closes the modal dialog of that name and every one over it, once the game has finished what it
-- is doing (a screen may ask for it from its own frame).
function CloseModal(name)
  PostMessage(CreateNamedMessage(kCloseWindow, name))
end

-- Opens the dialog of the file over the screen that is up, without waiting for it: the game calls
-- the functions below in the middle of a day.
function OpenPopup(file)
  PushModal(file)
  ReadFile(file)
  DoFitToChildren()
end

-- Starting levels (setCurrentLevel) and their results: the result screens and a gained trophy stand
-- over the shop; the collapse game is served by PlayCollapseGame.
function playShopGame(level) Request("playShopGame", level) end
function playCollapseGame() Request("playCollapseGame") end
function loadYouWinPopup(replay) OpenPopup("scripts/youwin.lua") end
function loadYouLosePopup() OpenPopup("scripts/youlose.lua") end
function showGainTrophy(bit) gGainedTrophy = bit; OpenPopup("scripts/gaintrophy.lua") end
function playEndCollapse(charm) Request("playEndCollapse", charm) end
function playAnimationBook(action, state) Request("playAnimationBook", action, state) end

-- The level the game has come to (the next after a won day, the same after a missed one), in place
-- of the shop and its result screen.
function PlayNextLevel()
  setCurrentLevel()
  CloseModal("scripts/shop.lua")
end

-- After a won day the bazaar comes first; its Done button goes on to the next level.
function VisitBazaar()
  Request("openBazaar")
  CloseModal("scripts/shop.lua")
end

-- A result screen (YouWinWindow or YouLoseWindow) on the tall panel: the title, the table of the
-- day's earnings the screen fills, and its button.
kTableFont = { TextFont, 20, FColor(0.227, 0.133, 0.2, 1) }

function ResultScreen(window, title, button)
  MakeDialog{
    window{ name = "result", x = 0, y = 0, w = 800, h = 600,
      Bitmap{ name = "AlphaBackGround", image = "gui/ui/backdrop", alpha = true, x = 0, y = 0 },
      Bitmap{ name = "BackGround", image = "gui/ui/panel_tall", alpha = true, x = 234, y = 68,
        Text{ name = "title", label = title, font = kPanelFont, flags = kHAlignCenter + kVAlignCenter,
              x = 30, y = 30, w = 280, h = 90 },
        Text{ name = "txtDataDescription", font = kTableFont, flags = kHAlignLeft, x = 36, y = 140, w = 190, h = 180 },
        Text{ name = "txtDataValue", font = kTableFont, flags = kHAlignRight, x = 216, y = 140, w = 88, h = 180 },
        button,
      },
    },
  }
end

-- Text that shows as it was typed in a text window (a player's name): backslashes and '<' escaped.
function ShownAsTyped(text)
  return (string.gsub(text, "([\\<])", "\\%1"))
end

-- The loading screen, and the menus.
function OnFinishedLoadingAssets() CloseModal("scripts/loading.lua") end
function SendGameMessage(message) Request("SendGameMessage", message) end

-- The tutorials: their messages go to the message panel, the player's deeds move them on.
function showWizardMessage(label, flag, position) wizardShowMessage(label, flag, position) end
function onWizardContinue() tutorialNextState() end
function onEndTutorial() EndTutorial() end
function onEndTutorialShop() CloseModal("scripts/bazaartutorial.lua") end
function ActivateTabIndex(on, index) Request("ActivateTabIndex", on, index) end
function DisableTab() Request("DisableTab") end

-- The collapse mini-game: its board until the window reports the end, then the end dialog over it;
-- after that the shop level the game came before is asked for.
function PlayCollapseGame()
  local id = PushModal("scripts/collapse.lua")
  ReadFile("scripts/collapse.lua")
  DoFitToChildren()
  while not (gNext and gNext.name == "playEndCollapse") do
    WaitForMessage(100)
  end
  gCollapseCharm = gNext.args[1]
  gNext = nil
  DoModal("scripts/endcollapse.lua")
  PopModal(id)
  setCurrentLevel()
end

-- A tutorial's screen until it reports its end; the player's profile then remembers it under key.
function PlayTutorial(file, key)
  gTutorial = { file = file, key = key }
  DoModal(file)
  gTutorial = nil
end

function EndTutorial()
  if not gTutorial then return end
  SetCurrentUserInt(gTutorial.key, 1)
  CloseModal(gTutorial.file)
end

-- The bazaar; a player's first visit starts with its tutorial.
function OpenBazaar()
  if GetCurrentUserInt("tutorialShopSeen", 0) == 0 then
    DoModal("scripts/bazaartutorial.lua")
    SetCurrentUserInt("tutorialShopSeen", 1)
  end
  DoModal("scripts/bazaar.lua")
end

-- The merchant's panel (gui/shop_gui, 344 x 300): a text in its title band, between the band's two
-- stars; when it shows no add-on, a price tag in the picture's circle.
local kBazaarTitleFont = { TextFont, 18, FColor(1, 0.957, 0.839, 1) }

function BazaarTitle(name, label)
  return Text{ name = name, label = label, font = kBazaarTitleFont, flags = kPushButtonAlignment,
               x = 94, y = 8, w = 156, h = 34 }
end

function BazaarPicture()
  return Bitmap{ name = "imgBazaar", image = "anim/bazaar/shop_price", x = 130, y = 146 }
end

-- The bazaar's purse on a tile of its own in the top left corner, clear of the drawers, over the
-- decoration the shop's score panel covers: its caption and the money ("txtScore", which the bazaar
-- fills).
function BazaarPurse()
  return Bitmap{ name = "panelPurse", image = "gui/ui/tile_normal", x = 8, y = 8,
    Text{ name = "lblPurse", label = "lblGuiScore", font = kTableFont, flags = kHAlignCenter,
          x = 0, y = 14, w = 96, h = 28 },
    Text{ name = "txtScore", label = "", font = kPanelFont, flags = kHAlignCenter, x = 0, y = 44, w = 96, h = 36 },
  }
end

-- The first level with an artifact on the shelf (config.xml's artifactsEnabled).
kLevelOfArtifacts = 1

-- The shop's tutorials, each played once by a player, before the first level with what it teaches:
-- the first day, the first artifact, the plant and the phoenix. All of them show on the layout of
-- scripts/tutorialgame.lua, as the window type named; the profile remembers each under its key.
kTutorials = {
  { window = "TutorialGameWindow", key = "tutorialGameSeen", level = function() return 0 end },
  { window = "TutorialArtifactWindow", key = "tutorialArtifactSeen", level = function() return kLevelOfArtifacts end },
  { window = "TutorialPlantWindow", key = "tutorialPlantSeen", level = function() return gLevelOfPlant end },
  { window = "TutorialFenixWindow", key = "tutorialFenixSeen", level = function() return gLevelOfPhoenix end },
}

-- A level: the loading screen first, then the tutorials the player has still to see before it,
-- then the shop.
function PlayShopGame(level)
  DoModal("scripts/loading.lua")
  for i, tutorial in ipairs(kTutorials) do
    if tutorial.level() == level and GetCurrentUserInt(tutorial.key, 0) == 0 then
      gTutorialWindow = tutorial.window
      PlayTutorial("scripts/tutorialgame.lua", tutorial.key)
    end
  end
  DoModal("scripts/shop.lua")
end

-- The requests that have their screens, by request.
kServers = {
  playShopGame = PlayShopGame,
  playCollapseGame = PlayCollapseGame,
  openBazaar = OpenBazaar,
}

-- Serves the noted requests one after the other while they have a screen.
function ServeRequests()
  while gNext and kServers[gNext.name] do
    local request = gNext
    gNext = nil
    kServers[request.name](unpack(request.args))
  end
end

-- The level of the player's saved day (counted from 0) is asked for; ServeRequests then plays it.
function AskForDay(index)
  ContinueSavedLevel(index)
  setCurrentLevel()
end

-- A player who comes back with days behind is offered the next day at once, over the shop.
function OfferNextDay()
  local reached = GetNumberOfSavedLevels()
  if reached > 1 and DoModal("scripts/continue.lua") == "continue" then
    AskForDay(reached - 1)
    ServeRequests()
  end
end

-- The start panel, then the main menu; from it the level select, and the levels from the day chosen
-- until they end (the pause's Main menu), and back to the main menu.
return function()
  if GetNumUsers() > 0 then ChangeUserData() end
  DoModal("scripts/start.lua")
  if GetNumUsers() > 0 then OfferNextDay() end
  while true do
    InsideGame(false)
    if DoModal("scripts/mainmenu.lua") == "play" and DoModal("scripts/levelselect.lua") == "play" then
      ServeRequests()
    end
  end
end
