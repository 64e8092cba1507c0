// Killing the game at any moment loses no player that was committed and leaves no profile that
// fails to load.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <vector>

#include "engine/core/base/config.h"
#include "game/data/game_manager.h"
#include "tests/engine/core/files/file_fixture.h"
#include "tests/engine/sound/sound_test_util.h"
#include "tests/game/data/game_manager_fixture.h"

namespace {

constexpr int kReportsBeforeKill = 25;

// Saved levels of the player made in round n of the child's loop.
int SavedLevelsOfRound(int n) { return 1 + n % 2; }

// The child: creates players and saves their progress until it is killed, reporting each round
// through the pipe once its player is committed. Never returns.
[[noreturn]] void CreatePlayersForever(int reportPipe) {
    GameManager* manager = GameManager::Create({});
    for (int n = 0;; ++n) {
        manager->CreateNewUser(TString::Format("Player %d", n));
        manager->ChangeUserData();
        for (int level = 1; level < SavedLevelsOfRound(n); ++level) manager->GetUserRecord()->AdvanceLevel();
        manager->SaveUserProgress();
        if (write(reportPipe, &n, sizeof n) != sizeof n) _exit(1);
    }
}

class GameManagerReliabilityTest : public FileLayerTest {
protected:
    void SetUp() override {
        FileLayerTest::SetUp();
        StartLog();
        SetConfig("encryptionkey", "BrineKelpVQZ");
        const char* config = gamemanagertest::kConfig;
        soundtest::AddFile("config.xml", std::vector<uint8_t>(config, config + strlen(config)));
    }
    void TearDown() override {
        GameManager::Destroy();
        soundtest::ForgetFiles();
        FileLayerTest::TearDown();
    }
};

TEST_F(GameManagerReliabilityTest, AKilledRunKeepsEveryCommittedPlayer) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(fds[0]);
        CreatePlayersForever(fds[1]);
    }
    close(fds[1]);
    int committed = -1;
    for (int n; committed < kReportsBeforeKill && read(fds[0], &n, sizeof n) == sizeof n;) committed = n;
    kill(child, SIGKILL);  // somewhere in the next round
    waitpid(child, nullptr, 0);
    close(fds[0]);
    ASSERT_EQ(committed, kReportsBeforeKill);

    GameManager* manager = GameManager::Create({});
    int players = manager->GetNumUsers();
    ASSERT_GE(players, committed + 1);
    ASSERT_LE(players, committed + 2);  // the interrupted round's player, complete or absent
    for (int row = 0; row < players; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(manager->GetUserName(row), TString::Format("Player %d", row));
        manager->SetCurrentUser(row);
        EXPECT_EQ(manager->GetCurrentUserIndex(), row);
        EXPECT_EQ(manager->GetCurrentUserInt("soundlevel", -1), 750);
        manager->ChangeUserData();
        if (row <= committed) {
            EXPECT_FALSE(manager->IsNewUser());
            EXPECT_EQ(manager->GetNumberOfSavedLevels(), SavedLevelsOfRound(row));
        }
    }
    EXPECT_EQ(LogText().find("starts afresh"), std::string::npos);
}

}  // namespace
