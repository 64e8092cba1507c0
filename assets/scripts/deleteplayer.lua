-- The question before a player's shop is closed for good; gQuestionName names the player. DoModal
-- answers "yes", or nil for No.
MakeDialog{
  YesNoWindow{ name = "deleteplayer", x = 0, y = 0, w = 800, h = 600,
    Bitmap{ name = "AlphaBackGround", image = "gui/ui/backdrop", alpha = true, x = 0, y = 0 },
    Bitmap{ name = "BackGround", image = "gui/ui/panel_large", alpha = true, x = 140, y = 100,
      Text{ name = "question", label = "#" .. GetString("lblDeleteQuestion", ShownAsTyped(gQuestionName)), font = kPanelFont,
            flags = kHAlignCenter + kVAlignCenter, x = 40, y = 110, w = 440, h = 100 },
      LabelButton{ name = "yes", label = "lblYes", command = function() CloseWindow("yes") end, x = 60, y = 250, w = 180, h = 60 },
      LabelButton{ name = "no", label = "lblNo", close = true, x = 280, y = 250, w = 180, h = 60 },
    },
  },
}
