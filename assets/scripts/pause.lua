-- The pause dialog, until the pause window comes: the level goes on with Continue, or ends with
-- Main menu.
local continue = function() InsideGame(true); CloseWindow() end

MakeDialog{
  Text{ name = "paused", label = "lblPaused", font = kTextFont, flags = kHAlignCenter, x = 0, y = 240, w = 800, h = 40 },
  LabelButton{ name = "continue", label = "lblContinue", command = continue, x = 230, y = 300, w = 160, h = 44 },
  LabelButton{ name = "menu", label = "lblMainMenu", command = QuitToMainMenu, x = 410, y = 300, w = 160, h = 44 },
}
