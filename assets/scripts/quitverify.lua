-- The window's close button asks first, until the yes/no window comes. The game runs this file
-- whenever the close button is pressed; the question then stands as a dialog of its own.
local quit = function() PostMessage(CreateNamedMessage(kQuitNow, "quit")) end

PushModal("scripts/quitverify.lua")
MakeDialog{
  Text{ name = "question", label = "lblQuitQuestion", font = kTextFont, flags = kHAlignCenter, x = 0, y = 240, w = 800, h = 40 },
  LabelButton{ name = "yes", label = "lblYes", command = quit, x = 230, y = 300, w = 160, h = 44 },
  LabelButton{ name = "no", label = "lblNo", close = true, x = 410, y = 300, w = 160, h = 44 },
}
