#include "app/core/field_list.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "base/names.h"
#include "base/safe_file.h"
#include "base/same_file.h"
#include "data/data_set.h"

namespace dorvana {

namespace {

// The files a new table at path writes or removes.
QStringList newTableFiles(const QString& path, TableKind kind) {
    const QFileInfo fi(path);
    const QString base = fi.path() + QLatin1Char('/') + fi.completeBaseName();
    QStringList out{path};
    const QStringList extensions = kind == TableKind::Dbase ? QStringList{QStringLiteral("dbt")}
                                                            : QStringList{QStringLiteral("mb"), QStringLiteral("px")};
    for (const QString& e : extensions) out << base + QLatin1Char('.') + e << base + QLatin1Char('.') + e.toUpper();
    return out;
}

}  // namespace

QString FieldEntry::text() const {
    return QStringLiteral("%1;%2;%3").arg(name).arg(type).arg(length);
}

QString FieldList::check(const FieldEntry& e, int editing) const {
    if (e.type < 1 || e.type > int(FieldType::Graphic)) return kWrongFieldType;
    for (int i = 0; i < entries_.size(); ++i)
        if (i != editing && sameName(entries_[i].name, e.name)) return kDuplicateField;
    const bool string = e.type == int(FieldType::String);
    if ((string && e.length <= 0) || (!string && e.length != 0)) return kWrongFieldLength;
    return {};
}

bool FieldList::add(const FieldEntry& entry, QString* error) {
    const QString why = check(entry);
    if (!why.isEmpty()) {
        if (error) *error = why;
        return false;
    }
    entries_.append(entry);
    return true;
}

bool FieldList::replace(int index, const FieldEntry& entry, QString* error) {
    if (index < 0 || index >= entries_.size()) return false;
    const QString why = check(entry, index);
    if (!why.isEmpty()) {
        if (error) *error = why;
        return false;
    }
    entries_[index] = entry;
    return true;
}

void FieldList::remove(int index) {
    if (index >= 0 && index < entries_.size()) entries_.removeAt(index);
}

void FieldList::move(int from, int to) {
    if (from == to || from < 0 || to < 0 || from >= entries_.size() || to >= entries_.size()) return;
    entries_.move(from, to);
}

bool FieldList::load(const QString& path, QString* error) {
    QString why;
    auto table = openForeignTable(path, &why);
    if (!table) {
        if (error) *error = why.isEmpty() ? QStringLiteral("Tabulku %1 nelze otevřít").arg(path) : why;
        return false;
    }
    QList<FieldEntry> loaded;
    for (int i = 0; i < table->fieldCount(); ++i) {
        const Field* f = table->field(i);
        if (f->isCalculated()) continue;
        const bool string = f->dataType() == FieldType::String;
        loaded.append({f->name(), int(f->dataType()), string ? f->size() : 0});
    }
    entries_ += loaded;
    return true;
}

bool FieldList::create(const QString& path, TableKind kind, QString* error) const {
    if (entries_.isEmpty()) {
        if (error) *error = QStringLiteral("Seznam polí je prázdný: tabulka nebyla vytvořena.");
        return false;
    }
    if (kind != TableKind::Dbase && kind != TableKind::Paradox) {
        if (error) *error = QStringLiteral("Novou tabulku lze vytvořit jen jako dBase nebo Paradox.");
        return false;
    }
    FieldDefs defs;
    for (const FieldEntry& e : entries_)
        defs.append({e.name, fieldTypeFromNumber(e.type), e.length, false});

    // Made under its own name in a folder beside it (a Paradox table keeps its
    // file name inside), then moved into place.
    const QFileInfo target(path);
    QTemporaryDir staging(target.absolutePath() + QStringLiteral("/.nova-tabulka-XXXXXX"));
    if (!staging.isValid()) {
        if (error)
            *error = QStringLiteral("Ve složce %1 nelze založit dočasnou tabulku: %2")
                         .arg(target.absolutePath(), staging.errorString());
        return false;
    }
    const QString staged = staging.filePath(target.fileName());
    if (!createTable(staged, kind, defs, error)) {
        if (error) error->replace(staged, path);
        return false;
    }
    const QStringList made = QDir(staging.path()).entryList(QDir::Files);
    // The table file goes last: until then the old table stays whole.
    QStringList order;
    for (const QString& name : made)
        if (name != target.fileName()) order << name;
    order << target.fileName();
    for (const QString& name : order)
        if (!replaceFile(staging.filePath(name), target.dir().filePath(name), error)) return false;
    // Files of the old table the new one does not have (a memo, an index).
    for (const QString& old : newTableFiles(target.absoluteFilePath(), kind))
        if (old != target.absoluteFilePath() && !made.contains(QFileInfo(old).fileName())) QFile::remove(old);
    return true;
}

QString replacesOpenTable(const QString& path, TableKind kind, const QStringList& openFiles) {
    for (const QString& f : newTableFiles(QFileInfo(path).absoluteFilePath(), kind))
        for (const QString& open : openFiles)
            if (sameFile(f, open))
                return QStringLiteral("Soubor %1 je otevřen - tabulku přes něj nelze založit")
                    .arg(QFileInfo(open).fileName());
    return {};
}

}  // namespace dorvana
