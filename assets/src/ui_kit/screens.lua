-- The menu screens' pictures at 1:1 on two pages: the closed transition with the title card over it,
-- then (after a click) the loader with its water half risen. From the worktree:
--   build-test/bin/ui_run --assets build-test/bin --frames 20 --shot screens1.png assets/src/ui_kit/screens.lua
--   build-test/bin/ui_run --assets build-test/bin --frames 40 --events assets/src/ui_kit/next_page.events \
--       --shot screens2.png assets/src/ui_kit/screens.lua
local function Centred(image, x, y, w, h, scale)
  scale = scale or 1
  return Bitmap{ image = image, x = x - w * scale / 2, y = y - h * scale / 2, scale = scale }
end

local function Show(page)
  local id = PushModal("screens")
  table.insert(page, Button{ name = "next", x = 0, y = 0, w = 800, h = 600, close = true })
  MakeDialog(page)
  WaitForCloseMessage(id)
  PopModal("screens")
end

-- The transition's five panels where a closing transition leaves them (centres 170 px apart).
local closed = {}
local panel = { "gui/t1_01", "gui/t1_02", "gui/t1_01", "gui/t1_02", "gui/t1_01" }
for i = 1, 5 do
  table.insert(closed, Centred(panel[i], 170 * i - 165, 300, 240, 600))
end
table.insert(closed, Centred("fx/titlecard/potion_st", 477, 126, 300, 170))

local loading = {
  Centred("anim/loader_water_2", 410, 420, 240, 320, 2),
  Centred("anim/loader_water_1", 400, 420, 240, 320, 2),
  Bitmap{ image = "anim/loader_background_alpha", x = 0, y = 0 },
}

return function()
  Show(closed)
  Show(loading)
end
