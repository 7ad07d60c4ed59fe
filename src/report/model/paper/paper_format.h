#pragma once
// TFormatPapiru (paper format): a named sheet size in template units, held
// upright, and its one-line text form "name,width,height" in which both the
// built-in and the user formats are kept.

#include <QString>
#include <QStringView>

namespace dorvana {

inline constexpr int kFormatNameLength = 31;  // longest name a format keeps

struct TFormatPapiru {
    QString name;
    int width = 0;
    int height = 0;

    bool operator==(const TFormatPapiru&) const = default;
};

// Reads a format text. Fields are separated by commas; a field beginning with
// a double quote runs to the closing quote and may hold commas (a doubled
// quote inside stands for one quote). The name is cut to 31 characters; a
// width or height that is not an integer reads as 0.
TFormatPapiru readFormatText(QStringView text);

// The text form of a format: name "," width "," height. A name that holds a
// comma or begins with a double quote is written quoted, so that it reads back
// unchanged.
QString formatText(const TFormatPapiru& format);

}  // namespace dorvana
