#include "data/sqlite_table.h"

#include <sqlite3.h>

#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

#include "data/field_value.h"

namespace dorvana {

FieldDef fieldDefFromDeclType(const QString& name, const QString& declType) {
    FieldDef d;
    d.name = name;
    const QString t = declType.trimmed().toUpper();
    static const QRegularExpression sizeRe(QStringLiteral("\\(\\s*(\\d+)"));
    const auto m = sizeRe.match(t);
    const int size = m.hasMatch() ? m.captured(1).toInt() : 0;
    auto has = [&](const char* s) { return t.contains(QLatin1String(s)); };
    if (t.isEmpty()) {
        d.type = FieldType::String;
        d.size = 255;
    } else if (has("GRAPHIC"))
        d.type = FieldType::Graphic;
    else if (has("MEMO"))
        d.type = FieldType::Memo;
    else if (has("VARBYTES")) {
        d.type = FieldType::VarBytes;
        d.size = size;
    } else if (has("BYTES")) {
        d.type = FieldType::Bytes;
        d.size = size;
    } else if (has("BLOB"))
        d.type = FieldType::Blob;
    else if (has("CHAR") || has("TEXT") || has("CLOB") || has("STRING")) {
        if (size > 0) {
            d.type = FieldType::String;
            d.size = size;
        } else {
            d.type = (has("CHAR") || has("STRING")) ? FieldType::String : FieldType::Memo;
            d.size = d.type == FieldType::String ? 255 : 0;
        }
    } else if (has("BOOL"))
        d.type = FieldType::Boolean;
    else if (has("AUTOINC"))
        d.type = FieldType::Autoinc;
    else if (has("SMALLINT"))
        d.type = FieldType::Smallint;
    else if (t == u"WORD")
        d.type = FieldType::Word;
    else if (has("INT"))
        d.type = FieldType::Integer;
    else if (has("CURRENCY") || has("MONEY"))
        d.type = FieldType::Currency;
    else if (has("BCD") || has("DECIMAL") || has("NUMERIC"))
        d.type = FieldType::BCD;
    else if (has("REAL") || has("FLOA") || has("DOUB"))
        d.type = FieldType::Float;
    else if (has("DATETIME") || has("TIMESTAMP"))
        d.type = FieldType::DateTime;
    else if (has("DATE"))
        d.type = FieldType::Date;
    else if (has("TIME"))
        d.type = FieldType::Time;
    else {
        d.type = FieldType::String;
        d.size = 255;
    }
    return d;
}

QString declTypeOfField(const FieldDef& def) {
    switch (def.type) {
        case FieldType::String:
            return QStringLiteral("VARCHAR(%1)").arg(std::max(1, def.size));
        case FieldType::Smallint:
            return QStringLiteral("SMALLINT");
        case FieldType::Integer:
            return QStringLiteral("INTEGER");
        case FieldType::Word:
            return QStringLiteral("WORD");
        case FieldType::Boolean:
            return QStringLiteral("BOOLEAN");
        case FieldType::Float:
            return QStringLiteral("FLOAT");
        case FieldType::Currency:
            return QStringLiteral("CURRENCY");
        case FieldType::BCD:
            return QStringLiteral("BCD");
        case FieldType::Date:
            return QStringLiteral("DATE");
        case FieldType::Time:
            return QStringLiteral("TIME");
        case FieldType::DateTime:
            return QStringLiteral("DATETIME");
        case FieldType::Bytes:
            return QStringLiteral("BYTES(%1) BLOB").arg(def.size);
        case FieldType::VarBytes:
            return QStringLiteral("VARBYTES(%1) BLOB").arg(def.size);
        case FieldType::Autoinc:
            return QStringLiteral("AUTOINC INTEGER");
        case FieldType::Blob:
            return QStringLiteral("BLOB");
        case FieldType::Memo:
            return QStringLiteral("MEMO TEXT");
        case FieldType::Graphic:
            return QStringLiteral("GRAPHIC BLOB");
        default:
            return QStringLiteral("TEXT");
    }
}

QVariant rawFromColumn(const SqliteStatement& st, int c, FieldType type) {
    if (st.isNull(c)) return {};
    switch (type) {
        case FieldType::String:
        case FieldType::Memo:
            return st.text(c);
        case FieldType::Smallint:
        case FieldType::Integer:
        case FieldType::Word:
        case FieldType::Autoinc: {
            if (st.columnStorage(c) == SQLITE_FLOAT)
                return QVariant::fromValue<qint64>(qint64(std::llround(st.real(c))));
            return QVariant::fromValue<qint64>(st.int64(c));
        }
        case FieldType::Float:
        case FieldType::Currency:
        case FieldType::BCD:
            return st.real(c);
        case FieldType::Boolean: {
            if (st.columnStorage(c) == SQLITE_TEXT) {
                const QString s = st.text(c).trimmed().toLower();
                return s == u"true" || s == u"t" || s == u"1" || s == u"y" || s == u"ano";
            }
            return st.int64(c) != 0;
        }
        case FieldType::Date: {
            QDate d;
            return parseDateText(st.text(c).left(10), &d) ? QVariant(d) : QVariant();
        }
        case FieldType::Time: {
            QTime t;
            return parseTimeText(st.text(c), &t) ? QVariant(t) : QVariant();
        }
        case FieldType::DateTime: {
            QDateTime dt;
            return parseDateTimeText(st.text(c), &dt) ? QVariant(dt) : QVariant();
        }
        default:
            return st.blob(c);
    }
}

std::unique_ptr<SqliteTableStore> SqliteTableStore::open(const QString& path, const QString& table,
                                                         bool readOnly, QString* error) {
    std::unique_ptr<SqliteTableStore> s(new SqliteTableStore);
    if (!s->init(path, table, readOnly, error)) return nullptr;
    return s;
}

bool SqliteTableStore::init(const QString& path, const QString& table, bool readOnly,
                            QString* error, bool withRows) {
    path_ = path;
    readOnly_ = readOnly;
    kindName_ = QStringLiteral("tabulka SQLite");
    if (!QFileInfo(path).isFile()) {
        if (error) *error = QStringLiteral("Soubor %1 neexistuje").arg(path);
        return false;
    }
    QString err;
    if (!db_.open(path, readOnly ? SqliteDb::Mode::ReadOnly : SqliteDb::Mode::ReadWrite, &err) &&
        !(readOnly_ = true, db_.open(path, SqliteDb::Mode::ReadOnly, &err))) {
        if (error) *error = QStringLiteral("Soubor %1 nelze otevřít: %2").arg(path, err);
        return false;
    }
    db_.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    table_ = table;
    if (table_.isEmpty()) {
        SqliteStatement st;
        if (!st.prepare(db_,
                        QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND "
                                       "name NOT LIKE 'sqlite_%' ORDER BY rowid LIMIT 1"),
                        &err)) {
            if (error) *error = QStringLiteral("Soubor %1 není databáze SQLite: %2").arg(path, err);
            return false;
        }
        if (st.step() != SqliteStatement::Step::Row) {
            if (error) *error = QStringLiteral("Databáze %1 neobsahuje žádnou tabulku").arg(path);
            return false;
        }
        table_ = st.text(0);
    }
    SqliteStatement info;
    if (!info.prepare(db_, QStringLiteral("PRAGMA table_info(%1)").arg(sqlIdentifier(table_)),
                      &err)) {
        if (error) *error = QStringLiteral("Soubor %1 není databáze SQLite: %2").arg(path, err);
        return false;
    }
    int pkCount = 0, pkColumn = -1;
    bool intPk = false;
    while (info.step() == SqliteStatement::Step::Row) {
        FieldDef d = fieldDefFromDeclType(info.text(1), info.text(2));
        d.required = info.int64(3) != 0;
        if (info.int64(5) > 0) {
            ++pkCount;
            pkColumn = int(defs_.size());
            intPk =
                info.text(2).trimmed().compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0;
        }
        defs_.append(d);
    }
    if (defs_.isEmpty()) {
        if (error) *error = QStringLiteral("Tabulka %1 v souboru %2 neexistuje").arg(table_, path);
        return false;
    }
    if (pkCount == 1 && intPk) keyField_ = pkColumn;
    return !withRows || loadRows(error);
}

