#include "data/field_type.h"

namespace dorvana {

namespace {
const char* const kNames[] = {"Unknown", "String",   "Smallint", "Integer", "Word", "Boolean",
                              "Float",   "Currency", "BCD",      "Date",    "Time", "DateTime",
                              "Bytes",   "VarBytes", "Autoinc",  "Blob",    "Memo", "Graphic"};
}

QString fieldTypeName(FieldType type) {
    const int n = static_cast<int>(type);
    return QString::fromLatin1(kNames[n >= 0 && n <= 17 ? n : 0]);
}

FieldType fieldTypeFromNumber(int number) {
    return number >= 1 && number <= 17 ? static_cast<FieldType>(number) : FieldType::Unknown;
}

bool isStringType(FieldType type) {
    return type == FieldType::String;
}

bool isWholeNumberType(FieldType type) {
    return type == FieldType::Smallint || type == FieldType::Integer || type == FieldType::Word ||
           type == FieldType::Autoinc;
}

bool isFloatType(FieldType type) {
    return type == FieldType::Float || type == FieldType::Currency || type == FieldType::BCD;
}

bool isTemporalType(FieldType type) {
    return type == FieldType::Date || type == FieldType::Time || type == FieldType::DateTime;
}

bool isBlobType(FieldType type) {
    return type == FieldType::Blob || type == FieldType::Memo || type == FieldType::Graphic ||
           type == FieldType::Bytes || type == FieldType::VarBytes;
}

int indexOfField(const FieldDefs& defs, const QString& name) {
    for (int i = 0; i < defs.size(); ++i)
        if (defs[i].name.compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

}  // namespace dorvana
