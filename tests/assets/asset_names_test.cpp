// Every name of assets/src/asset_names.txt loads through the real asset manager from the built
// asset folder and from its packages, and the packages hold the same bytes as the folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/core/files/asset.h"
#include "engine/core/files/file.h"
#include "engine/core/app/sound_service.h"
#include "engine/graphics/animated_texture.h"
#include "engine/graphics/texture.h"
#include "engine/sound/sound.h"
#include "engine/sound/sound_manager.h"
#include "tests/engine/graphics/texture_test_display.h"

namespace fs = std::filesystem;

namespace {

struct AssetName {
    std::string kind;  // texture, anim, sound, file
    std::string name;
    int minFrames = 1;
    std::vector<std::string> actions;
};

// The names of the list by section, in the list's order.
std::map<std::string, std::vector<AssetName>> ReadNameList() {
    std::map<std::string, std::vector<AssetName>> sections;
    std::ifstream in(ALEMBRIA_SOURCE_DIR "/assets/src/asset_names.txt");
    std::string section;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line.substr(0, line.find('#')));
        AssetName entry;
        if (!(words >> entry.kind)) continue;
        if (entry.kind == "section") {
            words >> section;
            continue;
        }
        words >> entry.name;
        if (entry.kind == "anim") words >> entry.minFrames;
        for (std::string action; words >> action;) entry.actions.push_back(action);
        sections[section].push_back(entry);
    }
    return sections;
}

// Why the asset does not load as listed; empty when it does.
std::string Problem(TAssetMap& map, const AssetName& entry) {
    if (entry.kind == "file") return FileExists(entry.name.c_str()) ? "" : "missing";
    if (entry.kind == "sound") return map.GetSound(entry.name.c_str()) ? "" : "missing";
    if (entry.kind == "texture") return map.GetTexture(entry.name.c_str()) ? "" : "missing";
    auto anim = map.GetTexture<TAnimatedTexture>(entry.name.c_str());
    if (!anim) return map.GetTexture(entry.name.c_str()) ? "a picture, not an animation" : "missing";
    std::string problem;
    if (anim->GetFrameCount() < entry.minFrames)
        problem += std::to_string(anim->GetFrameCount()) + " frames, wants " + std::to_string(entry.minFrames) + "; ";
    std::string script = anim->GetScript().CStr();
    for (const std::string& action : entry.actions)
        if (script.find("function " + action + "(") == std::string::npos) problem += "no action " + action + "; ";
    return problem;
}

// The game's asset loaders over one asset folder, on a test display without a window.
class AssetFolder {
public:
    explicit AssetFolder(const char* folder) {
        SetAssetManager(&manager_);
        SetStartupFolder(folder);
        SetAssetFolder(folder);
        InitFileSystem();
        RegisterTextureAssetKinds();
        RegisterAnimatedTextureAssetKinds();
        InstallSoundServices();
        sounds_ = CreateSoundManager();
        RegisterOggDataSource();
        RegisterSoundAssetKinds();
        map.SetAutoLoad(true);
    }
    ~AssetFolder() {
        map = TAssetMap();
        sounds_.reset();
        for (const char* extension : {"png", "jpg", "xml", "anm", "ogg", "spx"}) UnregisterAssetKind(extension);
        SetSoundServices({});
        ShutdownFileSystem();
        SetAssetManager(nullptr);
    }
    TAssetMap map;

private:
    TestTextureDisplay display_;
    TAssetManager manager_;
    std::unique_ptr<ISoundManager> sounds_;
};

// The unloadable names of a section, one per line; a section none of whose names exists is
// reported as not built rather than failed, as each part of the set is built on its own.
void CheckSection(const char* folder, const std::string& section, const std::vector<AssetName>& names) {
    AssetFolder assets(folder);
    std::string report;
    int missing = 0;
    for (const AssetName& entry : names) {
        std::string problem = Problem(assets.map, entry);
        if (problem.empty()) continue;
        missing += problem == "missing";
        report += "  " + entry.kind + " " + entry.name + ": " + problem + "\n";
    }
    if (missing == static_cast<int>(names.size()))
        GTEST_SKIP() << "none of the " << names.size() << " " << section << " assets is built in " << folder;
    EXPECT_TRUE(report.empty()) << section << " assets that do not load from " << folder << ":\n" << report;
}

// The sections of the list, one for each part of the set built on its own.
const std::string kSections[] = {"environment", "characters", "sounds", "particles", "screens", "collapse", "bazaar", "trophies"};

class AssetNamesTest : public ::testing::TestWithParam<std::string> {};

TEST_P(AssetNamesTest, LoadFromTheBuiltFolder) {
    CheckSection(ALEMBRIA_ASSET_DIR, GetParam(), ReadNameList()[GetParam()]);
}

TEST_P(AssetNamesTest, LoadFromThePackages) {
    CheckSection(ALEMBRIA_PACKAGE_DIR, GetParam(), ReadNameList()[GetParam()]);
}

INSTANTIATE_TEST_SUITE_P(Sections, AssetNamesTest,
                         ::testing::ValuesIn(kSections));

TEST(AssetNamesListTest, EverySectionHasNames) {
    auto sections = ReadNameList();
    for (const std::string& section : kSections)
        EXPECT_FALSE(sections[section].empty()) << section;
}

std::vector<char> DiskBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

std::vector<char> LayerBytes(const std::string& name) {
    TFile file;
    if (!file.Open(name.c_str(), kFileReadBinary)) return {};
    std::vector<char> bytes(static_cast<size_t>(file.GetSize()));
    if (file.Read(bytes.data(), static_cast<int32_t>(bytes.size())) != static_cast<int32_t>(bytes.size())) return {};
    return bytes;
}

TEST(AssetPackagesTest, HoldTheSameBytesAsTheBuiltFolder) {
    AssetFolder packaged(ALEMBRIA_PACKAGE_DIR);
    int compared = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(ALEMBRIA_ASSET_DIR)) {
        if (!entry.is_regular_file()) continue;
        std::string name = fs::relative(entry.path(), ALEMBRIA_ASSET_DIR).generic_string();
        if (name.find('/') == std::string::npos) continue;  // top-level files stay loose
        EXPECT_TRUE(LayerBytes(name) == DiskBytes(entry.path())) << name;
        ++compared;
    }
    EXPECT_GT(compared, 0);
    for (const fs::directory_entry& entry : fs::directory_iterator(ALEMBRIA_PACKAGE_DIR))
        EXPECT_FALSE(entry.is_directory()) << "the packaged folder holds only packages and loose files: " << entry.path();
}

}  // namespace
