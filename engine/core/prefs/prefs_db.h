// TPrefsDB: the players' settings and progress in "user:prefsdb.dat", an SQLite file whose
// values are all enciphered (Base64 of Blowfish). Per installation key it keeps a table of
// global pairs (user -1) and a list of user rows, each with pairs of its own. A damaged or
// foreign file is never written: reads give their defaults and writes are dropped. The file is the
// player's alone (0600 in a folder of 0700).
//
// The writes since the last commit form one batch that is stored whole or not at all: once a write
// of the batch fails (a full disk, say), the rest of the batch and its commit are dropped and the
// store stays at the previous commit.
#pragma once

#include "engine/core/base/string_cipher.h"
#include "engine/core/base/tstring.h"

struct sqlite3;

class TPrefsDB : public TStringCipher {
public:
    // Keys the cipher from the setting "encryptionkey" and opens the store.
    explicit TPrefsDB(bool autoCommit);
    ~TPrefsDB() override;
    TPrefsDB(const TPrefsDB&) = delete;
    TPrefsDB& operator=(const TPrefsDB&) = delete;

    TString GetValue(const TString& key, const TString& fallback, int user);
    // Writing "name" to the row equal to the user count creates that row; other rows outside
    // the list are ignored. False when the value is not stored (a row outside the list, a failed
    // write or commit, a batch that failed earlier).
    bool SetValue(const TString& key, const TString& value, int user, bool commit);
    int GetInt(const TString& key, int fallback, int user);
    bool SetInt(const TString& key, int value, int user, bool commit);

    int GetUserCount();
    // Removes the row; any index outside the rows does nothing.
    void DeleteUser(int index);
    // Ends the batch: false when it was dropped or the commit failed (the previous commit stays).
    bool Commit();

    bool IsOpen() const { return db_ != nullptr; }
    const TString& GetInstallKey() const { return installKey_; }

private:
    bool Open(const TString& path);
    // Why the opened file cannot serve as the store; empty when it is ready.
    TString PrepareSchema();
    void ChooseInstallation();
    bool Execute(const char* sql);
    bool InTransaction() const;
    // Opens the batch's transaction; false (the write dropped) when the batch has failed.
    bool BeginWrite();
    // Drops the whole batch after a failed write: its changes are rolled back, its later writes
    // and its commit refused.
    void FailBatch(const TString& key);
    long long UserId(int index);
    // Reads and deciphers one stored value; false when absent or not decipherable.
    bool ReadStored(const char* sql, long long owner, const TString& key, TString& value);
    // One change of the batch each; a failure drops the batch (logged with key).
    bool WriteStored(const char* sql, long long owner, const TString& key, const TString& value);
    bool Checked(bool done, const TString& key);
    bool StoreValue(const TString& key, const TString& value, int user);
    // Appends a user row for the write of key; 0 (logged) when the store refuses it.
    long long AddUser(const TString& key);

    sqlite3* db_ = nullptr;
    TString path_;
    TString installKey_;
    long long installId_ = 0;
    bool autoCommit_;
    bool batchFailed_ = false;
};
