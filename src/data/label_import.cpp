#include "data/label_import.h"

#include <sqlite3.h>
#include <stdio.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <functional>

#include "base/safe_file.h"
#include "base/same_file.h"

#include "data/field_value.h"
#include "data/label_file.h"
#include "data/pg_table.h"
#include "data/table_open.h"

namespace dorvana {

QString foldFieldName(const QString& name) {
    const QString d = name.normalized(QString::NormalizationForm_D);
    QString out;
    for (const QChar c : d)
        if (c.category() != QChar::Mark_NonSpacing) out += c.toLower();
    return out.trimmed();
}

namespace {

// Holds the write lock of an existing label file while an import replaces
// it, so that no other program is in the middle of writing it.
class DestinationLock {
public:
    bool take(const QString& dest, QString* error) {
        const QString name = QFileInfo(dest).fileName();
        if (QFileInfo::exists(dest + QStringLiteral("-wal"))) {
            *error = QStringLiteral("Soubor %1 právě používá jiný program").arg(name);
            return false;
        }
        QString err;
        // Taking the lock also rolls back what a crashed writer left in a journal.
        if (!db_.open(dest, SqliteDb::Mode::ReadWrite, &err) ||
            !db_.exec(QStringLiteral("BEGIN EXCLUSIVE"), &err)) {
            const int code = db_.isOpen() ? sqlite3_errcode(db_.handle()) & 0xff : 0;
            *error = code == SQLITE_BUSY || code == SQLITE_LOCKED
                         ? QStringLiteral("Soubor %1 právě používá jiný program").arg(name)
                         : QStringLiteral("Soubor %1 nelze přepsat: %2").arg(name, err);
            db_.close();
            return false;
        }
        return true;
    }
    // Ends the lock; the file itself has been replaced by then.
    void release() { db_.close(); }

private:
    SqliteDb db_;
};

// Why an existing destination may not be replaced; empty when it may.
QString replaceRefusal(const QString& dest, bool replace, bool* exists) {
    const QFileInfo info(dest);
    const QString name = info.fileName();
    *exists = false;
    if (info.isDir()) return QStringLiteral("%1 je složka, ne soubor").arg(dest);
    if (!info.exists()) {
        if (!QFileInfo(info.absolutePath()).isDir())
            return QStringLiteral("Složka %1 neexistuje").arg(info.absolutePath());
        return {};
    }
    if (!LabelFileStore::isLabelFile(dest))
        return QStringLiteral("Soubor %1 už existuje a není soubor etiket; import ho nepřepíše")
            .arg(name);
    if (!replace) {
        *exists = true;
        return QStringLiteral("Soubor etiket %1 už existuje").arg(name);
    }
    // A file marked read-only stays so, even for a user the system would let write it.
    if (!info.isWritable() || !(info.permissions() & QFile::WriteOwner) ||
        !QFileInfo(info.absolutePath()).isWritable())
        return QStringLiteral("Soubor %1 je jen pro čtení").arg(name);
    return {};
}

// Reads every record of store as label records, in batches given to sink;
// fields matched by name (ImportResult::unmatchedFields gets the rest).
bool readAsLabelRecords(RecordStore& store, const QString& sourceName, ImportResult* res,
                        Progress* progress,
                        const std::function<bool(const QList<RawRecord>&, QString*)>& sink,
                        QString* error) {
    QString err;
    auto fail = [&](const QString& message) {
        if (error) *error = message;
        return false;
    };
    const FieldDefs& src = store.fieldDefs();
    const FieldDefs& dst = labelRecordFields();
    QList<int> map(dst.size(), -1);  // label field -> source field
    for (int s = 0; s < src.size(); ++s) {
        bool used = false;
        for (int d = 0; d < dst.size(); ++d)
            if (map[d] < 0 && foldFieldName(src[s].name) == foldFieldName(dst[d].name)) {
                map[d] = s;
                used = true;
                break;
            }
        if (!used) res->unmatchedFields << src[s].name;
    }
    if (std::all_of(map.cbegin(), map.cend(), [](int s) { return s < 0; })) {
        QStringList names;
        for (const FieldDef& d : dst) names << d.name;
        return fail(QStringLiteral("Žádné pole tabulky %1 neodpovídá poli souboru etiket (%2)")
                        .arg(sourceName, names.join(QStringLiteral(", "))));
    }
    const qint64 total = store.rowCount();
    constexpr qint64 kBatch = 5000;
    for (qint64 first = 0; first < total; first += kBatch) {
        QList<RawRecord> in, out;
        if (!store.readRows(first, kBatch, &in, &err)) return fail(err);
        for (qsizetype k = 0; k < in.size(); ++k) {
            const qint64 number = first + k + 1;
            RawRecord r(dst.size());
            for (int d = 0; d < dst.size(); ++d) {
                const int s = map[d];
                if (s < 0) continue;
                const QVariant& v = in[k][s];
                if (v.isNull()) continue;
                if (dst[d].type == FieldType::Graphic) {
                    r[d] = src[s].type == FieldType::String || src[s].type == FieldType::Memo
                               ? QByteArray::fromBase64(v.toString().toLatin1())
                               : v.toByteArray();
                    continue;
                }
                if (!rawFromTagged(taggedFromRaw(v, src[s].type), dst[d], &r[d], &err))
                    return fail(QStringLiteral("Záznam %1: %2").arg(number).arg(err));
                if (dst[d].type == FieldType::String && r[d].toString().size() > dst[d].size)
                    return fail(QStringLiteral("Záznam %1: text pole %2 je delší než %3 znaků")
                                    .arg(number)
                                    .arg(dst[d].name)
                                    .arg(dst[d].size));
            }
            if (map[0] < 0)
                r[0] = QVariant::fromValue<qint64>(number);
            else if (r[0].isNull())
                return fail(QStringLiteral("Záznam %1 nemá vyplněné pole cislo").arg(number));
            out.append(std::move(r));
        }
        if (!sink(out, &err)) return fail(err);
        res->records += out.size();
        if (progress) {
            progress->step(int(std::min(total, first + kBatch)), int(total), QString());
            if (progress->cancelled()) return fail(QStringLiteral("Import byl přerušen"));
        }
    }
    return true;
}

// Import into a label table on a server: the table (replaced only when
// asked) and all its records are one transaction, so a failed import leaves
// the server as it was.
bool importToServerTable(const QString& source, const QString& uri, ImportResult* result,
                         QString* error, const ImportOptions& options) {
    PgTarget target;
    if (!parseServerTableUri(uri, &target, error)) return false;
    QString err;
    auto store = openTableStore(source, &err);
    if (!store) {
        if (error) *error = err;
        return false;
    }
    ImportResult res;
    res.notice = store->readingNotice();
    PgConnection c;
    if (!c.connect(target, error)) return false;
    bool existed = false;
    if (!c.exec(QStringLiteral("BEGIN")).ok() ||
        !createServerLabelTableIn(c, target, options.replace, &existed, &err)) {
        c.exec(QStringLiteral("ROLLBACK"));
        res.refusedExisting = existed && !options.replace;
        if (result) *result = res;
        if (error)
            *error = res.refusedExisting ? QStringLiteral("Tabulka %1 na serveru %2 už existuje")
                                               .arg(target.table, target.serverName)
                                         : err;
        return false;
    }
    const bool read = readAsLabelRecords(
        *store, QFileInfo(source).fileName(), &res, options.progress,
        [&](const QList<RawRecord>& rows, QString* e) {
            return insertServerLabelRows(c, target, rows, e);
        },
        &err);
    const PgResult commit = read ? c.exec(QStringLiteral("COMMIT")) : PgResult();
    if (!read || !commit.ok()) {
        c.exec(QStringLiteral("ROLLBACK"));
        if (error)
            *error = read ? QStringLiteral("Server %1, tabulka %2: %3")
                                .arg(target.serverName, target.table, commit.error())
                          : err;
        return false;
    }
    if (result) *result = res;
    return true;
}

}  // namespace

bool importToLabelFile(const QString& source, const QString& dest, ImportResult* result,
                       QString* error, const ImportOptions& options) {
    if (isServerTableUri(dest)) return importToServerTable(source, dest, result, error, options);
    QString err;
    if (QFileInfo(source).isDir()) {
        if (error) *error = QStringLiteral("%1 je složka, ne soubor").arg(source);
        return false;
    }
    if (sameFile(source, dest)) {
        if (error) *error = QStringLiteral("Zdroj a cíl importu jsou tentýž soubor");
        return false;
    }
    ImportResult res;
    bool exists = false;
    err = replaceRefusal(dest, options.replace, &exists);
    if (!err.isEmpty()) {
        res.refusedExisting = exists;
        if (result) *result = res;
        if (error) *error = err;
        return false;
    }
    auto store = openTableStore(source, &err);
    if (!store) {
        if (error) *error = err;
        return false;
    }
    res.notice = store->readingNotice();
    DestinationLock lock;
    if (QFileInfo::exists(dest) && !lock.take(dest, &err)) {
        if (error) *error = err;
        return false;
    }
    // The new file gets a name of its own beside the destination.
    QString tmp;
    {
        QTemporaryFile reserve(
            QDir(QFileInfo(dest).absolutePath())
                .filePath(QStringLiteral(".%1-XXXXXX").arg(QFileInfo(dest).fileName())));
        reserve.setAutoRemove(false);
        if (!reserve.open()) {
            if (error)
                *error =
                    QStringLiteral("Soubor %1 nelze zapsat: %2").arg(dest, reserve.errorString());
            return false;
        }
        tmp = reserve.fileName();
    }
    // Messages name the user's file, never the temporary one.
    auto userText = [&](QString text) {
        return text.replace(tmp, dest).replace(QFileInfo(tmp).fileName(),
                                               QFileInfo(dest).fileName());
    };
    if (!createLabelFile(tmp, &err)) {
        QFile::remove(tmp);
        if (error) *error = userText(err);
        return false;
    }
    auto target = LabelFileStore::open(tmp, &err);
    auto fail = [&](const QString& message) {
        if (error) *error = userText(message);
        target.reset();
        QFile::remove(tmp);
        QFile::remove(tmp + QStringLiteral("-journal"));
        return false;
    };
    if (!target) return fail(err);
    if (!readAsLabelRecords(
            *store, QFileInfo(source).fileName(), &res, options.progress,
            [&](const QList<RawRecord>& rows, QString* e) { return target->insertMany(rows, e); },
            &err))
        return fail(err);
    res.records = target->rowCount();
    target.reset();
    // An existing file keeps its permissions; the rename replaces it in one step.
    if (QFileInfo::exists(dest)) QFile::setPermissions(tmp, QFile::permissions(dest));
    syncPath(tmp);
    if (!replaceFile(tmp, dest, &err)) return fail(err);
    lock.release();
    if (result) *result = res;
    return true;
}

}  // namespace dorvana
