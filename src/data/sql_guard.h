#pragma once
// What a report's SQL may do: read. The guard is an SQLite authorizer on a
// query's private connection; while the user's text is prepared (and when
// SQLite prepares it again) it denies attaching files, every write and
// schema change, transactions, PRAGMAs that change state and the functions
// that touch files or load code. The query's own statements (the virtual
// tables over the files the text names, the result table) are prepared with
// the guard open.

struct sqlite3;

namespace dorvana {

class SqlGuard {
public:
    // Installs the guard on a connection; it must outlive the connection's use.
    void install(::sqlite3* db);
    // True while the user's text is prepared or run: only reading is allowed.
    void setUserText(bool on) { userText_ = on; }
    bool userText() const { return userText_; }
    // The first action denied since the last reset, as a Czech phrase
    // ("připojení jiné databáze", "zápis do tabulky etikety"), empty if none.
    const char* deniedAction() const { return denied_; }
    void resetDenied() { denied_ = nullptr; deniedName_[0] = 0; }
    const char* deniedName() const { return deniedName_; }

private:
    static int authorize(void* self, int action, const char* a, const char* b, const char* db,
                         const char* trigger);
    int check(int action, const char* a, const char* b);

    bool userText_ = false;
    const char* denied_ = nullptr;
    char deniedName_[64] = {};
};

}  // namespace dorvana
