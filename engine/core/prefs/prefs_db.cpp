#include "engine/core/prefs/prefs_db.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/core/base/config.h"
#include "engine/core/files/file.h"
#include "engine/core/base/log.h"

namespace {

constexpr const char kStoreName[] = "user:prefsdb.dat";
constexpr const char kInstallFile[] = "::install.txt";
// Marks the file as ours ("QVPD"), so a foreign SQLite file is told apart from a new one.
constexpr int kApplicationId = 0x51565044;
constexpr long long kGlobals = -1;
constexpr size_t kInstallKeyLimit = 4096;
// How long a store locked by another process (a second copy of the game) is waited for.
constexpr int kBusyTimeoutMs = 5000;

constexpr const char kSchema[] =
    "CREATE TABLE IF NOT EXISTS metaglobals(key TEXT PRIMARY KEY, value BLOB);"
    "CREATE TABLE IF NOT EXISTS install(id INTEGER PRIMARY KEY, key TEXT UNIQUE NOT NULL);"
    "CREATE TABLE IF NOT EXISTS install_globals(install_id INTEGER NOT NULL, key TEXT NOT NULL, value BLOB,"
    " PRIMARY KEY(install_id, key));"
    "CREATE TABLE IF NOT EXISTS users(id INTEGER PRIMARY KEY AUTOINCREMENT, install_id INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS user_values(user_id INTEGER NOT NULL, key TEXT NOT NULL, value BLOB,"
    " PRIMARY KEY(user_id, key));";

// One prepared statement, finalised on scope exit.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        if (db) sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr);
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    explicit operator bool() const { return statement_ != nullptr; }
    Statement& Bind(int index, long long value) {
        sqlite3_bind_int64(statement_, index, value);
        return *this;
    }
    Statement& Bind(int index, const TString& text) {
        sqlite3_bind_text(statement_, index, text.CStr(), static_cast<int>(text.Length()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& BindBlob(int index, const TString& text) {
        // The stored value is the Base64 text with its NUL.
        sqlite3_bind_blob(statement_, index, text.CStr(), static_cast<int>(text.Length() + 1), SQLITE_TRANSIENT);
        return *this;
    }
    bool Row() { return statement_ && sqlite3_step(statement_) == SQLITE_ROW; }
    bool Run() {
        if (!statement_) return false;
        int result = sqlite3_step(statement_);
        return result == SQLITE_DONE || result == SQLITE_ROW;
    }
    long long Int(int column) { return sqlite3_column_int64(statement_, column); }
    TString Text(int column) {
        const void* bytes = sqlite3_column_blob(statement_, column);
        int size = sqlite3_column_bytes(statement_, column);
        if (!bytes || size <= 0) return TString();
        return TString(static_cast<const char*>(bytes), static_cast<unsigned>(size)); // stops at the NUL
    }

private:
    sqlite3_stmt* statement_ = nullptr;
};

// The text of "install.txt", lower-cased, without white space; empty when there is none.
TString ReadInstallFile() {
    TFile file;
    if (!file.Open(kInstallFile, kFileReadBinary)) return TString();
    std::string key;
    char buffer[256];
    int32_t got;
    while ((got = file.Read(buffer, sizeof buffer)) > 0 && key.size() < kInstallKeyLimit) {
        for (int32_t i = 0; i < got; ++i) {
            unsigned char c = static_cast<unsigned char>(buffer[i]);
            if (c && !isspace(c)) key += static_cast<char>(tolower(c));
        }
    }
    return TString(key.c_str());
}

// Takes group and other rights away (never adds any: a read-only store stays read-only).
void KeepToOwner(int fd) {
    struct stat info;
    if (fstat(fd, &info) == 0 && (info.st_mode & 077)) fchmod(fd, info.st_mode & 0700);
}

// The store is the player's alone: its folder 0700 and the file 0600, made so before SQLite
// creates the file (its journal then gets the same rights).
void MakeStorePrivate(const std::filesystem::path& file) {
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    int folder = open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return;
    KeepToOwner(folder);
    int store = openat(folder, file.filename().c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (store >= 0) {
        KeepToOwner(store);
        close(store);
    }
    close(folder);
}

}  // namespace

TPrefsDB::TPrefsDB(bool autoCommit) : autoCommit_(autoCommit) {
    TString key = GetConfig("encryptionkey");
    if (key.IsEmpty()) LogPrintf("ERROR: No encryption key set before TPrefsDB construction!");
    SetKey(key);
    // Always the file in the user data folder: the name map could point the store anywhere, even into a package.
    path_ = ResolveDiskPath(kStoreName);
    if (path_.IsEmpty()) {
        LogPrintf("Preferences file %s cannot be used (no user data folder): its values are not read or changed",
                  kStoreName);
        return;
    }
    if (Open(path_)) ChooseInstallation();
}

TPrefsDB::~TPrefsDB() {
    if (!db_) return;
    if (autoCommit_)
        Commit();
    else if (InTransaction())
        Execute("ROLLBACK");
    sqlite3_close(db_);
}

bool TPrefsDB::Open(const TString& path) {
    MakeStorePrivate(std::filesystem::path(path.CStr()));
    TString problem;
    if (sqlite3_open_v2(path.CStr(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
        problem = sqlite3_errmsg(db_);
    else
        problem = PrepareSchema();
    if (!problem.IsEmpty()) {
        LogPrintf("Preferences file %s cannot be used (%s): its values are not read or changed", path.CStr(),
                  problem.CStr());
        sqlite3_close(db_);
        db_ = nullptr;
        return false;
    }
    return true;
}

TString TPrefsDB::PrepareSchema() {
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    Statement check(db_, "PRAGMA quick_check");
    if (!check.Row()) return sqlite3_errmsg(db_);
    if (check.Text(0) != "ok") return "damaged";
    Statement id(db_, "PRAGMA application_id");
    if (!id.Row()) return sqlite3_errmsg(db_);
    if (id.Int(0) != kApplicationId) {
        Statement tables(db_, "SELECT count(*) FROM sqlite_master");
        if (!tables.Row()) return sqlite3_errmsg(db_);
        if (tables.Int(0) != 0) return "another program's file";
        if (!Execute(TString::Format("PRAGMA application_id=%d", kApplicationId).CStr())) return sqlite3_errmsg(db_);
    }
    if (!Execute("PRAGMA synchronous=FULL") || !Execute(kSchema)) return sqlite3_errmsg(db_);
    return TString();
}

bool TPrefsDB::Execute(const char* sql) { return db_ && sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

// SQLite's own word: a failed COMMIT may leave the transaction open (busy) or roll it back (full).
bool TPrefsDB::InTransaction() const { return db_ && !sqlite3_get_autocommit(db_); }

bool TPrefsDB::BeginWrite() {
    if (!db_ || batchFailed_) return false;
    if (InTransaction() || Execute("BEGIN IMMEDIATE")) return true;
    LogPrintf("Preferences file %s: cannot write (%s); the changes since the last commit are dropped", path_.CStr(),
              sqlite3_errmsg(db_));
    batchFailed_ = true;
    return false;
}

void TPrefsDB::FailBatch(const TString& key) {
    LogPrintf("Preferences file %s: cannot store \"%s\" (%s); the changes since the last commit are dropped",
              path_.CStr(), key.CStr(), sqlite3_errmsg(db_));
    // SQLite may have undone the one statement only: the rest of the batch goes too.
    if (InTransaction()) Execute("ROLLBACK");
    batchFailed_ = true;
}

bool TPrefsDB::Checked(bool done, const TString& key) {
    if (!done) FailBatch(key);
    return done;
}

bool TPrefsDB::Commit() {
    if (batchFailed_) {
        batchFailed_ = false;
        LogPrintf("Preferences file %s: a failed batch is not committed; the store keeps its last commit",
                  path_.CStr());
        return false;
    }
    if (!InTransaction()) return db_ != nullptr;
    if (Execute("COMMIT")) return true;
    // A busy store keeps the transaction open, so the next commit saves these changes too.
    LogPrintf(InTransaction() ? "Preferences file %s: changes not saved yet (%s)"
                              : "Preferences file %s: changes since the last commit are lost (%s)",
              path_.CStr(), sqlite3_errmsg(db_));
    return false;
}

void TPrefsDB::ChooseInstallation() {
    TString key = ReadInstallFile();
    if (key.IsEmpty()) ReadStored("SELECT value FROM metaglobals WHERE key=?2", 0, "lastkey", key);
    if (key.IsEmpty()) key = "unknown";
    installKey_ = key;
    if (BeginWrite() && WriteStored("INSERT OR REPLACE INTO metaglobals(key, value) VALUES(?2, ?3)", 0, "lastkey", key))
        Checked(Statement(db_, "INSERT OR IGNORE INTO install(key) VALUES(?1)").Bind(1, key).Run(), "install");
    Statement find(db_, "SELECT id FROM install WHERE key=?1");
    if (find.Bind(1, key).Row()) installId_ = find.Int(0);
    Commit();
}

bool TPrefsDB::ReadStored(const char* sql, long long owner, const TString& key, TString& value) {
    Statement read(db_, sql);
    if (!read.Bind(1, owner).Bind(2, key).Row()) return false;
    TString text = read.Text(0);
    if (text.IsEmpty()) return false;
    int needed = Decipher(text.CStr(), text.Length(), nullptr, 0, true);
    if (needed < 0) return false;
    value = DecipherText(text);
    return true;
}

bool TPrefsDB::WriteStored(const char* sql, long long owner, const TString& key, const TString& value) {
    return Checked(Statement(db_, sql).Bind(1, owner).Bind(2, key).BindBlob(3, EncipherText(value)).Run(), key);
}

long long TPrefsDB::AddUser(const TString& key) {
    bool added = Statement(db_, "INSERT INTO users(install_id) VALUES(?1)").Bind(1, installId_).Run();
    return Checked(added, key) ? sqlite3_last_insert_rowid(db_) : 0;
}

long long TPrefsDB::UserId(int index) {
    if (index < 0) return 0;
    Statement find(db_, "SELECT id FROM users WHERE install_id=?1 ORDER BY id LIMIT 1 OFFSET ?2");
    return find.Bind(1, installId_).Bind(2, index).Row() ? find.Int(0) : 0;
}

TString TPrefsDB::GetValue(const TString& key, const TString& fallback, int user) {
    if (!db_) return fallback;
    TString value;
    bool found = false;
    if (user == kGlobals) {
        found = ReadStored("SELECT value FROM install_globals WHERE install_id=?1 AND key=?2", installId_, key, value);
    } else if (long long id = UserId(user)) {
        found = ReadStored("SELECT value FROM user_values WHERE user_id=?1 AND key=?2", id, key, value);
    }
    return found ? value : fallback;
}

bool TPrefsDB::SetValue(const TString& key, const TString& value, int user, bool commit) {
    bool stored = BeginWrite() && StoreValue(key, value, user);
    // The commit ends the batch even when this write was dropped.
    if (commit && !Commit()) stored = false;
    return stored;
}

bool TPrefsDB::StoreValue(const TString& key, const TString& value, int user) {
    if (user == kGlobals)
        return WriteStored("INSERT OR REPLACE INTO install_globals(install_id, key, value) VALUES(?1, ?2, ?3)",
                           installId_, key, value);
    long long id = UserId(user);
    if (!id && user >= 0 && user == GetUserCount() && key == "name") id = AddUser(key);
    return id && WriteStored("INSERT OR REPLACE INTO user_values(user_id, key, value) VALUES(?1, ?2, ?3)", id, key,
                             value);
}

int TPrefsDB::GetInt(const TString& key, int fallback, int user) {
    TString value = GetValue(key, TString(), user);
    return value.IsEmpty() ? fallback : value.ToInt();
}

bool TPrefsDB::SetInt(const TString& key, int value, int user, bool commit) {
    return SetValue(key, TString::Format("%d", value), user, commit);
}

int TPrefsDB::GetUserCount() {
    Statement count(db_, "SELECT count(*) FROM users WHERE install_id=?1");
    return count.Bind(1, installId_).Row() ? static_cast<int>(count.Int(0)) : 0;
}

void TPrefsDB::DeleteUser(int index) {
    long long id = UserId(index);
    if (!id) return;
    if (BeginWrite() && Checked(Statement(db_, "DELETE FROM user_values WHERE user_id=?1").Bind(1, id).Run(), "user"))
        Checked(Statement(db_, "DELETE FROM users WHERE id=?1").Bind(1, id).Run(), "user");
    if (autoCommit_) Commit();
}
