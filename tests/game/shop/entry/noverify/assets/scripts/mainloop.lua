-- A game without "scripts/quitverify.lua": its close button quits at once.
return function()
  while true do
    WaitForMessage()
  end
end
