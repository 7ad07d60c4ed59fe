#include "report/expr/evaluator.h"

#include <array>
#include <charconv>
#include <cmath>
#include <exception>
#include <limits>
#include <new>

#include "base/names.h"
#include "report/expr/builtin_functions.h"
#include "report/expr/value_rules.h"
#include "report/expr/value_source.h"

namespace dorvana {

QString evaluatorErrorMessage(int code) {
    switch (code) {
        case kUnknownIdentifier:
            return QStringLiteral("Neznamý identifikátor");
        case kSyntaxError:
            return QStringLiteral("Syntaktická chyba");
        case kStackOverflow:
            return QStringLiteral("Přetečení zásobníku");
        case kTooFewOpenParens:
            return QStringLiteral("Málo otevíracích závorek");
        case kMissingCloseParen:
            return QStringLiteral("Chybí uzavírací závorka");
        case kNumericError:
            return QStringLiteral("Numerická chyba");
        case kBadNumber:
            return QStringLiteral("Chybný zápis čísla");
        case kTooManyVariables:
            return QStringLiteral("Příliš mnoho proměnných");
        case kBadVariableName:
            return QStringLiteral("Chybnný název proměnné");
        case kCommaExpected:
            return QStringLiteral("Očekávám čárku");
        case kTooManyCommas:
            return QStringLiteral("Příliš mnoho čárek");
        case kStoppedByUser:
            return QStringLiteral("Ukončeno uživatelem");
        case kOperandTypeError:
            return QStringLiteral("Chybný typ operandu");
        case kApostropheExpected:
            return QStringLiteral("Očekávám apostrof");
        default:
            return {};
    }
}

namespace {

// Only the first characters of a reference name are significant.

// Precedence levels, tightest first.
constexpr quint8 kFunctionLevel = 1;
constexpr quint8 kUnaryLevel = 2;
// Above every level: applies all pending operators of the current argument.
constexpr quint8 kLoosestLevel = 255;

bool isAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// The value store: a slot holds a constructed value only while it is in use,
// so that an evaluation pays only for the values it stores.
class ValueStore {
public:
    ValueStore() = default;
    ValueStore(const ValueStore&) = delete;
    ValueStore& operator=(const ValueStore&) = delete;
    ~ValueStore() {
        while (count_ > 0) pop();
    }

    int size() const { return count_; }
    bool full() const { return count_ >= kValueStoreSize; }
    void push(TaggedValue&& v) {
        new (slot(count_)) TaggedValue(std::move(v));
        ++count_;
    }
    void pop() { slot(--count_)->~TaggedValue(); }
    // Slot i counted from the bottom; the slots of the values stored are contiguous.
    TaggedValue* slot(int i) {
        return std::launder(reinterpret_cast<TaggedValue*>(storage_ + i * sizeof(TaggedValue)));
    }
    TaggedValue& top() { return *slot(count_ - 1); }

private:
    alignas(TaggedValue) unsigned char storage_[kValueStoreSize * sizeof(TaggedValue)];
    int count_ = 0;
};

class Evaluator {
public:
    Evaluator(QStringView text, ValueSource* source) : text_(text), source_(source) {}

    EvaluationResult run();

private:
    // What the previous token was: decides what may stand next.
    enum class Prev : quint8 { Start, Operand, Binary, Unary, Open, Comma, Function };

    struct Entry {
        enum Type : quint8 { Binary, Negate, Not, Function, Paren, Comma };
        // No default member values: the stack's unused entries stay
        // uninitialised; an entry is always made by make().
        Type type;
        quint8 level;     // Binary, Negate, Not, Function
        BinaryOp op;      // Binary
        quint8 function;  // Function: its code; Paren: the code of its call, 0 plain
        quint8 commas;    // Paren: commas met so far

        static Entry make(Type type, quint8 level = 0, BinaryOp op = BinaryOp::Add,
                          quint8 function = 0) {
            return Entry{type, level, op, function, 0};
        }
    };

