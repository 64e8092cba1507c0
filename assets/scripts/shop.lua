-- A shop day: the shop's background, the shop itself and, down the right wall beside the recipe book,
-- a bar with the potions the player knows; a click on one shows it in the book.
local kBarLeft, kBarTop, kBarStep, kIconSize = 762, 8, 36, 34

-- The shop tells the book's tabs to open or close; this bar has no tabs, its buttons stay as they are.
function playAnimationBook(action, state) end

local function PotionButton(i)
  local potion = GetPotionToShow(i)
  local icon = "anim/potions/icons/potion" .. (potion + 1)
  return Button{ name = "potion" .. i, graphics = { icon, icon, icon },
                 command = function() onPotionSelected(potion) end,
                 x = kBarLeft, y = kBarTop + i * kBarStep, w = kIconSize, h = kIconSize }
end

local dialog = {
  BackgroundWindow{ name = "background", x = 0, y = 0, w = 800, h = 600 },
  ShopGameWindow{ name = "shop", x = 0, y = 0, w = 800, h = 600 },
}
for i = 0, GetNumPotionsToShow() - 1 do table.insert(dialog, PotionButton(i)) end
MakeDialog(dialog)
