#include "app/core/image_window_settings.h"

#include "base/ini_file.h"

namespace dorvana {

namespace {

constexpr char16_t kSection[] = u"Obrazek";

}  // namespace

ImageWindowSettings readImageWindowSettings(const IniFile& ini) {
    ImageWindowSettings s;
    bool ok = false;
    const double zoom = ini.value(kSection, u"Zoom").toDouble(&ok);
    if (ok && zoom > 0 && zoom < 1000) s.zoom = zoom;
    const int fit = ini.value(kSection, u"Vyplneni").toInt(&ok);
    if (ok && fit >= int(FitStyle::Best) && fit <= int(FitStyle::Original)) s.fit = FitStyle(fit);
    const QColor colour(ini.value(kSection, u"Pozadi"));
    if (colour.isValid()) s.background = colour;
    return s;
}

void writeImageWindowSettings(IniFile& ini, const ImageWindowSettings& s) {
    ini.setValue(kSection, u"Zoom", QString::number(s.zoom, 'g', 6));
    ini.setValue(kSection, u"Vyplneni", QString::number(int(s.fit)));
    ini.setValue(kSection, u"Pozadi", s.background.isValid() ? s.background.name() : QString());
}

}  // namespace dorvana
