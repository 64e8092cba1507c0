#include "engine/graphics/texture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <list>
#include <sstream>
#include <string>

#include "engine/core/base/config.h"
#include "engine/core/files/file.h"
#include "engine/core/base/log.h"
#include "tests/engine/graphics/image_fixtures.h"
#include "tests/engine/graphics/texture_test_display.h"

namespace {

// A pixel of the texture's surface as 0xAARRGGBB; 0 without a surface.
uint32_t Argb(const TTexture& texture, int x, int y) {
    const auto& surface = static_cast<const TDxTextureData&>(texture.GetTextureData()).GetSurface();
    return surface ? surface->Pixel(x, y) : 0;
}

// Virtual picture files from memory, an asset manager, a test display and a log to read.
class TextureTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetAssetManager(&manager_);
        folder_ = std::filesystem::temp_directory_path() / ("alembria-texture-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
        LogInit(folder_.c_str());
    }
    void TearDown() override {
        for (const std::string& name : names_) RegisterMemoryFile(name.c_str(), nullptr, 0);
        ClearConfig();
        SetAssetManager(nullptr);
        LogInit(nullptr);
        std::filesystem::remove_all(folder_);
    }

    void AddFile(const std::string& name, Bytes bytes) {
        files_.push_back(std::move(bytes));
        names_.push_back(name);
        RegisterMemoryFile(name.c_str(), files_.back().data(), files_.back().size());
    }
    void RemoveFile(const std::string& name) { RegisterMemoryFile(name.c_str(), nullptr, 0); }
    // A w x h RGB picture whose pixels are (x, y, 0x40).
    void AddRgbPng(const std::string& name, int w, int h) {
        std::vector<uint16_t> samples;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) samples.insert(samples.end(), {uint16_t(x & 0xFF), uint16_t(y & 0xFF), 0x40});
        AddFile(name, WritePng(MakePng(w, h, PNG_COLOR_TYPE_RGB, 8, samples)));
    }
    void AddRgbaPng(const std::string& name, int w, int h, uint8_t alpha) {
        std::vector<uint16_t> samples;
        for (int i = 0; i < w * h; ++i) samples.insert(samples.end(), {0x10, 0x20, 0x30, alpha});
        AddFile(name, WritePng(MakePng(w, h, PNG_COLOR_TYPE_RGBA, 8, samples)));
    }
    void AddJpeg(const std::string& name, int w, int h) {
        AddFile(name, WriteJpeg(w, h, 3, std::vector<uint8_t>(size_t(w) * h * 3, 0x80)));
    }
    // A grey mask whose red channel (the grey value) is x * 16.
    void AddMask(const std::string& name, int w, int h) {
        std::vector<uint16_t> samples;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) samples.push_back(uint16_t((x * 16) & 0xFF));
        AddFile(name, WritePng(MakePng(w, h, PNG_COLOR_TYPE_GRAY, 8, samples)));
    }
    std::string Log() {
        std::ifstream in(folder_ / "logfile.txt", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    TAssetManager manager_;
    TestTextureDisplay display_;
    std::filesystem::path folder_;
    std::list<Bytes> files_;  // stable addresses for the memory files
    std::vector<std::string> names_;
};

}  // namespace

TEST(TextureKeys, NameAndOptionsInTheirOrder) {
    struct Case {
        const char* name;
        bool alpha, mipmap, simple;
        const char* key;
    } cases[] = {
        {"gui\\button.png", false, false, false, "gui/button.png:tex"},
        {"a.png", true, false, false, "a.png:a:tex"},
        {"a.png", true, true, true, "a.png:a:m:s:tex"},
        {"a", false, true, true, "a:m:s:tex"},
    };
    for (const Case& c : cases) EXPECT_STREQ(TTexture::MakeAssetKey(c.name, c.alpha, c.mipmap, c.simple).CStr(), c.key);
}

