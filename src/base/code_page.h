#pragma once
// Single-byte code pages of the files users bring: Windows-1250 (templates,
// corrections, filters, ini files) and CP852 (old Czech DOS tables).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace dorvana {

enum class CodePage { Windows1250, Cp852, Utf8 };

// Decodes bytes of the given code page. Windows-1250's five unassigned bytes
// (0x81, 0x83, 0x88, 0x90, 0x98) become the C1 control of the same value, so
// that any byte string survives a decode/encode round trip unchanged.
QString decode(QByteArrayView bytes, CodePage page);

// Encodes text into the code page. A character the page cannot hold becomes
// '?'; *lossless (when given) tells whether that happened.
QByteArray encode(QStringView text, CodePage page, bool* lossless = nullptr);

// True when the code page holds every character of the text.
bool representable(QStringView text, CodePage page);

// Whether bytes are well-formed UTF-8 (no overlong forms, surrogates or
// code points beyond U+10FFFF, nothing cut off at the end).
bool isValidUtf8(QByteArrayView bytes);

// Text of a system file: UTF-8 when it starts with the UTF-8 byte-order mark
// (the mark itself dropped), Windows-1250 otherwise.
QString decodeSystemText(QByteArrayView bytes);

}  // namespace dorvana
