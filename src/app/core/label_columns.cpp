#include "app/core/label_columns.h"

#include "base/names.h"
#include "data/label_file.h"

namespace dorvana {

namespace {
constexpr int kDefaultWidths[kLabelColumnCount] = {64, 240, 240, 120, 70, 70, 70, 240, 240,
                                                   240, 240, 64, 64, 64, 64, 0, 0};
constexpr int kCharWidth = 7;  // pixels per character of a foreign field
}  // namespace

QString labelFieldName(int i) {
    if (i == kLabelColumnCount - 1) return QStringLiteral("calc");
    return labelRecordFields().value(i).name;
}

int labelFieldIndex(const QString& name) {
    for (int i = 0; i < kLabelColumnCount; ++i)
        if (sameName(labelFieldName(i), name)) return i;
    return -1;
}

int labelDefaultWidth(const QString& fieldName) {
    const int i = labelFieldIndex(fieldName);
    return i < 0 ? 64 : kDefaultWidths[i];
}

QStringList descriptionRowNames() {
    return {QStringLiteral("Číslo"),  QStringLiteral("Název1"), QStringLiteral("Název2"),
            QStringLiteral("Barcode"), QStringLiteral("Číslo1"), QStringLiteral("Číslo2"),
            QStringLiteral("Cena"),   QStringLiteral("Popis1"), QStringLiteral("Popis2"),
            QStringLiteral("Popis3"), QStringLiteral("Popis4"), QStringLiteral("Datum1"),
            QStringLiteral("Datum2"), QStringLiteral("Logo"),   QStringLiteral("Poznámka")};
}

GridColumns defaultLabelColumns() {
    GridColumns out;
    for (int i = 0; i < kLabelColumnCount; ++i)
        out << GridColumn{labelFieldName(i), QString(), kDefaultWidths[i], false, QString()};
    return out;
}

bool areLabelColumns(const GridColumns& columns) {
    if (columns.size() != kLabelColumnCount) return false;
    for (const GridColumn& c : columns)
        if (labelFieldIndex(c.fieldName) < 0) return false;
    return true;
}

namespace {
int foreignWidth(const Field& f) {
    return std::clamp(f.displayWidth(), 4, 40) * kCharWidth + 8;
}
}  // namespace

GridColumns columnsOfDataSet(const DataSet& dataSet) {
    GridColumns out;
    for (const auto& f : dataSet.fields())
        out << GridColumn{f->name(), QString(), foreignWidth(*f), false, QString()};
    if (!out.isEmpty()) out.last().width = 0;
    return out;
}

bool hasDefaultWidth(const GridColumn& column, const DataSet* foreign) {
    if (!foreign) return labelFieldIndex(column.fieldName) >= 0 && column.width == labelDefaultWidth(column.fieldName);
    const Field* f = foreign->findField(column.fieldName);
    return f && column.width == foreignWidth(*f);
}

}  // namespace dorvana
