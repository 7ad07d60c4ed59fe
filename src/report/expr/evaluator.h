#pragma once
// The expression evaluator: one pass over the text with an operator stack
// and a value store, no syntax tree. It never shows a message and never
// throws: it gives a value, or an error code with its position, or a failure
// that is not an error code (see EvaluationResult).
//
// Beyond the short texts the language is made for, the evaluator still
// answers soundly: a text of any length is read whole (flat expressions never
// fill the stacks), a reference number beyond 255 is asked of the source like
// any other (which answers 0 outside its lists), a function name must be
// followed by its argument list (else error 2), a letter stuck to a number is
// error 7 wherever it stands, and reference names may carry letters with
// diacritics (field names of Czech tables do).

#include <QString>
#include <QStringView>

#include "report/expr/tagged_value.h"

namespace dorvana {

class ValueSource;

// The error codes of the evaluator (8, 9 and 12 are reserved and never raised).
enum EvaluatorError : int {
    kNoError = 0,
    kUnknownIdentifier = 1,    // "Neznamý identifikátor"
    kSyntaxError = 2,          // "Syntaktická chyba"
    kStackOverflow = 3,        // "Přetečení zásobníku"
    kTooFewOpenParens = 4,     // "Málo otevíracích závorek"
    kMissingCloseParen = 5,    // "Chybí uzavírací závorka"
    kNumericError = 6,         // "Numerická chyba"
    kBadNumber = 7,            // "Chybný zápis čísla"
    kTooManyVariables = 8,     // "Příliš mnoho proměnných"
    kBadVariableName = 9,      // "Chybnný název proměnné"
    kCommaExpected = 10,       // "Očekávám čárku"
    kTooManyCommas = 11,       // "Příliš mnoho čárek"
    kStoppedByUser = 12,       // "Ukončeno uživatelem"
    kOperandTypeError = 13,    // "Chybný typ operandu"
    kApostropheExpected = 14,  // "Očekávám apostrof"
};

// The message of an error code 1..14 (empty for any other code).
QString evaluatorErrorMessage(int code);

// Capacity of the operator stack (pending operators, open parentheses,
// function calls and argument separators) and of the value store.
inline constexpr int kOperatorStackSize = 39;
inline constexpr int kValueStoreSize = 40;

struct EvaluationResult {
    // The value; meaningful only when ok().
    TaggedValue value;
    // 0, or the first error met (1..14) ...
    int errorCode = kNoError;
    // ... at this 1-based position of the text (the first character of the
    // token; length + 1 for a missing closing parenthesis).
    int errorPosition = 0;
    // A failure that is not an error code: an unreadable text given to
    // STRTOINT, STRTODATE or STRTODATIM, DIV or MOD by zero, LN of a value
    // that is not positive, a numeric overflow. Callers treat it as they
    // must (a user function takes 0, the expression editor shows no error).
    bool failed = false;
    QString failureMessage;
    int failurePosition = 0;

    bool ok() const { return errorCode == kNoError && !failed; }
};

// Evaluates the text against the given source (nullptr: no source, every
// reference by number yields the integer 0 and every name lookup fails).
EvaluationResult evaluateExpression(QStringView text, ValueSource* source);

}  // namespace dorvana
