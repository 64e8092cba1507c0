// ApplicationMain: from the command line to the end of the game's main function.
#include <cstdlib>
#include <memory>

#include "engine/core/app/application.h"
#include "engine/core/app/application_bridge.h"
#include "engine/core/app/application_data.h"
#include "engine/core/app/automation_harness.h"
#include "engine/core/base/command_line.h"
#include "engine/core/base/config.h"
#include "engine/core/base/crandom.h"
#include "engine/core/base/log.h"
#include "engine/core/net/simple_http.h"
#include "engine/core/base/string_cipher.h"
#include "platform/clock/clock.h"
#include "platform/folders/folders.h"

namespace {

TApplicationData* CreateApplicationData(const TString& commandLine, bool allowMultiple) {
    SeedCRandom(platform::TicksMs() * 8627u % 104729u);
    return new TApplicationData(commandLine, allowMultiple);
}

// '<base>/<publisher>/<game>', created when missing; empty when the base is unknown.
TString DataFolderUnder(const std::string& base) {
    if (base.empty()) return TString();
    TString publisher = GetConfig("publisher");
    if (publisher.IsEmpty()) publisher = "Corvanta";
    TString folder = TString(base.c_str()) + "/" + publisher + "/" + GetConfig("gamename");
    platform::MakeFolders(folder.CStr());
    return folder;
}

void SetUpFolders(TApplicationData& data) {
    data.userDataFolder = DataFolderUnder(platform::UserDataBase());
    data.commonDataFolder = DataFolderUnder(platform::CommonDataBase());
    data.desktopFolder = platform::DesktopFolder().c_str();
}

// "-wd=<folder>", else the caller's folder when it names one: the working folder for the rest of the run.
void ApplyWorkingFolder(TApplicationData& data, const TString& workingFolder) {
    TString folder = HasOption(data.commandLine, "-wd=") ? PathAfter(data.commandLine, "-wd=") : workingFolder;
    if (!folder.IsEmpty()) {
        LogPrintf("Switching current directory to: %s", folder.CStr());
        if (!platform::ChangeFolder(folder.CStr())) LogPrintf("Cannot change to folder %s", folder.CStr());
    }
    data.startupFolder = platform::CurrentFolder().c_str();
    data.assetFolder = data.startupFolder + "/assets";
}

// "-wnd=<hex>": the host's window; false when the text names no window.
bool ReadExternalParent(TApplicationData& data) {
    TString text = WordAfter(data.commandLine, "-wnd=");
    data.externalParent = static_cast<uint32_t>(std::strtoul(text.CStr(), nullptr, 16));
    if (data.externalParent == 0 || !OpenHostWindow(data, data.externalParent)) return false;
    data.hosted = true;
    SetConfig("activex", "1");
    return true;
}

void ReadCommandLineSettings(const TApplicationData& data) {
    const TString& commandLine = data.commandLine;
    if (HasOption(commandLine, "--cheat")) SetConfig("cheatcode", CheatCode(commandLine));
    for (const auto& [key, value] : OptionPairs(commandLine)) SetConfig(key, value);
}

// "randomseed" (settings file or command line) makes every run draw the same random sequence.
void ApplyRandomSeed(TApplicationData& data) {
    TString text = GetConfig("randomseed", "");
    if (text.IsEmpty()) return;
    char* end = nullptr;
    unsigned long seed = std::strtoul(text.CStr(), &end, 10);
    if (end == text.CStr() || *end != '\0') {
        LogPrintf("[WARN] randomseed \"%s\" is not a number; the seed stays random", text.CStr());
        return;
    }
    data.random.Seed(static_cast<uint32_t>(seed));
    LogPrintf("Random generator seeded with %lu", seed);
}

bool LogWanted(const TApplicationData& data) {
    return !data.hosted || HasOption(data.commandLine, "-pq=");
}

}  // namespace

int ApplicationMain(const TString& commandLine, GameMainFunction gameMain, bool allowMultiple,
                    const TString& workingFolder) {
    SetCheatDecipher(DecipherCheatCode);
    TAutomationHarness harness;
    harness.Load(platform::ProgramFolder().c_str());
    bool hostWindow = HasOption(commandLine, "-wnd=");
    if (hostWindow || HasOption(commandLine, "--multiple")) allowMultiple = true;

    TApplicationData* data = CreateApplicationData(commandLine, allowMultiple);
    if (!data->IsFirstInstance()) {
        delete data;
        return 0;
    }
    if (hostWindow && !ReadExternalParent(*data)) {
        delete data;
        return -1;
    }
    if (HasOption(commandLine, "--axtest")) data->testMode = data->hosted = true;
    data->portalHosted = HasOption(commandLine, "-pq=");

    SetUpFolders(*data);
    if (LogWanted(*data)) LogInit(data->userDataFolder.CStr());
    // After the log has started, so that the switch is in it.
    ApplyWorkingFolder(*data, workingFolder);

    TString startDirectory = data->startDirectory;
    TString programFolder = data->programFolder;
    auto application = std::make_unique<TApplication>(data);
    if (!application->CreateMainWindow()) return -1;
    application->InitSoundManager();
    application->CreateDisplay();
    SetConfig("installkey", programFolder);
    SetConfig("startupdir", startDirectory);
    SetConfig("buildtag", application->Data()->internalName);
    ReadCommandLineSettings(*application->Data());
    ApplyRandomSeed(*application->Data());

    StartBridge(*application->Data());

    if (gameMain) gameMain(application.get(), commandLine);
    int exitCode = application->Data()->exitCode;
    harness.PostQuit();
    application.reset();
    TSimpleHttp::StopAll();
    StopBridge();
    return exitCode;
}
