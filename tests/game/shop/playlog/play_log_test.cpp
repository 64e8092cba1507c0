#include "game/shop/playlog/play_log.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/engine/core/net/loopback_server.h"
#include "tests/engine/core/net/tls_loopback_server.h"
#include "tests/game/data/log_capture.h"

namespace fs = std::filesystem;

namespace {

const char kSuccess[] = "<Result><Success>1</Success></Result>";

class PlayLogTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("alembria-playlog-" + std::to_string(getpid()));
        fs::create_directories(folder_);
        // Records its arguments, one a line; the file appears whole once written.
        fs::path opener = folder_ / "opener";
        std::ofstream(opener) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                                     (folder_ / "args.tmp").string() + "\"\nmv \"" + (folder_ / "args.tmp").string() +
                                     "\" \"" + (folder_ / "args.txt").string() + "\"\n";
        fs::permissions(opener, fs::perms::owner_all);
        PlayLogSetPageOpener(opener.c_str());
    }
    void TearDown() override {
        PlayLogFinish();
        PlayLogSetPageOpener("xdg-open");
        fs::remove_all(folder_);
    }

    // The body of the one request the server received.
    static std::string FormBody(LoopbackServer& server) {
        std::vector<std::string> requests = server.Requests();
        if (requests.size() != 1) return "<" + std::to_string(requests.size()) + " requests>";
        return requests[0].substr(requests[0].find("\r\n\r\n") + 4);
    }

    // The opener's arguments, waited for with a generous bound.
    std::string OpenerArguments() {
        fs::path out = folder_ / "args.txt";
        for (int i = 0; i < 2000 && !fs::exists(out); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream file(out);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    fs::path folder_;
};

TEST_F(PlayLogTest, CountersArePostedWithTheKeyAndThePageOpensWithTheKeyEscaped) {
    LogCapture log;
    LoopbackServer server(kSuccess);
    PlayLogSetup("-window x;$(touch&pwned)", server.Url("/log/playlog.php").c_str(),
                 "http://127.0.0.1/gameover.php?license=");
    PlayLogRecord("Alembria: LevelsWon", 3);
    PlayLogRecord("Alembria: LevelsFailed", 1);
    EXPECT_TRUE(PlayLogSend());
    EXPECT_EQ(FormBody(server), "Alembria: LevelsWon=3&Alembria: LevelsFailed=1&license=x%3B%24%28touch%26pwned%29");
    EXPECT_EQ(server.Requests()[0].rfind("POST /log/playlog.php ", 0), 0u);
    EXPECT_EQ(log.Messages(), (std::vector<std::string>{"[PLAYLOG]: setup to " + server.Url("/log/playlog.php"),
                                                        "[PLAYLOG] Alembria: LevelsWon: 3",
                                                        "[PLAYLOG] Alembria: LevelsFailed: 1",
                                                        "Successful playlog update"}));

    PlayLogFinish();
    EXPECT_EQ(OpenerArguments(), "http://127.0.0.1/gameover.php?license=x%3B%24%28touch%26pwned%29\n");
    EXPECT_FALSE(PlayLogSend());  // finished: off again
}

TEST_F(PlayLogTest, WithoutCommandLineWordsOnlyTheLogHearsOfIt) {
    LogCapture log;
    LoopbackServer server(kSuccess);
    PlayLogSetup("", server.Url("/playlog.php").c_str(), "http://127.0.0.1/gameover.php?license=");
    PlayLogRecord("Alembria: LevelsWon", 2);
    EXPECT_FALSE(PlayLogSend());
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_EQ(log.Messages(), std::vector<std::string>{"[PLAYLOG] Alembria: LevelsWon: 2"});
}

TEST_F(PlayLogTest, AnswersAndFailuresOfTheServer) {
    struct Case {
        const char* name;
        const char* body;
        bool hold;       // the server never answers
        bool reachable;  // false: nothing listens at the endpoint
        bool sent;
        const char* lastLine;
    };
    const Case cases[] = {
        {"answer without success", "<Success>0</Success>", false, true, true, "[PLAYLOG]: setup to"},
        {"no answer in time", kSuccess, true, true, false, "[ERROR] NetError: usually means no connection took place"},
        {"nobody listening", kSuccess, false, false, false, "[ERROR] NetError: usually means no connection took place"},
    };
    PlayLogSetPageOpener("true");  // the page is not what these cases are about
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LogCapture log;
        std::string url;
        {
            LoopbackServer server(c.body);
            if (c.hold) server.HoldAnswers();
            url = server.Url("/playlog.php");
            if (c.reachable) {
                PlayLogSetup("key", url.c_str(), "http://127.0.0.1/?license=");
                // Only a server that never answers waits out the short limit; an answer may take long
                // on a busy machine.
                EXPECT_EQ(PlayLogSend(c.hold ? 300 : kPlayLogWaitLimitMs), c.sent);
            }
            server.Release();
        }
        if (!c.reachable) {  // the server's port is closed again
            PlayLogSetup("key", url.c_str(), "http://127.0.0.1/?license=");
            EXPECT_EQ(PlayLogSend(), c.sent);
        }
        EXPECT_EQ(log.Messages().back().rfind(c.lastLine, 0), 0u) << log.Messages().back();
        PlayLogFinish();
    }
}

// The tester's key goes to no server whose certificate does not check out (here one signed by
// itself): the handshake fails and nothing is sent.
TEST_F(PlayLogTest, TheKeyIsNotSentToAnUncheckedServer) {
    LogCapture log;
    TlsLoopbackServer server(kSuccess);
    PlayLogSetup("secret-key", (server.Url() + "playlog.php").c_str(), "https://127.0.0.1/?license=");
    EXPECT_FALSE(PlayLogSend());
    EXPECT_EQ(server.Handshakes(), 0);
    EXPECT_EQ(log.Messages().back(), "[ERROR] NetError: usually means no connection took place");
}

}  // namespace
