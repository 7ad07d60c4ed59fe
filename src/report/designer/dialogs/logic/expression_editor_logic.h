#pragma once
// The logic of the expression editor ("Tvorba výrazu funkce"): the entries
// of its lists, what picking an entry inserts into the expression and where
// the caret goes, and the check of the expression with the evaluator.

#include <QString>
#include <QStringList>

namespace dorvana {

class ValueSource;

// The lists of the editor.
enum class ExpressionList {
    Fields,      // "Položky tabulky:"
    Parameters,  // "Parametry:"
    Variables,   // "Proměnné:"
    Functions,   // "Uživatelské funkce:"
    Operators,   // "Operátory:"
    Math,        // "Matematické funkce:"
    Text,        // "Textové funkce:"
    Logic,       // "Logické funkce:"
    DateTime,    // "Datum / Čas:"
};

// A reference entry: the sigil, the 1-based number followed by two blanks
// and cut to three characters together with them, then the name
// ("#1  cislo", "#12 cena", "#123nazev").
QString referenceEntry(QChar sigil, int number, const QString& name);

struct ExpressionReferences {
    QStringList fieldNames;
    int parameterCount = 0;
    QStringList variableNames;
    QStringList functionNames;
};

// The entries of a list: the four reference lists from the references, the
// others fixed.
QStringList expressionListEntries(ExpressionList list, const ExpressionReferences& refs);

struct ExpressionEdit {
    QString text;
    int caret = 0;  // 0-based position of the caret in text
};

// Inserts the entry of the list at the selection (start, length) of the
// text. Field and function entries insert the sigil and the name when
// `byName` is set, every other reference entry the sigil and the number;
// functions and "()" leave the caret just after the "(".
ExpressionEdit insertExpressionEntry(const QString& text, int selectionStart, int selectionLength,
                                     ExpressionList list, const QString& entry, bool byName);

struct ExpressionCheck {
    bool ok = true;
    QString message;  // "Výraz je v pořádku." or "Chyba : "..." na pozici p"
    int caret = -1;   // with an error: the caret before the error's position
};

// Evaluates the text against the source ("Kontrola"). A failure that is not
// an error code of the evaluator counts as no error.
ExpressionCheck checkExpression(const QString& text, ValueSource* source);

}  // namespace dorvana
