-- The window's close button asks first, until the yes/no window comes. The game runs this file
-- whenever the close button is pressed; the question then waits as a dialog of its own.
local text = { TextFont, 24, FColor(1, 1, 1, 1) }
local quit = function() PostMessage(CreateNamedMessage(kQuitNow, "quit")) end

PushModal("scripts/quitverify.lua")
MakeDialog{
  Text{ name = "question", label = "lblQuitQuestion", font = text, flags = kHAlignCenter, x = 0, y = 240, w = 800, h = 40 },
  Button{ name = "yes", command = quit, x = 250, y = 300, w = 140, h = 40,
    Text{ name = "label", label = "lblYes", font = text, flags = kPushButtonAlignment, x = 0, y = 0, w = 140, h = 40 } },
  Button{ name = "no", close = true, x = 410, y = 300, w = 140, h = 40,
    Text{ name = "label", label = "lblNo", font = text, flags = kPushButtonAlignment, x = 0, y = 0, w = 140, h = 40 } },
}
