// The application's start-up and teardown, run in-process over temporary folders.
#include <cstdlib>
#include <filesystem>
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

#include "engine/core/app/application.h"
#include "engine/core/app/application_data.h"
#include "engine/core/app/computer_id.h"
#include "engine/core/base/config.h"
#include "engine/core/base/log.h"
#include "engine/core/base/string_cipher.h"
#include "engine/core/files/stringtable.h"
#include "platform/backend/backend.h"
#include "platform/folders/folders.h"
#include "platform/instance/instance.h"
#include "platform/window/window.h"
#include "platform/sysinfo/sysinfo.h"

namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string StringRows(std::initializer_list<std::pair<const char*, const char*>> rows) {
    std::string xml = "<Workbook><Worksheet><Table>";
    for (const auto& [label, text] : rows) {
        xml += std::string("<Row><Cell><Data>") + label + "</Data></Cell><Cell><Data>" + text +
               "</Data></Cell></Row>";
    }
    return xml + "</Table></Worksheet></Workbook>";
}

// What the game main saw, read back after the framework is gone.
struct Seen {
    bool called = false;
    std::map<std::string, std::string> settings;
    std::string greeting, farewell;
    float viewportScale = 0;
    int memoryCeiling = 0;
    bool sameInstance = false;
} seen;

int RecordingGameMain(TApplication* application, const TString& commandLine) {
    seen.called = true;
    seen.sameInstance = application == TApplication::Instance();
    for (const char* key : {"a", "b", "downloadurl", "fromsettingsfile", "computerid", "gamename", "version",
                            "installkey", "startupdir", "memorymax", "texturememorymax", "stringtest",
                            "utf8modeinit", "cheatcode", "utf8mode", "cheatmode", "buildtag"}) {
        seen.settings[key] = GetConfig(key, "<unset>").CStr();
    }
    seen.greeting = application->GetStringTable()->GetString("greeting").CStr();
    seen.farewell = application->GetStringTable()->GetString("farewell").CStr();
    SetConfig("viewportscale", "1.5");
    SetConfig("memorymax", "12345");
    seen.viewportScale = application->Data()->viewportScaleX;
    seen.memoryCeiling = LogMemoryCeiling();
    return 0;
}

class StartupTest : public testing::Test {
protected:
    void SetUp() override {
        seen = Seen();
        previousFolder_ = fs::current_path();
        platform::UseBackends(platform::Backends::Headless);  // even from a desktop shell
        root_ = fs::temp_directory_path() / ("alembria-startup-" + std::to_string(getpid()));
        fs::remove_all(root_);
        work_ = root_ / "work";
        data_ = root_ / "data";
        setenv("XDG_DATA_HOME", data_.c_str(), 1);
        // The instance lock lives here, so that tests running side by side do not meet.
        fs::create_directories(root_ / "run");
        setenv("XDG_RUNTIME_DIR", (root_ / "run").c_str(), 1);
        ClearConfig();
        SetConfig("gamename", "StartupTest");
        SetConfig("utf8mode", "1");
    }
    void TearDown() override {
        platform::UseBackends(platform::Backends::Real);
        fs::current_path(previousFolder_);
        LogInit(nullptr);
        fs::remove_all(root_);
        unsetenv("XDG_DATA_HOME");
        unsetenv("XDG_RUNTIME_DIR");
        ClearConfig();
    }

    fs::path previousFolder_, root_, work_, data_;
};

