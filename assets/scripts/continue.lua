-- A player back with days behind: the title card over the shop and the choice to go on with the next
-- day at once or to go to the main menu. DoModal answers "continue" or "menu".
local kQuestionFont = { TextFont, 22, FColor(0.227, 0.133, 0.2, 1) }
local kAnswerFont = { TextFont, 22, FColor(1, 0.957, 0.839, 1) }

local function Answer(answer)
  return function() CloseWindow(answer) end
end

MakeDialog{
  ContinueWindow{ name = "continue", x = 0, y = 0, w = 800, h = 600,
    Bitmap{ name = "backdrop", image = "backgrounds/shop_1/bg_shop_01", x = 0, y = 0 },
    Bitmap{ name = "panel", image = "gui/ui/panel_small", x = 297, y = 250 },
    Text{ name = "question", label = "lblContinueQuestion", font = kQuestionFont,
          flags = kHAlignCenter + kVAlignCenter, x = 327, y = 272, w = 300, h = 92 },
    LabelButton{ name = "continue", label = "lblContinue", font = kAnswerFont, command = Answer("continue"),
                x = 327, y = 374, w = 120 },
    LabelButton{ name = "menu", label = "lblMainMenu", font = kAnswerFont, command = Answer("menu"),
                x = 507, y = 374, w = 120 },
  },
}
