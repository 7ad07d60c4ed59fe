#pragma once
// Conversions between the raw values a store keeps (see record_store.h), the
// tagged values of the expression language, and the texts users type and see.

#include <QDate>
#include <QString>
#include <QVariant>

#include "data/field_type.h"
#include "report/expr/tagged_value.h"

namespace dorvana {

// The tagged value of a raw value of a field type; empty for no value and for
// binary fields.
TaggedValue taggedFromRaw(const QVariant& raw, FieldType type);

// The raw value a field of def's type takes for a tagged value. False with a
// Czech message when the value does not fit (text that is not a number for a
// number field, a number beyond the type's range).
bool rawFromTagged(const TaggedValue& value, const FieldDef& def, QVariant* raw, QString* error);

// The raw value of a text typed by a user (numbers with ',' or '.', dates in
// the locale's order or yyyy-MM-dd); an empty text is no value.
bool rawFromText(const QString& text, const FieldDef& def, QVariant* raw, QString* error);

// The text of a raw value by the locale's forms (report/expr/format):
// numbers in their general form or by a picture mask, currency with its sign
// (without it: two decimals) unless a picture is given, dates in the short
// date form, times in the long time form, booleans True/False, memo texts as
// they are, other binary fields "(GRAPHIC)", "(BLOB)", "(BYTES)". Empty for
// no value.
QString textOfRaw(const QVariant& raw, FieldType type, const QString& picture = {},
                  bool currencySign = true);

// A number typed with ',' or '.' as the decimal separator (blanks and
// no-break spaces between digit groups are ignored).
bool parseNumberText(const QString& text, double* out);
// A date in the locale's order (d.M.yyyy) or yyyy-MM-dd.
bool parseDateText(const QString& text, QDate* out);
bool parseTimeText(const QString& text, QTime* out);
bool parseDateTimeText(const QString& text, QDateTime* out);

// Range of a whole-number type.
bool wholeNumberFits(FieldType type, qint64 v);

}  // namespace dorvana
