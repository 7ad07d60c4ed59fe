// The "dorvana_table" virtual-table module: any table file the engine reads
// (dBase, Paradox, CSV) as a read-only SQLite table.
#include <sqlite3.h>

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <cstring>

#include "data/query.h"
#include "data/sqlite_table.h"
#include "data/table_open.h"

namespace dorvana {

namespace {

struct TableVtab {
    sqlite3_vtab base{};
    std::unique_ptr<RecordStore> store;
};

struct TableCursor {
    sqlite3_vtab_cursor base{};
    qint64 row = 0;
    qint64 cacheFirst = 0;
    QList<RawRecord> cache;
};

void setError(sqlite3_vtab* vt, const QString& message) {
    sqlite3_free(vt->zErrMsg);
    vt->zErrMsg = sqlite3_mprintf("%s", message.toUtf8().constData());
}

QString unquoteArgument(const char* arg) {
    QString s = QString::fromUtf8(arg).trimmed();
    if (s.size() >= 2 && (s.front() == u'\'' || s.front() == u'"') && s.back() == s.front()) {
        const QChar q = s.front();
        s = s.mid(1, s.size() - 2);
        s.replace(QString(2, q), QString(q));
    }
    return s;
}

int xConnect(sqlite3* db, void*, int argc, const char* const* argv, sqlite3_vtab** out,
             char** err) {
    if (argc < 4) {
        *err = sqlite3_mprintf("dorvana_table: chybí cesta k tabulce");
        return SQLITE_ERROR;
    }
    const QString path = unquoteArgument(argv[3]);
    QString message;
    auto store = openTableStore(path, &message, nullptr, true);
    if (!store) {
        *err = sqlite3_mprintf("%s", message.toUtf8().constData());
        return SQLITE_ERROR;
    }
    QStringList cols;
    for (const FieldDef& d : store->fieldDefs()) {
        QString col = sqlIdentifier(d.name) + QLatin1Char(' ') + declTypeOfField(d);
        if (d.type == FieldType::String || d.type == FieldType::Memo)
            col += QStringLiteral(" COLLATE ") + QLatin1String(kTextCollation);
        cols << col;
    }
    const QByteArray schema =
        QStringLiteral("CREATE TABLE x(%1)").arg(cols.join(QLatin1String(", "))).toUtf8();
    const int rc = sqlite3_declare_vtab(db, schema.constData());
    if (rc != SQLITE_OK) {
        *err = sqlite3_mprintf("dorvana_table: %s", sqlite3_errmsg(db));
        return rc;
    }
    auto* vt = new TableVtab;
    vt->store = std::move(store);
    *out = &vt->base;
    return SQLITE_OK;
}

int xBestIndex(sqlite3_vtab* vt, sqlite3_index_info* info) {
    info->estimatedCost =
        double(static_cast<TableVtab*>(static_cast<void*>(vt))->store->rowCount()) + 1;
    info->estimatedRows = static_cast<TableVtab*>(static_cast<void*>(vt))->store->rowCount();
    return SQLITE_OK;
}

int xDisconnect(sqlite3_vtab* vt) {
    delete reinterpret_cast<TableVtab*>(vt);
    return SQLITE_OK;
}

int xOpen(sqlite3_vtab*, sqlite3_vtab_cursor** out) {
    auto* c = new TableCursor;
    *out = &c->base;
    return SQLITE_OK;
}

int xClose(sqlite3_vtab_cursor* cur) {
    delete reinterpret_cast<TableCursor*>(cur);
    return SQLITE_OK;
}

int xFilter(sqlite3_vtab_cursor* cur, int, const char*, int, sqlite3_value**) {
    auto* c = reinterpret_cast<TableCursor*>(cur);
    c->row = 0;
    return SQLITE_OK;
}

int xNext(sqlite3_vtab_cursor* cur) {
    ++reinterpret_cast<TableCursor*>(cur)->row;
    return SQLITE_OK;
}

int xEof(sqlite3_vtab_cursor* cur) {
    auto* c = reinterpret_cast<TableCursor*>(cur);
    return c->row >= reinterpret_cast<TableVtab*>(cur->pVtab)->store->rowCount();
}

int xColumn(sqlite3_vtab_cursor* cur, sqlite3_context* ctx, int col) {
    auto* c = reinterpret_cast<TableCursor*>(cur);
    auto* vt = reinterpret_cast<TableVtab*>(cur->pVtab);
    if (c->row < c->cacheFirst || c->row >= c->cacheFirst + c->cache.size()) {
        c->cache.clear();
        c->cacheFirst = c->row;
        QString err;
        if (!vt->store->readRows(c->row, 1024, &c->cache, &err) || c->cache.isEmpty()) {
            c->cache.clear();
            setError(cur->pVtab, err.isEmpty() ? QStringLiteral("Tabulku nelze číst") : err);
            return SQLITE_ERROR;
        }
    }
    const RawRecord& r = c->cache[qsizetype(c->row - c->cacheFirst)];
    const QVariant v = col >= 0 && col < r.size() ? r[col] : QVariant();
    if (v.isNull()) {
        sqlite3_result_null(ctx);
        return SQLITE_OK;
    }
    switch (v.typeId()) {
        case QMetaType::LongLong:
            sqlite3_result_int64(ctx, v.toLongLong());
            break;
        case QMetaType::Double:
            sqlite3_result_double(ctx, v.toDouble());
            break;
        case QMetaType::Bool:
            sqlite3_result_int(ctx, v.toBool() ? 1 : 0);
            break;
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            sqlite3_result_blob(ctx, b.constData(), int(b.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            QString s;
            if (v.typeId() == QMetaType::QDate)
                s = v.toDate().toString(Qt::ISODate);
            else if (v.typeId() == QMetaType::QTime)
                s = v.toTime().toString(QStringLiteral("HH:mm:ss.zzz"));
            else if (v.typeId() == QMetaType::QDateTime)
                s = v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
            else
                s = v.toString();
            const QByteArray u = s.toUtf8();
            sqlite3_result_text(ctx, u.constData(), int(u.size()), SQLITE_TRANSIENT);
        }
    }
    return SQLITE_OK;
}

int xRowid(sqlite3_vtab_cursor* cur, sqlite3_int64* rowid) {
    *rowid = reinterpret_cast<TableCursor*>(cur)->row + 1;
    return SQLITE_OK;
}

sqlite3_module makeModule() {
    sqlite3_module m;
    memset(&m, 0, sizeof m);
    m.iVersion = 1;
    m.xCreate = xConnect;
    m.xConnect = xConnect;
    m.xBestIndex = xBestIndex;
    m.xDisconnect = xDisconnect;
    m.xDestroy = xDisconnect;
    m.xOpen = xOpen;
    m.xClose = xClose;
    m.xFilter = xFilter;
    m.xNext = xNext;
    m.xEof = xEof;
    m.xColumn = xColumn;
    m.xRowid = xRowid;
    return m;
}

const sqlite3_module kModule = makeModule();

}  // namespace

bool registerTableModule(sqlite3* db) {
    return sqlite3_create_module_v2(db, "dorvana_table", &kModule, nullptr, nullptr) == SQLITE_OK;
}

}  // namespace dorvana
