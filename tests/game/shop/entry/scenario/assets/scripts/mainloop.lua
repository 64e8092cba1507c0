-- A small game for scenario tests: a button to click and a button under the hot key "P", each
-- printing its name and the game time when it is pressed.
function setLevelOfPlant(level) end
function setLevelOfPhoenix(level) end

local function Report(name) return function() print(name, GetTimer()) end end

return function()
  if GetNumUsers() == 0 then CreateNewUser("Tessa") end
  ChangeUserData()
  PushModal("desk")
  MakeDialog{
    Button{ name = "press", x = 100, y = 100, w = 120, h = 50, command = Report("pressed") },
    Button{ name = "keyed", x = 300, y = 100, w = 120, h = 50, command = Report("keyed") },
  }
  RegisterHotkey("P", "keyed")
  while true do
    WaitForMessage()
  end
end
