#include "report/layout/format_date_texts.h"

#include "report/expr/format/date_time_format.h"
#include "report/expr/tagged_value.h"

namespace dorvana {

QString FormatDateTexts::shortDate(const QDateTime& when) const {
    return shortDateText(daysFromDateTime(when));
}

QString FormatDateTexts::timeText(const QDateTime& when) const {
    return longTimeText(daysFromDateTime(when));
}

std::optional<QString> FormatDateTexts::formatDateTime(const QString& picture,
                                                       const QDateTime& when) const {
    bool ok = false;
    QString text = dorvana::formatDateTime(QStringView(picture), daysFromDateTime(when), &ok);
    if (!ok) return std::nullopt;
    return text;
}

}  // namespace dorvana
