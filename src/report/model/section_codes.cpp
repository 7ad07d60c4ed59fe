#include "report/model/section_codes.h"

#include "report/model/page_container.h"

namespace dorvana {

namespace {
const char* const kMainCodes[PlanSection::Count] = {"Z", "H", "T", "K", "P", "N", "D"};
const char* const kPlanCodes[PlanSection::Count] = {"Z", "H", "T", "K", "P", "PN", "PS"};
const char* const kGroupCodes[GroupSection::Count] = {"S", "U", "N", "D"};  // by offset
}  // namespace

QString sectionCode(const TPapir& page, int i) {
    const int m = page.additionalPlanCount();
    if (i < 0 || i >= page.sectionCount()) return {};
    if (i < PlanSection::Count) return QString::fromLatin1(kMainCodes[i]);
    if (i < 7 + 7 * m) return QString::fromLatin1(kPlanCodes[i % 7]) + QString::number(i / 7);
    const int g = (i - 7 - 7 * m) / 4;
    return QString::fromLatin1(kGroupCodes[(i - 7 - 7 * m) % 4]) + QString::number(g);
}

QHash<QString, int> sectionCodes(const TPapir& page) {
    QHash<QString, int> codes;
    for (int i = 0; i < page.sectionCount(); ++i) codes.insert(sectionCode(page, i), i);
    return codes;
}

}  // namespace dorvana
