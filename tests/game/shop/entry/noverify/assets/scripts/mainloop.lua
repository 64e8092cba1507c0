-- A game without "scripts/quitverify.lua": its close button quits at once.
function setLevelOfPlant(level) end
function setLevelOfPhoenix(level) end

return function()
  while true do
    WaitForMessage()
  end
end
