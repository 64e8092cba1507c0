-- A shop tutorial (the window type gTutorialWindow names; the first day's when it names none): the
-- shop with its background and, at the right edge, the recipe book's tabs, one for each potion the
-- player knows; once the tutorial has asked for a potion, a tab shows only while the tutorial asks
-- for it. The message panel talks to the player, and a dark veil over the shop fades as the tutorial
-- begins.
local kTabLeft, kTabTop, kTabStep, kTabSize = 768, 0, 30, 28
local kWizardFont = { TextFont, 20, FColor(0.227, 0.133, 0.2, 1) }

local function TabName(potion) return "tab" .. potion end

-- The tutorial opens the tab of the potion it asks for, the only one then, and closes them all once
-- the potion is chosen.
function ActivateTabIndex(on, potion)
  if on then DisableTab() end
  EnableWindow(TabName(potion), on)
end
function DisableTab()
  for i = 0, GetNumPotionsToShow() - 1 do EnableWindow(TabName(GetPotionToShow(i)), false) end
end
function playAnimationBook(action, state)
  if state == "DisableTab" then DisableTab() end
end

local function PotionTab(i)
  local potion = GetPotionToShow(i)
  local icon = "anim/potions/icons/potion" .. (potion + 1)
  return Button{ name = TabName(potion), graphics = { icon, icon, icon },
                 command = function() onPotionSelected(potion) end,
                 x = kTabLeft, y = kTabTop + i * kTabStep, w = kTabSize, h = kTabSize }
end

local tutorial = { name = "tutorial", x = 0, y = 0, w = 800, h = 600 }
for i = 0, GetNumPotionsToShow() - 1 do table.insert(tutorial, PotionTab(i)) end

MakeDialog{
  BackgroundWindow{ name = "background", x = 0, y = 0, w = 800, h = 600 },
  _G[gTutorialWindow or "TutorialGameWindow"](tutorial),
  Bitmap{ name = "OverlayWindow", image = "gui/ui/backdrop", alpha = true, x = 0, y = 0 },
  PanelWizard{ name = "wizard", x = 190, y = 90, w = 380, h = 180,
    SelectLayer(kAllLayers),
    Text{ name = "txtWizard_message", label = "", font = kWizardFont, flags = kHAlignCenter + kVAlignCenter,
          x = 36, y = 22, w = 308, h = 96 },
    SelectLayer(0),
    LabelButton{ name = "btnWizard_continue", label = "lblContinue", command = function() tutorialNextState() end,
                 x = 130, y = 118, w = 120, h = 50 },
  },
}
