-- The bazaar the first time: the shop with its upgrades as the bazaar shows them, and the merchant's
-- panel with two texts in turn. Continue shows the next one; after the second the game calls
-- onEndTutorialShop() and the bazaar itself opens.
local kPanelX, kPanelY = 446, 8  -- the description panel (gui/shop_gui, 344 x 300)
local kSmallFont = { TextFont, 18, FColor(0.227, 0.133, 0.2, 1) }

MakeDialog{
  BackgroundWindow{ name = "background", x = 0, y = 0, w = 800, h = 600 },
  TutorialBazaarWindow{ name = "bazaar", x = 0, y = 0, w = 800, h = 600,
    Bitmap{ name = "panelDescription", image = "gui/shop_gui", x = kPanelX, y = kPanelY,
      BazaarTitle("txtBazaarTitle", "lblBazaar"),
      BazaarPicture(),
      Text{ name = "txtAddonDescription", label = "", font = kSmallFont, flags = kHAlignCenter,
            x = 24, y = 44, w = 296, h = 86 },
      LabelButton{ name = "btnContinue", label = "lblContinue", command = function() tutorialNextState() end,
                   x = 112, y = 244, w = 120, h = 50 },
    },
    BazaarPurse(),
  },
}
