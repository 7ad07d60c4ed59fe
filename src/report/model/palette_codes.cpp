#include "report/model/palette_codes.h"

#include "report/model/report_element.h"

namespace dorvana {

namespace {
constexpr int kIndexedBase = 2000;  // field value; every further kind 2000 above
constexpr int kIndexedSpan = 2000;
constexpr int kIndexedTypes[] = {ElementType::FieldValue, ElementType::FieldLabel,
                                 ElementType::Parameter, ElementType::Variable,
                                 ElementType::Function};
}  // namespace

std::optional<PaletteElement> elementOfPaletteCode(int code) {
    if (code == 1) return PaletteElement{ElementType::Label, 0};
    if (code >= 2 && code <= 6) return PaletteElement{ElementType::Line + code - 2, 0};
    if (code >= kIndexedBase && code < kIndexedBase + 5 * kIndexedSpan) {
        const int kind = (code - kIndexedBase) / kIndexedSpan;
        return PaletteElement{kIndexedTypes[kind], (code - kIndexedBase) % kIndexedSpan};
    }
    return std::nullopt;
}

std::optional<int> paletteCodeOf(const PaletteElement& e) {
    if (e.type == ElementType::Label) return 1;
    if (ElementType::isGraphic(e.type)) return 2 + e.type - ElementType::Line;
    for (int kind = 0; kind < 5; ++kind)
        if (kIndexedTypes[kind] == e.type) {
            if (e.reference < 0 || e.reference >= kIndexedSpan) return std::nullopt;
            return kIndexedBase + kind * kIndexedSpan + e.reference;
        }
    return std::nullopt;
}

}  // namespace dorvana
