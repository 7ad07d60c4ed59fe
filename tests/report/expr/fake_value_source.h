#pragma once
// A value source over fixed lists, for the evaluator tests.

#include <QList>
#include <QString>

#include "base/names.h"
#include "report/expr/tagged_value.h"
#include "report/expr/value_source.h"

namespace dorvana::test {

class FakeValueSource : public ValueSource {
public:
    struct Named {
        QString name;
        TaggedValue value;
    };
    QList<Named> fields;
    QList<QString> parameters;
    QList<Named> functions;
    QList<TaggedValue> variables;
    int questions = 0;  // how many questions were asked

    TaggedValue fieldValue(int i) override { return at(fields, i); }
    TaggedValue parameterValue(int i) override {
        ++questions;
        return i >= 0 && i < parameters.size() ? TaggedValue(parameters[i]) : TaggedValue(0);
    }
    TaggedValue functionValue(int i) override { return at(functions, i); }
    TaggedValue variableValue(int i) override {
        ++questions;
        return i >= 0 && i < variables.size() ? variables[i] : TaggedValue(0);
    }
    int fieldIndex(const QString& name) override { return indexOf(fields, name); }
    int functionIndex(const QString& name) override { return indexOf(functions, name); }

private:
    TaggedValue at(const QList<Named>& list, int i) {
        ++questions;
        return i >= 0 && i < list.size() ? list[i].value : TaggedValue(0);
    }
    int indexOf(const QList<Named>& list, const QString& name) {
        ++questions;
        for (int i = 0; i < list.size(); ++i)
            if (sameName(list[i].name, name)) return i;
        return -1;
    }
};

}  // namespace dorvana::test
