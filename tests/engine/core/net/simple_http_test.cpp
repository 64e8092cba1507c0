#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "engine/core/net/simple_http.h"
#include "tests/engine/core/files/file_fixture.h"
#include "loopback_server.h"
#include "tls_loopback_server.h"
#include "platform/http/http.h"

namespace {

using SimpleHttpTest = FileLayerTest;

// Polls until the state leaves "running" (bounded).
int WaitForEnd(const TSimpleHttp& http) {
    for (int i = 0; i < 1000 && http.GetState() == TSimpleHttp::kRunning; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return http.GetState();
}

TEST(FormEncoding, EscapesEverythingButUnreservedBytes) {
    EXPECT_EQ(platform::FormEncode("aZ09-._~"), "aZ09-._~");
    EXPECT_EQ(platform::FormEncode("a b&c=d+e/%\xC3\xA9"), "a%20b%26c%3Dd%2Be%2F%25%C3%A9");
}

TEST_F(SimpleHttpTest, PostsFormEncodedParameters) {
    LoopbackServer server("accepted");
    TSimpleHttp http;
    EXPECT_EQ(http.GetState(), TSimpleHttp::kFailed); // nothing sent yet
    http.Begin(server.Url("/log.php").c_str(), true);
    http.AddParameter("a", "1");
    http.AddParameter("b", "x&y=z +");
    http.AddParameterInt("level", -3);
    server.HoldAnswers();
    http.Send(0);
    EXPECT_EQ(http.GetState(), TSimpleHttp::kRunning);
    EXPECT_EQ(http.GetResponse(), nullptr);
    server.Release();
    ASSERT_EQ(WaitForEnd(http), TSimpleHttp::kResponse);
    EXPECT_STREQ(http.GetResponse(), "accepted");

    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    const std::string& request = requests[0];
    EXPECT_EQ(request.rfind("POST /log.php HTTP/1.1\r\n", 0), 0u) << request;
    EXPECT_NE(request.find("Content-Type: application/x-www-form-urlencoded\r\n"), std::string::npos);
    EXPECT_NE(request.find("User-Agent: qvlib\r\n"), std::string::npos);
    EXPECT_NE(request.find("Pragma: no-cache\r\n"), std::string::npos);
    EXPECT_EQ(request.substr(request.find("\r\n\r\n") + 4), "a=1&b=x%26y%3Dz%20%2B&level=-3");
}

TEST_F(SimpleHttpTest, GetAppendsParametersAndDownloadsThroughTheFileLayer) {
    LoopbackServer server("file body");
    TSimpleHttp http;
    http.Begin(server.Url("/get").c_str(), false, "user:downloads/news.txt");
    http.AddParameter("q", "a b");
    http.Send(0);
    ASSERT_EQ(WaitForEnd(http), TSimpleHttp::kResponse);
    EXPECT_EQ(ReadDisk("user/downloads/news.txt"), "file body");
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].rfind("GET /get?q=a%20b HTTP/1.1\r\n", 0), 0u) << server.Requests()[0];
}

// A download replaces its file only when it arrives whole: cut short or dropped, the old file stays and
// no part of the new one is left behind.
TEST_F(SimpleHttpTest, OnlyACompleteDownloadReplacesItsFile) {
    Write("user/downloads/news.txt", "old news");
    const std::vector<std::string> before = {"news.txt"};
    {
        LoopbackServer server("half of the new");
        server.CutAnswers(100);
        TSimpleHttp http;
        http.Begin(server.Url().c_str(), false, "user:downloads/news.txt");
        http.Send(0);
        EXPECT_EQ(WaitForEnd(http), TSimpleHttp::kFailed);
    }
    EXPECT_EQ(ReadDisk("user/downloads/news.txt"), "old news");
    EXPECT_EQ(FilesIn("user/downloads"), before);

    LoopbackServer server("new news");
    server.HoldAnswers();
    {
        TSimpleHttp http;
        http.Begin(server.Url().c_str(), false, "user:downloads/news.txt");
        http.Send(0);
    }  // dropped while it waits
    TSimpleHttp::StopAll();
    server.Release();
    EXPECT_EQ(ReadDisk("user/downloads/news.txt"), "old news");
    EXPECT_EQ(FilesIn("user/downloads"), before);

    TSimpleHttp http;
    http.Begin(server.Url().c_str(), false, "user:downloads/news.txt");
    http.Send(0);
    ASSERT_EQ(WaitForEnd(http), TSimpleHttp::kResponse);
    EXPECT_EQ(ReadDisk("user/downloads/news.txt"), "new news");
    EXPECT_EQ(FilesIn("user/downloads"), before);
}

