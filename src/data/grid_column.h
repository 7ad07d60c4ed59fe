#pragma once
// One column of a grid over a data set, as the application lays it out and
// keeps it in its settings: the field it shows, its title and width in
// pixels (0 = hidden), whether it may be edited, and the description line
// the user gave it.

#include <QList>
#include <QString>

namespace dorvana {

struct GridColumn {
    QString fieldName;
    QString title;  // empty: the field's display label
    int width = 64;
    bool readOnly = false;
    QString description;

    bool operator==(const GridColumn&) const = default;
};

using GridColumns = QList<GridColumn>;

}  // namespace dorvana