TEST_F(TextureTest, LoadsPicturesWithTheirSizesAndAlpha) {
    AddRgbPng("pics/wide.png", 1000, 300);
    AddRgbaPng("pics/glass.png", 20, 10, 0x80);
    auto wide = TTexture::Get("pics/wide.png");
    ASSERT_NE(wide, nullptr);
    EXPECT_STREQ(wide->GetClassName(), "TTexture");
    EXPECT_EQ(wide->GetWidth(), 1000);
    EXPECT_EQ(wide->GetHeight(), 300);
    EXPECT_EQ(wide->GetTextureData().width, 1024u);
    EXPECT_EQ(wide->GetTextureData().height, 512u);
    EXPECT_EQ(wide->GetTextureData().borderX, 12);
    EXPECT_EQ(wide->GetTextureData().borderY, 106);
    EXPECT_FALSE(wide->HasAlpha());
    EXPECT_EQ(Argb(*wide, 999, 299), 0xFFE72B40u);  // opaque: an X8R8G8B8 surface samples alpha 255
    int w = 0, h = 0;
    wide->GetPaddedSize(&w, &h);
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 512);

    auto glass = TTexture::Get("pics/glass.png");
    ASSERT_NE(glass, nullptr);
    EXPECT_TRUE(glass->HasAlpha());
    EXPECT_EQ(Argb(*glass, 3, 3), 0x80102030u);
    glass.reset();  // "alpha off" does not enter the key: a live texture would be shared
    EXPECT_FALSE(TTexture::Get("pics/glass.png", TTexture::kAlphaOff)->HasAlpha());
    EXPECT_TRUE(TTexture::Get("pics/wide.png", TTexture::kAlphaOn)->HasAlpha());
    EXPECT_TRUE(TTexture::Get("pics/wide.png?alpha")->HasAlpha());
}

TEST_F(TextureTest, SquareOnlyDisplaysGetSquareSurfaces) {
    display_.squareOnly = true;
    AddRgbPng("pics/wide.png", 1000, 300);
    auto wide = TTexture::Get("pics/wide.png");
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(wide->GetTextureData().width, 1024u);
    EXPECT_EQ(wide->GetTextureData().height, 1024u);
    EXPECT_EQ(wide->GetTextureData().borderY, 362);
    auto simple = TTexture::GetWithOptions("pics/wide.png", false, true);
    EXPECT_TRUE(simple->IsSimple());
    EXPECT_EQ(simple->GetTextureData().height, 512u);
}

TEST_F(TextureTest, OversizedPicturesNeedTheSlowOption) {
    AddRgbPng("pics/strip.png", 2000, 10);
    EXPECT_EQ(TTexture::Get("pics/strip.png"), nullptr);
    auto slow = TTexture::Get("pics/strip.png?slow");
    ASSERT_NE(slow, nullptr);
    EXPECT_TRUE(slow->IsSimple());
    EXPECT_EQ(slow->GetTextureData().width, 2048u);
    EXPECT_EQ(slow->GetTextureData().height, 16u);
    EXPECT_TRUE(slow->GetTextureData().flags & kTextureSlow);
}

TEST_F(TextureTest, ExtensionSearch) {
    AddJpeg("pics/photo.jpg", 8, 8);
    AddRgbPng("pics/twice.png.png", 4, 4);
    auto photo = TTexture::Get("pics/photo");
    ASSERT_NE(photo, nullptr);
    EXPECT_STREQ(photo->GetTextureData().fileName.CStr(), "pics/photo.jpg");
    EXPECT_FALSE(photo->HasAlpha());
    // A name that already ends in an extension fails at once, without trying others.
    EXPECT_EQ(TTexture::Get("pics/twice.png"), nullptr);
    EXPECT_EQ(TTexture::Get("pics/none"), nullptr);

    std::vector<int32_t> grey(4 * 4, 0x33);
    Jp2Component component;
    component.samples = grey;
    AddFile("pics/deep.jp2", WriteJp2(MakeJp2(4, 4, 2, {component})));
    auto deep = TTexture::Get("pics/deep");
    ASSERT_NE(deep, nullptr);
    EXPECT_EQ(Argb(*deep, 1, 1), 0xFF333333u);
}

