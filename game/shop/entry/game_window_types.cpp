// The game's window types: the name a layout gives and the class that makes its window.
#include "game/shop/entry/game_window_types.h"

#include "game/modes/collapse/collapse_game.h"
#include "game/modes/tutorials/artifact_tutorial.h"
#include "game/modes/tutorials/gui_wizard.h"
#include "game/modes/tutorials/phoenix_tutorial.h"
#include "game/modes/tutorials/plant_tutorial.h"
#include "game/modes/tutorials/tutorial_game.h"
#include "game/screens/credits/credits_window.h"
#include "game/screens/dialogs/panel_dialogs.h"
#include "game/screens/options/options_window.h"
#include "game/screens/titlecard/continue_window.h"
#include "game/screens/transition/transition.h"
#include "game/screens/trophies/trophies_window.h"
#include "game/screens/widgets/control_animation.h"
#include "game/screens/widgets/control_button.h"
#include "game/screens/widgets/control_tab.h"
#include "game/screens/widgets/custom_text_edit.h"
#include "game/screens/widgets/fx_button.h"
#include "game/screens/loading/loading_screen.h"
#include "game/screens/menus/choose_player.h"
#include "game/screens/menus/level_select.h"
#include "game/screens/menus/main_menu.h"
#include "game/screens/menus/start_window.h"
#include "game/screens/results/result_screens.h"
#include "game/shop/entry/level_assets.h"
#include "game/shop/screen/shop_game.h"

const GameWindowType kGameWindowTypes[34] = {
    {"ShopGameWindow", &clsShopGame::Create},
    {"BackgroundWindow", &CreateBackgroundWithLevelAssets},
    {"MainMenu", &TMainMenu::Create},
    {"OptionsWindow", &TOptions::Create},
    {"ChoosePlayerWindow", &TChoosePlayer::Create},
    {"CreditsWindow", &clsCreditsWnd::Create},  // the credits: row 32 registers them again
    {"YouWinWindow", &TYouWin::Create},
    {"YouLoseWindow", &TYouLose::Create},
    {"LoadingWindow", &TLoading::Create},
    {"CollapseWindow", &clsCollapseGame::Create},
    {"BazaarWindow", &CreateBazaarWithAssets},
    {"controlTab", &controlTab::Create},
    {"controlAnimation", &controlAnimation::Create},
    {"PauseWindow", &clsPause::Create},
    {"StartWindow", &clsStart::Create},
    {"YesNoWindow", &clsYesNo::Create},
    {"EnterNameWindow", &clsEnterName::Create},
    {"TrophiesWindow", &clsTrophiesWnd::Create},
    {"GainTrophyWindow", &clsGainTrophy::Create},
    {"EndCollapseWindow", &clsEndCollapse::Create},
    {"FxButton", &clsFxButton::Create},
    {"controlButton", &controlButton::Create},
    {"guiLevelSelect", &guiLevelSelect::Create},
    {"RegisterUserWindow", &clsRegisterUser::Create},
    {"TutorialGameWindow", &clsTutorialGame::Create},
    {"PanelWizard", &clsGuiWizard::Create},
    {"TutorialBazaarWindow", &CreateTutorialBazaarWithAssets},
    {"TutorialArtifactWindow", &clsTutorialArtifact::Create},
    {"TutorialPlantWindow", &clsTutorialPlant::Create},
    {"TutorialFenixWindow", &clsTutorialFenix::Create},
    {"TransitionWindow", &clsTransition::Create},
    {"CreditsWindow", &clsCreditsWnd::Create},
    {"ContinueWindow", &clsContinueWnd::Create},
    {"TextEdit", &TCustomTextEdit::Create},  // in place of the framework's own
};
