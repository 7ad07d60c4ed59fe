#include "data/filter_expression.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <vector>

#include "base/code_page.h"
#include "data/field_value.h"

namespace dorvana {

namespace {

enum class Domain { Text, Number, Temporal, Boolean };
enum class Op { Eq, Ne, Lt, Gt, Le, Ge };

Domain domainOf(FieldType t) {
    if (isNumericType(t)) return Domain::Number;
    if (isTemporalType(t)) return Domain::Temporal;
    if (t == FieldType::Boolean) return Domain::Boolean;
    return Domain::Text;
}

// A value reduced to what comparisons in its domain need.
struct Key {
    double num = 0;
    QByteArray text;
};

double temporalDays(const QVariant& v, FieldType t) {
    switch (t) {
        case FieldType::Date:
            return double(v.toDate().toJulianDay());
        case FieldType::Time:
            return QTime(0, 0).msecsTo(v.toTime()) / 86400000.0;
        default: {
            const QDateTime dt = v.toDateTime();
            return double(dt.date().toJulianDay()) + QTime(0, 0).msecsTo(dt.time()) / 86400000.0;
        }
    }
}

Key keyOfRaw(const QVariant& v, FieldType t, Domain d) {
    Key k;
    switch (d) {
        case Domain::Text:
            k.text = filterTextKey(isNumericType(t) || isTemporalType(t) ? textOfRaw(v, t)
                                                                         : v.toString());
            break;
        case Domain::Number:
            k.num = t == FieldType::Boolean ? (v.toBool() ? 1 : 0) : v.toDouble();
            break;
        case Domain::Temporal:
            k.num = isTemporalType(t) ? temporalDays(v, t) : v.toDouble();
            break;
        case Domain::Boolean:
            k.num = v.toBool() ? 1 : 0;
            break;
    }
    return k;
}

int compareKeys(const Key& a, const Key& b, Domain d) {
    if (d == Domain::Text) {
        const int n = int(std::min(a.text.size(), b.text.size()));
        const int c = memcmp(a.text.constData(), b.text.constData(), size_t(n));
        if (c != 0) return c < 0 ? -1 : 1;
        return a.text.size() < b.text.size() ? -1 : a.text.size() > b.text.size() ? 1 : 0;
    }
    return a.num < b.num ? -1 : a.num > b.num ? 1 : 0;
}

struct Token {
    enum Kind { End, Name, Text, Number, Date, LParen, RParen, Operator } kind = End;
    QString text;
    int pos = 0;
};

}  // namespace

struct FilterExpression::Node {
    enum Kind { And, Or, Not, Compare } kind = Compare;
    // And / Or: every operand of one chain (a and b and c ...), so that a
    // chain of any length is evaluated in a loop, not by recursion. Not: a.
    std::vector<int> items;
    int a = -1;
    // Compare: left is always a field; right is a field or a literal.
    Op op = Op::Eq;
    Domain domain = Domain::Text;
    FilterField left, right;
    bool rightIsField = false;
    bool rightIsNull = false;
    bool prefix = false;  // 'abc*'
    Key literal;
};

class FilterParser {
public:
    FilterParser(const QString& text, const FilterExpression::Resolver& resolve,
                 FilterExpression* out)
        : s_(text), resolve_(resolve), out_(out) {}

    bool run(QString* error) {
        if (!advance()) return fail(error);
        if (tok_.kind == Token::End) {
            err_ = QStringLiteral("prázdná podmínka");
            errPos_ = 0;
            return fail(error);
        }
        const int root = parseOr();
        if (root < 0) return fail(error);
        if (tok_.kind != Token::End) {
            setError(QStringLiteral("nadbytečný text „%1“").arg(tok_.text), tok_.pos);
            return fail(error);
        }
        out_->root_ = root;
        return true;
    }

private:
    bool fail(QString* error) {
        if (error)
            *error = QStringLiteral("Chybný filtr: %1 (pozice %2)").arg(err_).arg(errPos_ + 1);
        return false;
    }
    void setError(const QString& e, int pos) {
        if (err_.isEmpty()) {
            err_ = e;
            errPos_ = pos;
        }
    }

