#pragma once
// What the columns of the shown table mean to a print run: the copy count
// ("COPY"), the per-record print count ("PCOPY"), the picture file
// ("PICTURE") and the counters (a description beginning with "COUNTER", the
// step after "#").

#include <QList>
#include <QString>

namespace dorvana {

class DataSet;

// A column of the grid as the print run sees it.
struct PrintColumn {
    QString fieldName;    // the field the column is bound to
    QString title;        // the column's title
    QString description;  // the column's description text
};

struct PrintRoles {
    bool copy = false;       // each record goes in as many times as copyField says
    bool perRecord = false;  // each record is a print job of its own, perRecordField copies
    bool picture = false;    // pictureField names a picture file
    QString copyField, perRecordField, pictureField;
};

// Roles from the columns. In a label file the column of `cislo1` titled
// "COPY" or "PCOPY" gives them; in other tables fields named "COPY", "PCOPY"
// and "PICTURE". Letter case never matters. One-record printing switches the
// copy count off.
PrintRoles readPrintRoles(const QList<PrintColumn>& columns, bool labelFileMode, bool oneRecord);

struct PrintCounter {
    QString field;
    double step = 1;
};

// The step of a counter description: the text after the first "#" (at most
// 20 characters) as a decimal number; 1 when there is none or it is no number.
double counterStep(const QString& description);

inline constexpr int kMaxCounters = 5;
// The counters of a data set: its numeric fields whose column description
// begins with "COUNTER", in column order, at most five.
QList<PrintCounter> printCounters(const QList<PrintColumn>& columns, const DataSet& shown);

}  // namespace dorvana
