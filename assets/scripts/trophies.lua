-- The trophy cabinet, opened over the main menu: the trophies on three rows and the phoenix feather
-- beside them, each in its colours once earned and a dark shape with a question mark until then.
-- Resting the pointer on a trophy shows its name and what earns it; Back returns to the menu.
local kNameFont = { TextFont, 19, FColor(0.227, 0.133, 0.2, 1) }
local kTipFont = { TextFont, 16, FColor(0.227, 0.133, 0.2, 1) }

-- Where each trophy's 88 x 88 picture stands in the cabinet. The cabinet shows a trophy's tooltip at
-- a place of its own, with the tooltip's arrow at a given point: each trophy stands where that arrow
-- points, above the arrows of the top two rows and below those of the bottom row. The phoenix
-- feather's tooltip opens in the cabinet's corner, above the feather.
local kTrophyPlaces = {
  { "ShopMonth", 264, 28 }, { "ShopYear", 356, 28 }, { "PotionMasterGold", 540, 28 },
  { "GoldenPhoenixFeather", 20, 120 },
  { "PotionPedia", 200, 172 }, { "MagicCatBelt", 292, 172 }, { "UpgradeFreak", 384, 172 }, { "Plant", 476, 172 },
  { "GrandWitch", 192, 344 }, { "PotionMaster", 366, 344 }, { "Artifact", 458, 344 },
}

-- A tooltip panel with its two texts. Panels 1 and 2 point down from their box, 3 and 4 up to it.
local function Tooltip(n)
  local top = n <= 2 and 6 or 22
  return Bitmap{ name = string.format("dialog%02d", n), image = string.format("gui/trophies/tooltip_%02d", n),
                 alpha = true, x = 0, y = 0,
    Text{ name = "lblName", font = kNameFont, flags = kHAlignLeft + kVAlignCenter, x = 35, y = top + 4, w = 194, h = 26 },
    Text{ name = "lblToolTip", font = kTipFont, flags = kHAlignLeft + kVAlignTop, x = 20, y = top + 32, w = 200, h = 56 },
  }
end

local cabinet = { name = "trophies", x = 72, y = 64, w = 656, h = 472,
  Bitmap{ name = "panel", image = "gui/ui/panel_cabinet", alpha = true, x = 0, y = 0 },
  Text{ name = "title", label = "lblTrophyCabinet", font = kPanelFont, flags = kHAlignCenter + kVAlignCenter,
        x = 24, y = 36, w = 220, h = 60 },
}
for _, place in ipairs(kTrophyPlaces) do
  local trophy, x, y = place[1], place[2], place[3]
  table.insert(cabinet, Bitmap{ name = trophy .. "_i", image = "gui/trophies/" .. trophy .. "_i", alpha = true, x = x, y = y })
  table.insert(cabinet, Bitmap{ name = trophy .. "_n", image = "gui/trophies/" .. trophy .. "_n", alpha = true, x = x, y = y })
end
table.insert(cabinet, LabelButton{ name = "back", label = "lblBack", close = true, x = 40, y = 384, w = 120, h = 50 })
for n = 1, 4 do
  table.insert(cabinet, Tooltip(n))
end

MakeDialog{
  Bitmap{ name = "AlphaBackGround", image = "gui/ui/backdrop", alpha = true, x = 0, y = 0 },
  TrophiesWindow(cabinet),
}
