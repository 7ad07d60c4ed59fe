#include "report/expr/format/format_settings.h"

#include <optional>

namespace dorvana {

namespace {

std::optional<FormatSettings>& pinned() {
    static std::optional<FormatSettings> settings;
    return settings;
}

}  // namespace

FormatSettings FormatSettings::fromLocale(const QLocale& requested) {
    QLocale locale = requested;
    if (locale.language() == QLocale::C) locale = QLocale(QLocale::Czech, QLocale::Czechia);
    FormatSettings s;
    s.locale = locale;
    s.decimalSeparator = locale.decimalPoint().isEmpty() ? QChar('.') : locale.decimalPoint()[0];
    s.thousandsSeparator = locale.groupSeparator();
    s.currencySymbol = locale.currencySymbol();
    return s;
}

const FormatSettings& formatSettings() {
    auto& settings = pinned();
    if (!settings) settings = FormatSettings::fromLocale(QLocale::system());
    return *settings;
}

void setFormatLocale(const QLocale& locale) { pinned() = FormatSettings::fromLocale(locale); }

void resetFormatLocale() { pinned().reset(); }

}  // namespace dorvana
