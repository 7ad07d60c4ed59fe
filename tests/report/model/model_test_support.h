#pragma once
// Small fakes of the sources the report model reads, for the model's tests.

#include <QStringList>

#include "report/model/model_sources.h"

namespace dorvana::test {

// A data set of named fields with texts and kinds.
class FakeFields : public ReportFieldSource {
public:
    struct Field {
        Field(QString n, QString t, FieldKind k = FieldKind::Other, QByteArray b = {})
            : name(std::move(n)), text(std::move(t)), kind(k), blob(std::move(b)) {}
        QString name;
        QString text;
        FieldKind kind = FieldKind::Other;
        QByteArray blob;
    };
    QList<Field> fields;

    int fieldCount() const override { return int(fields.size()); }
    QString fieldName(int i) const override { return fields[i].name; }
    QString displayText(int i) const override { return fields[i].text; }
    QString displayLabel(int i) const override { return fields[i].name.toUpper(); }
    FieldKind fieldKind(int i) const override { return fields[i].kind; }
    QByteArray blobData(int i) const override { return fields[i].blob; }
};

// Every character is 10 units wide.
class FixedMeasurer : public TextMeasurer {
public:
    double textWidth(const QString& text, const QString&, int, int) const override {
        return 10.0 * text.size();
    }
};

// The label file's fields.
QStringList labelFieldNames();

}  // namespace dorvana::test

#include <ostream>

// Readable QStrings in test failure messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
