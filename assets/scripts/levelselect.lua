-- The days the player has reached, a tile each in the order of the days, the next day marked: a
-- finished day shows what it earned and can be played again. The cat keeps the player company.
-- DoModal answers "play" once a day is chosen (its level is then asked for), nil for Back; both
-- leave through the screen transition.
local kColumns, kRows = 4, 3
local kTileSize, kTileGap, kRowGap = 96, 12, 8
local kNumberFont = { TextFont, 36, FColor(0.227, 0.133, 0.2, 1) }
local kEarnedFont = { TextFont, 18, FColor(0.227, 0.133, 0.2, 1) }
local kTileGraphics = { "gui/ui/tile_normal", "gui/ui/tile_selected", "gui/ui/tile_over" }
local kNextGraphics = { "gui/ui/tile_selected", "gui/ui/tile_selected", "gui/ui/tile_over" }

-- The day of saved level index: its level is asked for and the level select closes.
function PlayDay(index)
  AskForDay(index)
  CloseWindow("play")
end

-- The tile of saved level index at its column and row; the last saved level is the next day.
local function DayTile(index, column, row, isNext)
  local below = isNext and "lblNextDayTile" or "#$" .. GetLevelEarnedMoney(index)
  return Button{ name = "day" .. (index + 1), graphics = isNext and kNextGraphics or kTileGraphics,
                 command = WhileButtonsOn(function() LeaveScreen("PlayDay(" .. index .. ")") end),
                 x = 52 + column * (kTileSize + kTileGap), y = 68 + row * (kTileSize + kRowGap),
                 w = kTileSize, h = kTileSize,
    Text{ name = "number" .. (index + 1), label = "#" .. (index + 1), font = kNumberFont, flags = kPushButtonAlignment,
          x = 0, y = 8, w = kTileSize, h = 52 },
    Text{ name = "earned" .. (index + 1), label = below, font = kEarnedFont, flags = kPushButtonAlignment,
          x = 0, y = 58, w = kTileSize, h = 26 },
  }
end

local board = { name = "BackGround", image = "gui/ui/panel_large", x = 250, y = 60,
  Text{ name = "title", label = "lblChooseLevel", font = kPanelFont, flags = kHAlignCenter + kVAlignCenter,
        x = 20, y = 22, w = 480, h = 44 },
}
local reached = GetNumberOfSavedLevels()
for row = 0, kRows - 1 do
  for column = 0, kColumns - 1 do
    local index = row * kColumns + column
    if index < reached then table.insert(board, DayTile(index, column, row, index == reached - 1)) end
  end
end

MakeDialog{
  guiLevelSelect{ name = "levelselect", x = 0, y = 0, w = 800, h = 600,
    Bitmap{ name = "backdrop", image = "backgrounds/shop_1/bg_shop_01", x = 0, y = 0 },
    Bitmap(board),
    LabelButton{ name = "back", label = "lblBack", command = function() LeaveScreen("CloseWindow()") end,
                 x = 450, y = 480, w = 120, h = 50 },
    ScreenTransition(),
  },
}
