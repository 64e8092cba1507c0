#include <gtest/gtest.h>
#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string>

#include "engine/core/base/config.h"
#include "engine/core/prefs/prefs_db.h"
#include "tests/engine/core/files/file_fixture.h"
#include "tests/engine/core/prefs/store_disk.h"

namespace {

class PrefsDbTest : public FileLayerTest {
protected:
    void SetUp() override {
        FileLayerTest::SetUp();
        SetConfig("encryptionkey", "BrineKelpVQZ");
        StartLog();
    }
    std::unique_ptr<TPrefsDB> Open() { return std::make_unique<TPrefsDB>(true); }

    int Mode(const std::string& relative) const {
        struct stat info {};
        stat((root_ / relative).c_str(), &info);
        return static_cast<int>(info.st_mode & 07777);
    }
};

TEST_F(PrefsDbTest, ValuesSurviveARestartEnciphered) {
    {
        auto prefs = Open();
        ASSERT_TRUE(prefs->IsOpen());
        prefs->SetInt("soundlevel", 80, -1, true);
        prefs->SetValue("greeting", "PlainTextGreeting", -1, true);
        EXPECT_EQ(prefs->GetInt("soundlevel", 0, -1), 80);
    }
    std::string bytes = ReadDisk("user/prefsdb.dat");
    EXPECT_EQ(bytes.find("PlainTextGreeting"), std::string::npos);
    EXPECT_NE(bytes.find("soundlevel"), std::string::npos); // keys stay plain, values do not

    auto prefs = Open();
    EXPECT_EQ(prefs->GetInt("soundlevel", 0, -1), 80);
    EXPECT_STREQ(prefs->GetValue("greeting", "", -1).CStr(), "PlainTextGreeting");
    EXPECT_EQ(prefs->GetInt("missing", 750, -1), 750);
    EXPECT_STREQ(prefs->GetInstallKey().CStr(), "unknown");
}

TEST_F(PrefsDbTest, TheStoreIsThePlayersAlone) {
    std::filesystem::permissions(root_ / "user", std::filesystem::perms::all);
    Open()->SetInt("a", 1, -1, true);
    EXPECT_EQ(Mode("user"), 0700);
    EXPECT_EQ(Mode("user/prefsdb.dat"), 0600);

    // A store of an older run loses the rights of others, and a read-only one stays read-only.
    std::filesystem::permissions(root_ / "user/prefsdb.dat", std::filesystem::perms::owner_read |
                                                                 std::filesystem::perms::group_read |
                                                                 std::filesystem::perms::others_read);
    Open();
    EXPECT_EQ(Mode("user/prefsdb.dat"), 0400);
}

// A full disk in the middle of a batch: the batch is lost whole, the store stays at the last commit.
TEST_F(PrefsDbTest, AFailedWriteDropsTheWholeBatch) {
    StoreDisk disk;
    auto prefs = disk.Watch([this] { return Open(); });
    ASSERT_TRUE(disk.Watching());
    prefs->SetValue("name", "Ann", 0, false);
    prefs->SetInt("level", 1, 0, false);
    prefs->SetInt("savedupto", 1, -1, false);
    ASSERT_TRUE(prefs->Commit());

    ASSERT_TRUE(disk.Fill());
    const TString story(std::string(20000, 's').c_str());
    EXPECT_TRUE(prefs->SetInt("level", 2, 0, false));  // fits in its page
    EXPECT_FALSE(prefs->SetValue("story", story, 0, false));
    EXPECT_FALSE(prefs->SetInt("savedupto", 2, -1, false));  // would fit, but its batch is gone
    EXPECT_FALSE(prefs->Commit());
    EXPECT_EQ(prefs->GetInt("level", 0, 0), 1);
    EXPECT_EQ(prefs->GetInt("savedupto", 0, -1), 1);
    EXPECT_FALSE(prefs->SetValue("story", story, 0, true));  // a batch of one write, committed at once
    EXPECT_NE(LogText().find("cannot store \"story\""), std::string::npos) << LogText();
    EXPECT_NE(LogText().find("a failed batch is not committed"), std::string::npos) << LogText();

    // Room again: the next batch is stored whole.
    ASSERT_TRUE(disk.Free());
    EXPECT_TRUE(prefs->SetValue("story", story, 0, false));
    EXPECT_TRUE(prefs->SetInt("savedupto", 3, -1, true));
    prefs.reset();
    prefs = Open();
    EXPECT_EQ(prefs->GetInt("level", 0, 0), 1);
    EXPECT_EQ(prefs->GetInt("savedupto", 0, -1), 3);
    EXPECT_EQ(prefs->GetValue("story", "", 0).Length(), story.Length());
}

constexpr int kNoNamespace = 77;

bool WriteText(const char* path, const std::string& text) {
    int fd = open(path, O_WRONLY | O_CLOEXEC);
    bool written = fd >= 0 && write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    if (fd >= 0) close(fd);
    return written;
}

// Mounts a tmpfs of 256 KB over folder in a mount namespace of this process alone (with a user
// namespace of its own when not run as root). False where the system allows neither.
bool MountTinyFileSystem(const std::string& folder) {
    uid_t uid = geteuid();
    gid_t gid = getegid();
    if (uid != 0) {
        if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
        if (!WriteText("/proc/self/setgroups", "deny") ||
            !WriteText("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
            !WriteText("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
            return false;
    } else if (unshare(CLONE_NEWNS) != 0) {
        return false;
    }
    return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=256k") == 0;
}

// Writes a file until the file system has no block left.
void FillUp(const std::string& path) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    char block[4096] = {};
    while (fd >= 0 && write(fd, block, sizeof block) > 0) {
    }
    if (fd >= 0) close(fd);
}

// The child's part of the test below: 0 when the store kept its last commit, else the failed step.
int SaveOnAFileSystemThatFillsUp(const std::string& userFolder) {
    if (!MountTinyFileSystem(userFolder)) return kNoNamespace;
    const std::string filler = userFolder + "/filler";
    TString story(std::string(60000, 's').c_str());
    {
        TPrefsDB prefs(true);
        if (!prefs.SetValue("name", "Ann", 0, false) || !prefs.SetInt("level", 1, 0, false) ||
            !prefs.SetInt("savedupto", 1, -1, true))
            return 2;
        if (!prefs.SetInt("level", 2, 0, false)) return 3;
        FillUp(filler);
        if (prefs.SetValue("story", story, 0, false)) return 4;  // the disk is full
        unlink(filler.c_str());                                  // and has room again
        if (prefs.SetInt("savedupto", 2, -1, false) || prefs.Commit()) return 5;
    }
    TPrefsDB prefs(true);
    if (prefs.GetInt("level", 0, 0) != 1 || prefs.GetInt("savedupto", 0, -1) != 1) return 6;
    if (!prefs.GetValue("story", "", 0).IsEmpty()) return 7;
    return prefs.SetInt("savedupto", 3, -1, true) && prefs.GetInt("savedupto", 0, -1) == 3 ? 0 : 8;
}

// The same on a real file system that fills up in the middle of a batch and has room again for its
// later writes. The small file system is mounted in a child process (where the system permits).
TEST_F(PrefsDbTest, AFileSystemThatFillsUpKeepsTheLastCommit) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(SaveOnAFileSystemThatFillsUp((root_ / "user").string()));
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == kNoNamespace) GTEST_SKIP() << "no mount namespace for a small file system";
    EXPECT_EQ(WEXITSTATUS(status), 0) << LogText();
}

TEST_F(PrefsDbTest, UserRowsFollowTheCreationRule) {
    auto prefs = Open();
    EXPECT_EQ(prefs->GetUserCount(), 0);
    prefs->SetValue("soundlevel", "1", 0, true); // no row 0 yet, and not "name"
    prefs->SetValue("name", "Ann", 1, true);     // past the count
    EXPECT_EQ(prefs->GetUserCount(), 0);
    prefs->SetValue("name", "Ann", 0, true);
    prefs->SetValue("name", "Bob", 1, true);
    prefs->SetValue("name", "Cy", 2, true);
    prefs->SetInt("soundlevel", 300, 1, true);
    prefs->SetValue("name", "Bobby", 1, true); // an existing row: replaced, no new row
    ASSERT_EQ(prefs->GetUserCount(), 3);
    EXPECT_STREQ(prefs->GetValue("name", "", 1).CStr(), "Bobby");
    EXPECT_EQ(prefs->GetInt("soundlevel", 750, 1), 300);
    EXPECT_EQ(prefs->GetInt("soundlevel", 750, 0), 750);
    EXPECT_STREQ(prefs->GetValue("name", "none", 7).CStr(), "none");

    for (int outside : {3, -1, -2, 1000}) prefs->DeleteUser(outside);
    EXPECT_EQ(prefs->GetUserCount(), 3);
    prefs->DeleteUser(0);
    ASSERT_EQ(prefs->GetUserCount(), 2);
    EXPECT_STREQ(prefs->GetValue("name", "", 0).CStr(), "Bobby");
    EXPECT_STREQ(prefs->GetValue("name", "", 1).CStr(), "Cy");
    prefs.reset();
    EXPECT_EQ(Open()->GetUserCount(), 2); // the delete was committed (auto-commit)
}

TEST_F(PrefsDbTest, InstallationKeysKeepSeparateUsers) {
    Write("install.txt", "  Portal-A \r\n");
    {
        auto prefs = Open();
        EXPECT_STREQ(prefs->GetInstallKey().CStr(), "portal-a");
        prefs->SetValue("name", "Ann", 0, true);
        prefs->SetInt("fullscreen", 1, -1, true);
    }
    Write("install.txt", "PORTAL-B");
    {
        auto prefs = Open();
        EXPECT_EQ(prefs->GetUserCount(), 0);
        EXPECT_EQ(prefs->GetInt("fullscreen", 0, -1), 0);
        prefs->SetValue("name", "Bea", 0, true);
        prefs->SetValue("name", "Bo", 1, true);
    }
    std::filesystem::remove(root_ / "install.txt");
    {
        auto prefs = Open(); // no file: the key used last
        EXPECT_STREQ(prefs->GetInstallKey().CStr(), "portal-b");
        EXPECT_EQ(prefs->GetUserCount(), 2);
    }
    Write("install.txt", "portal-a");
    auto prefs = Open();
    ASSERT_EQ(prefs->GetUserCount(), 1);
    EXPECT_STREQ(prefs->GetValue("name", "", 0).CStr(), "Ann");
    EXPECT_EQ(prefs->GetInt("fullscreen", 0, -1), 1);
}

TEST_F(PrefsDbTest, MissingKeyIsLoggedAndStillWorks) {
    SetConfig("encryptionkey", "");
    {
        auto prefs = Open();
        prefs->SetValue("k", "v", -1, true);
    }
    EXPECT_STREQ(Open()->GetValue("k", "", -1).CStr(), "v");
    EXPECT_NE(LogText().find("ERROR: No encryption key set before TPrefsDB construction!"), std::string::npos);
}

TEST_F(PrefsDbTest, UncommittedWritesAreNotKeptWithoutAutoCommit) {
    {
        TPrefsDB prefs(false);
        prefs.SetInt("kept", 1, -1, true);
        prefs.SetInt("dropped", 2, -1, false);
        EXPECT_EQ(prefs.GetInt("dropped", 0, -1), 2);
    }
    TPrefsDB prefs(false);
    EXPECT_EQ(prefs.GetInt("kept", 0, -1), 1);
    EXPECT_EQ(prefs.GetInt("dropped", 0, -1), 0);
}

TEST_F(PrefsDbTest, DamagedValuesReadAsTheDefault) {
    {
        auto prefs = Open();
        prefs->SetInt("soundlevel", 80, -1, true);
    }
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(Path("user/prefsdb.dat").CStr(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "UPDATE install_globals SET value=X'41414141414141414141414141413D00'", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    EXPECT_EQ(Open()->GetInt("soundlevel", 750, -1), 750);
}

TEST_F(PrefsDbTest, DamagedOrForeignFilesAreNeverWritten) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(Path("foreign.db").CStr(), &db), SQLITE_OK);
    sqlite3_exec(db, "CREATE TABLE notes(text TEXT); INSERT INTO notes VALUES('mine')", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    const std::string garbage = "this is no database at all, just text that must stay as it is";
    const std::string truncated = ReadDisk("foreign.db").substr(0, 1000);
    const std::pair<std::string, const char*> cases[] = {
        {garbage, "file is not a database"}, {ReadDisk("foreign.db"), "another program's file"}, {truncated, ""}};
    for (const auto& [contents, reason] : cases) {
        Write("user/prefsdb.dat", contents);
        StartLog();
        {
            auto prefs = Open();
            EXPECT_FALSE(prefs->IsOpen());
            prefs->SetInt("soundlevel", 80, -1, true);
            prefs->SetValue("name", "Ann", 0, true);
            EXPECT_EQ(prefs->GetInt("soundlevel", 750, -1), 750);
            EXPECT_EQ(prefs->GetUserCount(), 0);
            prefs->DeleteUser(0);
        }
        EXPECT_EQ(ReadDisk("user/prefsdb.dat"), contents);
        EXPECT_NE(LogText().find(std::string("Preferences file ") + Path("user/prefsdb.dat").CStr() +
                                 " cannot be used (" + reason),
                  std::string::npos)
            << LogText();
    }
}

TEST_F(PrefsDbTest, ACommitBlockedByAReaderIsSavedByTheNextOne) {
    auto prefs = Open();
    ASSERT_TRUE(prefs->IsOpen());
    sqlite3* reader = nullptr;
    ASSERT_EQ(sqlite3_open(Path("user/prefsdb.dat").CStr(), &reader), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(reader, "BEGIN; SELECT count(*) FROM install_globals", nullptr, nullptr, nullptr),
              SQLITE_OK);
    prefs->SetInt("blocked", 1, -1, true); // the reader's lock outlasts the store's patience
    EXPECT_NE(LogText().find("changes not saved yet"), std::string::npos) << LogText();
    sqlite3_exec(reader, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(reader);
    prefs->SetInt("later", 2, -1, true);
    prefs.reset();
    prefs = Open();
    EXPECT_EQ(prefs->GetInt("blocked", 0, -1), 1);
    EXPECT_EQ(prefs->GetInt("later", 0, -1), 2);
}

TEST_F(PrefsDbTest, NoUserFolderGivesDefaults) {
    SetUserDataFolder(TString());
    auto prefs = Open();
    EXPECT_FALSE(prefs->IsOpen());
    prefs->SetInt("a", 1, -1, true);
    EXPECT_EQ(prefs->GetInt("a", 5, -1), 5);
    EXPECT_NE(LogText().find("Preferences file user:prefsdb.dat cannot be used (no user data folder)"),
              std::string::npos)
        << LogText();
}

TEST_F(PrefsDbTest, APackageEntryCannotMoveTheStore) {
    WritePackage("assets/hijack.qvp", {{"user:prefsdb.dat", "packed bytes"}});
    InitFileSystem();
    {
        auto prefs = Open();
        ASSERT_TRUE(prefs->IsOpen());
        prefs->SetInt("soundlevel", 80, -1, true);
    }
    EXPECT_NE(ReadDisk("user/prefsdb.dat").find("soundlevel"), std::string::npos);
    EXPECT_EQ(Open()->GetInt("soundlevel", 0, -1), 80);
    EXPECT_EQ(ReadAll("user:prefsdb.dat"), "packed bytes");
}

// A store the player may read but not write: every change is dropped with a log line, the new player row
// included. Root writes any file, so the store is opened by a child without those rights.
TEST_F(PrefsDbTest, EveryWriteToAReadOnlyStoreIsLogged) {
    Open()->SetValue("name", "Ann", 0, true);
    constexpr uid_t kNobody = 65534;
    std::filesystem::permissions(root_, std::filesystem::perms::all);
    std::filesystem::permissions(root_ / "user", std::filesystem::perms::all);
    std::filesystem::permissions(root_ / "log", std::filesystem::perms::all);
    std::ofstream(root_ / "log/logfile.txt", std::ios::app).close();
    std::filesystem::permissions(root_ / "log/logfile.txt", std::filesystem::perms::all);
    std::filesystem::permissions(root_ / "user/prefsdb.dat", std::filesystem::perms::owner_read |
                                                                 std::filesystem::perms::group_read |
                                                                 std::filesystem::perms::others_read);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(2);
        TPrefsDB prefs(true);
        if (!prefs.IsOpen() || prefs.GetUserCount() != 1) _exit(3);
        prefs.SetValue("name", "Bob", 1, true);
        prefs.SetInt("soundlevel", 80, 0, true);
        _exit(prefs.GetUserCount() == 1 ? 0 : 4);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    for (const char* key : {"name", "soundlevel"})
        EXPECT_NE(LogText().find(std::string("cannot store \"") + key + "\""), std::string::npos) << key << LogText();
    EXPECT_EQ(Open()->GetUserCount(), 1);
}

TEST_F(PrefsDbTest, CommittedValuesSurviveAKilledWriter) {
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(pipeEnds[0]);
        TPrefsDB prefs(true);
        for (int i = 0;; ++i) {
            prefs.SetInt(TString::Format("value%d", i % 50), i, -1, false);
            prefs.SetInt("counter", i, -1, true);
            if (write(pipeEnds[1], &i, sizeof i) != sizeof i) _exit(1);
        }
    }
    close(pipeEnds[1]);
    int committed = -1, next;
    while (committed < 120 && read(pipeEnds[0], &next, sizeof next) == sizeof next) committed = next;
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    while (read(pipeEnds[0], &next, sizeof next) == sizeof next) committed = next; // drain
    close(pipeEnds[0]);

    auto prefs = Open();
    ASSERT_TRUE(prefs->IsOpen());
    int counter = prefs->GetInt("counter", -1, -1);
    EXPECT_GE(counter, committed);
    for (int i = counter; i > counter - 50 && i >= 0; --i)
        EXPECT_EQ(prefs->GetInt(TString::Format("value%d", i % 50), -1, -1), i);
    prefs->SetInt("after", 1, -1, true);
    EXPECT_EQ(prefs->GetInt("after", 0, -1), 1);
}

}  // namespace
