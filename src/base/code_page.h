#pragma once
// Code pages of the files users bring: Windows-1250 (templates, corrections,
// filters, ini files), CP852 and Kamenický (old Czech DOS tables) and the
// other pages foreign tables declare (Paradox code-page numbers, dBase
// language drivers).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace dorvana {

enum class CodePage {
    Windows1250,
    Cp852,
    Utf8,
    Windows1251,
    Windows1252,
    Windows1253,
    Windows1254,
    Windows1255,
    Windows1256,
    Windows1257,
    Windows874,
    Cp437,
    Cp737,
    Cp850,
    Cp857,
    Cp860,
    Cp861,
    Cp863,
    Cp865,
    Cp866,
    Kamenicky,  // 895
    Mazovia,    // 620
    MacRoman,   // 10000
    Roman8,
    Gbk,       // 936, multi-byte
    ShiftJis,  // 932, multi-byte
    Korean,    // 949, multi-byte
    Big5,      // 950, multi-byte
};

// Decodes bytes of the given code page. Bytes a single-byte page leaves
// unassigned (Windows-1250's 0x81, 0x83, 0x88, 0x90, 0x98, ...) become the C1
// control of the same value, so that any byte string survives a decode/encode
// round trip unchanged.
QString decode(QByteArrayView bytes, CodePage page);

// Encodes text into the code page. A character the page cannot hold becomes
// '?'; *lossless (when given) tells whether that happened.
QByteArray encode(QStringView text, CodePage page, bool* lossless = nullptr);

// True when the code page holds every character of the text.
bool representable(QStringView text, CodePage page);

// The page of a Windows/DOS code-page number (1250, 852, 895 for Kamenický,
// 620 for Mazovia, 936, ...); false when the number names no page we know.
bool codePageOfNumber(int number, CodePage* page);
// The number of a page (1250, 852, 895, 620, 65001 for UTF-8, ...).
int codePageNumber(CodePage page);
// Whether bytes are well-formed UTF-8 (no overlong forms, surrogates or
// code points beyond U+10FFFF, nothing cut off at the end).
bool isValidUtf8(QByteArrayView bytes);

// Text of a system file: UTF-8 when it starts with the UTF-8 byte-order mark
// (the mark itself dropped), Windows-1250 otherwise.
QString decodeSystemText(QByteArrayView bytes);

}  // namespace dorvana
