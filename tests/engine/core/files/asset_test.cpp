#include "engine/core/files/asset.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/core/files/file.h"
#include "engine/core/base/log.h"

namespace {

std::vector<std::string> g_calls;  // "release <name>" / "restore <name>" in call order

class FakePicture : public TAsset {
    ALEMBRIA_ASSET_CLASS(FakePicture, TAsset)
public:
    explicit FakePicture(std::string name = "") : name_(std::move(name)) {}
    void Release() override { g_calls.push_back("release " + name_); }
    void Restore() override { g_calls.push_back("restore " + name_); }
    std::string name_;
};

class FakeAnimation : public FakePicture {
    ALEMBRIA_ASSET_CLASS(FakeAnimation, FakePicture)
};

class FakeSound : public TAsset {
    ALEMBRIA_ASSET_CLASS(FakeSound, TAsset)
};

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A fresh manager, a log in a temporary folder, virtual files from memory and fake kinds for
// "png", "jpg" and "ogg" that count their loads.
class AssetMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetAssetManager(&manager_);
        folder_ = std::filesystem::temp_directory_path() / ("alembria-asset-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
        LogInit(folder_.c_str());
        RegisterAssetKind("png", PictureKind(":tex"));
        RegisterAssetKind("jpg", PictureKind(":tex"));
        RegisterAssetKind("ogg", TAssetKind{FakeSound::ClassId(),
                                            [](const TString& file, const TString&) { return file + ";0;0"; },
                                            [this](const TString&, const TString& options) {
                                                loadedOptions_.push_back(options.CStr());
                                                return std::make_shared<FakeSound>();
                                            }});
    }
    void TearDown() override {
        for (const char* extension : {"png", "jpg", "ogg"}) UnregisterAssetKind(extension);
        for (const std::string& name : files_) RegisterMemoryFile(name.c_str(), nullptr, 0);
        SetAssetManager(nullptr);
        LogInit(nullptr);
        std::filesystem::remove_all(folder_);
    }

    TAssetKind PictureKind(const char* suffix) {
        return TAssetKind{FakePicture::ClassId(),
                          [suffix](const TString& file, const TString&) { return file + suffix; },
                          [this](const TString& file, const TString&) -> std::shared_ptr<TAsset> {
                              ++loads_;
                              if (file.Find("broken") >= 0) return nullptr;
                              return std::make_shared<FakePicture>(file.CStr());
                          }};
    }
    void AddFile(const std::string& name) {
        files_.push_back(name);
        RegisterMemoryFile(name.c_str(), kContent, sizeof kContent);
    }
    std::string Log() { return ReadAll(folder_ / "logfile.txt"); }

    static constexpr char kContent[4] = {1, 2, 3, 4};
    TAssetManager manager_;
    std::filesystem::path folder_;
    std::vector<std::string> files_;
    std::vector<std::string> loadedOptions_;
    int loads_ = 0;
};

}  // namespace

TEST(Asset, ClassIdentityFollowsTheHierarchy) {
    auto animation = std::make_shared<FakeAnimation>();
    std::shared_ptr<TAsset> asset = animation;
    EXPECT_STREQ(asset->GetClassName(), "FakeAnimation");
    EXPECT_TRUE(asset->IsKindOf(FakeAnimation::ClassId()));
    EXPECT_TRUE(asset->IsKindOf(FakePicture::ClassId()));
    EXPECT_TRUE(asset->IsKindOf(TAsset::ClassId()));
    EXPECT_FALSE(asset->IsKindOf(FakeSound::ClassId()));
    EXPECT_NE(FakePicture::ClassId(), FakeAnimation::ClassId());

    std::shared_ptr<FakePicture> picture = AssetCast<FakePicture>(asset);
    EXPECT_EQ(picture.get(), animation.get());
    EXPECT_EQ(animation.use_count(), 3);  // the cast shares the one ownership
    EXPECT_EQ(AssetCast<FakeSound>(asset), nullptr);
    EXPECT_EQ(AssetCast<FakePicture>(nullptr), nullptr);

    std::shared_ptr<TAsset> base = std::make_shared<TAsset>();
    EXPECT_STREQ(base->GetClassName(), "TAsset");
    EXPECT_EQ(AssetCast<FakePicture>(base), nullptr);
}

