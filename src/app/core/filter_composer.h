#pragma once
// The filter dialog's logic: range conditions on the fields of the shown
// table, joined by "and" within a group and "or" between groups, composed into
// a filter text of the table engine; and filter files (*.flt), whose first
// line is the filter text.

#include <QList>
#include <QString>

#include "data/field_type.h"

namespace dorvana {

class DataSet;

// Which inputs a field uses in the dialog.
enum class FilterInput { None, Text, WholeNumber, RealNumber, Date };

struct FilterField {
    QString label;  // the display label: the list text and the name in conditions
    int displayWidth = 0;
    FieldType type = FieldType::Unknown;
    QString editFormat;  // a numeric field's edit format, used as its picture
};

FilterInput filterInput(FieldType type);
// The input picture of a field (at most 50 characters): X per character of a
// text, 99999 / 9999999999 for whole numbers and floats, ##,###,###,###.99 for
// currency and BCD, the locale's short date picture for dates, the edit format
// of a numeric field that has one; empty for fields without inputs.
QString filterPicture(const FilterField& field);

// The fields of a data set the dialog lists: all but blob, memo and graphic
// fields, calculated fields included, in field order, at most 100.
QList<FilterField> filterFields(const DataSet& dataSet);

inline const QString kWrongEntry = QStringLiteral("Chybné zadání");

class FilterComposer {
public:
    explicit FilterComposer(QList<FilterField> fields = {});

    const QList<FilterField>& fields() const { return fields_; }
    // Starts again: nothing used, no conditions, no groups (activation, "&Výmaz").
    void reset();

    // Chooses field i: it becomes the current field and is marked used; a
    // field chosen before gets its box ticked. Gives the inputs it uses.
    FilterInput choose(int i);
    int currentField() const { return current_; }
    bool isTicked(int i) const { return i >= 0 && i < ticked_.size() && ticked_[i]; }

    // Leaving the "to" input: adds the condition on the current field. A
    // reversed range (or a date that is not one) adds nothing and fails with
    // "Chybné zadání". Texts are trimmed.
    bool addText(const QString& from, const QString& to, QString* error = nullptr);
    bool addWholeNumber(qint64 from, qint64 to, QString* error = nullptr);
    bool addRealNumber(double from, double to, QString* error = nullptr);
    // Dates as the date inputs show them (d.M.yyyy).
    bool addDate(const QString& from, const QString& to, QString* error = nullptr);

    // "&Dále": starts an "or" group after at least one condition, once.
    void nextGroup();

    int conditionCount() const { return conditions_; }
    int groupCount() const { return groups_; }
    // The expression as built so far (without its closing parenthesis).
    const QString& expression() const { return text_; }
    // What "&OK" applies and "&Ulož" saves: the expression closed, or empty
    // when there is no condition (filtering off).
    QString filterText() const;

private:
    bool append(const QString& condition);
    QList<FilterField> fields_;
    QList<bool> used_, ticked_;
    int current_ = -1;
    QString text_;
    int conditions_ = 0;
    int groups_ = 0;
    bool orPending_ = false;
};

// A filter file: the text as its only line (through a temporary file).
bool saveFilterFile(const QString& path, const QString& text, QString* error = nullptr);
// The filter text of a filter file's bytes: its first line.
QString filterTextOfFile(const QByteArray& bytes);
// The first line of a filter file; an empty file gives an empty text.
bool loadFilterFile(const QString& path, QString* text, QString* error = nullptr);

}  // namespace dorvana
