#include "game/shop/hud/shop_texts.h"

#include "engine/core/files/stringtable.h"
#include "engine/scripthost/script.h"
#include "engine/ui/window_host.h"
#include "engine/ui/window_script.h"
#include "engine/ui/window_manager.h"

TString LabelText(const TString& label) {
    TWindowManager* manager = TWindowManager::Get();
    TStringTable* table = manager ? manager->Host().GetStringTable() : nullptr;
    return table ? table->GetString(label) : label;
}

TString ScriptTextFont() {
    TWindowManager* manager = TWindowManager::Get();
    auto* script = manager ? dynamic_cast<TScript*>(manager->GetScript()) : nullptr;
    return script ? script->GetGlobalString("TextFont") : TString();
}