TEST(AssetManager, CachesWeaklyAndWalksLiveAssetsInKeyOrder) {
    TAssetManager manager;
    EXPECT_EQ(manager.FindAsset("none"), nullptr);
    EXPECT_EQ(manager.EntryCount(), 1u);  // the lookup left an empty entry

    auto b = std::make_shared<FakePicture>("b");
    auto a = std::make_shared<FakePicture>("a");
    manager.StoreAsset("b:tex", b);
    manager.StoreAsset("a:tex", a);
    {
        auto dying = std::make_shared<FakePicture>("dead");
        manager.StoreAsset("c:tex", dying);
        EXPECT_EQ(manager.FindAsset("c:tex"), dying);
    }
    EXPECT_EQ(manager.FindAsset("c:tex"), nullptr);
    EXPECT_EQ(manager.FindAsset("a:tex"), a);
    EXPECT_EQ(a.use_count(), 1);  // the cache never keeps an asset alive

    g_calls.clear();
    manager.RestoreAll();
    EXPECT_EQ(g_calls, (std::vector<std::string>{"restore a", "restore b"}));
    EXPECT_EQ(manager.EntryCount(), 4u);  // dead entries stay through a restore pass
    g_calls.clear();
    manager.ReleaseAll();
    EXPECT_EQ(g_calls, (std::vector<std::string>{"release a", "release b"}));
    EXPECT_EQ(manager.EntryCount(), 2u);  // "none" and "c:tex" were dropped

    manager.RemoveAsset("a:tex");
    EXPECT_EQ(manager.FindAsset("a:tex"), nullptr);
}

namespace {

// An asset that, when released, lets go of another one whose destructor removes its own key.
class KeyedAsset : public TAsset {
public:
    KeyedAsset(TAssetManager* manager, TString key) : manager_(manager), key_(key) {}
    ~KeyedAsset() override { manager_->RemoveAsset(key_); }
    void Release() override { other_.reset(); }
    TAssetManager* manager_;
    TString key_;
    std::shared_ptr<TAsset> other_;
};

}  // namespace

TEST(AssetManager, ReleasePassSurvivesAssetsEndingDuringIt) {
    TAssetManager manager;
    auto first = std::make_shared<KeyedAsset>(&manager, "1");
    first->other_ = std::make_shared<KeyedAsset>(&manager, "2");
    manager.StoreAsset("1", first);
    manager.StoreAsset("2", first->other_);
    manager.ReleaseAll();
    EXPECT_EQ(manager.FindAsset("2"), nullptr);
    EXPECT_EQ(manager.FindAsset("1"), first);
}

TEST_F(AssetMapTest, GivenAssetsAreStoredUnderTheNameWithForwardSlashes) {
    TAssetMap map;
    auto picture = std::make_shared<FakePicture>();
    map.AddAsset("gui\\button", picture, false);
    EXPECT_EQ(map.GetTexture<FakePicture>("gui/button"), picture);
    EXPECT_EQ(map.GetTexture<FakePicture>("gui\\button"), picture);
    EXPECT_EQ(map.GetSound<FakeSound>("gui/button"), nullptr);  // another kind: empty, not an error
    EXPECT_EQ(Log().find("not found"), std::string::npos);
    EXPECT_EQ(loads_, 0);
}

