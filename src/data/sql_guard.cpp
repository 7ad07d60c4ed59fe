#include "data/sql_guard.h"

#include <sqlite3.h>

#include <cstring>
#include <strings.h>

#include <initializer_list>

namespace dorvana {

namespace {

bool oneOf(const char* name, std::initializer_list<const char*> names) {
    if (!name) return false;
    for (const char* n : names)
        if (strcasecmp(name, n) == 0) return true;
    return false;
}

// PRAGMAs that only report; the first group also takes a table or index name.
bool readingPragma(const char* name, const char* value) {
    if (oneOf(name, {"table_info", "table_xinfo", "table_list", "index_list", "index_info",
                     "index_xinfo", "foreign_key_list"}))
        return true;
    return value == nullptr &&
           oneOf(name, {"collation_list", "function_list", "module_list", "pragma_list",
                        "database_list", "compile_options", "encoding", "user_version",
                        "schema_version", "application_id", "data_version", "page_count",
                        "page_size", "freelist_count"});
}

// Functions that read or write files or load code.
bool fileFunction(const char* name) {
    return oneOf(name, {"load_extension", "readfile", "writefile", "edit", "fts3_tokenizer",
                        "zipfile", "sqlar_compress", "sqlar_uncompress"});
}

}  // namespace

void SqlGuard::install(sqlite3* db) {
    sqlite3_set_authorizer(db, &SqlGuard::authorize, this);
}

int SqlGuard::authorize(void* self, int action, const char* a, const char* b, const char*,
                        const char*) {
    return static_cast<SqlGuard*>(self)->check(action, a, b);
}

int SqlGuard::check(int action, const char* a, const char* b) {
    if (!userText_) return SQLITE_OK;
    const char* what = nullptr;
    const char* name = nullptr;
    switch (action) {
        case SQLITE_SELECT:
        case SQLITE_READ:
        case SQLITE_RECURSIVE:
            return SQLITE_OK;
        case SQLITE_FUNCTION:
            if (!fileFunction(b)) return SQLITE_OK;
            what = "funkce pracující se soubory";
            name = b;
            break;
        case SQLITE_PRAGMA:
            if (readingPragma(a, b)) return SQLITE_OK;
            what = "příkaz PRAGMA";
            name = a;
            break;
        case SQLITE_ATTACH:
        case SQLITE_DETACH:
            what = "připojení jiné databáze";
            name = a;
            break;
        case SQLITE_INSERT:
        case SQLITE_UPDATE:
        case SQLITE_DELETE:
            what = "zápis do tabulky";
            name = a;
            break;
        case SQLITE_TRANSACTION:
        case SQLITE_SAVEPOINT:
            what = "řízení transakcí";
            break;
        default:
            what = "změna databáze";
            break;
    }
    if (!denied_) {
        denied_ = what;
        deniedName_[0] = 0;
        if (name) {
            std::strncpy(deniedName_, name, sizeof deniedName_ - 1);
            deniedName_[sizeof deniedName_ - 1] = 0;
        }
    }
    return SQLITE_DENY;
}

}  // namespace dorvana
