#include <gtest/gtest.h>

#include <memory>

#include "engine/scripthost/script.h"
#include "engine/ui/modal_window.h"
#include "engine/ui/window_style.h"
#include "game/data/game_manager.h"
#include "game/shop/scene/scene_session.h"
#include "platform/clock/clock.h"
#include "tests/engine/core/files/file_fixture.h"
#include "tests/game/shop/style_table.h"
#include "tests/game/data/log_capture.h"
#include "tests/game/shop/recording_scene.h"
#include "tests/game/shop/seeded_random.h"

namespace {

// An object that notes its deletion in a shared list.
class Noted : public clsBasicObject {
public:
    Noted(iGameScene* owner, int id, std::vector<int>& deleted) : clsBasicObject(owner), id_(id), deleted_(deleted) {}
    ~Noted() override { deleted_.push_back(id_); }
    void Update(float) override {}
    void Draw() override {}

private:
    int id_;
    std::vector<int>& deleted_;
};

TEST(GameInterfaceTest, EarningsKeepFourCategoriesAndIgnoreOthers) {
    RecordingScene scene;
    scene.AddEarnings(4, 10);
    scene.AddEarnings(-1, 10);
    EXPECT_EQ(scene.GetTotalEarnings(), 0);
    EXPECT_EQ(scene.GetEarnings(4), 0);
    EXPECT_EQ(scene.GetEarnings(-1), 0);
    scene.AddEarnings(2, 5);
    scene.AddEarnings(2, 5);
    scene.AddEarnings(clsGameInterface::kTipEarnings, 3);
    EXPECT_EQ(scene.GetEarnings(2), 10);
    EXPECT_EQ(scene.GetEarnings(clsGameInterface::kTipEarnings), 3);
    EXPECT_EQ(scene.GetTotalEarnings(), 13);
}

TEST(GameInterfaceTest, EveryMoneyChangeIsAnnouncedAlsoForNothing) {
    RecordingScene scene;
    scene.AddMoney(30);
    scene.AddMoney(0);
    scene.AddMoney(-12);
    EXPECT_EQ(scene.GetMoney(), 18);
    EXPECT_EQ(scene.Count("OnMoneyChanged"), 3);
}

TEST(GameInterfaceTest, ReleasedObjectsAreQueuedOnceAndDeletedLastFirst) {
    std::vector<int> deleted;
    RecordingScene scene;
    scene.DeleteReleasedObjects();  // nothing queued: nothing happens
    auto* first = new Noted(&scene, 1, deleted);
    auto* second = new Noted(&scene, 2, deleted);
    first->Destroy();
    second->Destroy();
    first->Destroy();
    scene.QueueRelease(second);
    EXPECT_TRUE(first->IsReleased());
    scene.DeleteReleasedObjects();
    EXPECT_EQ(deleted, (std::vector<int>{2, 1}));
    scene.DeleteReleasedObjects();
    EXPECT_EQ(deleted.size(), 2u);
}

TEST(GameInterfaceTest, TheNewestSceneIsTheCurrentOneUntilItGoes) {
    auto first = std::make_unique<RecordingScene>();
    EXPECT_EQ(GetSceneSession().currentScene, first.get());
    auto second = std::make_unique<RecordingScene>();
    EXPECT_EQ(GetSceneSession().currentScene, second.get());
    EXPECT_EQ(clsGameInterface::GetLiveSceneCount(), 2);
    first.reset();
    EXPECT_EQ(GetSceneSession().currentScene, second.get());
    second.reset();
    EXPECT_EQ(GetSceneSession().currentScene, nullptr);
    EXPECT_EQ(clsGameInterface::GetLiveSceneCount(), 0);
}

TEST(GameInterfaceTest, TheMouseMovesTheCursorAndEndingTheLevelIsHeard) {
    RecordingScene scene;
    EXPECT_TRUE(scene.OnMouseMove(TPoint{120, 45}));
    EXPECT_EQ(scene.GetMousePosition().x, 120);
    EXPECT_EQ(scene.GetCursor()->GetPosition(), TVec2(120, 45));
    EXPECT_TRUE(scene.OnAnimate());
    scene.EndLevel(false);  // no music: nothing to stop
    EXPECT_EQ(scene.hooks, std::vector<std::string>{"EndLevel(lost)"});
}

TEST(GameInterfaceTest, WithoutTheSessionsAssetsNothingLoadsOrSounds) {
    struct PlainScene : clsGameInterface {};
    PlainScene scene;
    EXPECT_EQ(scene.GetAssets().GetTexture("anim/numbers"), nullptr);
    EXPECT_FALSE(scene.GetAssets().PlaySound("audio/sfx/time_over", false));
    LogCapture log;
    scene.GetAssets().StopSound("audio/sfx/time_over");
    EXPECT_EQ(log.Messages(),
              std::vector<std::string>{"[WARN] No game instance trying to free resource: audio/sfx/time_over"});
    RecordingAssets assets;
    GetSceneSession().assets = &assets;
    EXPECT_TRUE(scene.GetAssets().PlaySound("audio/sfx/time_over", false));
    GetSceneSession().assets = nullptr;
    EXPECT_EQ(assets.sounds, std::vector<std::string>{"play audio/sfx/time_over"});
}

TEST(GameInterfaceTest, AScriptedSourceGivesItsValuesThenTheSeededSequence) {
    SeededRandom random(7);
    random.scripted = {3, 99};
    EXPECT_EQ(GameRandom(), 3u);
    EXPECT_EQ(GameRandom(), 99u);
    MersenneTwister same;
    same.Seed(7);
    EXPECT_EQ(GameRandom(), same.Next());
}

// Scenes built from a style under a modal window, with the game manager over a temporary store.
class SceneLifeTest : public FileLayerTest {
protected:
    void SetUp() override {
        FileLayerTest::SetUp();
        StartLog();
        platform::SetTestClock(1000);
        platform::UseClockBackend(platform::ClockBackend::Test);
        GameManager::Create({});
        wrapper = MakeShopStyleTable(script);
    }
    void TearDown() override {
        GameManager::Destroy();
        platform::UseClockBackend(platform::ClockBackend::Real);
        FileLayerTest::TearDown();
    }
    // A scene initialised from the style as a child of the modal window.
    RecordingScene* Open() {
        auto* scene = new RecordingScene();
        modal.AddChild(scene, false);
        TWindowStyle style(wrapper.get());
        scene->Init(style);
        return scene;
    }
    void Close(RecordingScene* scene) {
        modal.RemoveChild(scene);
        delete scene;
    }
    bool InsideGame() { return GameManager::Get()->AreInsideGame(); }

    TScript script;
    std::unique_ptr<TLuaObjectWrapper> wrapper;
    TModalWindow modal;
};

TEST_F(SceneLifeTest, OverlappingScenesKeepThePlayerInsideTheGameUntilTheLastGoes) {
    RecordingScene* first = Open();
    EXPECT_TRUE(InsideGame());
    EXPECT_EQ(first->GetName(), "shop");
    RecordingScene* second = Open();
    EXPECT_EQ(first->clsGameInterface::GetClock(), &modal.GetClock());
    for (int pass = 0; pass < 3; ++pass) modal.RunTasks(0);
    EXPECT_EQ(first->animationPasses, 3) << "the scene animates on every pass";
    Close(first);
    EXPECT_TRUE(InsideGame());
    EXPECT_EQ(GetSceneSession().currentScene, second);
    Close(second);
    EXPECT_FALSE(InsideGame());
}

}  // namespace
