#include <gtest/gtest.h>

#include <QFileInfo>

#include "base/code_page.h"
#include "base/progress.h"
#include "report/layout/pages/corrections_file.h"
#include "report/run/report_component.h"
#include "report/run/report_job.h"
#include "support/sample_label_job.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

// The label template of the samples (one 60 x 40 mm label per page, seven
// elements) over the sample goods table.
class ReportJobTest : public testing::Test, protected test::SampleLabelJob {
protected:
    void SetUp() override { prepare(); }

    NoProgress progress;
};

}  // namespace

TEST_F(ReportJobTest, CorrectionsFromTheFileApplyAfterEveryBuildAndAreSaved) {
    ASSERT_TRUE(test::writeBytes(
        correctionsPath(),
        encode(u"1,2,5,6,70,18,\"Opraveno\",0,\"Arial\",10,0,0,238,\"\",\"\",0\r\n"
               u"0,7,10,10,100,20,\"Vloženo\",2,\"Arial\",8,4,1,238,\"\",\"\",0\r\n"
               u"99,0,0,0,0,0,\"\",0,\"\",0,0,0,238,\"\",\"\",0\r\n",
               CodePage::Windows1250)));
    ReportJob job(component);
    QString error;
    ASSERT_TRUE(job.load(&error)) << error.toStdString();
    EXPECT_TRUE(job.correctionsWarning().isEmpty());
    EXPECT_EQ(job.corrections().count(), 3);

    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(job.build(progress));
        const PageStore& pages = job.pages();
        ASSERT_EQ(pages.pageCount(), 3);  // EndPage
        EXPECT_EQ(component.pageCount, 3);
        EXPECT_FALSE(component.cancelled);
        EXPECT_EQ(pages.page(1).element(2).text, QStringLiteral("Opraveno"));
        EXPECT_EQ(pages.page(1).element(2).X, 5);
        ASSERT_EQ(pages.page(0).count(), 8);
        EXPECT_EQ(pages.page(0).element(7).text, QStringLiteral("Vloženo"));
        EXPECT_EQ(pages.page(0).element(7).kind(), 1);
        EXPECT_EQ(pages.page(2).count(), 7);
    }

    // A correction made in the preview goes into the file with the others.
    TPrevPrvek& e = job.pages().page(2).element(0);
    blankElement(e);
    job.corrections().record(2, 0, e);
    ASSERT_TRUE(job.saveCorrections(&error)) << error.toStdString();
    TListEdit saved;
    EXPECT_TRUE(loadCorrections(correctionsPath(), &saved).isEmpty());
    ASSERT_EQ(saved.count(), 4);
    EXPECT_EQ(saved.at(3).key(), QStringLiteral("2:0"));
    EXPECT_EQ(saved.at(3).W, 0);
}

TEST_F(ReportJobTest, MalformedCorrectionsKeepWhatWasReadAndTheRunGoesOn) {
    ASSERT_TRUE(
        test::writeBytes(correctionsPath(),
                         "0,1,1,1,50,10,\"dobre\",0,\"Arial\",10,0,0,238,\"\",\"\",0\r\n"
                         "0,2,1,1,50,10,\"spatne\",0,\"Arial\",10,22,0,238,\"\",\"\",0\r\n"));
    ReportJob job(component);
    QString error;
    ASSERT_TRUE(job.load(&error));
    EXPECT_TRUE(job.correctionsWarning().contains(QStringLiteral("řádku 2")));
    ASSERT_TRUE(job.build(progress));
    EXPECT_EQ(job.pages().page(0).element(1).text, QStringLiteral("dobre"));
    EXPECT_NE(job.pages().page(0).element(2).text, QStringLiteral("spatne"));
}

TEST_F(ReportJobTest, CorrectionsOnlyWhenTheComponentKeepsThem) {
    ASSERT_TRUE(test::writeBytes(
        correctionsPath(), "0,1,1,1,50,10,\"oprava\",0,\"Arial\",10,0,0,238,\"\",\"\",0\r\n"));
    component.OpravyEnabled = false;
    ReportJob job(component);
    QString error;
    ASSERT_TRUE(job.load(&error));
    EXPECT_TRUE(job.corrections().isEmpty());
    ASSERT_TRUE(job.build(progress));
    EXPECT_NE(job.pages().page(0).element(1).text, QStringLiteral("oprava"));
}

TEST_F(ReportJobTest, MissingTemplateFails) {
    component.ReportName = QStringLiteral("neni.pte");
    ReportJob job(component);
    QString error;
    EXPECT_FALSE(job.load(&error));
    EXPECT_EQ(error, QStringLiteral("Nebyl nalezen soubor s předlohou tiskové sestavy \"%1\"")
                         .arg(component.templatePath()));
}