    bool error(int code, int position) {
        result_.errorCode = code;
        result_.errorPosition = position;
        return false;
    }
    bool fault(const ValueFault& f, int position);

    bool push(const Entry& e, int position) {
        if (opCount_ >= kOperatorStackSize) return error(kStackOverflow, position);
        ops_[opCount_++] = e;
        return true;
    }
    bool pushValue(TaggedValue&& v, int position) {
        if (values_.full()) return error(kStackOverflow, position);
        values_.push(std::move(v));
        return true;
    }
    // Applies the entry on top of the operator stack.
    bool applyTop(int position);
    // Applies pending operators above the innermost parenthesis or comma
    // whose level is `level` or tighter.
    bool applyPending(int level, int position);
    // Index of the innermost open parenthesis on the stack, or -1.
    int innermostParen() const;

    bool operandAllowed(int position) {
        if (prev_ == Prev::Start || prev_ == Prev::Binary || prev_ == Prev::Unary ||
            prev_ == Prev::Open || prev_ == Prev::Comma)
            return true;
        return error(kSyntaxError, position);
    }
    bool afterOperand(int position) {
        return prev_ == Prev::Operand ? true : error(kSyntaxError, position);
    }

    bool number(int* pos);
    bool textLiteral(int* pos);
    bool reference(int* pos);
    bool word(int* pos);
    bool binary(BinaryOp op, quint8 level, int position);
    bool openParen(int position);
    bool comma(int position);
    bool closeParen(int position);
    bool finish();

    TaggedValue ask(QChar sigil, qint64 number);

