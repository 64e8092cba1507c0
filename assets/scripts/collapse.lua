-- The collapse mini-game: the cat's board in its wooden frame, the score and the collapse level on
-- the plate beside it. The window tells the scripts its end through "playEndCollapse".
local kScoreFont = kPanelFont

MakeDialog{
  Bitmap{ name = "backdrop", image = "backgrounds/collapse/bg_collapse", x = 0, y = 0 },
  CollapseWindow{
    name = "collapse", x = 0, y = 0, w = 800, h = 600,
    Text{ name = "lblCollapseScore", label = "lblCollapseScore", font = kScoreFont, flags = kHAlignRight,
          x = 460, y = 40, w = 150, h = 34 },
    Text{ name = "txtScore", font = kScoreFont, flags = kHAlignLeft, x = 622, y = 40, w = 120, h = 34 },
    Text{ name = "lblCollapseLevel", label = "lblCollapseLevel", font = kScoreFont, flags = kHAlignRight,
          x = 460, y = 84, w = 150, h = 34 },
    Text{ name = "txtLevel", font = kScoreFont, flags = kHAlignLeft, x = 622, y = 84, w = 120, h = 34 },
  },
}
