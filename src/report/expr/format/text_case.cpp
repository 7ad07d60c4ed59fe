#include "report/expr/format/text_case.h"

#include "report/expr/format/format_settings.h"

namespace dorvana {

QString upperText(const QString& text) {
    return formatSettings().locale.toUpper(text);
}

QString lowerText(const QString& text) {
    return formatSettings().locale.toLower(text);
}

}  // namespace dorvana