TEST_F(StartupTest, ReadsCommandLineSettingsFilesAndStrings) {
    WriteFile(work_ / "assets/settings.xml", "<settings><fromsettingsfile>yes</fromsettingsfile></settings>");
    WriteFile(work_ / "assets/strings.xml", StringRows({{"greeting", "Hello"}, {"farewell", "Bye"}}));
    fs::path userFolder = data_ / "Corvanta/StartupTest";
    WriteFile(userFolder / "strings_override.xml", StringRows({{"farewell", "Farewell"}}));
    WriteFile(userFolder / "notstrings.xml", StringRows({{"greeting", "Wrong"}}));

    TString commandLine = TString::Format("\"-wd=%s\" options=a=1&b=2 \"-url=abc def\" --cheat xyz --stringtest",
                                          work_.c_str());
    EXPECT_EQ(ApplicationMain(commandLine, RecordingGameMain, true), 0);

    ASSERT_TRUE(seen.called);
    EXPECT_TRUE(seen.sameInstance);
    std::map<std::string, std::string> expected = {
        {"a", "1"}, {"b", "2"}, {"downloadurl", "abc"}, {"fromsettingsfile", "yes"},
        {"gamename", "StartupTest"}, {"version", "1.0.0.0"}, {"startupdir", previousFolder_.string()},
        {"installkey", platform::ProgramFolder()}, {"memorymax", "100000000"},
        {"texturememorymax", "100000000"}, {"stringtest", "1"}, {"utf8modeinit", "1"}, {"cheatcode", "xyz"},
        {"utf8mode", "1"},
    };
    for (const auto& [key, value] : expected) EXPECT_EQ(seen.settings[key], value) << key;
    EXPECT_EQ(seen.settings["computerid"].size(), 16u);
    // "--stringtest" turns every visible character into 'x'.
    EXPECT_EQ(seen.greeting, "xxxxx");
    EXPECT_EQ(seen.farewell, "xxxxxxxx");  // the user folder's row replaced the asset one
    EXPECT_EQ(seen.viewportScale, 1.5f);
    EXPECT_EQ(seen.memoryCeiling, 12345);

    std::string log = ReadFile(userFolder / "logfile.txt");
    EXPECT_NE(log.find(": Switching current directory to: " + work_.string() + "\n"), std::string::npos) << log;
    EXPECT_NE(log.find(": StartupTest, version 1.0.0.0.\n"), std::string::npos) << log;
    // Teardown empties the settings.
    EXPECT_STREQ(GetConfig("a", "<unset>").CStr(), "<unset>");
}

// Each start-up step may override what an earlier one set: the settings file comes after the
// built-in defaults, the command line's "-url=", the start value of "utf8mode" and the computer
// identifier, and before the product's own name and version and the command line's "options=";
// string files of "common:" come after those of "user:".
TEST_F(StartupTest, LaterStepsWinOverEarlierOnes) {
    WriteFile(work_ / "assets/settings.xml",
              "<settings><memorymax>5</memorymax><downloadurl>fromfile</downloadurl><utf8mode>0</utf8mode>"
              "<computerid>FILEID</computerid><version>9.9</version><gamename>FileName</gamename>"
              "<b>file</b></settings>");
    WriteFile(data_ / "Corvanta/StartupTest/strings1.xml", StringRows({{"farewell", "FromUser"}}));
    WriteFile(data_ / "common-data/Corvanta/StartupTest/strings1.xml", StringRows({{"farewell", "FromCommon"}}));

    TString commandLine = TString::Format("-wd=%s -url=fromline options=b=line", work_.c_str());
    EXPECT_EQ(ApplicationMain(commandLine, RecordingGameMain, true), 0);

    ASSERT_TRUE(seen.called);
    std::map<std::string, std::string> expected = {
        {"memorymax", "5"}, {"downloadurl", "fromfile"}, {"utf8modeinit", "1"}, {"utf8mode", "0"},
        {"computerid", "FILEID"}, {"version", "1.0.0.0"}, {"gamename", "StartupTest"}, {"b", "line"},
    };
    for (const auto& [key, value] : expected) EXPECT_EQ(seen.settings[key], value) << key;
    EXPECT_EQ(seen.farewell, "FromCommon");
}

