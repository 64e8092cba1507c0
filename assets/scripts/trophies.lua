-- The trophy cabinet, opened over the main menu: the eleven trophies on three rows, each in its
-- colours once earned and a dark shape with a question mark until then. Resting the pointer on a
-- trophy shows its name and what earns it; Back returns to the menu.
local kTitleFont = { TextFont, 26, FColor(1, 0.957, 0.839, 1) }
local kNameFont = { TextFont, 20, FColor(0.227, 0.133, 0.2, 1) }
local kTipFont = { TextFont, 16, FColor(0.227, 0.133, 0.2, 1) }

-- Where each trophy's 88 x 88 picture stands in the cabinet. The cabinet shows a trophy's name
-- next to it: above the trophies of the bottom row, below the others.
local kTrophyPlaces = {
  { "PotionMasterGold", 80, 46 }, { "ShopMonth", 241, 46 }, { "ShopYear", 402, 46 },
  { "Plant", 60, 172 }, { "PotionPedia", 181, 172 }, { "MagicCatBelt", 302, 172 }, { "UpgradeFreak", 423, 172 },
  { "GoldenPhoenixFeather", 60, 304 }, { "GrandWitch", 181, 304 }, { "Artifact", 302, 304 },
  { "PotionMaster", 423, 304 },
}

-- A tooltip panel with its two texts. Panels 1 and 2 point down from their box, 3 and 4 up to it.
local function Tooltip(n)
  local top = n <= 2 and 6 or 22
  return Bitmap{ name = string.format("dialog%02d", n), image = string.format("gui/trophies/tooltip_%02d", n),
                 alpha = true, x = 0, y = 0,
    Text{ name = "lblName", font = kNameFont, flags = kHAlignLeft + kVAlignCenter, x = 36, y = top + 4, w = 186, h = 26 },
    Text{ name = "lblToolTip", font = kTipFont, flags = kHAlignLeft + kVAlignTop, x = 20, y = top + 32, w = 200, h = 56 },
  }
end

local cabinet = { name = "trophies", x = 110, y = 40, w = 680, h = 520,
  Bitmap{ name = "panel", image = "gui/ui/panel_large", alpha = true, x = 26, y = 20 },
  Bitmap{ name = "frame", image = "gui/ui/dialog_frame", alpha = true, x = 6, y = 0 },
  Text{ name = "title", label = "lblTrophyCabinet", font = kTitleFont, flags = kHAlignCenter + kVAlignCenter,
        x = 156, y = 3, w = 260, h = 42 },
}
for _, place in ipairs(kTrophyPlaces) do
  local trophy, x, y = place[1], place[2], place[3]
  table.insert(cabinet, Bitmap{ name = trophy .. "_i", image = "gui/trophies/" .. trophy .. "_i", alpha = true, x = x, y = y })
  table.insert(cabinet, Bitmap{ name = trophy .. "_n", image = "gui/trophies/" .. trophy .. "_n", alpha = true, x = x, y = y })
end
table.insert(cabinet, LabelButton{ name = "back", label = "lblBack", close = true, x = 196, y = 455, w = 180, h = 60 })
for n = 1, 4 do
  table.insert(cabinet, Tooltip(n))
end

MakeDialog{
  Bitmap{ name = "AlphaBackGround", image = "gui/ui/backdrop", alpha = true, x = 0, y = 0 },
  TrophiesWindow(cabinet),
}
