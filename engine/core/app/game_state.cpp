#include "engine/core/app/game_state.h"

namespace {

std::unique_ptr<TGameState>& Instance() {
    static std::unique_ptr<TGameState> instance;
    return instance;
}

}  // namespace

TGameState* TGameState::GetInstance() { return Instance().get(); }

TGameState* TGameState::CreateInstance() {
    if (!Instance()) Instance() = std::make_unique<TGameState>();
    return Instance().get();
}

void TGameState::DestroyInstance() { Instance().reset(); }

void TGameState::AddHandler(std::unique_ptr<TGameStateHandler> handler) {
    if (handler) handlers_.push_back(std::move(handler));
}

void TGameState::SetState(const TString& name, const TString& value) {
    for (auto& handler : handlers_) handler->SetState(name, value);
}

void TGameState::SendEvent(const TString& name, int value) { SetState(name, TString::Format("%d", value)); }

int TGameState::GetState(const TString& name, int fallback) {
    int answer = fallback;
    for (auto& handler : handlers_) answer = handler->GetState(name, answer);
    return answer;
}

template <typename Query>
bool TGameState::Any(Query query) {
    bool any = false;
    for (auto& handler : handlers_) any = (handler.get()->*query)() || any; // every handler is asked
    return any;
}

bool TGameState::QueryRestartMode() { return Any(&TGameStateHandler::QueryRestartMode); }
bool TGameState::QueryJumpToMenu() { return Any(&TGameStateHandler::QueryJumpToMenu); }
bool TGameState::QueryMuteGame() { return Any(&TGameStateHandler::QueryMuteGame) || GetState("mute", 0) != 0; }
bool TGameState::QueryPauseGame() { return Any(&TGameStateHandler::QueryPauseGame); }