TEST_F(StartupTest, CheatCodeForThisComputerTurnsCheatModeOn) {
    fs::create_directories(work_);
    const uint8_t address[8] = {0x02, 0x42, 0xAC, 0x11, 0x00, 0x02, 0, 0};
    platform::SetTestAddress(address);
    platform::UseSysinfoBackend(platform::SysinfoBackend::Test);
    TString computerId = ComputerIdFromAddress(address);
    TStringCipher cipher;
    cipher.SetKey("BrineKelpVQZ");
    TString code = cipher.EncipherText(computerId);
    struct Case {
        TString cheat;
        const char* cheatmode;
    } cases[] = {{code, "1"}, {cipher.EncipherText("SOMEOTHERCOMPUTE"), "0"}, {"notacode", "0"}};
    for (const Case& c : cases) {
        SetConfig("gamename", "StartupTest");
        SetConfig("encryptionkey", "BrineKelpVQZ");
        TString commandLine = TString::Format("-wd=%s --cheat %s", work_.c_str(), c.cheat.CStr());
        EXPECT_EQ(ApplicationMain(commandLine, RecordingGameMain, true), 0);
        EXPECT_EQ(seen.settings["computerid"], computerId.CStr());
        EXPECT_EQ(seen.settings["cheatmode"], c.cheatmode) << c.cheat.CStr();
        EXPECT_EQ(seen.settings["buildtag"], "alembria");
    }
    platform::UseSysinfoBackend(platform::SysinfoBackend::Real);
}

TEST_F(StartupTest, MissingFilesLeaveDefaults) {
    fs::create_directories(work_);
    TString commandLine = TString::Format("-wd=%s", work_.c_str());
    EXPECT_EQ(ApplicationMain(commandLine, RecordingGameMain, true), 0);
    ASSERT_TRUE(seen.called);
    EXPECT_EQ(seen.settings["fromsettingsfile"], "<unset>");
    EXPECT_EQ(seen.settings["downloadurl"], "<unset>");
    EXPECT_EQ(seen.greeting.substr(0, 5), "#####");
}

TEST_F(StartupTest, SecondInstanceAsksTheFirstToRaiseAndLeaves) {
    fs::create_directories(work_);
    platform::InstanceLock first;
    ASSERT_TRUE(first.Acquire(platform::InstanceName()));
    TString commandLine = TString::Format("-wd=%s", work_.c_str());
    EXPECT_EQ(ApplicationMain(commandLine, RecordingGameMain, false), 0);
    EXPECT_FALSE(seen.called);
    EXPECT_TRUE(first.TakeRaiseRequest());
    EXPECT_FALSE(fs::exists(data_ / "Corvanta/StartupTest/logfile.txt"));

    // "--multiple" runs beside the first.
    EXPECT_EQ(ApplicationMain(commandLine + " --multiple", RecordingGameMain, false), 0);
    EXPECT_TRUE(seen.called);
    EXPECT_FALSE(first.TakeRaiseRequest());
}

int raisesSeen = -1;

// A later start asks this one to raise its window; the idle step does.
int RaisingGameMain(TApplication* application, const TString& commandLine) {
    platform::InstanceLock::RequestRaise(platform::InstanceName());
    TAppEvent event;
    do {
        application->ProcessMessages(event);
    } while (event.type != kEventIdle);
    raisesSeen = dynamic_cast<platform::HeadlessWindow&>(*application->GetMainWindow()).raiseCount;
    return 0;
}

TEST_F(StartupTest, RaiseRequestsOfLaterStartsRaiseTheWindow) {
    fs::create_directories(work_);
    TString commandLine = TString::Format("-wd=%s", work_.c_str());
    EXPECT_EQ(ApplicationMain(commandLine, RaisingGameMain, false), 0);
    EXPECT_EQ(raisesSeen, 1);
}

TEST_F(StartupTest, HostWindowThatIsNoWindowEndsWithMinusOne) {
    EXPECT_EQ(ApplicationMain("-wnd=zz", RecordingGameMain, false), -1);
    EXPECT_FALSE(seen.called);
}

}  // namespace
