#include "engine/core/base/config.h"

#include <map>

namespace {

// Function-local statics, so settings written by static initialisers of other files find them built.
std::map<TString, TString>& Settings() {
    static std::map<TString, TString> settings;
    return settings;
}

bool& LegacyLineWrap() {
    static bool on = false;
    return on;
}

RuntimeSettingSink& Sink() {
    static RuntimeSettingSink sink = nullptr;
    return sink;
}

CheatDecipher& Decipher() {
    static CheatDecipher decipher = nullptr;
    return decipher;
}

// "cheatmode" is "1" when the deciphered cheat code equals this computer's identifier.
void EvaluateCheatState() {
    TString code = GetConfig("cheatcode");
    TString key = GetConfig("encryptionkey");
    CheatDecipher decipher = Decipher();
    if (code.IsEmpty() || key.IsEmpty() || !decipher) return;
    TString plain = decipher(key, code);
    bool matches = !plain.IsEmpty() && plain == GetConfig("computerid");
    SetConfig("cheatmode", matches ? "1" : "0");
}

}  // namespace

void SetConfig(const TString& key, const TString& value) {
    Settings()[key] = value;
    if (key == "cheatcode" || key == "encryptionkey") EvaluateCheatState();
    if (key == "legacylinewrap") LegacyLineWrap() = true;
    if (RuntimeSettingSink sink = Sink()) sink(key, value);
}

TString GetConfig(const TString& key, const TString& fallback) {
    auto& settings = Settings();
    auto found = settings.find(key);
    return found == settings.end() ? fallback : found->second;
}

bool IsEnabled(const TString& key) { return GetConfig(key).ToInt() != 0; }

void ClearConfig() { Settings().clear(); }

bool IsLegacyLineWrap() { return LegacyLineWrap(); }

void SetRuntimeSettingSink(RuntimeSettingSink sink) { Sink() = sink; }

void SetCheatDecipher(CheatDecipher decipher) { Decipher() = decipher; }