bool SqliteTableStore::prepareStatements(QString* error) {
    QStringList cols;
    for (const FieldDef& d : defs_) cols << sqlIdentifier(d.name);
    QString err;
    const QString table = sqlIdentifier(table_);
    const QString rowIds = QStringLiteral(
        "SELECT rowid FROM %1 WHERE rowid >= ?1 AND rowid <= ?2 "
        "ORDER BY rowid %2 LIMIT ?3");
    if (!selectWindow_.prepare(db_,
                               QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid >= ?1 "
                                              "ORDER BY rowid LIMIT ?2")
                                   .arg(cols.join(QLatin1String(", ")), table),
                               &err) ||
        !rowIdsUp_.prepare(db_, rowIds.arg(table, QStringLiteral("ASC")), &err) ||
        !rowIdsDown_.prepare(db_, rowIds.arg(table, QStringLiteral("DESC")), &err)) {
        if (error) *error = QStringLiteral("Tabulku %1 nelze číst: %2").arg(table_, err);
        return false;
    }
    return true;
}

bool SqliteTableStore::reload(QString* error) {
    auto fail = [&](const QString& why) {
        if (error) *error = QStringLiteral("Tabulku %1 nelze číst: %2").arg(table_, why);
        return false;
    };
    SqliteStatement st;
    QString err;
    if (!st.prepare(db_, QStringLiteral("SELECT count(*) FROM %1").arg(sqlIdentifier(table_)),
                    &err))
        return fail(err);
    if (st.step() != SqliteStatement::Step::Row) return fail(st.errorText());
    const qint64 count = st.int64(0);
    seenVersion_ = dataVersion();
    rowIds_.reset(count, [this](qint64 lo, qint64 hi, qint64 limit, bool descending,
                                std::vector<qint64>* out) {
        return fetchRowIds(lo, hi, limit, descending, out);
    });
    return true;
}

