#include "data/table_open.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include "data/csv_file.h"
#include "data/dbase_file.h"
#include "data/label_file.h"
#include "data/paradox_file.h"
#include "data/pg_table.h"
#include "data/sqlite_table.h"

namespace dorvana {

TableKind detectTableKind(const QString& path) {
    if (isServerTableUri(path)) return TableKind::LabelFile;
    QFile f(path);
    QByteArray head;
    if (f.open(QIODevice::ReadOnly)) head = f.read(128);
    const QString ext = QFileInfo(path).suffix().toLower();
    if (head.startsWith(QByteArrayLiteral("SQLite format 3\0"))) {
        return LabelFileStore::isLabelFile(path) ? TableKind::LabelFile : TableKind::Sqlite;
    }
    if (ext == u"csv" || ext == u"txt") return TableKind::Csv;
    if (ext == u"dbf") return TableKind::Dbase;
    if (ext == u"db") return TableKind::Paradox;
    if (head.size() >= 32) {
        const quint8 v = quint8(head[0]);
        if ((v & 0x07) == 0x03 || v == 0x30 || v == 0xF5) return TableKind::Dbase;
        if (looksLikeParadox(head)) return TableKind::Paradox;
    }
    return TableKind::Unknown;
}

std::unique_ptr<RecordStore> openTableStore(const QString& path, QString* error, TableKind* kind,
                                            bool readOnly) {
    if (isServerTableUri(path)) {
        if (kind) *kind = TableKind::LabelFile;
        return PgTableStore::open(path, error);
    }
    if (QFileInfo(path).isDir()) {
        if (error) *error = QStringLiteral("%1 je složka, ne soubor").arg(path);
        return nullptr;
    }
    if (!QFileInfo(path).isFile()) {
        if (error) *error = QStringLiteral("Soubor %1 neexistuje").arg(path);
        return nullptr;
    }
    const TableKind k = detectTableKind(path);
    if (kind) *kind = k;
    switch (k) {
        case TableKind::LabelFile:
            return LabelFileStore::open(path, error, readOnly);
        case TableKind::Sqlite:
            return SqliteTableStore::open(path, QString(), readOnly, error);
        case TableKind::Dbase:
            return DbaseStore::open(path, error);
        case TableKind::Paradox:
            return ParadoxStore::open(path, error);
        case TableKind::Csv:
            return CsvStore::open(path, error);
        case TableKind::Unknown:
            break;
    }
    if (error) *error = QStringLiteral("Soubor %1 není tabulka známého typu").arg(path);
    return nullptr;
}

std::unique_ptr<DataSet> openForeignTable(const QString& path, QString* error) {
    std::unique_ptr<RecordStore> store;
    if (isServerTableUri(path))
        store = PgTableStore::open(path, error);
    else if (detectTableKind(path) == TableKind::LabelFile)
        store = SqliteTableStore::open(path, QString(), false, error);
    else
        store = openTableStore(path, error);
    if (!store) return nullptr;
    auto ds = std::make_unique<DataSet>();
    ds->addCalculatedField(QStringLiteral("Calc"), FieldType::Integer, true);
    ds->setStore(std::move(store));
    return ds;
}

QString tableDisplayName(const QString& path) {
    PgTarget t;
    if (isServerTableUri(path) && parseServerTableUri(path, &t, nullptr))
        return QStringLiteral("%1 na serveru %2").arg(t.table, t.serverName);
    return QFileInfo(path).fileName();
}

std::unique_ptr<DataSet> openAnyTable(const QString& path, QString* error) {
    if (isServerTableUri(path)) return openServerLabelDataSet(path, error);
    if (detectTableKind(path) == TableKind::LabelFile) return openLabelDataSet(path, error);
    return openForeignTable(path, error);
}

bool createTable(const QString& path, TableKind kind, const FieldDefs& defs, QString* error) {
    switch (kind) {
        case TableKind::Dbase:
            return createDbaseFile(path, defs, error);
        case TableKind::Paradox:
            return createParadoxFile(path, defs, error);
        case TableKind::Csv:
            return createCsvFile(path, defs, error);
        case TableKind::LabelFile:
            return createLabelFile(path, error);
        case TableKind::Sqlite: {
            if (defs.isEmpty()) {
                if (error) *error = QStringLiteral("Tabulka musí mít alespoň jedno pole");
                return false;
            }
            QFile::remove(path);
            SqliteDb db;
            QStringList cols;
            for (const FieldDef& d : defs)
                cols << sqlIdentifier(d.name) + QLatin1Char(' ') + declTypeOfField(d) +
                            (d.required ? QStringLiteral(" NOT NULL") : QString());
            const QString table = QFileInfo(path).completeBaseName();
            return db.open(path, SqliteDb::Mode::Create, error) &&
                   db.exec(QStringLiteral("CREATE TABLE %1 (%2)")
                               .arg(sqlIdentifier(table), cols.join(QLatin1String(", "))),
                           error);
        }
        case TableKind::Unknown:
            break;
    }
    if (error) *error = QStringLiteral("Neznámý typ tabulky");
    return false;
}

}  // namespace dorvana