    bool advance() {
        while (i_ < s_.size() && s_[i_].isSpace()) ++i_;
        tok_ = Token();
        tok_.pos = int(i_);
        if (i_ >= s_.size()) return true;
        const QChar c = s_[i_];
        if (c == u'(' || c == u')') {
            tok_.kind = c == u'(' ? Token::LParen : Token::RParen;
            tok_.text = c;
            ++i_;
            return true;
        }
        if (c == u'=' || c == u'<' || c == u'>' || c == u'!') {
            QString op = c;
            ++i_;
            if (i_ < s_.size() && (s_[i_] == u'=' || (c == u'<' && s_[i_] == u'>'))) op += s_[i_++];
            if (op == u"!") {
                setError(QStringLiteral("neznámý operátor „!“"), tok_.pos);
                return false;
            }
            tok_.kind = Token::Operator;
            tok_.text = op;
            return true;
        }
        if (c == u'\'') {
            QString t;
            ++i_;
            for (;;) {
                if (i_ >= s_.size()) {
                    setError(QStringLiteral("neukončený text"), tok_.pos);
                    return false;
                }
                if (s_[i_] == u'\'') {
                    if (i_ + 1 < s_.size() && s_[i_ + 1] == u'\'') {
                        t += u'\'';
                        i_ += 2;
                        continue;
                    }
                    ++i_;
                    break;
                }
                t += s_[i_++];
            }
            tok_.kind = Token::Text;
            tok_.text = t;
            return true;
        }
        if (c == u'"' || c == u'[') {
            const QChar close = c == u'"' ? QChar(u'"') : QChar(u']');
            const qsizetype end = s_.indexOf(close, i_ + 1);
            if (end < 0) {
                setError(QStringLiteral("neukončené jméno pole"), tok_.pos);
                return false;
            }
            tok_.kind = Token::Name;
            tok_.text = s_.mid(i_ + 1, end - i_ - 1);
            i_ = end + 1;
            return true;
        }
        if (c.isDigit() ||
            ((c == u'-' || c == u'+') && i_ + 1 < s_.size() && s_[i_ + 1].isDigit())) {
            qsizetype j = i_ + 1;
            int dots = 0;
            while (j < s_.size() && (s_[j].isDigit() || s_[j] == u'.')) {
                if (s_[j] == u'.') ++dots;
                ++j;
            }
            tok_.text = s_.mid(i_, j - i_);
            tok_.kind = dots >= 2 ? Token::Date : Token::Number;
            i_ = j;
            return true;
        }
        if (c.isLetter() || c == u'_') {
            qsizetype j = i_ + 1;
            while (j < s_.size() && (s_[j].isLetterOrNumber() || s_[j] == u'_' || s_[j].isMark()))
                ++j;
            tok_.kind = Token::Name;
            tok_.text = s_.mid(i_, j - i_);
            i_ = j;
            return true;
        }
        setError(QStringLiteral("nečekaný znak „%1“").arg(c), tok_.pos);
        return false;
    }

    bool isWord(const char* w) const {
        return tok_.kind == Token::Name &&
               tok_.text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0;
    }

    int add(FilterExpression::Node n) {
        out_->nodes_.push_back(std::move(n));
        return int(out_->nodes_.size()) - 1;
    }

    int parseOr() { return parseChain(FilterExpression::Node::Or, "or"); }
    int parseAnd() { return parseChain(FilterExpression::Node::And, "and"); }

    // One chain of operands joined by the same word, as one node.
    int parseChain(FilterExpression::Node::Kind kind, const char* word) {
        const bool ors = kind == FilterExpression::Node::Or;
        int first = ors ? parseAnd() : parseNot();
        if (first < 0 || !isWord(word)) return first;
        FilterExpression::Node n;
        n.kind = kind;
        n.items.push_back(first);
        while (isWord(word)) {
            if (!advance()) return -1;
            const int next = ors ? parseAnd() : parseNot();
            if (next < 0) return -1;
            n.items.push_back(next);
        }
        return add(std::move(n));
    }

