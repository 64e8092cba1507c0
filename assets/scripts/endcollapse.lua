-- The end of the collapse mini-game, over its board: the charm won (or none), and the way on to the
-- shop. gCollapseCharm holds the charm's id, empty when the board overflowed.
local won = gCollapseCharm and gCollapseCharm ~= ""

MakeDialog{
  EndCollapseWindow{
    name = "endcollapse", x = 0, y = 0, w = 800, h = 600,
    Bitmap{ name = "AlphaBackGround", image = "gui/ui/backdrop", alpha = true, x = 0, y = 0 },
    Bitmap{ name = "BackGround", image = "gui/ui/panel_large", alpha = true, x = 140, y = 100,
      Text{ name = "txtEndCollapse", label = won and "lblCollapseWon" or "lblCollapseLost", font = kPanelFont,
            flags = kHAlignCenter, x = 40, y = 110, w = 420, h = 120 },
    },
    LabelButton{ name = "btnEndCollapseNextLevel", label = "lblCollapseNextLevel", command = function() CloseWindow() end,
                 x = 310, y = 390, w = 180, h = 60 },
  },
}
