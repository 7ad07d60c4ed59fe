#pragma once
// The field description lines of a label file and what they do to the
// grid's columns: titles, number formats, edit masks and visibility. (The
// counter and copy marks the lines carry are read by print_roles.h.)

#include <QString>
#include <QStringList>

#include "data/data_set.h"
#include "data/grid_column.h"

namespace dorvana {

// A description line taken apart: the column title and the text after the
// first ";" (at most 80 characters; empty when the line has no ";").
struct DescriptionLine {
    QString title;
    QString format;
    bool hasFormat = false;
};
DescriptionLine parseDescriptionLine(const QString& line);

// At most 15 lines: a 16th and later lines are dropped.
QStringList limitDescriptionLines(QStringList lines);

// What applying the lines leaves enabled.
struct DescriptionEffects {
    bool imageEdit = false;
    bool noteEdit = false;
};

// Applies the description lines to the 17 label columns : hidden
// columns come back with their default widths, each field's column takes
// its line (title, description, formats on the label table's fields when
// given) or is hidden and read-only without one, hidden columns move behind
// the visible ones, column 15 becomes a copy of column 16 (calc), both
// hidden. Columns that are not the label record's are replaced by the
// defaults first.
DescriptionEffects applyDescriptionLines(GridColumns& columns, const QStringList& lines,
                                         DataSet* labelTable);

}  // namespace dorvana
