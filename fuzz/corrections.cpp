// Arbitrary bytes as a corrections file: reading never crashes, applying the
// records to a small report never crashes, and the lines written for the
// records read back into records that are written identically.
#include <cstddef>
#include <cstdint>

#include "base/code_page.h"
#include "base/text_file.h"
#include "report/layout/pages/corrections.h"
#include "report/layout/pages/corrections_file.h"
#include "report/layout/pages/page_store.h"
#include "quiet_log.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace dorvana;
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    TListEdit list;
    readCorrections(splitLines(decodeSystemText(bytes)), &list);

    PageStore pages;
    for (int p = 0; p < 3; ++p)
        for (int e = 0; e < 4; ++e) {
            TPrevPrvek element;
            element.X = e * 10;
            element.text = QStringLiteral("prvek");
            pages.addElement(p, element);
        }
    applyCorrections(list, pages, true);

    const QStringList written = correctionLines(list);
    const QStringList stored = splitLines(
        decode(encode(joinLines(written), CodePage::Windows1250), CodePage::Windows1250));
    TListEdit again;
    readCorrections(stored, &again);
    if (correctionLines(again) != stored) __builtin_trap();
    return 0;
}