bool SqliteTableStore::fetchRowIds(qint64 lo, qint64 hi, qint64 limit, bool descending,
                                   std::vector<qint64>* out) const {
    SqliteStatement& st = descending ? rowIdsDown_ : rowIdsUp_;
    st.reset();
    st.bindInt64(1, lo);
    st.bindInt64(2, hi);
    st.bindInt64(3, limit);
    SqliteStatement::Step s;
    while ((s = st.step()) == SqliteStatement::Step::Row) out->push_back(st.int64(0));
    if (s == SqliteStatement::Step::Error) rowIdError_ = st.errorText();
    st.reset();
    return s != SqliteStatement::Step::Error;
}

bool SqliteTableStore::rowIdOf(qint64 row, qint64* id, QString* error) const {
    rowIdError_.clear();
    if (rowIds_.rowIdAt(row, id)) return true;
    if (error)
        *error = rowIdError_.isEmpty()
                     ? QStringLiteral("Záznam nebyl nalezen")
                     : QStringLiteral("Chyba čtení tabulky %1: %2").arg(table_, rowIdError_);
    return false;
}

bool SqliteTableStore::readRows(qint64 first, qint64 count, QList<RawRecord>* out, QString* error) {
    if (first < 0 || first >= rowCount() || count <= 0) return true;
    qint64 firstId;
    if (!rowIdOf(first, &firstId, error)) return false;
    count = std::min(count, rowCount() - first);
    selectWindow_.reset();
    selectWindow_.bindInt64(1, firstId);
    selectWindow_.bindInt64(2, count);
    const int n = int(defs_.size());
    SqliteStatement::Step s;
    qint64 got = 0;
    while (got < count && (s = selectWindow_.step()) == SqliteStatement::Step::Row) {
        RawRecord r(n);
        for (int i = 0; i < n; ++i) r[i] = rawFromColumn(selectWindow_, i + 1, defs_[i].type);
        out->append(std::move(r));
        ++got;
    }
    if (got < count && s == SqliteStatement::Step::Error) {
        if (error)
            *error =
                QStringLiteral("Chyba čtení tabulky %1: %2").arg(table_, selectWindow_.errorText());
        selectWindow_.reset();
        return false;
    }
    selectWindow_.reset();
    return true;
}