    int parseNot() {
        if (++depth_ > 200) {
            setError(QStringLiteral("příliš mnoho vnořených závorek"), tok_.pos);
            return -1;
        }
        int result;
        if (isWord("not")) {
            if (!advance()) return -1;
            const int inner = parseNot();
            if (inner < 0) return -1;
            FilterExpression::Node n;
            n.kind = FilterExpression::Node::Not;
            n.a = inner;
            result = add(n);
        } else if (tok_.kind == Token::LParen) {
            if (!advance()) return -1;
            const int inner = parseOr();
            if (inner < 0) return -1;
            if (tok_.kind != Token::RParen) {
                setError(QStringLiteral("chybí „)“"), tok_.pos);
                return -1;
            }
            if (!advance()) return -1;
            result = inner;
        } else {
            result = parseComparison();
        }
        --depth_;
        return result;
    }

    struct Operand {
        bool isField = false, isNull = false;
        FilterField field;
        Token token;
    };

    bool parseOperand(Operand* o) {
        o->token = tok_;
        switch (tok_.kind) {
            case Token::Name:
                if (isWord("null")) {
                    o->isNull = true;
                } else {
                    const auto f = resolve_(tok_.text);
                    if (!f) {
                        setError(QStringLiteral("neznámé pole „%1“").arg(tok_.text), tok_.pos);
                        return false;
                    }
                    o->isField = true;
                    o->field = *f;
                }
                break;
            case Token::Text:
            case Token::Number:
            case Token::Date:
                break;
            case Token::End:
                setError(QStringLiteral("neočekávaný konec textu"), tok_.pos);
                return false;
            default:
                setError(QStringLiteral("očekávám pole nebo hodnotu"), tok_.pos);
                return false;
        }
        return advance();
    }

    // A literal converted to the domain of the field it is compared with.
    bool literalKey(const Operand& o, FieldType fieldType, Domain d, Key* k, bool* prefix) {
        const Token& t = o.token;
        const auto mismatch = [&] {
            setError(QStringLiteral("hodnota „%1“ neodpovídá typu pole").arg(t.text), t.pos);
            return false;
        };
        QString text = t.text;
        switch (d) {
            case Domain::Text:
                if (t.kind == Token::Text && text.endsWith(u'*')) {
                    *prefix = true;
                    text.chop(1);
                }
                k->text = filterTextKey(text);
                return true;
            case Domain::Number: {
                if (t.kind == Token::Date || !parseNumberText(text, &k->num)) return mismatch();
                return true;
            }
            case Domain::Temporal: {
                QDateTime dt;
                QTime tm;
                if (fieldType == FieldType::Time && parseTimeText(text, &tm)) {
                    k->num = QTime(0, 0).msecsTo(tm) / 86400000.0;
                    return true;
                }
                if (t.kind == Token::Number || !parseDateTimeText(text, &dt)) return mismatch();
                k->num = fieldType == FieldType::Time
                             ? QTime(0, 0).msecsTo(dt.time()) / 86400000.0
                             : double(dt.date().toJulianDay()) +
                                   QTime(0, 0).msecsTo(dt.time()) / 86400000.0;
                return true;
            }
            case Domain::Boolean: {
                const QString s = text.toLower();
                if (s == u"true" || s == u"t" || s == u"1" || s == u"-1" || s == u"ano")
                    k->num = 1;
                else if (s == u"false" || s == u"f" || s == u"0" || s == u"ne")
                    k->num = 0;
                else
                    return mismatch();
                return true;
            }
        }
        return mismatch();
    }

