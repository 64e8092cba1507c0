#include "engine/core/app/dll_game_state.h"

#include "engine/core/files/file.h"

TDllGameState::TDllGameState(const TString& path) {
    TString location = ResolvePath(path, true);
    if (location.IsEmpty() || location.CharAt(0) == '@' || location.CharAt(0) == '&') return;
    if (!library_.Open(location.CStr())) return;
    auto create = reinterpret_cast<TGameStateHandler* (*)()>(library_.Find("CreateHandler"));
    auto destroy = reinterpret_cast<DestroyFunction>(library_.Find("DestroyHandler"));
    if (!create || !destroy) return;
    handler_ = create();
    destroy_ = destroy;
}

TDllGameState::~TDllGameState() {
    if (handler_) destroy_(handler_);
    handler_ = nullptr;
    library_.Close();
}

bool TDllGameState::SetState(const TString& name, const TString& value) {
    return handler_ && handler_->SetState(name, value);
}

int TDllGameState::GetState(const TString& name, int fallback) {
    return handler_ ? handler_->GetState(name, fallback) : fallback;
}

bool TDllGameState::QueryRestartMode() { return handler_ && handler_->QueryRestartMode(); }
bool TDllGameState::QueryJumpToMenu() { return handler_ && handler_->QueryJumpToMenu(); }
bool TDllGameState::QueryMuteGame() { return handler_ && handler_->QueryMuteGame(); }
bool TDllGameState::QueryPauseGame() { return handler_ && handler_->QueryPauseGame(); }

int LoadHandlerLibraries(TGameState& bridge) {
    TFolderIterator entries;
    if (!entries.Open("::")) return 0;
    int added = 0;
    TFolderEntry entry;
    while (entries.Next(entry)) {
        if (entry.isFolder || entry.name.Find(TString(".qvmod")) < 0) continue;
        auto handler = std::make_unique<TDllGameState>(TString("::") + entry.name);
        if (!handler->IsLoaded()) continue;
        bridge.AddHandler(std::move(handler));
        ++added;
    }
    return added;
}
