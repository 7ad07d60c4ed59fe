#pragma once
// TListFunkci (function list): the user functions of a report in the order
// of definition. Item i is function number i + 1 of "@" references and
// section conditions; function elements name it by i itself. The list owns
// its rows.

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "report/expr/functions/function_row.h"

namespace dorvana {

class TListFunkci {
public:
    TListFunkci() = default;
    TListFunkci(const TListFunkci&) = delete;
    TListFunkci& operator=(const TListFunkci&) = delete;

    int count() const { return static_cast<int>(rows_.size()); }
    // Row i, or nullptr when there is none.
    TRadekFunkce* item(int i);
    const TRadekFunkce* item(int i) const;

    // Appends a row with the definition and gives it out.
    TRadekFunkce& add(const FunctionDefinition& definition = {});
    // Inserts a row before index i (at the end when i is out of range).
    TRadekFunkce& insert(int i, const FunctionDefinition& definition = {});
    // Removes row i; false when there is none.
    bool remove(int i);
    void clear() { rows_.clear(); }

    // Index of the first row with the same name (base/names.h); -1 when none.
    int indexOf(const QString& name) const;
    // "#", the number i + 1 with two blanks cut to three characters, then the
    // name: "#1  Funkce", "#12 Funkce". Empty when there is no row i.
    QString displayText(int i) const;
    QStringList names() const;

    // The source the rows' expressions read the current record from; not
    // owned (the report run that owns the list).
    void setValueSource(ValueSource* source) { source_ = source; }
    ValueSource* valueSource() const { return source_; }

    // Reset(scope) on every row in list order.
    void ResetAll(int scope);
    // The operations on every row in list order.
    void AccumulateAll();
    void AccumulateCurrentAll();
    void PageStartAll();
    void CommitCurrentAll();

    // The current value of row i, as "@" references read it; the integer 0
    // when there is no row i.
    TaggedValue currentValue(int i) const;

private:
    std::vector<std::unique_ptr<TRadekFunkce>> rows_;
    ValueSource* source_ = nullptr;
};

}  // namespace dorvana
