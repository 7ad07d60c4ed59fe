#pragma once
// Small helpers shared by the tests.

#include <QByteArray>
#include <QString>

namespace dorvana::test {

// Absolute path of a file in the source tree, e.g. sourcePath("samples/templates/x.pte").
QString sourcePath(const QString& relative);

// Whole contents of a file (empty when it cannot be read).
QByteArray fileBytes(const QString& path);

// Writes bytes to a file, creating folders; returns false on failure.
bool writeBytes(const QString& path, const QByteArray& bytes);

}  // namespace dorvana::test
