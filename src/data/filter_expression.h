#pragma once
// Filter texts as the filter dialog writes them and users type them:
//   ((nazev1>='ab')and(nazev1<='acžžž') and (cislo=5)) or ((datum1>=1.5.2024))
// Comparisons = <> != < > <= >= between a field and a literal (or two
// fields), combined with and / or / not and parentheses. Literals: 'texts'
// (a doubled quote inside), numbers (12, -3.5), dates (d.M.yyyy, with or
// without quotes), NULL. Field names may carry diacritics; a name with
// blanks is written "in double quotes" or [in brackets]. Names match a
// field's display label or its name, letters compared without regard to case.
//
// Texts compare as Windows-1250 orders them (byte by byte, case matters), so
// an upper bound padded with 'ž' (0x9E) takes in every text that begins with
// it. A text literal ending in '*' compared with = matches every text that
// begins with what stands before the '*'. A field without a value satisfies
// only "= NULL" (and "<> NULL" fails for it).

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

#include "data/field_type.h"
#include "data/filter_text_order.h"

namespace dorvana {

struct FilterField {
    int index = -1;
    FieldType type = FieldType::Unknown;
};

class FilterExpression {
public:
    using Resolver = std::function<std::optional<FilterField>(const QString& name)>;
    using ValueReader = std::function<QVariant(int index)>;

    // Compiles a text; null with a Czech message (and the position) when the
    // text is not a valid filter or names an unknown field.
    static std::unique_ptr<FilterExpression> parse(const QString& text, const Resolver& resolve,
                                                   QString* error);
    ~FilterExpression();

    bool matches(const ValueReader& valueOf) const;

    struct Node;

private:
    FilterExpression() = default;
    std::vector<Node> nodes_;
    int root_ = -1;
    bool eval(int node, const ValueReader& valueOf) const;
    friend class FilterParser;
};

}  // namespace dorvana
