/* An engine library that exports every entry point the connection resolves except the
   last one, sqlite3_column_type. None of them is ever called. */
#define EXPORT __attribute__((visibility("default")))
EXPORT void sqlite3_open(void) {}
EXPORT void sqlite3_close(void) {}
EXPORT void sqlite3_exec(void) {}
EXPORT void sqlite3_errmsg(void) {}
EXPORT void sqlite3_get_table(void) {}
EXPORT void sqlite3_free_table(void) {}
EXPORT void sqlite3_free(void) {}
EXPORT void sqlite3_complete(void) {}
EXPORT void sqlite3_last_insert_rowid(void) {}
EXPORT void sqlite3_interrupt(void) {}
EXPORT void sqlite3_busy_timeout(void) {}
EXPORT void sqlite3_busy_handler(void) {}
EXPORT void sqlite3_changes(void) {}
EXPORT void sqlite3_prepare(void) {}
EXPORT void sqlite3_finalize(void) {}
EXPORT void sqlite3_reset(void) {}
EXPORT void sqlite3_step(void) {}
EXPORT void sqlite3_column_blob(void) {}
EXPORT void sqlite3_column_bytes(void) {}
EXPORT void sqlite3_column_count(void) {}
EXPORT void sqlite3_column_decltype(void) {}
EXPORT void sqlite3_column_double(void) {}
EXPORT void sqlite3_column_int(void) {}
EXPORT void sqlite3_column_int64(void) {}
EXPORT void sqlite3_column_name(void) {}
EXPORT void sqlite3_column_text(void) {}
/* Built with WITH_COLUMN_TYPE it has all of them, and none of the optional backup ones. */
#ifdef WITH_COLUMN_TYPE
EXPORT void sqlite3_column_type(void) {}
#endif
