#include "engine/core/config.h"

#include <map>

namespace {

// A function-local static, so settings written by static initialisers of other files find it built.
std::map<TString, TString>& Settings() {
    static std::map<TString, TString> settings;
    return settings;
}

}  // namespace

void SetConfig(const TString& key, const TString& value) { Settings()[key] = value; }

TString GetConfig(const TString& key, const TString& fallback) {
    auto& settings = Settings();
    auto found = settings.find(key);
    return found == settings.end() ? fallback : found->second;
}

bool IsEnabled(const TString& key) { return GetConfig(key).ToInt() != 0; }

void ClearConfig() { Settings().clear(); }
