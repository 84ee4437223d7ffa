// Builds or refreshes the shipped database from SQL text:
//   rybowid_dbbuild <database> <schema.sql> <seed.sql>...
// An existing database keeps the user's diary: only the supplied tables are replaced,
// all in one transaction, so a failing seed leaves the file exactly as it was.
#include "diary/SuppliedTables.h"

#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct CloseDatabase
{
    void operator()(sqlite3 *db) const { sqlite3_close(db); }
};
using Database = std::unique_ptr<sqlite3, CloseDatabase>;

bool ReadText(const std::string &path, std::string &text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

bool Exec(sqlite3 *db, const std::string &sql, const std::string &what)
{
    char *message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    std::fprintf(stderr, "rybowid_dbbuild: %s: %s\n", what.c_str(), message ? message : sqlite3_errmsg(db));
    sqlite3_free(message);
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: rybowid_dbbuild <database> <schema.sql> [seed.sql...]\n");
        return 2;
    }
    std::vector<std::pair<std::string, std::string>> scripts;
    for (int i = 2; i < argc; ++i) {
        std::string text;
        if (!ReadText(argv[i], text)) {
            std::fprintf(stderr, "rybowid_dbbuild: cannot read %s\n", argv[i]);
            return 1;
        }
        scripts.emplace_back(argv[i], std::move(text));
    }

    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(argv[1], &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Database db(raw);
    if (rc != SQLITE_OK) {
        std::fprintf(stderr, "rybowid_dbbuild: cannot open %s: %s\n", argv[1],
                     raw ? sqlite3_errmsg(raw) : "out of memory");
        return 1;
    }
    sqlite3_busy_timeout(db.get(), 5000);

    if (!Exec(db.get(), "BEGIN IMMEDIATE", "begin"))
        return 1;
    bool ok = true;
    // The supplied tables are dropped rather than emptied so that a changed column list in
    // the schema reaches databases built before the change; the diary is never touched.
    for (const char *table : SuppliedTables)
        ok = ok && Exec(db.get(), std::string("DROP TABLE IF EXISTS ") + table, table);
    for (const auto &[path, text] : scripts)
        ok = ok && Exec(db.get(), text, path);
    if (!ok) {
        Exec(db.get(), "ROLLBACK", "rollback");
        return 1;
    }
    return Exec(db.get(), "COMMIT", "commit") ? 0 : 1;
}
