#pragma once
// Tokens of template lines: comma-separated, a token may be quoted (no escape
// inside quotes), numeric tokens fall back to a default. Also the writer's side:
// making a text safe to stand as a quoted or unquoted token.

#include <QString>
#include <QStringView>

namespace dorvana {

// Takes tokens from the front of one template line.
class TemplateTokenizer {
public:
    // Views line without copying it: the line must outlive the tokenizer.
    explicit TemplateTokenizer(QStringView line) : rest_(line) {}

    // The next token as text; a missing token is the empty text.
    QString text();
    // The next token as a decimal integer; missing, empty or malformed gives def.
    int integer(int def = 0);
    // The next token as a Boolean (0 false, anything else true; def when malformed).
    bool boolean(bool def = false) { return integer(def ? 1 : 0) != 0; }
    // Skips one token.
    void skip() { text(); }
    // True when no token is left (the remaining line is empty).
    bool atEnd() const { return rest_.isEmpty(); }

private:
    QStringView rest_;
};

// Reads a whole token as a decimal integer (optional sign, digits, within the
// int range); anything else gives def.
int parseIntegerToken(QStringView token, int def = 0);

// True when a reference token names something instead of giving a number:
// its first character is not a digit (and it is not a signed number).
bool isNameToken(QStringView token);

// A text as a quoted token: "text". A double quote inside cannot be stored
// (the reader has no escape) and becomes a right double quotation mark; line
// breaks become blanks so the line stays one line.
QString quotedToken(QStringView text);

// A text as an unquoted token: commas (which would end the token) become '_',
// a leading double quote (which would start quoting) a right double quotation
// mark, line breaks blanks.
QString plainToken(QStringView text);

}  // namespace dorvana
