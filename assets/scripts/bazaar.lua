-- The bazaar between two shop days: the shop with its upgrades for sale. Pointing at one shows what
-- it does in the merchant's panel; a click chooses it, Buy pays for it, Cancel lets it go. Done goes
-- on to the next day. The bazaar binds its script functions when its window is made, after this
-- layout is read: the buttons call them by name when pressed.
local kPanelX, kPanelY = 446, 8  -- the description panel (gui/shop_gui, 344 x 300)
local kSmallFont = { TextFont, 18, FColor(0.227, 0.133, 0.2, 1) }

local function Buy()
  local trophy = buyAddon()
  if trophy > 0 then showGainTrophy(trophy) end
end

local function Done()
  onBtnDone()
  setCurrentLevel()
  CloseWindow()
end

MakeDialog{
  BackgroundWindow{ name = "background", x = 0, y = 0, w = 800, h = 600 },
  BazaarWindow{ name = "bazaar", x = 0, y = 0, w = 800, h = 600,
    Bitmap{ name = "panelDescription", image = "gui/shop_gui", x = kPanelX, y = kPanelY,
      Bitmap{ name = "containerDescription", x = 0, y = 0, w = 344, h = 300,
        BazaarTitle("txtAddonName", ""),
        Text{ name = "txtAddonDescription", label = "", font = kSmallFont, flags = kHAlignCenter,
              x = 28, y = 50, w = 288, h = 70 },
        Text{ name = "txtAddonCost", label = "", font = kPanelFont, flags = kHAlignCenter,
              x = 28, y = 222, w = 288, h = 30 },
        LabelButton{ name = "btn_buy", label = "lblBuy", command = Buy, x = 40, y = 244, w = 120, h = 50 },
        LabelButton{ name = "btn_cancel", label = "lblCancel", command = function() cancelAddon() end,
                     x = 184, y = 244, w = 120, h = 50 },
      },
      -- everything sold: the merchant's word, and Done here, the bazaar's own Done being hidden
      Bitmap{ name = "containerMessage", x = 0, y = 0, w = 344, h = 300,
        BazaarTitle("txtBazaarTitle", "lblBazaar"),
        Text{ name = "txtMessageMerchant", label = "", font = kSmallFont, flags = kHAlignCenter,
              x = 28, y = 50, w = 288, h = 70 },
        BazaarPicture(),
        LabelButton{ name = "btnMerchantDone", label = "lblDone", command = Done,
                     x = 112, y = 244, w = 120, h = 50 },
      },
    },
    Bitmap{ name = "panelMessageWarning", image = "gui/ui/panel_medium", x = 180, y = 150,
      Text{ name = "txtWarning", label = "lblNotEnoughMoney", font = kPanelFont, flags = kHAlignCenter,
            x = 20, y = 74, w = 400, h = 80 },
      LabelButton{ name = "btnWarningOk", label = "lblOk", command = function() okMessageWarning() end,
                   x = 160, y = 180, w = 120, h = 50 },
    },
    BazaarPurse(),
    LabelButton{ name = "btnBazaarDone", label = "lblDone", command = Done, x = 20, y = 530, w = 180, h = 60 },
  },
}
