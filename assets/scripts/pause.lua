-- The pause dialog, until the pause window comes: the level goes on with Continue, or ends with
-- Main menu.
local text = { TextFont, 24, FColor(1, 1, 1, 1) }
local continue = function() InsideGame(true); CloseWindow() end

MakeDialog{
  Text{ name = "paused", label = "lblPaused", font = text, flags = kHAlignCenter, x = 0, y = 240, w = 800, h = 40 },
  Button{ name = "continue", command = continue, x = 250, y = 300, w = 140, h = 40,
    Text{ name = "label", label = "lblContinue", font = text, flags = kPushButtonAlignment, x = 0, y = 0, w = 140, h = 40 } },
  Button{ name = "menu", command = QuitToMainMenu, x = 410, y = 300, w = 140, h = 40,
    Text{ name = "label", label = "lblMainMenu", font = text, flags = kPushButtonAlignment, x = 0, y = 0, w = 140, h = 40 } },
}
