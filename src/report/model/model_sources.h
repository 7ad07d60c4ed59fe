#pragma once
// What the report model needs from the rest of the system, as small
// interfaces: the data set's fields, the user functions' values, text
// measuring, date-time texts and the imaging library. The table engine, the
// expression engine and the layout engine supply the real ones.

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

namespace dorvana {

// The fields of the current record of the report's data set.
class ReportFieldSource {
public:
    enum class FieldKind { Other, Memo, Picture };  // Picture: BLOB or graphic field

    virtual ~ReportFieldSource() = default;
    virtual int fieldCount() const = 0;
    virtual QString fieldName(int index) const = 0;
    // The field's display text at the current record; for a memo field its whole text.
    virtual QString displayText(int index) const = 0;
    // The field's display label (column title).
    virtual QString displayLabel(int index) const = 0;
    virtual FieldKind fieldKind(int index) const = 0;
    // The raw content of a memo or BLOB field at the current record.
    virtual QByteArray blobData(int index) const = 0;
    // The index of the first field with that name, letters compared without
    // regard to case; -1 when none.
    virtual int fieldIndex(const QString& name) const;
};

// Which value of a user function a section print condition tests.
enum class ConditionValue { Printed, Current };

// A user function's value as a print condition sees it.
struct ConditionOperand {
    enum class Kind { Boolean, Integer, Invalid };
    Kind kind = Kind::Invalid;
    qint64 integer = 0;    // Integer
    bool boolean = false;  // Boolean

    static ConditionOperand fromBoolean(bool b) { return {Kind::Boolean, 0, b}; }
    static ConditionOperand fromInteger(qint64 i) { return {Kind::Integer, i, false}; }
};

// The user functions of the report run.
class FunctionValueSource {
public:
    virtual ~FunctionValueSource() = default;
    virtual int functionCount() const = 0;
    // The value of function index (0-based) read as a Boolean or an integer
    // (a real rounded, a text that reads as a number converted); Invalid when
    // it cannot be read as either.
    virtual ConditionOperand conditionOperand(int index, ConditionValue which) const = 0;
    // The printed value of function index formatted for function elements.
    virtual QString formattedPrinted(int index) const = 0;
};

// Measures text in the element's font, in template units (0.01 in).
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual double textWidth(const QString& text, const QString& fontName, int pointSize,
                             int styleBits) const = 0;
};

// The system's date and time texts for variable elements.
class DateTimeTexts {
public:
    virtual ~DateTimeTexts() = default;
    virtual QString shortDate(const QDateTime& when) const = 0;
    virtual QString timeText(const QDateTime& when) const = 0;
    // The date-time formatted with a date-time picture; nothing when the
    // picture cannot be applied.
    virtual std::optional<QString> formatDateTime(const QString& picture,
                                                  const QDateTime& when) const = 0;
};

// The imaging library behind the picture component: reads pictures the
// ordinary loader cannot, and turns them.
class PictureLibrary {
public:
    virtual ~PictureLibrary() = default;
    // A picture from BLOB data, turned by rotation steps of 90 degrees; none on failure.
    virtual std::optional<QImage> load(const QByteArray& data, int rotation) const = 0;
    // The picture turned by further steps of 90 degrees counter-clockwise.
    virtual QImage rotate(const QImage& picture, int steps) const = 0;
};

// Everything an element may need to compute the text it shows. Any pointer
// may be null: what depends on it then shows nothing.
struct CaptionSources {
    const ReportFieldSource* fields = nullptr;
    const QStringList* parameters = nullptr;  // the report component's Parametry
    const FunctionValueSource* functions = nullptr;
    const TextMeasurer* measurer = nullptr;
    const DateTimeTexts* dateTimeTexts = nullptr;
    const PictureLibrary* pictureLibrary = nullptr;
    // The printable page height (0.01 in): a growing memo breaks no more
    // lines than fill it; 0 when unknown.
    int memoHeightLimit = 0;
};

}  // namespace dorvana
