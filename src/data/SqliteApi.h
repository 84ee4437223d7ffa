#pragma once

#include <sqlite3.h>

// The engine's entry points, resolved by name from the library the connection loads.
// Only the types come from the engine's header; nothing links against the engine.
struct SqliteApi
{
    decltype(&::sqlite3_open) open = nullptr;
    decltype(&::sqlite3_close) close = nullptr;
    decltype(&::sqlite3_exec) exec = nullptr;
    decltype(&::sqlite3_errmsg) errmsg = nullptr;
    decltype(&::sqlite3_get_table) get_table = nullptr;
    decltype(&::sqlite3_free_table) free_table = nullptr;
    decltype(&::sqlite3_free) free = nullptr;
    decltype(&::sqlite3_complete) complete = nullptr;
    decltype(&::sqlite3_last_insert_rowid) last_insert_rowid = nullptr;
    decltype(&::sqlite3_interrupt) interrupt = nullptr;
    decltype(&::sqlite3_busy_timeout) busy_timeout = nullptr;
    decltype(&::sqlite3_busy_handler) busy_handler = nullptr;
    decltype(&::sqlite3_changes) changes = nullptr;
    decltype(&::sqlite3_prepare) prepare = nullptr;
    decltype(&::sqlite3_finalize) finalize = nullptr;
    decltype(&::sqlite3_reset) reset = nullptr;
    decltype(&::sqlite3_step) step = nullptr;
    decltype(&::sqlite3_column_blob) column_blob = nullptr;
    decltype(&::sqlite3_column_bytes) column_bytes = nullptr;
    decltype(&::sqlite3_column_count) column_count = nullptr;
    decltype(&::sqlite3_column_decltype) column_decltype = nullptr;
    decltype(&::sqlite3_column_double) column_double = nullptr;
    decltype(&::sqlite3_column_int) column_int = nullptr;
    decltype(&::sqlite3_column_int64) column_int64 = nullptr;
    decltype(&::sqlite3_column_name) column_name = nullptr;
    decltype(&::sqlite3_column_text) column_text = nullptr;
    decltype(&::sqlite3_column_type) column_type = nullptr;

    // Optional: the online backup. An engine built without it still runs the program,
    // only the diary's backup is unavailable.
    decltype(&::sqlite3_backup_init) backup_init = nullptr;
    decltype(&::sqlite3_backup_step) backup_step = nullptr;
    decltype(&::sqlite3_backup_finish) backup_finish = nullptr;
    decltype(&::sqlite3_backup_remaining) backup_remaining = nullptr;
    decltype(&::sqlite3_backup_pagecount) backup_pagecount = nullptr;

    // Optional, every engine of the last fifteen years has them: preparing that follows
    // schema changes by itself, and values bound to a statement's parameters.
    decltype(&::sqlite3_prepare_v2) prepare_v2 = nullptr;
    decltype(&::sqlite3_bind_text) bind_text = nullptr;
    decltype(&::sqlite3_bind_int64) bind_int64 = nullptr;
    decltype(&::sqlite3_bind_double) bind_double = nullptr;
    decltype(&::sqlite3_bind_null) bind_null = nullptr;
    decltype(&::sqlite3_clear_bindings) clear_bindings = nullptr;

    // Optional: opening with flags. Where the engine has it, a connection is opened
    // without the engine's own lock, which each call would otherwise take: each connection
    // is used from one thread only.
    decltype(&::sqlite3_open_v2) open_v2 = nullptr;

    // sqlite3_open, unlocked where the engine allows it, and read-only when asked.
    int OpenUnlocked(const char *path, sqlite3 **db, bool readOnly = false) const
    {
        if (open_v2)
            return open_v2(path, db,
                           (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) |
                               SQLITE_OPEN_NOMUTEX,
                           nullptr);
        return open(path, db);
    }

    bool CanBind() const { return bind_text && bind_int64 && bind_double && bind_null && clear_bindings; }

    bool HasBackup() const
    {
        return backup_init && backup_step && backup_finish && backup_remaining && backup_pagecount;
    }
};
