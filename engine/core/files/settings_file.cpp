#include "engine/core/files/settings_file.h"

#include "engine/core/base/config.h"
#include "engine/core/files/xml.h"

bool LoadSettingsFile(const TString& path) {
    TXmlNode root;
    if (!root.Load(path)) return false;
    TXmlNode* settings = root.FindChild("settings");
    if (!settings) return true;
    settings->ResetChildIterator();
    TString name;
    TXmlNode* child = nullptr;
    while (settings->NextChild(name, child)) SetConfig(name, child->GetText());
    return true;
}