qint64 SqliteTableStore::rowId(qint64 row) const {
    qint64 id;
    return rowIds_.rowIdAt(row, &id) ? id : -1;
}

qint64 SqliteTableStore::rowOfId(qint64 id) const {
    return rowIds_.rowOf(id);
}

bool SqliteTableStore::canWrite(QString* reason) const {
    if (readOnly_) {
        if (reason) *reason = QStringLiteral("Soubor %1 je otevřen jen pro čtení").arg(path_);
        return false;
    }
    return true;
}

qint64 SqliteTableStore::findKey(const QVariant& key) const {
    if (keyField_ < 0 || key.isNull()) return -1;
    return rowOfId(key.toLongLong());
}

QString SqliteTableStore::keyViolation(const RawRecord& values) const {
    return QStringLiteral("Duplicitní klíč: záznam s hodnotou %1 pole %2 již existuje")
        .arg(values[keyField_].toString(), defs_[keyField_].name);
}

bool SqliteTableStore::updateRow(qint64 row, const RawRecord& values, qint64* newRow,
                                 QString* error) {
    if (!canWrite(error)) return false;
    qint64 oldId;
    if (!rowIdOf(row, &oldId, error)) return false;
    qint64 newId = oldId;
    if (keyField_ >= 0 && !values[keyField_].isNull()) {
        newId = values[keyField_].toLongLong();
        if (newId != oldId && rowOfId(newId) >= 0) {
            if (error) *error = keyViolation(values);
            return false;
        }
    }
    QStringList sets;
    for (const FieldDef& d : defs_) sets << sqlIdentifier(d.name) + QStringLiteral(" = ?");
    SqliteStatement st;
    QString err;
    if (!st.prepare(db_,
                    QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                        .arg(sqlIdentifier(table_), sets.join(QLatin1String(", "))),
                    &err)) {
        if (error) *error = err;
        return false;
    }
    for (int i = 0; i < defs_.size(); ++i) st.bind(i + 1, values[i]);
    st.bindInt64(int(defs_.size()) + 1, oldId);
    if (!st.execute(&err)) {
        if (error) *error = QStringLiteral("Záznam nelze uložit: %1").arg(err);
        return false;
    }
    if (newId != oldId) {
        rowIds_.removed(row);
        rowIds_.inserted(newId);
    }
    *newRow = rowOfId(newId);
    return true;
}

bool SqliteTableStore::insertRow(const RawRecord& values, qint64* newRow, QString* error) {
    if (!canWrite(error)) return false;
    if (keyField_ >= 0 && !values[keyField_].isNull() &&
        rowOfId(values[keyField_].toLongLong()) >= 0) {
        if (error) *error = keyViolation(values);
        return false;
    }
    QStringList cols, marks;
    for (const FieldDef& d : defs_) {
        cols << sqlIdentifier(d.name);
        marks << QStringLiteral("?");
    }
    SqliteStatement st;
    QString err;
    if (!st.prepare(db_,
                    QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                        .arg(sqlIdentifier(table_), cols.join(QLatin1String(", ")),
                             marks.join(QLatin1String(", "))),
                    &err)) {
        if (error) *error = err;
        return false;
    }
    for (int i = 0; i < defs_.size(); ++i) st.bind(i + 1, values[i]);
    if (!st.execute(&err)) {
        if (error) *error = QStringLiteral("Záznam nelze uložit: %1").arg(err);
        return false;
    }
    const qint64 id = db_.lastInsertRowId();
    rowIds_.inserted(id);
    *newRow = rowOfId(id);
    return true;
}

qint64 SqliteTableStore::dataVersion() const {
    if (!dataVersion_.isValid() &&
        !dataVersion_.prepare(db_, QStringLiteral("PRAGMA data_version")))
        return -1;
    dataVersion_.reset();
    const qint64 v = dataVersion_.step() == SqliteStatement::Step::Row ? dataVersion_.int64(0) : -1;
    dataVersion_.reset();
    return v;
}

