#pragma once
// Paradox tables (.db with .mb blob files).

#include <QByteArray>
#include <QString>
#include <memory>

#include "data/record_store.h"

namespace dorvana {

// True when the first bytes look like a Paradox table header.
bool looksLikeParadox(const QByteArray& head);

class ParadoxStore {
public:
    // Paradox tables are recognised but not read yet: fails with a message
    // saying so (the main window then shows it).
    static std::unique_ptr<RecordStore> open(const QString& path, QString* error);
};

bool createParadoxFile(const QString& path, const FieldDefs& defs, QString* error);

}  // namespace dorvana
