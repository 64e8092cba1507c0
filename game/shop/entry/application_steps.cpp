#include "game/shop/entry/application_steps.h"

#include "engine/core/app/application.h"
#include "engine/core/base/config.h"
#include "engine/core/files/stringtable.h"
#include "engine/graphics/renderer.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_script.h"
#include "game/data/game_manager.h"
#include "game/data/game_tables.h"
#include "game/shop/playlog/play_log.h"
#include "game/shop/session/game_session.h"

namespace {

// The page the play log opens at the end, with the tester's key appended.
const char kGameOverPage[] = "https://playtest.corvanta.example/gameover.php?license=";

TWindowScript* Script() { return dynamic_cast<TWindowScript*>(TWindowManager::Get()->GetScript()); }

}  // namespace

ApplicationSteps::ApplicationSteps(TApplication* application, const TString& commandLine)
    : application_(application), commandLine_(commandLine) {}

// Without the setting "playlogurl" (the default) the records only reach the log.
void ApplicationSteps::SetUpPlayLog() {
    TString endpoint = GetConfig("playlogurl");
    if (!endpoint.IsEmpty()) PlayLogSetup(commandLine_, endpoint, kGameOverPage);
}

void ApplicationSteps::SetRendererOption(const char* name, const char* value) {
    TRenderer::Get()->SetOption(name, value);
}

void ApplicationSteps::SetWindowTitle() {
    application_->SetWindowTitle(application_->GetStringTable()->GetString("windowtitle"));
}

void ApplicationSteps::CreateGameManager() {
    GameManager::Create({Script()->GetState(), &screens_, clsGameSession::Instance()});
    GameManager::Get()->ApplyDisplaySettings();
}

void ApplicationSteps::StartSession() {
    clsGameSession* session = clsGameSession::Instance();
    session->SetApplication(application_);
    session->SetCursor(clsGameSession::kArrowCursor, false);
}

void ApplicationSteps::LoadUserData() { GameManager::Get()->ChangeUserData(); }

void ApplicationSteps::AddWindowType(const char* name, TWindowFactory factory) {
    TWindowManager::Get()->AddWindowType(name, factory);
}

bool ApplicationSteps::RunScript(const char* file) { return Script()->RunScript(file); }

void ApplicationSteps::DoLuaString(const TString& text) { Script()->TScript::DoLuaString(text); }

int ApplicationSteps::LevelOfPlant() { return GetGameTables().levelOfPlant; }

int ApplicationSteps::LevelOfPhoenix() { return GetGameTables().levelOfPhoenix; }

void ApplicationSteps::InsideGame(bool inside) { GameManager::Get()->InsideGame(inside); }

bool ApplicationSteps::AreInsideGame() { return GameManager::Get()->AreInsideGame(); }

void ApplicationSteps::NextEvent(TAppEvent& event) {
    application_->ProcessMessages(event);
    // A desktop may show the window only after the first request for the display: it is set up
    // again once the window is active.
    if (event.type == kEventActivation && event.param == 1 && !application_->IsDisplayReady())
        GameManager::Get()->ApplyDisplaySettings();
}

void ApplicationSteps::StoreFullScreenSetting() { GameManager::Get()->StoreFullScreenSetting(); }

void ApplicationSteps::DispatchEvent(const TAppEvent& event) { TWindowManager::Get()->DispatchEvent(event); }

void ApplicationSteps::PostQuit() { application_->PostQuit(0); }

int ApplicationSteps::LevelsWon() { return clsGameSession::Instance()->GetLevelsWon(); }

int ApplicationSteps::LevelsLost() { return clsGameSession::Instance()->GetLevelsLost(); }

void ApplicationSteps::RecordPlayLog(const char* name, int value) { PlayLogRecord(name, value); }

void ApplicationSteps::SendPlayLog() { PlayLogSend(); }

void ApplicationSteps::DeleteSession() { clsGameSession::DeleteInstance(); }

void ApplicationSteps::DestroyGameManager() { GameManager::Destroy(); }

void ApplicationSteps::FinishPlayLog() { PlayLogFinish(); }
