#pragma once
// Field types of the table engine: the seventeen types a table definition
// offers, numbered as the engine's type codes (1 = String ... 17 = Graphic).

#include <QList>
#include <QString>

namespace dorvana {

enum class FieldType : int {
    Unknown = 0,
    String = 1,
    Smallint = 2,
    Integer = 3,
    Word = 4,
    Boolean = 5,
    Float = 6,
    Currency = 7,
    BCD = 8,
    Date = 9,
    Time = 10,
    DateTime = 11,
    Bytes = 12,
    VarBytes = 13,
    Autoinc = 14,
    Blob = 15,
    Memo = 16,
    Graphic = 17,
};

// "String", "Smallint", ... as the table designer lists them; "Unknown" for 0.
QString fieldTypeName(FieldType type);
// The type of a 1-based type number, Unknown when out of range.
FieldType fieldTypeFromNumber(int number);

bool isStringType(FieldType type);       // String
bool isWholeNumberType(FieldType type);  // Smallint, Integer, Word, Autoinc
bool isFloatType(FieldType type);        // Float, Currency, BCD
inline bool isNumericType(FieldType type) {
    return isWholeNumberType(type) || isFloatType(type);
}
bool isTemporalType(FieldType type);  // Date, Time, DateTime
bool isBlobType(FieldType type);      // Blob, Memo, Graphic, Bytes, VarBytes

// Definition of one stored field: what opening a table reads and creating one takes.
struct FieldDef {
    QString name;
    FieldType type = FieldType::Unknown;
    int size = 0;  // characters of a String field, bytes of Bytes/VarBytes; 0 otherwise
    bool required = false;

    bool operator==(const FieldDef&) const = default;
};

using FieldDefs = QList<FieldDef>;

// Index of the first definition whose name equals name, letters compared
// without regard to case; -1 when none.
int indexOfField(const FieldDefs& defs, const QString& name);

}  // namespace dorvana
