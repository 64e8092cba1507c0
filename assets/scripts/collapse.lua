-- The collapse mini-game: the cat's board fills the screen; the score and the collapse level stand
-- on the cabinet beside it. The window tells the scripts its end through "playEndCollapse".
local kScoreFont = { TextFont, 26, FColor(1, 0.957, 0.839, 1) }

MakeDialog{
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
