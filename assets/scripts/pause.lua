-- The pause dialog, until the pause window comes: the level goes on with Continue, or ends with
-- Main menu.
local resume = function() InsideGame(true); CloseWindow() end

MakeDialog{
  Bitmap{ name = "panel", image = "gui/ui/panel_medium", x = 180, y = 150 },
  Text{ name = "paused", label = "lblPaused", font = kPanelFont, flags = kHAlignCenter, x = 180, y = 225, w = 440, h = 40 },
  LabelButton{ name = "continue", label = "lblContinue", command = resume, x = 205, y = 315, w = 160, h = 44 },
  LabelButton{ name = "menu", label = "lblMainMenu", command = QuitToMainMenu, x = 415, y = 315, w = 160, h = 44 },
}
