#include "app/core/field_list.h"

#include "base/names.h"
#include "data/data_set.h"

namespace dorvana {

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
    return createTable(path, kind, defs, error);
}

}  // namespace dorvana