TEST_F(TextureTest, JpegMasksMergeTheirRedChannelIntoAlpha) {
    AddJpeg("pics/cat.jpg", 16, 8);
    AddMask("pics/cat.mask.png", 16, 8);
    auto unmasked = TTexture::Get("pics/cat");
    ASSERT_NE(unmasked, nullptr);
    EXPECT_FALSE(unmasked->HasAlpha());
    unmasked.reset();

    SetConfig("automergemask", "1");
    auto cat = TTexture::Get("pics/cat");
    ASSERT_NE(cat, nullptr);
    EXPECT_TRUE(cat->HasAlpha());
    EXPECT_STREQ(cat->GetTextureData().maskName.CStr(), "pics/cat.mask.png");
    EXPECT_STREQ(cat->GetSourceKey().CStr(), "pics/cat.jpg.pics/cat.mask.png");
    EXPECT_EQ(Argb(*cat, 5, 2) >> 24, 0x50u);
    EXPECT_EQ(Argb(*cat, 0, 0) >> 24, 0u);

    // An explicit mask; one of another size is ignored; an undecodable one fails the load.
    AddJpeg("pics/dog.jpg", 16, 8);
    AddMask("pics/dog_mask.png", 16, 8);
    AddMask("pics/small_mask.png", 4, 4);
    AddFile("pics/bad_mask.png", Bytes{1, 2, 3});
    auto dog = TTexture::GetWithOptions("pics/dog.jpg", TString("pics/dog_mask"), TTexture::kAlphaOn);
    ASSERT_NE(dog, nullptr);
    EXPECT_EQ(Argb(*dog, 2, 0) >> 24, 0x20u);
    auto ignored = TTexture::GetWithOptions("pics/dog.jpg", TString("pics/small_mask.png"), TTexture::kAlphaOn);
    ASSERT_NE(ignored, nullptr);
    EXPECT_EQ(Argb(*ignored, 2, 0) >> 24, 0xFFu);
    EXPECT_EQ(TTexture::GetWithOptions("pics/dog.jpg", TString("pics/bad_mask.png"), 0), nullptr);
}

TEST_F(TextureTest, SameKeySharesOneTextureWhileHeld) {
    AddRgbPng("pics/a.png", 4, 4);
    auto first = TTexture::Get("pics/a.png");
    EXPECT_EQ(TTexture::Get("pics/a.png"), first);
    EXPECT_NE(TTexture::Get("pics/a.png", TTexture::kMipmap), first);
    EXPECT_NE(manager_.FindAsset("pics/a.png:tex"), nullptr);
    std::weak_ptr<TTexture> weak = first;
    first.reset();
    EXPECT_TRUE(weak.expired());
    EXPECT_EQ(manager_.FindAsset("pics/a.png:tex"), nullptr);
}

TEST_F(TextureTest, DamagedPicturesFailTheirLoad) {
    Bytes png = WritePng(MakePng(8, 8, PNG_COLOR_TYPE_GRAY, 8, std::vector<uint16_t>(64, 9)));
    AddFile("pics/cut.png", Bytes(png.begin(), png.begin() + png.size() / 2));
    AddFile("pics/noise.jpg", Bytes(100, 0x5A));
    EXPECT_EQ(TTexture::Get("pics/cut.png"), nullptr);
    EXPECT_EQ(TTexture::Get("pics/noise"), nullptr);
    EXPECT_NE(Log().find("Failed to decode picture pics/cut.png"), std::string::npos);
    EXPECT_NE(Log().find("Failed to decode picture pics/noise.jpg"), std::string::npos);

    RegisterTextureAssetKinds();
    TAssetMap map;
    map.AddAsset("pics/cut", nullptr, false);
    EXPECT_NE(Log().find("TAssetMap::AddAsset: Error loading pics/cut"), std::string::npos);
    UnregisterAssetKind("png");
    UnregisterAssetKind("jpg");
}

TEST_F(TextureTest, RenderTargetsAndCopies) {
    auto target = TTexture::CreateRenderTarget(64, 32, true);
    ASSERT_NE(target, nullptr);
    EXPECT_TRUE(target->HasAlpha());
    EXPECT_EQ(target->GetWidth(), 64);
    auto& data = static_cast<TDxTextureData&>(target->GetTextureData());
    EXPECT_NE(data.GetSurface()->ZBuffer(), nullptr);
    char key[64];
    std::snprintf(key, sizeof key, "%lx:tex:r", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(target.get())));
    EXPECT_EQ(manager_.FindAsset(key), target);

    AddRgbaPng("pics/glass.png", 8, 8, 0xC0);
    auto glass = TTexture::Get("pics/glass.png");
    EXPECT_TRUE(target->CopyFrom(*glass, TRect(), 10, 4));  // empty rectangle: the whole source
    EXPECT_EQ(Argb(*target, 17, 11), 0xC0102030u);
    EXPECT_TRUE(target->CopyFrom(*glass, TRect(-5, -5, 2, 100), 0, 0));  // clamped to the source
    EXPECT_EQ(Argb(*target, 1, 7), 0xC0102030u);
    EXPECT_EQ(Argb(*target, 2, 0), 0u);
    display_.drawing = true;
    EXPECT_FALSE(target->CopyFrom(*glass, TRect(), 0, 0));

    target.reset();
    EXPECT_EQ(manager_.FindAsset(key), nullptr);
    EXPECT_EQ(manager_.EntryCount(), 2u);  // the glass and the looked-up key; the target's entry is gone
}

