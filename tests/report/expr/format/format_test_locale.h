#pragma once
// Pins the formatting locale for a test and restores the system's after it.

#include <gtest/gtest.h>
#include <QLocale>

#include "report/expr/format/format_settings.h"

namespace dorvana::test {

class FormatLocaleTest : public ::testing::Test {
protected:
    void SetUp() override { setFormatLocale(QLocale(QLocale::Czech, QLocale::Czechia)); }
    void TearDown() override { resetFormatLocale(); }
    static void useEnglish() { setFormatLocale(QLocale(QLocale::English, QLocale::UnitedStates)); }
    static void useGerman() { setFormatLocale(QLocale(QLocale::German, QLocale::Germany)); }
};

// The non-breaking space the Czech locale separates thousands with.
inline const QString kNbsp = QString(QChar(0x00A0));

}  // namespace dorvana::test
