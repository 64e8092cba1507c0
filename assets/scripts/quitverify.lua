-- The window's close button asks first, until the yes/no window comes. The game runs this file
-- whenever the close button is pressed; the question then stands as a dialog of its own.
local quit = function() PostMessage(CreateNamedMessage(kQuitNow, "quit")) end

PushModal("scripts/quitverify.lua")
MakeDialog{
  Bitmap{ name = "panel", image = "gui/ui/panel_medium", x = 180, y = 150 },
  Text{ name = "question", label = "lblQuitQuestion", font = kPanelFont, flags = kHAlignCenter, x = 180, y = 225, w = 440, h = 40 },
  LabelButton{ name = "yes", label = "lblYes", command = quit, x = 205, y = 315, w = 160, h = 44 },
  LabelButton{ name = "no", label = "lblNo", close = true, x = 415, y = 315, w = 160, h = 44 },
}