    QStringView text_;
    ValueSource* source_;
    EvaluationResult result_;
    std::array<Entry, kOperatorStackSize> ops_;
    int opCount_ = 0;
    ValueStore values_;
    Prev prev_ = Prev::Start;
    int lastToken_ = 1;  // 1-based position of the last token read
};

bool Evaluator::fault(const ValueFault& f, int position) {
    switch (f.kind) {
        case ValueFault::Kind::Type:
            return error(kOperandTypeError, position);
        case ValueFault::Kind::Numeric:
            return error(kNumericError, position);
        case ValueFault::Kind::Failure:
        case ValueFault::Kind::None:
            result_.failed = true;
            result_.failureMessage = f.message;
            result_.failurePosition = position;
            return false;
    }
    return false;
}

bool Evaluator::applyTop(int position) {
    const Entry e = ops_[--opCount_];
    ValueFault f;
    TaggedValue out;
    switch (e.type) {
        case Entry::Binary: {
            // The grammar guarantees two values; guard anyway.
            const int n = values_.size();
            if (n < 2) return error(kSyntaxError, position);
            if (!applyBinary(e.op, *values_.slot(n - 2), *values_.slot(n - 1), &out, &f))
                return fault(f, position);
            values_.pop();
            values_.top() = std::move(out);
            return true;
        }
        case Entry::Negate:
        case Entry::Not: {
            if (values_.size() < 1) return error(kSyntaxError, position);
            TaggedValue& v = values_.top();
            const bool ok =
                e.type == Entry::Negate ? applyNegate(v, &out, &f) : applyNot(v, &out, &f);
            if (!ok) return fault(f, position);
            v = std::move(out);
            return true;
        }
        case Entry::Function: {
            const int n = builtinArgumentCount(e.function);
            if (values_.size() < n) return error(kSyntaxError, position);
            TaggedValue* args = values_.slot(values_.size() - n);
            if (!applyBuiltinFunction(e.function, args, &out, &f)) return fault(f, position);
            for (int i = 1; i < n; ++i) values_.pop();
            values_.top() = std::move(out);
            return true;
        }
        case Entry::Paren:
        case Entry::Comma:
            break;
    }
    return error(kSyntaxError, position);
}

bool Evaluator::applyPending(int level, int position) {
    while (opCount_ > 0) {
        const Entry& top = ops_[opCount_ - 1];
        if (top.type == Entry::Paren || top.type == Entry::Comma || top.level > level) break;
        if (!applyTop(position)) return false;
    }
    return true;
}

int Evaluator::innermostParen() const {
    for (int i = opCount_ - 1; i >= 0; --i)
        if (ops_[i].type == Entry::Paren) return i;
    return -1;
}

bool Evaluator::number(int* pos) {
    const int start = *pos;
    const int n = int(text_.size());
    int i = start;
    while (i < n && isDigit(text_[i].unicode())) ++i;
    if (i < n && text_[i] == u'.') {
        ++i;
        while (i < n && isDigit(text_[i].unicode())) ++i;
    }
    if (i < n && (text_[i] == u'E' || text_[i] == u'e')) {
        ++i;
        if (i < n && (text_[i] == u'+' || text_[i] == u'-')) ++i;
        int digits = 0;
        while (i < n && isDigit(text_[i].unicode())) ++i, ++digits;
        if (digits == 0 || digits > 2) return error(kBadNumber, start + 1);
    }
    // A letter stuck to the number ("12a") makes it malformed.
    if (i < n && isAsciiLetter(text_[i].unicode())) return error(kBadNumber, start + 1);
    *pos = i;
    if (!operandAllowed(start + 1)) return false;

    // The token is plain ASCII: convert it with "." as the decimal separator.
    double value = 0;
    char buffer[64];
    const int length = i - start;
    if (length < int(sizeof buffer)) {
        for (int k = 0; k < length; ++k) buffer[k] = char(text_[start + k].unicode());
        const auto r = std::from_chars(buffer, buffer + length, value);
        if (r.ec != std::errc() || !std::isfinite(value)) return error(kBadNumber, start + 1);
    } else {
        const QString s = text_.mid(start, length).toString();
        bool ok = false;
        value = s.toDouble(&ok);  // "C" locale rules: "." separator
        if (!ok || !std::isfinite(value)) return error(kBadNumber, start + 1);
    }
    prev_ = Prev::Operand;
    return pushValue(TaggedValue(value), start + 1);
}

bool Evaluator::textLiteral(int* pos) {
    const int start = *pos;
    const qsizetype close = text_.indexOf(u'\'', start + 1);
    if (close < 0) return error(kApostropheExpected, start + 1);
    *pos = int(close) + 1;
    if (!operandAllowed(start + 1)) return false;
    prev_ = Prev::Operand;
    return pushValue(TaggedValue(text_.mid(start + 1, close - start - 1).toString()), start + 1);
}

TaggedValue Evaluator::ask(QChar sigil, qint64 number) {
    // Numbers count from 1; 0 and numbers beyond any list yield 0.
    if (!source_ || number < 1 || number > std::numeric_limits<int>::max()) return TaggedValue(0);
    const int index = int(number - 1);
    // A source that fails while answering (a record that cannot be read)
    // answers 0, as an index outside its lists does.
    try {
        switch (sigil.unicode()) {
            case u'#':
                return source_->fieldValue(index);
            case u'&':
                return source_->parameterValue(index);
            case u'@':
                return source_->functionValue(index);
            default:
                return source_->variableValue(index);
        }
    } catch (const std::exception&) {
        return TaggedValue(0);
    }
}

bool Evaluator::reference(int* pos) {
    const int start = *pos;
    const int n = int(text_.size());
    const QChar sigil = text_[start];
    int i = start + 1;
    if (i >= n || !isNameChar(text_[i])) return error(kUnknownIdentifier, start + 1);
    qint64 number = 0;
    if (isDigit(text_[i].unicode())) {
        while (i < n && isDigit(text_[i].unicode())) {
            // Saturate far beyond any list.
            if (number < (qint64(1) << 40)) number = number * 10 + (text_[i].unicode() - u'0');
            ++i;
        }
    } else {
        // A name: only fields (#) and functions (@) have names.
        while (i < n && isNameChar(text_[i])) ++i;
        if (!isNameStart(text_[start + 1])) return error(kUnknownIdentifier, start + 1);
        if (sigil != u'#' && sigil != u'@') return error(kUnknownIdentifier, start + 1);
        const QString name = text_.mid(start + 1, std::min(i - start - 1, kNameLength)).toString();
        int index = -1;
        if (source_) {
            try {
                index = sigil == u'#' ? source_->fieldIndex(name) : source_->functionIndex(name);
            } catch (const std::exception&) {
                index = -1;  // a lookup that fails finds nothing
            }
        }
        if (index < 0) return error(kUnknownIdentifier, start + 1);
        number = qint64(index) + 1;
    }
    *pos = i;
    if (!operandAllowed(start + 1)) return false;
    prev_ = Prev::Operand;
    return pushValue(ask(sigil, number), start + 1);
}

bool Evaluator::word(int* pos) {
    const int start = *pos;
    const int n = int(text_.size());
    int i = start;
    while (i < n && (isAsciiLetter(text_[i].unicode()) || text_[i] == u'#' || text_[i] == u'&' ||
                     text_[i] == u'@'))
        ++i;
    *pos = i;
    const QStringView w = text_.mid(start, i - start);
    const int position = start + 1;
    // The word operators, compared by the name rule.
    if (w.size() == 3 || w.size() == 2) {
        struct WordOp {
            const char* name;
            BinaryOp op;
            quint8 level;
        };
        static constexpr WordOp kWords[] = {
            {"AND", BinaryOp::And, 4}, {"DIV", BinaryOp::IntDiv, 4}, {"MOD", BinaryOp::Mod, 4},
            {"SHL", BinaryOp::Shl, 4}, {"SHR", BinaryOp::Shr, 4},    {"OR", BinaryOp::Or, 5},
            {"XOR", BinaryOp::Xor, 5},
        };
        for (const WordOp& op : kWords)
            if (sameName(w, QLatin1String(op.name))) return binary(op.op, op.level, position);
        if (sameName(w, QLatin1String("NOT"))) {
            if (prev_ != Prev::Start && prev_ != Prev::Open && prev_ != Prev::Comma)
                return error(kSyntaxError, position);
            prev_ = Prev::Unary;
            return push(Entry::make(Entry::Not, kUnaryLevel), position);
        }
    }
    const int code = findBuiltinFunction(w);
    if (code == 0) return error(kUnknownIdentifier, position);
    if (!operandAllowed(position)) return false;
    prev_ = Prev::Function;
    return push(Entry::make(Entry::Function, kFunctionLevel, BinaryOp::Add, quint8(code)),
                position);
}

bool Evaluator::binary(BinaryOp op, quint8 level, int position) {
    if (!afterOperand(position)) return false;
    if (!applyPending(level, position)) return false;
    prev_ = Prev::Binary;
    return push(Entry::make(Entry::Binary, level, op), position);
}

bool Evaluator::openParen(int position) {
    Entry e = Entry::make(Entry::Paren);
    if (prev_ == Prev::Function) {
        e.function = ops_[opCount_ - 1].function;
    } else if (!operandAllowed(position)) {
        return false;
    }
    prev_ = Prev::Open;
    return push(e, position);
}

bool Evaluator::comma(int position) {
    if (!afterOperand(position)) return false;
    const int paren = innermostParen();
    if (paren < 0 || ops_[paren].function == 0) return error(kTooManyCommas, position);
    if (ops_[paren].commas + 1 >= builtinArgumentCount(ops_[paren].function))
        return error(kTooManyCommas, position);
    if (!applyPending(kLoosestLevel, position)) return false;
    ++ops_[paren].commas;
    prev_ = Prev::Comma;
    return push(Entry::make(Entry::Comma), position);
}

bool Evaluator::closeParen(int position) {
    if (!afterOperand(position)) return false;
    const int paren = innermostParen();
    if (paren < 0) return error(kTooFewOpenParens, position);
    // Apply each argument's pending operators, dropping the separators.
    while (opCount_ > paren + 1) {
        if (ops_[opCount_ - 1].type == Entry::Comma) {
            --opCount_;
            continue;
        }
        if (!applyTop(position)) return false;
    }
    const Entry& e = ops_[paren];
    if (e.function != 0 && e.commas + 1 != builtinArgumentCount(e.function))
        return error(kCommaExpected, position);
    --opCount_;
    // A function itself is applied when a looser operator, a ")" or the end
    // of the text arrives.
    prev_ = Prev::Operand;
    return true;
}

bool Evaluator::finish() {
    if (prev_ != Prev::Operand) return error(kSyntaxError, lastToken_);
    if (innermostParen() >= 0) return error(kMissingCloseParen, int(text_.size()) + 1);
    while (opCount_ > 0)
        if (!applyTop(lastToken_)) return false;
    if (values_.size() != 1) return error(kSyntaxError, lastToken_);
    result_.value = std::move(values_.top());
    return true;
}

EvaluationResult Evaluator::run() {
    const int n = int(text_.size());
    if (n == 0) {
        result_.value = TaggedValue(0);
        return result_;
    }
    int pos = 0;
    bool ok = true;
    while (ok && pos < n) {
        const char16_t c = text_[pos].unicode();
        if (c == u' ') {
            ++pos;
            continue;
        }
        const int position = pos + 1;
        lastToken_ = position;
        // A function name must be followed by its argument list.
        if (prev_ == Prev::Function && c != u'(') {
            ok = error(kSyntaxError, position);
            break;
        }
        if (isDigit(c)) {
            ok = number(&pos);
        } else if (c == u'\'') {
            ok = textLiteral(&pos);
        } else if (c == u'#' || c == u'&' || c == u'@' || c == u'$') {
            ok = reference(&pos);
        } else if (isAsciiLetter(c)) {
            ok = word(&pos);
        } else {
            ++pos;
            switch (c) {
                case u'(':
                    ok = openParen(position);
                    break;
                case u')':
                    ok = closeParen(position);
                    break;
                case u',':
                    ok = comma(position);
                    break;
                case u'+':
                    ok = binary(BinaryOp::Add, 5, position);
                    break;
                case u'-':
                    if (prev_ == Prev::Start || prev_ == Prev::Open || prev_ == Prev::Comma) {
                        prev_ = Prev::Unary;
                        ok = push(Entry::make(Entry::Negate, kUnaryLevel), position);
                    } else {
                        ok = binary(BinaryOp::Subtract, 5, position);
                    }
                    break;
                case u'*':
                    ok = binary(BinaryOp::Multiply, 4, position);
                    break;
                case u'/':
                    ok = binary(BinaryOp::Divide, 4, position);
                    break;
                case u'^':
                    ok = binary(BinaryOp::Power, 3, position);
                    break;
                case u'=':
                    ok = binary(BinaryOp::Equal, 6, position);
                    break;
                case u'<':
                    if (pos < n && text_[pos] == u'=') {
                        ++pos;
                        ok = binary(BinaryOp::LessEqual, 6, position);
                    } else if (pos < n && text_[pos] == u'>') {
                        ++pos;
                        ok = binary(BinaryOp::NotEqual, 6, position);
                    } else {
                        ok = binary(BinaryOp::Less, 6, position);
                    }
                    break;
                case u'>':
                    if (pos < n && text_[pos] == u'=') {
                        ++pos;
                        ok = binary(BinaryOp::GreaterEqual, 6, position);
                    } else {
                        ok = binary(BinaryOp::Greater, 6, position);
                    }
                    break;
                default:
                    ok = error(kSyntaxError, position);
                    break;
            }
        }
    }
    if (ok) {
        if (prev_ == Prev::Start)
            error(kSyntaxError, 1);  // blanks only
        else
            finish();
    }
    if (!result_.ok()) result_.value = TaggedValue();
    return result_;
}

}  // namespace

EvaluationResult evaluateExpression(QStringView text, ValueSource* source) {
    return Evaluator(text, source).run();
}


}  // namespace dorvana
