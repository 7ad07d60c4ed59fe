#include "report/designer/dialogs/logic/expression_editor_logic.h"

#include "report/expr/evaluator.h"

namespace dorvana {

namespace {

constexpr int kMaxEntryText = 32;

const QStringList& fixedEntries(ExpressionList list) {
    static const QStringList operators{
        QStringLiteral("-"),   QStringLiteral("()"),  QStringLiteral("*"),   QStringLiteral("/"),
        QStringLiteral("^"),   QStringLiteral("+"),   QStringLiteral("<"),   QStringLiteral("<="),
        QStringLiteral("<>"),  QStringLiteral("="),   QStringLiteral(">"),   QStringLiteral(">="),
        QStringLiteral("and"), QStringLiteral("div"), QStringLiteral("mod"), QStringLiteral("not"),
        QStringLiteral("or"),  QStringLiteral("shr"), QStringLiteral("shl"), QStringLiteral("xor")};
    static const QStringList math{
        QStringLiteral("ABS()"), QStringLiteral("ACOS()"), QStringLiteral("ACOTG()"),
        QStringLiteral("ASIN()"), QStringLiteral("ATAN()"), QStringLiteral("COS()"),
        QStringLiteral("COTG()"), QStringLiteral("EXP()"), QStringLiteral("INT()"),
        QStringLiteral("LN()"), QStringLiteral("ROUNP()"), QStringLiteral("SIN()"),
        QStringLiteral("TAN()")};
    static const QStringList text{
        QStringLiteral("COPY(,,)"),  QStringLiteral("INTTOSTR()"), QStringLiteral("LENGTH()"),
        QStringLiteral("LOWERCASE()"), QStringLiteral("POS(,)"),   QStringLiteral("SKUP()"),
        QStringLiteral("STRTOINT()"), QStringLiteral("TYPHOM()"),  QStringLiteral("UPPERCASE()")};
    static const QStringList logic{QStringLiteral("IF(,,)"), QStringLiteral("MAX(,)"),
                                   QStringLiteral("MIN(,)"), QStringLiteral("SGN()")};
    static const QStringList dateTime{QStringLiteral("FDATETIME(,)"), QStringLiteral("STRTODATE()"),
                                      QStringLiteral("STRTODATIM()")};
    static const QStringList none;
    switch (list) {
    case ExpressionList::Operators: return operators;
    case ExpressionList::Math: return math;
    case ExpressionList::Text: return text;
    case ExpressionList::Logic: return logic;
    case ExpressionList::DateTime: return dateTime;
    default: return none;
    }
}

bool isReferenceList(ExpressionList list) {
    return list == ExpressionList::Fields || list == ExpressionList::Parameters ||
           list == ExpressionList::Variables || list == ExpressionList::Functions;
}

bool isFunctionList(ExpressionList list) {
    return list == ExpressionList::Math || list == ExpressionList::Text ||
           list == ExpressionList::Logic || list == ExpressionList::DateTime;
}

}  // namespace

QString referenceEntry(QChar sigil, int number, const QString& name) {
    return QString(sigil) + (QString::number(number) + QStringLiteral("  ")).left(3) + name;
}

QStringList expressionListEntries(ExpressionList list, const ExpressionReferences& refs) {
    QStringList out;
    switch (list) {
    case ExpressionList::Fields:
        for (int i = 0; i < refs.fieldNames.size(); ++i)
            out << referenceEntry(u'#', i + 1, refs.fieldNames[i]);
        return out;
    case ExpressionList::Parameters:
        for (int i = 1; i <= refs.parameterCount; ++i)
            out << referenceEntry(u'&', i, QStringLiteral("Param. %1").arg(i));
        return out;
    case ExpressionList::Variables:
        for (int i = 0; i < refs.variableNames.size(); ++i)
            out << referenceEntry(u'$', i + 1, refs.variableNames[i]);
        return out;
    case ExpressionList::Functions:
        for (int i = 0; i < refs.functionNames.size(); ++i)
            out << referenceEntry(u'@', i + 1, refs.functionNames[i]);
        return out;
    default:
        return fixedEntries(list);
    }
}

ExpressionEdit insertExpressionEntry(const QString& text, int selectionStart, int selectionLength,
                                     ExpressionList list, const QString& entry, bool byName) {
    const QString item = entry.left(kMaxEntryText);
    QString inserted = item;
    if (isReferenceList(list) && item.size() >= 2) {
        // The entry is the sigil, three places of number (and blanks), the name.
        const bool name = byName && (list == ExpressionList::Fields || list == ExpressionList::Functions);
        inserted = name ? item.left(1) + item.mid(4) : item.left(1) + item.mid(1, 3).trimmed();
    }
    const int start = qBound(0, selectionStart, int(text.size()));
    const int length = qBound(0, selectionLength, int(text.size()) - start);
    ExpressionEdit edit;
    edit.text = text.left(start) + inserted + text.mid(start + length);
    const qsizetype paren = inserted.indexOf(u'(');
    if ((isFunctionList(list) || inserted == QStringLiteral("()")) && paren >= 0)
        edit.caret = start + int(paren) + 1;
    else
        edit.caret = start + int(inserted.size());
    return edit;
}

ExpressionCheck checkExpression(const QString& text, ValueSource* source) {
    const EvaluationResult r = evaluateExpression(text, source);
    ExpressionCheck check;
    if (r.errorCode == kNoError) {
        check.message = QStringLiteral("Výraz je v pořádku.");
        return check;
    }
    check.ok = false;
    check.message = QStringLiteral("Chyba : \"%1\" na pozici %2")
                        .arg(evaluatorErrorMessage(r.errorCode))
                        .arg(r.errorPosition);
    check.caret = qBound(0, r.errorPosition - 1, int(text.size()));
    return check;
}

}  // namespace dorvana
