#include <gtest/gtest.h>

#include "report/render/printer/job_paper.h"
#include "report/render/printer/qprinter_settings.h"

using namespace dorvana;

namespace {

QPageSize mm(double w, double h, const QString& name = QString()) {
    return QPageSize(QSizeF(w, h), QPageSize::Millimeter, name, QPageSize::ExactMatch);
}

QueuePapers queue(const QList<QPageSize>& sizes, bool custom) {
    QueuePapers q;
    q.sizes = sizes;
    q.defaultSize = QPageSize(QPageSize::A4);
    q.customSizes = custom;
    q.customMinimum = QSizeF(10, 10);
    q.customMaximum = QSizeF(300, 1500);
    return q;
}

}  // namespace

// Which sheet a template's paper goes out on, queue by queue.
TEST(JobPaper, TheQueuesSizeThenACustomSizeThenTheSizeTurnedThenTheDefault) {
    const QPageSize label = mm(59.97, 39.86, "60 x 40 mm");
    const QPageSize turned = mm(39.86, 59.97, "40 x 60 mm");
    const QPageSize a4(QPageSize::A4);
    struct Case {
        const char* what;
        QueuePapers queue;
        JobPaper::Kind kind;
        QSizeF sheet;  // mm
        bool turned;
        QString note;
    };
    const QString note = QStringLiteral("Papír tiskárny: A4 — předloha má 60 x 40 mm");
    const Case cases[] = {
        {"own size", queue({a4, label}, true), JobPaper::Kind::QueueSize, {59.97, 39.86}, false, {}},
        {"custom before turning", queue({a4, turned}, true), JobPaper::Kind::CustomSize,
         {60, 40}, false, {}},
        {"only turned", queue({a4, turned}, false), JobPaper::Kind::QueueSize, {39.86, 59.97},
         true, {}},
        {"nothing fits", queue({a4}, false), JobPaper::Kind::QueueDefault, {}, false, note},
        {"too small for custom", [&] {
             QueuePapers q = queue({a4}, true);
             q.customMinimum = QSizeF(80, 80);
             return q;
         }(),
         JobPaper::Kind::QueueDefault, {}, false, note},
        {"nothing known", QueuePapers{}, JobPaper::Kind::Unknown, {}, false, {}},
    };
    for (const Case& c : cases) {
        const JobPaper paper = templateJobPaper({60, 40}, {60, 40}, c.queue);
        EXPECT_EQ(paper.kind, c.kind) << c.what;
        EXPECT_EQ(paper.turned, c.turned) << c.what;
        EXPECT_EQ(paper.note, c.note) << c.what;
        if (!c.sheet.isEmpty()) {
            const QSizeF sheet = paper.size.size(QPageSize::Millimeter);
            EXPECT_NEAR(sheet.width(), c.sheet.width(), 0.01) << c.what;
            EXPECT_NEAR(sheet.height(), c.sheet.height(), 0.01) << c.what;
        }
    }
}

TEST(JobPaper, TheChosenSheetGoesIntoTheRecordWithTheOrientation) {
    DeviceSettings record;
    JobPaper paper;
    paper.kind = JobPaper::Kind::QueueSize;
    paper.size = QPageSize(QPageSize::A4);
    applyJobPaper(paper, true, record);
    EXPECT_EQ(record.paperSize, 9);
    EXPECT_EQ(record.orientation, DeviceSettings::kLandscape);

    paper.size = QPageSize(QSizeF(39.86, 59.97), QPageSize::Millimeter);
    paper.turned = true;
    applyJobPaper(paper, false, record);
    EXPECT_EQ(record.paperSize, kUserPaperSize);
    EXPECT_EQ(record.paperWidth, 399);
    EXPECT_EQ(record.paperLength, 600);
    EXPECT_EQ(record.orientation, DeviceSettings::kLandscape);
    const QSizeF sheet = pageSizeForSettings(record, QPageSize(QPageSize::A4)).size(QPageSize::Millimeter);
    EXPECT_NEAR(sheet.width(), 39.9, 0.01);
    EXPECT_NEAR(sheet.height(), 60, 0.01);

    // The queue's default: the record stays.
    const DeviceSettings before = record;
    paper.kind = JobPaper::Kind::QueueDefault;
    applyJobPaper(paper, true, record);
    EXPECT_EQ(record, before);
}

TEST(JobPaper, TemplateUnitsNearAWholeMillimetreAreThatMillimetre) {
    EXPECT_EQ(templateMillimetres(236), 60);
    EXPECT_EQ(templateMillimetres(157), 40);
    EXPECT_EQ(templateMillimetres(394), 100);
    EXPECT_NEAR(templateMillimetres(826), 209.804, 1e-9);
}
