#pragma once
// The section codes that begin element lines: Z H T K P N D for the main plan,
// S<g> N<g> D<g> U<g> for group g (0-based), Z<p> H<p> T<p> K<p> P<p> PN<p>
// PS<p> for additional plan p (from 1).

#include <QHash>
#include <QString>

namespace dorvana {

class TPapir;

// The code of the section at IndexOdd; empty when there is none.
QString sectionCode(const TPapir& page, int indexOdd);
// Every section's code mapped to its IndexOdd.
QHash<QString, int> sectionCodes(const TPapir& page);

}  // namespace dorvana
