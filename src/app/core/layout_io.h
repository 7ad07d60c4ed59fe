#pragma once
// The grid columns and the field description lines as ini sections:
//   [Popisy]  Pocet=n, Radek1..Radekn
//   [Sloupce] Pocet=n, then per column k: Pole<k>, Sirka<k>, Titulek<k>,
//             JenCteni<k>, Popis<k>
// Both the program's settings file and the layout files use them.

#include <QStringList>

#include "base/ini_file.h"
#include "data/grid_column.h"

namespace dorvana {

inline constexpr char16_t kLinesSection[] = u"Popisy";
inline constexpr char16_t kColumnsSection[] = u"Sloupce";

void writeDescriptionLines(IniFile& ini, const QStringList& lines);
// Empty when the section is missing or holds no lines.
QStringList readDescriptionLines(const IniFile& ini);
void writeGridColumns(IniFile& ini, const GridColumns& columns);
// Empty when the section is missing or holds no columns.
GridColumns readGridColumns(const IniFile& ini);

// The layout file of a label file: its name without the last two
// characters followed by "svv", in the data directory (kuk.db -> kuk.svv);
// for a table on a server "server_<server>_<table>.svv" there.
QString layoutFilePath(const QString& dataDir, const QString& labelFilePath);

}  // namespace dorvana
