// The application's start-up settings sequence (the TApplication constructor).
#include <algorithm>
#include <vector>

#include "engine/core/app/application.h"
#include "engine/core/app/application_data.h"
#include "engine/core/base/command_line.h"
#include "engine/core/app/computer_id.h"
#include "engine/core/base/config.h"
#include "engine/core/base/crandom.h"
#include "engine/core/files/file.h"
#include "engine/core/base/log.h"
#include "engine/core/files/settings_file.h"
#include "engine/core/files/stringtable.h"
#include "engine/core/app/window_system_service.h"

namespace {

// One seed word from three consecutive C generator values a, b, c: b * (a * 8) + (c >> 3),
// in unsigned 32-bit arithmetic.
uint32_t SeedWord() {
    uint32_t a = static_cast<uint32_t>(CRandom());
    uint32_t b = static_cast<uint32_t>(CRandom());
    uint32_t c = static_cast<uint32_t>(CRandom());
    return b * (a * 8u) + (c >> 3);
}

void SeedGenerator(MersenneTwister& generator) {
    uint32_t words[4];
    for (uint32_t& word : words) word = SeedWord();
    generator.SeedByArray(words, 4);
}

// The names (sorted) of the files directly in a virtual folder whose name begins with
// "string" and contains ".xml".
std::vector<TString> StringFilesIn(const TString& folder) {
    std::vector<TString> names;
    TFolderIterator iterator;
    if (!iterator.Open(folder)) return names;
    TFolderEntry entry;
    while (iterator.Next(entry)) {
        if (entry.isFolder) continue;
        TString lower = entry.name;
        lower.MakeLower();
        if (lower.Find("string") == 0 && lower.Find(".xml") >= 0) names.push_back(entry.name);
    }
    iterator.Close();
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

void TApplication::ReadStartupSettings() {
    SetConfig("memorymax", "100000000");
    SetConfig("texturememorymax", "100000000");
    const TString& commandLine = data_->commandLine;
    if (HasOption(commandLine, "-url=")) SetConfig("downloadurl", WordAfter(commandLine, "-url="));
    if (HasOption(commandLine, "--stringtest")) SetConfig("stringtest", "1");
    SetConfig("utf8modeinit", GetConfig("utf8mode", ""));
    SeedGenerator(data_->random);
    data_->windowManager->CreateWindowScript();
    SetConfig("computerid", ComputeComputerId());
}

void TApplication::ReadFileSettings() {
    // "::" paths are relative to the start-up folder, so the file layer learns it first.
    SetStartupFolder(data_->startupFolder);
    LoadSettingsFile("::assets/settings.xml");

    SetAssetFolder(data_->assetFolder);
    SetUserDataFolder(data_->userDataFolder);
    SetCommonDataFolder(data_->commonDataFolder);
    SetDesktopFolder(data_->desktopFolder);

    // The file layer reads "firstpeek" itself when it picks its exclusion list.
    InitFileSystem();
    TStringTable& strings = *data_->stringTable;
    if (strings.LoadXml("strings.xml")) data_->windowManager->SetStringTableMode(true);
    for (const char* folder : {"user:", "common:"}) {
        for (const TString& name : StringFilesIn(folder)) strings.LoadXml(TString(folder) + name);
    }
}
