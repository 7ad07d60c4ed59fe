#pragma once
// A value source over one record of fields, a function list and a variable
// list; the function list reads through it; the formatting locale is pinned
// to Czech.

#include <gtest/gtest.h>
#include <QList>
#include <QLocale>

#include "report/expr/format/format_settings.h"
#include "report/expr/functions/function_list.h"
#include "report/expr/functions/report_variable.h"
#include "report/expr/value_source.h"

namespace dorvana::test {

class RecordSource : public ValueSource {
public:
    QList<TaggedValue> fields;
    TListFunkci* functions = nullptr;
    TListPromenna* variables = nullptr;

    TaggedValue fieldValue(int i) override {
        return i >= 0 && i < fields.size() ? fields[i] : TaggedValue::integer(0);
    }
    TaggedValue parameterValue(int) override { return TaggedValue::integer(0); }
    TaggedValue functionValue(int i) override {
        return functions ? functions->currentValue(i) : TaggedValue::integer(0);
    }
    TaggedValue variableValue(int i) override {
        return variables ? variables->value(i) : TaggedValue::integer(0);
    }
    int fieldIndex(const QString&) override { return -1; }
    int functionIndex(const QString& name) override {
        return functions ? functions->indexOf(name) : -1;
    }
};

class FunctionTest : public ::testing::Test {
protected:
    void SetUp() override {
        setFormatLocale(QLocale(QLocale::Czech, QLocale::Czechia));
        source.functions = &functions;
        source.variables = &variables;
        functions.setValueSource(&source);
    }
    void TearDown() override { resetFormatLocale(); }

    // Makes the record's first field v.
    void record(const TaggedValue& v) { source.fields = {v}; }

    RecordSource source;
    TListFunkci functions;
    TListPromenna variables;
};

inline FunctionDefinition numberFunction(int processing, const QString& expression = "#1",
                                         const QString& initial = "0") {
    FunctionDefinition d;
    d.processing = processing;
    d.expression = expression;
    d.initialValue = initial;
    return d;
}

}  // namespace dorvana::test
