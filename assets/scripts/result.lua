-- The end of a shop day, until the result screens come: won or missed, the money in the purse after
-- a won day, and the way back to the shop: through the bazaar to the next level after a won day,
-- straight to the same one again else.
local won = gResult.name == "loadYouWinPopup"
local back = function()
  if won then Request("openBazaar") else setCurrentLevel() end
  CloseWindow()
end

local dialog = {
  Bitmap{ name = "panel", image = "gui/ui/panel_medium", x = 180, y = 150 },
  Text{ name = "title", label = won and "lblLevelWon" or "lblLevelLost", font = kPanelFont, flags = kHAlignCenter,
        x = 180, y = 200, w = 440, h = 40 },
  LabelButton{ name = "back", label = "lblBackToShop", command = back, x = 310, y = 315, w = 180, h = 60 },
}
if won then
  table.insert(dialog, Text{ name = "purse", label = "lblPurse", font = kPanelFont, flags = kHAlignCenter,
                             x = 180, y = 245, w = 440, h = 40 })
end
MakeDialog(dialog)
if won then SetLabel("purse", GetString("lblPurse") .. ": " .. GetLevelStartMoney(GetNumberOfSavedLevels() - 1)) end
