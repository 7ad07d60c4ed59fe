#pragma once
// What the image window remembers between runs (zoom factor, fit style,
// background colour), and how it is kept in the program's settings file.

#include <QColor>

#include "app/core/picture_document.h"

namespace dorvana {

class IniFile;

struct ImageWindowSettings {
    double zoom = 1.0;
    FitStyle fit = FitStyle::Best;
    QColor background;  // invalid: the button-face colour
    bool operator==(const ImageWindowSettings&) const = default;
};

// Values that are missing or out of range read as the initial ones.
ImageWindowSettings readImageWindowSettings(const IniFile& ini);
void writeImageWindowSettings(IniFile& ini, const ImageWindowSettings& settings);

}  // namespace dorvana