TEST_F(AssetMapTest, NamesAreCompletedInTheSearchOrderAndKeepTheirOptions) {
    AddFile("anim/cat.png");
    AddFile("anim/cat.jpg");  // ".jpg" is searched before ".png"
    AddFile("audio/sfx/time_over.ogg");
    TAssetMap map;
    const char* names[] = {"anim/cat", "audio/sfx/time_over?group=1000", nullptr};
    map.AddAssets(names);
    auto picture = map.GetTexture<FakePicture>("anim/cat");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->name_, "anim/cat.jpg");
    EXPECT_NE(manager_.FindAsset("anim/cat.jpg:tex"), nullptr);
    EXPECT_NE(map.GetSound<FakeSound>("audio/sfx/time_over?group=1000"), nullptr);
    EXPECT_EQ(loadedOptions_, std::vector<std::string>{"?group=1000"});
    EXPECT_NE(manager_.FindAsset("audio/sfx/time_over.ogg;0;0"), nullptr);
}

TEST_F(AssetMapTest, FailuresAreLoggedUnlessQuiet) {
    AddFile("data/level.txt");
    AddFile("pics/broken.png");
    TAssetMap map;
    map.AddAsset("missing", nullptr, true);
    map.AddAsset("missing", nullptr, false);
    map.AddAsset("data/level.txt", nullptr, false);  // no kind for "txt"
    map.AddAsset("pics/broken", nullptr, false);     // the loader fails
    std::string log = Log();
    EXPECT_EQ(log.find("Failed to find asset missing"), log.rfind("Failed to find asset missing"));
    EXPECT_NE(log.find("TAssetMap::AddAsset: Failed to find asset missing with any standard extension "
                       "(jpg/png/anm/xml/ogg/mesh)"),
              std::string::npos);
    EXPECT_NE(log.find("TAssetMap::AddAsset: Error loading data/level.txt"), std::string::npos);
    EXPECT_NE(log.find("TAssetMap::AddAsset: Error loading pics/broken"), std::string::npos);

    EXPECT_EQ(map.GetTexture<FakePicture>("pics/broken"), nullptr);
    EXPECT_EQ(map.GetSound<FakeSound>("audio/none"), nullptr);
    log = Log();
    EXPECT_NE(log.find("Texture asset not found: pics/broken (auto load set to false)"), std::string::npos);
    EXPECT_NE(log.find("Sound asset not found: audio/none"), std::string::npos);
}

TEST_F(AssetMapTest, AutoLoadFetchesMissingAssetsOnFirstUse) {
    AddFile("fx/spark.png");
    TAssetMap map;
    map.SetAutoLoad(true);
    EXPECT_NE(map.GetTexture<FakePicture>("fx/spark"), nullptr);
    EXPECT_EQ(map.GetTexture<FakePicture>("fx/nothing"), nullptr);
    EXPECT_NE(Log().find("Texture asset not found: fx/nothing (auto load set to true)"), std::string::npos);
    EXPECT_EQ(loads_, 1);
}

TEST_F(AssetMapTest, MapsShareOneAssetUntilBothLetGoThenItIsLoadedAgain) {
    AddFile("shop/counter.png");
    auto first = std::make_unique<TAssetMap>();
    auto second = std::make_unique<TAssetMap>();
    first->AddAsset("shop/counter", nullptr, false);
    second->AddAsset("shop/counter", nullptr, false);
    EXPECT_EQ(loads_, 1);
    std::weak_ptr<FakePicture> shared = first->GetTexture<FakePicture>("shop/counter");
    EXPECT_EQ(second->GetTexture<FakePicture>("shop/counter"), shared.lock());

    first.reset();
    EXPECT_FALSE(shared.expired());
    second.reset();
    EXPECT_TRUE(shared.expired());
    TAssetMap third;
    third.AddAsset("shop/counter", nullptr, false);
    EXPECT_EQ(loads_, 2);
    EXPECT_NE(third.GetTexture<FakePicture>("shop/counter"), nullptr);
}

TEST_F(AssetMapTest, WorksWithoutAnAssetManager) {
    AddFile("shop/door.png");
    SetAssetManager(nullptr);
    TAssetMap map;
    map.AddAsset("shop/door.png", nullptr, false);
    EXPECT_NE(map.GetTexture<FakePicture>("shop/door.png"), nullptr);
}
