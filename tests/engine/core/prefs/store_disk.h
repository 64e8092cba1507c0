// Makes the disk under the preferences store fail for tests: the SQLite connection the store opens
// is caught while the store is made. Filled, its file cannot grow by a single page (SQLite answers
// SQLITE_FULL, as on a full disk); refusing, every write fails. Free gives both back.
#pragma once

#include <sqlite3.h>

#include <utility>

class StoreDisk {
public:
    // Runs make (which opens a store) and keeps the connection it opened.
    template <typename Make>
    auto Watch(Make&& make) {
        Opened() = nullptr;
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(&Catch));
        auto made = std::forward<Make>(make)();
        sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(&Catch));
        connection_ = Opened();
        return made;
    }

    bool Watching() const { return connection_ != nullptr; }
    bool Fill() { return Limit("PRAGMA max_page_count=1"); }
    bool Refuse() { return Limit("PRAGMA query_only=1"); }
    bool Free() { return Limit("PRAGMA max_page_count=1073741823; PRAGMA query_only=0"); }

private:
    static int Catch(sqlite3* db, const char**, const sqlite3_api_routines*) {
        Opened() = db;
        return SQLITE_OK;
    }
    static sqlite3*& Opened() {
        static sqlite3* opened = nullptr;
        return opened;
    }
    bool Limit(const char* pragma) {
        return connection_ && sqlite3_exec(connection_, pragma, nullptr, nullptr, nullptr) == SQLITE_OK;
    }

    sqlite3* connection_ = nullptr;
};
