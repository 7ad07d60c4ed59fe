#pragma once
// The logic behind the paper-format dialog: the size shown in millimetres and
// how the edited texts are stored into a format.

#include <QString>

#include "report/model/paper/paper_format.h"

namespace dorvana {

// "210 x 297" for width 826 and height 1169 (each divided by 3.937 and
// rounded to the nearest integer); a text that is not an integer after
// trimming blanks counts 0.
QString formatSizeMmText(const QString& widthText, const QString& heightText);

// Stores the dialog's texts into the format on OK: the name cut to 31
// characters; the width and height only when their texts are integers (other
// texts keep the previous value).
void applyFormatEdit(TFormatPapiru& format, const QString& name, const QString& widthText,
                     const QString& heightText);

}  // namespace dorvana