bool SqliteTableStore::changedElsewhere() {
    const qint64 v = dataVersion();
    if (v == seenVersion_) return false;
    seenVersion_ = v;
    return true;
}

bool SqliteTableStore::checkRowAsRead(qint64 row, const RawRecord& asRead, RowConflict* conflict,
                                      QString* error) const {
    qint64 id;
    if (!rowIdOf(row, &id, error)) return false;
    QStringList cols;
    for (const FieldDef& d : defs_) cols << sqlIdentifier(d.name);
    SqliteStatement st;
    QString err;
    if (!st.prepare(db_,
                    QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                        .arg(cols.join(QLatin1String(", ")), sqlIdentifier(table_)),
                    &err)) {
        if (error) *error = QStringLiteral("Chyba čtení tabulky %1: %2").arg(table_, err);
        return false;
    }
    st.bindInt64(1, id);
    const SqliteStatement::Step s = st.step();
    if (s == SqliteStatement::Step::Error) {
        if (error)
            *error = QStringLiteral("Chyba čtení tabulky %1: %2").arg(table_, st.errorText());
        return false;
    }
    *conflict = RowConflict::None;
    if (s == SqliteStatement::Step::Done) {
        *conflict = RowConflict::Vanished;
        return true;
    }
    for (int i = 0; i < defs_.size(); ++i) {
        if (!sameRawValue(rawFromColumn(st, i, defs_[i].type), asRead.value(i))) {
            *conflict = RowConflict::Changed;
            break;
        }
    }
    return true;
}

bool SqliteTableStore::checkedWrite(qint64 row, const RawRecord& asRead, RowConflict* conflict,
                                    QString* error, const std::function<bool(QString*)>& write) {
    *conflict = RowConflict::None;
    if (!canWrite(error)) return false;
    QString err;
    if (!db_.exec(QStringLiteral("BEGIN IMMEDIATE"), &err)) {
        if (error) *error = QStringLiteral("Tabulku %1 nelze zapsat: %2").arg(table_, err);
        return false;
    }
    if (!checkRowAsRead(row, asRead, conflict, error) || *conflict != RowConflict::None) {
        db_.exec(QStringLiteral("ROLLBACK"));
        return *conflict != RowConflict::None;
    }
    if (!write(error)) {
        db_.exec(QStringLiteral("ROLLBACK"));
        reload(nullptr);
        return false;
    }
    if (!db_.exec(QStringLiteral("COMMIT"), &err)) {
        db_.exec(QStringLiteral("ROLLBACK"));
        reload(nullptr);
        if (error) *error = QStringLiteral("Záznam nelze uložit: %1").arg(err);
        return false;
    }
    return true;
}

bool SqliteTableStore::updateReadRow(qint64 row, const RawRecord& asRead, const RawRecord& values,
                                     qint64* newRow, RowConflict* conflict, QString* error) {
    return checkedWrite(row, asRead, conflict, error,
                        [&](QString* e) { return updateRow(row, values, newRow, e); });
}

bool SqliteTableStore::deleteReadRow(qint64 row, const RawRecord& asRead, RowConflict* conflict,
                                     QString* error) {
    return checkedWrite(row, asRead, conflict, error,
                        [&](QString* e) { return deleteRow(row, e); });
}

bool SqliteTableStore::deleteRow(qint64 row, QString* error) {
    if (!canWrite(error)) return false;
    qint64 id;
    if (!rowIdOf(row, &id, error)) return false;
    SqliteStatement st;
    QString err;
    if (!st.prepare(db_,
                    QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(sqlIdentifier(table_)),
                    &err)) {
        if (error) *error = err;
        return false;
    }
    st.bindInt64(1, id);
    if (!st.execute(&err)) {
        if (error) *error = QStringLiteral("Záznam nelze vymazat: %1").arg(err);
        return false;
    }
    rowIds_.removed(row);
    return true;
}

}  // namespace dorvana
