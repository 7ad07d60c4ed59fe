#pragma once
// Measures text with the fonts of the system (fontconfig; Liberation fonts
// stand in for Arial, Times New Roman and Courier New). Needs a
// QGuiApplication.

#include <QHash>
#include <QString>
#include <memory>

#include "report/model/model_sources.h"

class QFontMetricsF;

namespace dorvana {

class FontMeasurer : public TextMeasurer {
public:
    FontMeasurer();
    ~FontMeasurer() override;
    // The width in 0.01 in of the text set in the font at pointSize (style:
    // FontStyle bits), measured without hinting so that it does not depend
    // on the screen.
    double textWidth(const QString& text, const QString& fontName, int pointSize,
                     int styleBits) const override;

private:
    const QFontMetricsF& metrics(const QString& fontName, int styleBits) const;
    mutable QHash<QString, std::shared_ptr<QFontMetricsF>> cache_;
};

}  // namespace dorvana
