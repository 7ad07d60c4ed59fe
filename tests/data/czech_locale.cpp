// Every test of this folder formats numbers and dates the Czech way,
// whatever the machine's locale.
#include <gtest/gtest.h>

#include <QLocale>

#include "report/expr/format/format_settings.h"

namespace {

class CzechLocale : public ::testing::Environment {
public:
    void SetUp() override { dorvana::setFormatLocale(QLocale(QLocale::Czech, QLocale::Czechia)); }
};

const auto* const kCzech = ::testing::AddGlobalTestEnvironment(new CzechLocale);

}  // namespace
