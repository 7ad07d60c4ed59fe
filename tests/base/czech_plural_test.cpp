// Czech plural forms of counted words.
#include <gtest/gtest.h>

#include "base/czech_plural.h"

namespace dorvana {
namespace {

TEST(CzechPlural, OneFewAndMany) {
    const struct {
        qint64 n;
        const char* text;
    } cases[] = {{0, "0 značek"},  {1, "1 značka"},   {2, "2 značky"},   {4, "4 značky"},
                 {5, "5 značek"},  {11, "11 značek"}, {21, "21 značek"}, {-1, "-1 značka"},
                 {-3, "-3 značky"}, {1000000, "1000000 značek"}};
    for (const auto& c : cases)
        EXPECT_EQ(czechCount(c.n, QStringLiteral("značka"), QStringLiteral("značky"), QStringLiteral("značek")),
                  QString::fromUtf8(c.text))
            << c.n;
}

}  // namespace
}  // namespace dorvana