// A server that accepts the request and never answers cannot hold it longer than its time.
TEST(HttpPerform, AWholeRequestIsBoundInTime) {
    LoopbackServer server("too late");
    server.HoldAnswers();
    platform::HttpRequest request;
    request.url = server.Url();
    request.timeoutSeconds = 1;
    std::atomic<bool> cancel{false};
    platform::HttpOutcome outcome = platform::HttpPerform(request, [](const char*, size_t) { return true; }, cancel);
    server.Release();
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.error, 28) << outcome.message;  // the operation timed out
}

TEST_F(SimpleHttpTest, UnwritableDownloadPathGivesStateThree) {
    LoopbackServer server("never stored");
    Write("user/blocker", "a file where a folder should be");
    TSimpleHttp http;
    http.Begin(server.Url().c_str(), false, "user:blocker/news.txt");
    http.Send(0);
    EXPECT_EQ(WaitForEnd(http), TSimpleHttp::kFileFailed);
    EXPECT_EQ(http.GetResponse(), nullptr);
}

TEST_F(SimpleHttpTest, RefusedConnectionFailsWithALogLine) {
    StartLog();
    int port;
    {
        LoopbackServer closed("");
        port = std::stoi(closed.Url().substr(17));
    }
    TSimpleHttp http;
    http.Begin(TString::Format("http://127.0.0.1:%d/", port), true);
    http.Send(0);
    EXPECT_EQ(WaitForEnd(http), TSimpleHttp::kFailed);
    EXPECT_NE(LogText().find("Error creating connection (POST) 7"), std::string::npos) << LogText();
}

// A server whose certificate no known authority signed: refused unless the caller relaxes the checks.
TEST_F(SimpleHttpTest, HttpsVerifiesUnlessRelaxed) {
    TlsLoopbackServer server("over tls");
    struct Case {
        int flags;
        int state;
        const char* response;
        bool logged;
    } const cases[] = {{0, TSimpleHttp::kFailed, nullptr, true}, {1, TSimpleHttp::kResponse, "over tls", false}};
    for (const Case& c : cases) {
        StartLog();
        TSimpleHttp http;
        http.Begin(server.Url().c_str(), false);
        http.Send(c.flags);
        EXPECT_EQ(WaitForEnd(http), c.state) << c.flags;
        if (c.response)
            EXPECT_STREQ(http.GetResponse(), c.response);
        else
            EXPECT_EQ(http.GetResponse(), nullptr);
        bool logged = LogText().find("Error creating connection (HTTPS) 60") != std::string::npos;
        EXPECT_EQ(logged, c.logged) << c.flags << ": " << LogText();
    }
    EXPECT_EQ(server.Handshakes(), 1);
}

TEST_F(SimpleHttpTest, DroppingARunningRequestIsSafe) {
    LoopbackServer server("late");
    server.HoldAnswers();
    {
        TSimpleHttp http;
        http.Begin(server.Url().c_str(), false);
        http.Send(0);
        http.Begin(server.Url().c_str(), false); // drops the running request
        EXPECT_EQ(http.GetState(), TSimpleHttp::kFailed);
    } // and the handle itself goes while the worker still waits
    // At the end of the game every worker still waiting is cancelled and joined.
    TSimpleHttp::StopAll();
    server.Release();
}

}  // namespace
