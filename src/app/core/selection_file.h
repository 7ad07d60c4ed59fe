#pragma once
// Selection files (*.sgn): the record marks of the grid as 32-bit signed
// little-endian integers, one after another, with nothing else in the file.

#include <QList>
#include <QString>
#include <functional>

namespace dorvana {

// The text of the error box when there is nothing to save.
inline const QString kNoSelection = QStringLiteral("Není výběr");

// Writes the marks in list order (through a temporary file). An empty list
// writes nothing and fails with "Není výběr"; other failures give a Czech message.
bool writeSelectionFile(const QString& path, const QList<qint32>& marks, QString* error = nullptr);

// The bytes of a selection file of the marks.
QByteArray selectionFileBytes(const QList<qint32>& marks);

// Toggles every value of a selection file's bytes in order; a length that is
// not a multiple of 4 toggles the whole records and fails with a message
// naming the file by fileName.
bool toggleSelectionBytes(const QByteArray& bytes, const QString& fileName,
                          const std::function<void(qint32)>& toggle, QString* error = nullptr);

// Reads the file and toggles every value in file order (a value not marked is
// added, a marked one removed). A file whose size is not a multiple of 4
// toggles the whole records before its incomplete end and fails with a
// message; so does a file that cannot be read (nothing toggled).
bool readSelectionFile(const QString& path, const std::function<void(qint32)>& toggle,
                       QString* error = nullptr);

}  // namespace dorvana
