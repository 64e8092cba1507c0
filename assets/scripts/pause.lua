-- The pause dialog: the level goes on with Continue, or ends with Main menu. Its panel slides in and
-- a sparkle runs once around it.
local resume = function() InsideGame(true); CloseWindow() end

MakeDialog{
  PauseWindow{ name = "pause", x = 0, y = 0, w = 800, h = 600,
    Bitmap{ name = "AlphaBackGround", image = "gui/ui/backdrop", alpha = true, x = 0, y = 0 },
    Bitmap{ name = "BackGround", image = "gui/ui/panel_wide", alpha = true, x = 137, y = 171,
      Text{ name = "paused", label = "lblPaused", font = kPanelFont, flags = kHAlignCenter, x = 0, y = 55, w = 540, h = 40 },
      LabelButton{ name = "continue", label = "lblContinue", command = resume, x = 70, y = 135, w = 180, h = 60 },
      LabelButton{ name = "menu", label = "lblMainMenu", command = QuitToMainMenu, x = 290, y = 135, w = 180, h = 60 },
    },
  },
}
