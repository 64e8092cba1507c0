// TPrefsDB: the players' settings and progress in "user:prefsdb.dat", an SQLite file whose
// values are all enciphered (Base64 of Blowfish). Per installation key it keeps a table of
// global pairs (user -1) and a list of user rows, each with pairs of its own. A damaged or
// foreign file is never written: reads give their defaults and writes are dropped.
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
    // the list are ignored.
    void SetValue(const TString& key, const TString& value, int user, bool commit);
    int GetInt(const TString& key, int fallback, int user);
    void SetInt(const TString& key, int value, int user, bool commit);

    int GetUserCount();
    // Removes the row; any index outside the rows does nothing.
    void DeleteUser(int index);
    void Commit();

    bool IsOpen() const { return db_ != nullptr; }
    const TString& GetInstallKey() const { return installKey_; }

private:
    bool Open(const TString& path);
    // Why the opened file cannot serve as the store; empty when it is ready.
    TString PrepareSchema();
    void ChooseInstallation();
    bool Execute(const char* sql);
    bool InTransaction() const;
    bool BeginWrite();
    long long UserId(int index);
    // Reads and deciphers one stored value; false when absent or not decipherable.
    bool ReadStored(const char* sql, long long owner, const TString& key, TString& value);
    void WriteStored(const char* sql, long long owner, const TString& key, const TString& value);
    void LogDropped(const TString& key);
    // Appends a user row for the write of key; 0 (logged) when the store refuses it.
    long long AddUser(const TString& key);

    sqlite3* db_ = nullptr;
    TString path_;
    TString installKey_;
    long long installId_ = 0;
    bool autoCommit_;
};
