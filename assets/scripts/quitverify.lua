-- The window's close button asks first. The game runs this file whenever the close button is
-- pressed; the question then stands as a dialog of its own.
local quit = function() PostMessage(CreateNamedMessage(kQuitNow, "quit")) end

PushModal("scripts/quitverify.lua")
MakeDialog{
  YesNoWindow{ name = "quitverify", x = 0, y = 0, w = 800, h = 600,
    Bitmap{ name = "AlphaBackGround", image = "gui/ui/backdrop", alpha = true, x = 0, y = 0 },
    Bitmap{ name = "BackGround", image = "gui/ui/panel_large", alpha = true, x = 151, y = 99,
      Text{ name = "question", label = "lblQuitQuestion", font = kPanelFont, flags = kHAlignCenter,
            x = 20, y = 130, w = 480, h = 40 },
      LabelButton{ name = "yes", label = "lblYes", command = quit, x = 60, y = 250, w = 180, h = 60 },
      LabelButton{ name = "no", label = "lblNo", close = true, x = 280, y = 250, w = 180, h = 60 },
    },
  },
}