    int parseComparison() {
        Operand l, r;
        if (!parseOperand(&l)) return -1;
        Op op;
        if (tok_.kind != Token::Operator) {
            setError(QStringLiteral("očekávám operátor porovnání"), tok_.pos);
            return -1;
        }
        const QString o = tok_.text;
        const int opPos = tok_.pos;
        if (o == u"=")
            op = Op::Eq;
        else if (o == u"<>" || o == u"!=")
            op = Op::Ne;
        else if (o == u"<")
            op = Op::Lt;
        else if (o == u">")
            op = Op::Gt;
        else if (o == u"<=")
            op = Op::Le;
        else if (o == u">=")
            op = Op::Ge;
        else {
            setError(QStringLiteral("neznámý operátor „%1“").arg(o), opPos);
            return -1;
        }
        if (!advance() || !parseOperand(&r)) return -1;
        if (!l.isField && r.isField) {
            std::swap(l, r);
            op = op == Op::Lt   ? Op::Gt
                 : op == Op::Gt ? Op::Lt
                 : op == Op::Le ? Op::Ge
                 : op == Op::Ge ? Op::Le
                                : op;
        }
        if (!l.isField) {
            setError(QStringLiteral("porovnání musí obsahovat pole"), l.token.pos);
            return -1;
        }
        FilterExpression::Node n;
        n.kind = FilterExpression::Node::Compare;
        n.op = op;
        n.left = l.field;
        n.domain = domainOf(l.field.type);
        if (isBlobType(l.field.type) && l.field.type != FieldType::Memo) {
            setError(QStringLiteral("pole „%1“ nelze porovnávat").arg(l.token.text), l.token.pos);
            return -1;
        }
        if (r.isNull) {
            if (op != Op::Eq && op != Op::Ne) {
                setError(QStringLiteral("NULL lze jen porovnat na rovnost"), opPos);
                return -1;
            }
            n.rightIsNull = true;
        } else if (r.isField) {
            n.rightIsField = true;
            n.right = r.field;
        } else if (!literalKey(r, l.field.type, n.domain, &n.literal, &n.prefix)) {
            return -1;
        }
        return add(n);
    }

    QString s_;
    qsizetype i_ = 0;
    Token tok_;
    const FilterExpression::Resolver& resolve_;
    FilterExpression* out_;
    QString err_;
    int errPos_ = 0;
    int depth_ = 0;
};

FilterExpression::~FilterExpression() = default;

std::unique_ptr<FilterExpression> FilterExpression::parse(const QString& text,
                                                          const Resolver& resolve, QString* error) {
    std::unique_ptr<FilterExpression> e(new FilterExpression);
    FilterParser p(text, resolve, e.get());
    if (!p.run(error)) return nullptr;
    return e;
}

bool FilterExpression::matches(const ValueReader& valueOf) const {
    return root_ >= 0 && eval(root_, valueOf);
}

bool FilterExpression::eval(int node, const ValueReader& valueOf) const {
    // Recursion only into brackets and "not", whose depth the parser bounds.
    const Node& n = nodes_[size_t(node)];
    switch (n.kind) {
        case Node::And:
            for (const int item : n.items)
                if (!eval(item, valueOf)) return false;
            return true;
        case Node::Or:
            for (const int item : n.items)
                if (eval(item, valueOf)) return true;
            return false;
        case Node::Not:
            return !eval(n.a, valueOf);
        case Node::Compare:
            break;
    }
    const QVariant lv = valueOf(n.left.index);
    const bool lnull = lv.isNull() || (n.domain == Domain::Text && lv.toString().isEmpty());
    if (n.rightIsNull) return (n.op == Op::Eq) == lnull;
    if (lnull) return false;
    const Key lk = keyOfRaw(lv, n.left.type, n.domain);
    Key rk;
    if (n.rightIsField) {
        const QVariant rv = valueOf(n.right.index);
        if (rv.isNull()) return false;
        rk = keyOfRaw(rv, n.right.type, n.domain);
    } else {
        rk = n.literal;
    }
    if (n.prefix && (n.op == Op::Eq || n.op == Op::Ne))
        return lk.text.startsWith(rk.text) == (n.op == Op::Eq);
    const int c = compareKeys(lk, rk, n.domain);
    switch (n.op) {
        case Op::Eq:
            return c == 0;
        case Op::Ne:
            return c != 0;
        case Op::Lt:
            return c < 0;
        case Op::Gt:
            return c > 0;
        case Op::Le:
            return c <= 0;
        case Op::Ge:
            return c >= 0;
    }
    return false;
}

}  // namespace dorvana
