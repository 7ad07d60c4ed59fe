// Fuzz target: arbitrary bytes as a selection file (*.sgn) loaded over marks
// made before. Loading toggles each value; loading the same bytes twice gives
// back the marks there were (a mark toggled off and on again moves to the
// end), and the marks written read back as they are.
#include <QByteArray>
#include <QList>
#include <algorithm>
#include <cstdint>

#include "app/core/selection_file.h"
#include "controls/mark_list.h"
#include "quiet_log.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace dorvana;
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    MarkList marks;
    for (qint32 v : {3, -1, 70000}) marks.add(v);
    const QList<qint32> before = marks.values();
    auto toggle = [&marks](qint32 v) { marks.toggle(v); };
    QString error;
    const bool whole = toggleSelectionBytes(bytes, QStringLiteral("fuzz.sgn"), toggle, &error);
    if (whole != (size % 4 == 0) || whole != error.isEmpty()) __builtin_trap();

    const QList<qint32> loaded = marks.values();
    MarkList again;
    toggleSelectionBytes(selectionFileBytes(loaded), QStringLiteral("kopie.sgn"),
                         [&again](qint32 v) { again.toggle(v); });
    if (again.values() != loaded || again.count() != marks.count()) __builtin_trap();

    toggleSelectionBytes(bytes, QStringLiteral("fuzz.sgn"), toggle);
    QList<qint32> after = marks.values(), expected = before;
    std::sort(after.begin(), after.end());
    std::sort(expected.begin(), expected.end());
    if (after != expected) __builtin_trap();
    return 0;
}