TEST_F(TextureTest, EveryLiveTextureComesBackAfterADeviceLoss) {
    AddRgbPng("pics/a.png", 10, 6);
    AddJpeg("pics/b.jpg", 8, 8);
    AddMask("pics/b.mask.png", 8, 8);
    SetConfig("automergemask", "1");
    auto a = TTexture::Get("pics/a.png?mipmap");
    auto b = TTexture::Get("pics/b");
    auto target = TTexture::CreateRenderTarget(16, 16, false);
    uint32_t before = Argb(*a, 9, 5);
    uint32_t maskedBefore = Argb(*b, 3, 3);

    display_.object->LoseSurfaces();
    manager_.ReleaseAll();
    EXPECT_EQ(display_.textureMemory, 0);
    for (auto* texture : {a.get(), b.get(), target.get()})
        EXPECT_EQ(static_cast<TDxTextureData&>(texture->GetTextureData()).GetSurface(), nullptr);
    manager_.RestoreAll();
    for (auto* texture : {a.get(), b.get(), target.get()})
        EXPECT_NE(static_cast<TDxTextureData&>(texture->GetTextureData()).GetSurface(), nullptr);
    EXPECT_EQ(Argb(*a, 9, 5), before);
    EXPECT_EQ(static_cast<TDxTextureData&>(a->GetTextureData()).GetMipCount(), -1);
    EXPECT_EQ(Argb(*b, 3, 3), maskedBefore);
    EXPECT_GT(display_.textureMemory, 0);
    EXPECT_EQ(display_.restoreFailures, 0);
}

TEST_F(TextureTest, RestoreFailuresAreLoggedAndRetriedWhileTheFileExists) {
    AddRgbPng("pics/a.png", 4, 4);
    auto a = TTexture::Get("pics/a");
    manager_.ReleaseAll();
    files_.back() = Bytes{0x89, 'P', 'N', 'G'};  // the file is damaged meanwhile
    RegisterMemoryFile("pics/a.png", files_.back().data(), files_.back().size());
    manager_.RestoreAll();
    EXPECT_NE(Log().find("TDxTextureData::Restore: Failed to restore from file pics/a.png."), std::string::npos);
    EXPECT_EQ(display_.restoreFailures, 1);

    RemoveFile("pics/a.png");  // gone: nothing more to try
    manager_.RestoreAll();
    EXPECT_EQ(display_.restoreFailures, 1);
}

TEST_F(TextureTest, TexturesLoadedBeforeTheDisplayAreMadeByTheFirstRestore) {
    display_.up = false;
    AddRgbPng("pics/early.png", 100, 60);
    auto early = TTexture::Get("pics/early.png");
    ASSERT_NE(early, nullptr);  // the load succeeds without a surface
    auto& data = static_cast<TDxTextureData&>(early->GetTextureData());
    EXPECT_EQ(data.GetSurface(), nullptr);
    EXPECT_EQ(data.width, 128u);
    EXPECT_EQ(data.height, 64u);
    display_.up = true;
    manager_.RestoreAll();
    ASSERT_NE(data.GetSurface(), nullptr);
    EXPECT_EQ(Argb(*early, 99, 59), 0xFF633B40u);
}

TEST_F(TextureTest, AssetMapsShareATextureUntilBothLetGo) {
    AddRgbPng("shop/counter.png", 8, 8);
    RegisterTextureAssetKinds();
    auto first = std::make_unique<TAssetMap>();
    auto second = std::make_unique<TAssetMap>();
    first->AddAsset("shop/counter", nullptr, false);
    second->AddAsset("shop\\counter", nullptr, false);
    std::shared_ptr<TTexture> texture = first->GetTexture("shop/counter");
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(second->GetTexture("shop/counter"), texture);
    std::weak_ptr<TTexture> weak = texture;
    texture.reset();
    first.reset();
    EXPECT_FALSE(weak.expired());
    second.reset();
    EXPECT_TRUE(weak.expired());
    TAssetMap third;
    third.AddAsset("shop/counter", nullptr, false);
    EXPECT_NE(third.GetTexture("shop/counter"), nullptr);
    UnregisterAssetKind("png");
    UnregisterAssetKind("jpg");
}
