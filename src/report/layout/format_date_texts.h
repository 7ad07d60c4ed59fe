#pragma once
// Date and time texts of variable elements, in the locale of the number and
// date formats.

#include "report/model/model_sources.h"

namespace dorvana {

class FormatDateTexts : public DateTimeTexts {
public:
    QString shortDate(const QDateTime& when) const override;
    QString timeText(const QDateTime& when) const override;
    std::optional<QString> formatDateTime(const QString& picture,
                                          const QDateTime& when) const override;
};

}  // namespace dorvana
