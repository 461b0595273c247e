#include "platform/SqliteOpen.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

namespace hvx {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Opening waits this long for another program's lock on the file: a write of
// another process ends well within it, so a lock held longer belongs to a
// program that keeps the file to itself.
constexpr int kOpenWaitMs = 3000;
// Statements wait this long for a writer of another process.
constexpr int kStatementWaitMs = 10000;

bool Busy(int rc) {
    rc &= 0xff;
    return rc == SQLITE_BUSY || rc == SQLITE_LOCKED;
}

int Flags(OpenMode mode) {
    switch (mode) {
        case OpenMode::Create: return SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        case OpenMode::Existing: return SQLITE_OPEN_READWRITE;
        case OpenMode::ReadOnly: return SQLITE_OPEN_READONLY;
    }
    return SQLITE_OPEN_READONLY;
}

// The folder of the file takes no new files (read-only media, a locked folder).
bool FolderReadOnly(const std::string& path) {
    fs::path folder = fs::path(path).parent_path();
    if (folder.empty()) folder = ".";
    return ::access(folder.c_str(), W_OK) != 0;
}

// The "file:" URI of a path, for the parameters only a URI can carry.
std::string FileUri(const std::string& path, const char* parameters) {
    std::error_code ec;
    std::string uri = "file:";
    for (unsigned char c : fs::absolute(path, ec).string()) {
        if (c == '%' || c == '?' || c == '#' || c <= 0x20 || c >= 0x7f) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            uri += hex;
        } else {
            uri += static_cast<char>(c);
        }
    }
    return uri + "?" + parameters;
}

// Reads the schema once, so that the file's lock, its header and its WAL
// index are met while opening rather than by the first statement.
int FirstRead(sqlite3* db) {
    return sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
}

int PageCount(sqlite3* db, sqlite3_int64& pages) {
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, "PRAGMA page_count", -1, &stmt, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
        pages = sqlite3_column_int64(stmt, 0);
        rc = SQLITE_OK;
    }
    sqlite3_finalize(stmt);
    return rc;
}

// A database created here gets write-ahead logging, so that readers run
// beside a writer; a file that already holds pages keeps its journal.
// Switching takes a lock that the busy wait does not cover, so programs
// creating one file at the same moment ask again for a while.
int ChooseWalForNewDatabase(sqlite3* db) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(kOpenWaitMs);
    for (;;) {
        sqlite3_int64 pages = 0;
        int rc = PageCount(db, pages);
        if (rc == SQLITE_OK && pages > 0) return SQLITE_OK;
        if (rc == SQLITE_OK)
            rc = sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
        if (!Busy(rc) || Clock::now() >= deadline) return rc;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

sqlite3* OpenHandle(const std::string& name, int flags, std::string& error) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(name.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(db, kOpenWaitMs);
        return db;
    }
    error = db ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close_v2(db);
    return nullptr;
}

}  // namespace

sqlite3* OpenSqliteFile(const std::string& path, OpenMode mode, std::string& error) {
    std::error_code ec;
    if (path != ":memory:" && mode != OpenMode::Create && !fs::exists(path, ec)) {
        error = "The database file " + path + " does not exist.";
        return nullptr;
    }
    std::string reason;
    sqlite3* db = OpenHandle(path, Flags(mode), reason);
    int rc = db ? FirstRead(db) : SQLITE_CANTOPEN;
    if (db && (rc & 0xff) == SQLITE_CANTOPEN && mode == OpenMode::ReadOnly &&
        FolderReadOnly(path)) {
        // A WAL database is read through its index file beside it, which
        // such a folder cannot take. Nobody can write the database there
        // either (a writer's journal goes beside it too), so it is read as
        // an unchanging file.
        sqlite3_close_v2(db);
        db = OpenHandle(FileUri(path, "immutable=1"), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI,
                        reason);
        rc = db ? FirstRead(db) : SQLITE_CANTOPEN;
    }
    if (rc == SQLITE_OK && mode == OpenMode::Create) rc = ChooseWalForNewDatabase(db);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        if (Busy(rc))
            error = "The database " + path + " is in use by another program.";
        else
            error = "Cannot open database " + path + ": " + (db ? sqlite3_errmsg(db) : reason);
        sqlite3_close_v2(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, kStatementWaitMs);
    return db;
}

}  // namespace hvx
