#pragma once
// The columns of the label record as the main window's grid shows them: the
// 17 fields in file order with their default widths, and the names of the
// rows of the field description list.

#include <QString>
#include <QStringList>

#include "data/data_set.h"
#include "data/grid_column.h"

namespace dorvana {

inline constexpr int kLabelColumnCount = 17;     // cislo ... barbmp, calc
inline constexpr int kDescriptionLineCount = 15;  // cislo ... pozn

// The name of label field i (0 cislo ... 15 barbmp, 16 calc).
QString labelFieldName(int i);
// The index of a label field by name (any case), -1 when it is none.
int labelFieldIndex(const QString& name);
// The default column width of a label field in pixels (0 for barbmp and calc).
int labelDefaultWidth(const QString& fieldName);
// "Číslo", "Název1", ... "Poznámka": the row names of the description panel.
QStringList descriptionRowNames();

// The 17 columns of the label record with their default widths (barbmp and
// calc hidden).
GridColumns defaultLabelColumns();
// Whether columns are the label record's 17 columns (in any order).
bool areLabelColumns(const GridColumns& columns);

// The columns of a foreign table or query result: one per field, as wide as
// its display width, the last one (the record number) hidden.
GridColumns columnsOfDataSet(const DataSet& dataSet);

// Whether a column still has the width the program gives it: a label column
// (foreign null) its default width above, a column of a foreign table or a
// query result the width of its field's display width. The grid widens such
// columns until their title and content fit its font.
bool hasDefaultWidth(const GridColumn& column, const DataSet* foreign);

}  // namespace dorvana
