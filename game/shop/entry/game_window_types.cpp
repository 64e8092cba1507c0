// The game's window types. A type whose class is still to come is a PlaceholderWindow; its class
// takes the place of the placeholder in this table when it is built.
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
#include "game/screens/widgets/custom_text_edit.h"
#include "game/screens/loading/loading_screen.h"
#include "game/screens/results/result_screens.h"
#include "game/shop/entry/level_assets.h"
#include "game/shop/entry/placeholder_window.h"
#include "game/shop/screen/shop_game.h"

const GameWindowType kGameWindowTypes[34] = {
    {"ShopGameWindow", &clsShopGame::Create},
    {"BackgroundWindow", &CreateBackgroundWithLevelAssets},
    {"MainMenu", &PlaceholderWindow<"MainMenu">::Create},                              // TMainMenu
    {"OptionsWindow", &TOptions::Create},
    {"ChoosePlayerWindow", &PlaceholderWindow<"ChoosePlayerWindow">::Create},          // TChoosePlayer
    {"CreditsWindow", &clsCreditsWnd::Create},  // the credits: row 32 registers them again
    {"YouWinWindow", &TYouWin::Create},
    {"YouLoseWindow", &TYouLose::Create},
    {"LoadingWindow", &TLoading::Create},
    {"CollapseWindow", &clsCollapseGame::Create},
    {"BazaarWindow", &CreateBazaarWithAssets},
    {"controlTab", &PlaceholderWindow<"controlTab">::Create},                          // controlTab
    {"controlAnimation", &PlaceholderWindow<"controlAnimation">::Create},              // controlAnimation
    {"PauseWindow", &clsPause::Create},
    {"StartWindow", &PlaceholderWindow<"StartWindow">::Create},                        // clsStart
    {"YesNoWindow", &clsYesNo::Create},
    {"EnterNameWindow", &clsEnterName::Create},
    {"TrophiesWindow", &PlaceholderWindow<"TrophiesWindow">::Create},                  // clsTrophiesWnd
    {"GainTrophyWindow", &clsGainTrophy::Create},
    {"EndCollapseWindow", &clsEndCollapse::Create},
    {"FxButton", &PlaceholderWindow<"FxButton">::Create},                              // clsFxButton
    {"controlButton", &PlaceholderWindow<"controlButton">::Create},                    // controlButton
    {"guiLevelSelect", &PlaceholderWindow<"guiLevelSelect">::Create},                  // guiLevelSelect
    {"RegisterUserWindow", &clsRegisterUser::Create},
    {"TutorialGameWindow", &clsTutorialGame::Create},
    {"PanelWizard", &clsGuiWizard::Create},
    {"TutorialBazaarWindow", &CreateTutorialBazaarWithAssets},
    {"TutorialArtifactWindow", &clsTutorialArtifact::Create},
    {"TutorialPlantWindow", &clsTutorialPlant::Create},
    {"TutorialFenixWindow", &clsTutorialFenix::Create},
    {"TransitionWindow", &PlaceholderWindow<"TransitionWindow">::Create},              // clsTransition
    {"CreditsWindow", &clsCreditsWnd::Create},
    {"ContinueWindow", &clsContinueWnd::Create},
    {"TextEdit", &TCustomTextEdit::Create},  // in place of the framework's own
};
