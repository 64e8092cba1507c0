-- A trophy gained during a day: a word over the shop with the trophy and its name, which goes on
-- once the player has seen it. gGainedTrophy holds the trophy's bit (showGainTrophy's argument).
local kNameFont = { TextFont, 24, FColor(0.494, 0.29, 0.62, 1) }

-- The trophies in the order of their bits: the picture's name and the name's label.
local kTrophies = {
  { "GrandWitch", "GrandWitch" }, { "PotionMaster", "PotionMaster" }, { "PotionMasterGold", "PotionMasterGold" },
  { "GoldenPhoenixFeather", "GoldenPhoenixFeather" }, { "MagicCatBelt", "MagicCatBelt" }, { "Artifact", "Artifact" },
  { "Plant", "Plant" }, { "PotionPedia", "Potionpedia" }, { "ShopMonth", "ShopMonth" }, { "ShopYear", "ShopYear" },
  { "UpgradeFreak", "UpgradeFreak" },
}

local function GainedTrophy()
  local bit = 1
  for _, trophy in ipairs(kTrophies) do
    if gGainedTrophy == bit then return trophy end
    bit = bit * 2
  end
end

local panel = { name = "BackGround", image = "gui/ui/panel_tall", alpha = true, x = 244, y = 68,
  Text{ name = "title", label = "lblTrophyGained", font = kPanelFont, flags = kHAlignCenter + kVAlignCenter,
        x = 30, y = 40, w = 280, h = 80 },
  LabelButton{ name = "ok", label = "lblTrophyOk", close = true, x = 80, y = 350, w = 180, h = 60 },
}
local trophy = GainedTrophy()
if trophy then
  table.insert(panel, Bitmap{ name = "trophy", image = "gui/trophies/" .. trophy[1] .. "_n", alpha = true,
                              x = 126, y = 140 })
  table.insert(panel, Text{ name = "trophyName", label = trophy[2], font = kNameFont,
                            flags = kHAlignCenter + kVAlignCenter, x = 30, y = 240, w = 280, h = 60 })
end

MakeDialog{
  GainTrophyWindow{ name = "gaintrophy", x = 0, y = 0, w = 800, h = 600,
    Bitmap{ name = "AlphaBackGround", image = "gui/ui/backdrop", alpha = true, x = 0, y = 0 },
    Bitmap(panel),
  },
}
