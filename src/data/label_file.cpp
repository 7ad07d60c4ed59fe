#include "data/label_file.h"

#include <QFile>
#include <QFileInfo>

#include "base/safe_file.h"
#include "data/pg_table.h"

namespace dorvana {

namespace {

constexpr int kApplicationId = 0x44525641;  // "DRVA"

QString labelSchemaSql() {
    QStringList cols;
    for (const FieldDef& d : labelRecordFields()) {
        QString c = sqlIdentifier(d.name).mid(1).chopped(1) + QLatin1Char(' ');
        if (d.name == u"cislo") {
            c += QStringLiteral("INTEGER PRIMARY KEY NOT NULL");
        } else {
            c += declTypeOfField(d);
            if (d.type == FieldType::String)
                c += QStringLiteral(" CHECK (%1 IS NULL OR length(%1) <= %2)")
                         .arg(d.name)
                         .arg(d.size);
        }
        cols << c;
    }
    return QStringLiteral("CREATE TABLE %1 (\n  %2\n)")
        .arg(QLatin1String(kLabelTable), cols.join(QLatin1String(",\n  ")));
}

}  // namespace

const FieldDefs& labelRecordFields() {
    static const FieldDefs defs = [] {
        FieldDefs d;
        auto add = [&](const char* n, FieldType t, int size = 0) {
            d.append(FieldDef{QString::fromLatin1(n), t, size, false});
        };
        add("cislo", FieldType::Integer);
        add("nazev1", FieldType::String, 40);
        add("nazev2", FieldType::String, 40);
        add("barcode", FieldType::String, 20);
        add("cislo1", FieldType::Float);
        add("cislo2", FieldType::Float);
        add("cena", FieldType::Currency);
        add("popis1", FieldType::String, 40);
        add("popis2", FieldType::String, 40);
        add("popis3", FieldType::String, 40);
        add("popis4", FieldType::String, 40);
        add("datum1", FieldType::Date);
        add("datum2", FieldType::Date);
        add("logo", FieldType::Graphic);
        add("pozn", FieldType::Memo);
        add("barbmp", FieldType::Graphic);
        d[0].required = true;
        return d;
    }();
    return defs;
}

bool createLabelFile(const QString& path, QString* error) {
    // Build the new file beside the target and rename it over the old one,
    // so that a failure leaves an existing file as it was.
    const QString tmp = path + QStringLiteral(".novy");
    QFile::remove(tmp);
    QFile::remove(tmp + QStringLiteral("-journal"));
    {
        SqliteDb db;
        QString err;
        if (!db.open(tmp, SqliteDb::Mode::Create, &err) ||
            !db.exec(QStringLiteral("PRAGMA journal_mode=DELETE; PRAGMA application_id=%1;")
                         .arg(kApplicationId),
                     &err) ||
            !db.exec(labelSchemaSql(), &err)) {
            if (error) *error = QStringLiteral("Soubor %1 nelze založit: %2").arg(path, err);
            db.close();
            QFile::remove(tmp);
            return false;
        }
    }
    QFile::remove(path + QStringLiteral("-journal"));
    // One rename replaces an old file: it is never missing on the way.
    syncPath(tmp);
    if (!replaceFile(tmp, path, error)) {
        QFile::remove(tmp);
        return false;
    }
    return true;
}

bool LabelFileStore::openChecked(const QString& path, bool readOnly, bool withRows,
                                 QString* error) {
    const QString name = QFileInfo(path).fileName();
    QString err;
    if (!init(path, QString::fromLatin1(kLabelTable), readOnly, &err, false)) {
        if (error) *error = QStringLiteral("%1 není soubor etiket: %2").arg(name, err);
        return false;
    }
    const FieldDefs& want = labelRecordFields();
    const FieldDefs& have = fieldDefs();
    QString why;
    if (have.size() != want.size()) {
        why = QStringLiteral("tabulka má %1 polí místo %2").arg(have.size()).arg(want.size());
    } else {
        for (int i = 0; i < want.size() && why.isEmpty(); ++i) {
            if (have[i].name.compare(want[i].name, Qt::CaseInsensitive) != 0 ||
                have[i].type != want[i].type || have[i].size != want[i].size)
                why = QStringLiteral("pole %1 má být %2 %3")
                          .arg(i + 1)
                          .arg(want[i].name, fieldTypeName(want[i].type));
        }
        if (why.isEmpty() && keyField() != 0) why = QStringLiteral("chybí primární klíč cislo");
    }
    if (!why.isEmpty()) {
        if (error) *error = QStringLiteral("%1 není soubor etiket: %2").arg(name, why);
        return false;
    }
    setFieldDefs(want);
    setKindName(QStringLiteral("soubor etiket"));
    if (withRows && !loadRows(&err)) {
        if (error) *error = err;
        return false;
    }
    return true;
}

std::unique_ptr<LabelFileStore> LabelFileStore::open(const QString& path, QString* error,
                                                     bool readOnly) {
    std::unique_ptr<LabelFileStore> s(new LabelFileStore);
    if (!s->openChecked(path, readOnly, true, error)) return nullptr;
    return s;
}

bool LabelFileStore::isLabelFile(const QString& path, QString* why) {
    LabelFileStore s;
    return s.openChecked(path, true, false, why);
}

bool LabelFileStore::insertMany(const QList<RawRecord>& records, QString* error) {
    if (!canWrite(error)) return false;
    QString err;
    if (!db().exec(QStringLiteral("BEGIN IMMEDIATE"), &err)) {
        if (error) *error = err;
        return false;
    }
    QStringList marks;
    for (int i = 0; i < fieldDefs().size(); ++i) marks << QStringLiteral("?");
    SqliteStatement st;
    if (!st.prepare(db(),
                    QStringLiteral("INSERT INTO %1 VALUES (%2)")
                        .arg(QLatin1String(kLabelTable), marks.join(QLatin1Char(','))),
                    &err)) {
        db().exec(QStringLiteral("ROLLBACK"));
        if (error) *error = err;
        return false;
    }
    for (const RawRecord& r : records) {
        for (int i = 0; i < fieldDefs().size(); ++i)
            st.bind(i + 1, i < r.size() ? r[i] : QVariant());
        if (!st.execute(&err)) {
            db().exec(QStringLiteral("ROLLBACK"));
            if (error)
                *error = QStringLiteral("Záznam číslo %1 nelze zapsat: %2")
                             .arg(r.value(0).toString(), err);
            reload(nullptr);
            return false;
        }
    }
    if (!db().exec(QStringLiteral("COMMIT"), &err)) {
        db().exec(QStringLiteral("ROLLBACK"));
        if (error) *error = err;
        reload(nullptr);
        return false;
    }
    return reload(error);
}

std::unique_ptr<DataSet> openLabelDataSet(const QString& path, QString* error,
                                          RowCounting counting) {
    if (isServerTableUri(path)) return openServerLabelDataSet(path, error, counting);
    auto store = LabelFileStore::open(path, error);
    return store ? labelDataSetOver(std::move(store)) : nullptr;
}

std::unique_ptr<DataSet> labelDataSetOver(std::unique_ptr<RecordStore> store) {
    auto ds = std::make_unique<DataSet>();
    ds->addCalculatedField(QStringLiteral("calc"), FieldType::Integer, true);
    ds->setStore(std::move(store));
    return ds;
}

}  // namespace dorvana
