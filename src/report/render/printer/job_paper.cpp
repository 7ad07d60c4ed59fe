#include "report/render/printer/job_paper.h"

#include <cmath>

#include "report/render/printer/qprinter_settings.h"

namespace dorvana {
namespace {

constexpr double kToleranceMm = 1.0;

bool near(const QSizeF& a, const QSizeF& b) {
    return std::abs(a.width() - b.width()) <= kToleranceMm &&
           std::abs(a.height() - b.height()) <= kToleranceMm;
}

bool within(const QSizeF& size, const QSizeF& least, const QSizeF& largest) {
    const auto fits = [](double v, double lo, double hi) {
        return (lo <= 0 || v >= lo - 0.05) && (hi <= 0 || v <= hi + 0.05);
    };
    return fits(size.width(), least.width(), largest.width()) &&
           fits(size.height(), least.height(), largest.height());
}

QString wholeMillimetres(double mm) { return QString::number(std::lround(mm)); }

}  // namespace

JobPaper templateJobPaper(const QSizeF& sheetMm, const QSizeF& pageMm, const QueuePapers& queue) {
    JobPaper paper;
    if (!queue.known() || sheetMm.isEmpty()) return paper;
    const QSizeF turnedSheet = sheetMm.transposed();
    for (const QPageSize& size : queue.sizes) {
        if (!near(size.size(QPageSize::Millimeter), sheetMm)) continue;
        paper.kind = JobPaper::Kind::QueueSize;
        paper.size = size;
        return paper;
    }
    // A sheet of its own beats turning the label.
    if (queue.customSizes && within(sheetMm, queue.customMinimum, queue.customMaximum)) {
        paper.kind = JobPaper::Kind::CustomSize;
        paper.size = QPageSize(sheetMm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
        return paper;
    }
    for (const QPageSize& size : queue.sizes) {
        if (!near(size.size(QPageSize::Millimeter), turnedSheet)) continue;
        paper.kind = JobPaper::Kind::QueueSize;
        paper.size = size;
        paper.turned = true;
        return paper;
    }
    paper.kind = JobPaper::Kind::QueueDefault;
    const QString name = queue.defaultSize.isValid() ? queue.defaultSize.name()
                                                     : QStringLiteral("výchozí");
    paper.note = paperNote(name, pageMm);
    return paper;
}

void applyJobPaper(const JobPaper& paper, bool landscape, DeviceSettings& record) {
    if (paper.kind != JobPaper::Kind::QueueSize && paper.kind != JobPaper::Kind::CustomSize)
        return;
    const int code = paper.size.windowsId();
    if (paper.size.id() != QPageSize::Custom && code > 0 && code < kUserPaperSize) {
        record.paperSize = code;
        record.paperLength = 0;
        record.paperWidth = 0;
    } else {
        const QSizeF mm = paper.size.size(QPageSize::Millimeter);
        record.paperSize = kUserPaperSize;
        record.paperWidth = int(std::lround(mm.width() * 10));
        record.paperLength = int(std::lround(mm.height() * 10));
    }
    record.orientation =
        landscape != paper.turned ? DeviceSettings::kLandscape : DeviceSettings::kPortrait;
}

double templateMillimetres(int units) {
    const double mm = units * 0.254;
    const double whole = std::round(mm);
    return std::abs(mm - whole) <= 0.127 ? whole : mm;
}

QString paperNote(const QString& queuePaper, const QSizeF& pageMm) {
    return QStringLiteral("Papír tiskárny: %1 — předloha má %2 x %3 mm")
        .arg(queuePaper, wholeMillimetres(pageMm.width()), wholeMillimetres(pageMm.height()));
}

}  // namespace dorvana
