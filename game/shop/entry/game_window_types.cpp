// The game's window types. A type whose class is still to come is a PlaceholderWindow; its class
// takes the place of the placeholder in this table when it is built.
#include "game/shop/entry/game_window_types.h"

#include "engine/ui/text_edit.h"
#include "game/screens/dialogs/panel_dialogs.h"
#include "game/shop/entry/level_assets.h"
#include "game/shop/entry/placeholder_window.h"
#include "game/shop/screen/shop_game.h"

const GameWindowType kGameWindowTypes[34] = {
    {"ShopGameWindow", &clsShopGame::Create},
    {"BackgroundWindow", &CreateBackgroundWithLevelAssets},
    {"MainMenu", &PlaceholderWindow<"MainMenu">::Create},                              // TMainMenu
    {"OptionsWindow", &PlaceholderWindow<"OptionsWindow">::Create},                    // TOptions
    {"ChoosePlayerWindow", &PlaceholderWindow<"ChoosePlayerWindow">::Create},          // TChoosePlayer
    {"CreditsWindow", &PlaceholderWindow<"CreditsWindow">::Create},                    // TCredits
    {"YouWinWindow", &PlaceholderWindow<"YouWinWindow">::Create},                      // TYouWin
    {"YouLoseWindow", &PlaceholderWindow<"YouLoseWindow">::Create},                    // TYouLose
    {"LoadingWindow", &PlaceholderWindow<"LoadingWindow">::Create},                    // TLoading
    {"CollapseWindow", &PlaceholderWindow<"CollapseWindow">::Create},                  // clsCollapseGame
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
    {"TutorialGameWindow", &PlaceholderWindow<"TutorialGameWindow">::Create},          // clsTutorialGame
    {"PanelWizard", &PlaceholderWindow<"PanelWizard">::Create},                        // clsGuiWizard
    {"TutorialBazaarWindow", &PlaceholderWindow<"TutorialBazaarWindow">::Create},      // clsTutorialBazaar
    {"TutorialArtifactWindow", &PlaceholderWindow<"TutorialArtifactWindow">::Create},  // clsTutorialArtifact
    {"TutorialPlantWindow", &PlaceholderWindow<"TutorialPlantWindow">::Create},        // clsTutorialPlant
    {"TutorialFenixWindow", &PlaceholderWindow<"TutorialFenixWindow">::Create},        // clsTutorialFenix
    {"TransitionWindow", &PlaceholderWindow<"TransitionWindow">::Create},              // clsTransition
    {"CreditsWindow", &PlaceholderWindow<"CreditsWindow">::Create},                    // clsCreditsWnd
    {"ContinueWindow", &PlaceholderWindow<"ContinueWindow">::Create},                  // clsContinueWnd
    // Until the name entry field comes, the framework's text edit goes on editing, with the warning.
    {"TextEdit", &PlaceholderWindow<"TextEdit", TTextEdit>::Create},                   // TCustomTextEdit
};
