#pragma once
// Turning any table the engine reads into a label file.
//
// Source fields are matched to the label record's fields by name, letters
// compared without regard to case and diacritics ("Název1" fills nazev1,
// "CISLO" fills cislo). Values are converted to the label field's type; a
// text for a picture field is read as base64 (how CSV export writes
// pictures). A source without a number field gets the numbers 1, 2, 3, ...
// A source none of whose fields matches is refused.
//
// An existing destination is replaced only when asked to, only when it is a
// label file we may write, and only while we hold its lock (a file another
// program is writing is left alone). The new file is built beside the
// destination and renamed over it only when every record went in, so a
// failed import leaves an existing file untouched.

#include <QString>
#include <QStringList>

#include "base/progress.h"

namespace dorvana {

struct ImportResult {
    qint64 records = 0;
    QStringList unmatchedFields;  // source fields no label field takes
    QString notice;               // how the source was read (its encoding), if worth saying
    bool refusedExisting = false; // failed because the destination exists and replace was off
};

struct ImportOptions {
    bool replace = false;  // an existing label file may be replaced
    Progress* progress = nullptr;
};

bool importToLabelFile(const QString& source, const QString& dest, ImportResult* result,
                       QString* error, const ImportOptions& options = {});

// Folds a field name for matching: lower case, without diacritics.
QString foldFieldName(const QString& name);

}  // namespace dorvana
