#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <stdexcept>

#include "data/data_set.h"
#include "data/table_open.h"
#include "report/run/report_component.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

// A small CSV table of three records, opened.
std::unique_ptr<DataSet> threeRecords(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("t.csv"));
    EXPECT_TRUE(test::writeBytes(path, "cislo,nazev\r\n1,a\r\n2,b\r\n3,c\r\n"));
    QString error;
    auto data = openAnyTable(path, &error);
    EXPECT_TRUE(data) << error.toStdString();
    return data;
}

}  // namespace

TEST(TSestava, DefaultsAndPaths) {
    TSestava s;
    EXPECT_TRUE(s.ReportDirIgnore);
    EXPECT_TRUE(s.OpravyEnabled);
    EXPECT_TRUE(s.NameFields);
    EXPECT_FALSE(s.EnabledTypeFields);
    EXPECT_TRUE(s.SortEnabled);
    EXPECT_TRUE(s.ReportPrintDialog && s.ReportSaveDialog);
    EXPECT_EQ(s.PrintCopies, 1);
    EXPECT_EQ(s.StartPage, 1);
    EXPECT_EQ(s.EndPage, 9999);
    EXPECT_EQ(s.MaxRecords, 0);
    EXPECT_FALSE(s.TiskJedenZaznam);

    for (const auto& [given, kept] : std::initializer_list<std::pair<const char*, const char*>>{
             {"", ""}, {"/data", "/data/"}, {"/data/", "/data/"}, {"sablony\\", "sablony/"}}) {
        s.setReportDir(QString::fromUtf8(given));
        s.setOpravyDir(QString::fromUtf8(given));
        EXPECT_EQ(s.ReportDir(), QString::fromUtf8(kept)) << given;
        EXPECT_EQ(s.OpravyDir(), QString::fromUtf8(kept)) << given;
    }

    s.setReportDir(QStringLiteral("/jinde"));
    s.ReportName = QStringLiteral("cenik.pts");
    EXPECT_EQ(s.templatePath(), programDirectory() + QStringLiteral("cenik.pts"));
    EXPECT_EQ(programDirectory(), QCoreApplication::applicationDirPath() + u'/');
    s.ReportDirIgnore = false;
    EXPECT_EQ(s.templatePath(), QStringLiteral("/jinde/cenik.pts"));

    EXPECT_TRUE(s.correctionsPath().isEmpty());
    EXPECT_FALSE(s.correctionsActive());
    s.OpravyName = QStringLiteral("opravy.txt");
    s.setOpravyDir(QStringLiteral("/jinde"));
    EXPECT_EQ(s.correctionsPath(), QStringLiteral("/jinde/opravy.txt"));
    EXPECT_TRUE(s.correctionsActive());
    s.OpravyEnabled = false;
    EXPECT_FALSE(s.correctionsActive());
}

TEST(TSestava, ChecksInOrderWithTheirMessages) {
    QTemporaryDir dir;
    auto data = threeRecords(dir);
    ReportDataSource noData, withData{data.get()};
    const auto yes = [](const QString&) { return true; };
    QStringList asked;
    const auto no = [&](const QString& q) {
        asked << q;
        return false;
    };
    TSestava s;
    s.ReportName = QStringLiteral("x.pts");
    QString message;

    EXPECT_FALSE(s.checkSettings(yes, &message));
    EXPECT_EQ(message, QStringLiteral("Není definován zdroj dat."));
    s.DataSource = &noData;
    EXPECT_FALSE(s.checkSettings(yes, &message));
    EXPECT_EQ(message, QStringLiteral("Ke zdroji dat není připojena žádná tabulka."));

    s.DataSource = &withData;
    data->close();
    EXPECT_FALSE(s.checkSettings(no, &message));
    EXPECT_TRUE(message.isEmpty());  // No: nothing more is shown
    EXPECT_EQ(asked,
              QStringList{QStringLiteral("Připojená tabulka není aktivní. Zkusit otevřít?")});
    EXPECT_FALSE(data->isOpen());

    // A data set opened for the check is closed again when a later check fails.
    s.ReportName.clear();
    EXPECT_FALSE(s.checkSettings(yes, &message));
    EXPECT_EQ(message, QStringLiteral("Není definována cesta a název souboru s předlohou."));
    EXPECT_FALSE(data->isOpen());

    // An in-memory template needs no path.
    s.inMemoryTemplate = QStringList{QStringLiteral("I,0,\"x\"")};
    EXPECT_TRUE(s.checkSettings(yes, &message));
    EXPECT_TRUE(message.isEmpty());

    // A data set that cannot be opened.
    DataSet empty;
    ReportDataSource emptySource{&empty};
    s.DataSource = &emptySource;
    EXPECT_FALSE(s.checkSettings(yes, &message));
    EXPECT_EQ(message, QStringLiteral("Připojenou tabulku se nepodařilo otevřít."));
}

TEST(TSestava, OperationFrameRestoresRecordControlsAndOpenState) {
    QTemporaryDir dir;
    auto data = threeRecords(dir);
    ReportDataSource source{data.get()};
    TSestava s;
    s.DataSource = &source;
    s.ReportName = QStringLiteral("x.pts");
    const auto yes = [](const QString&) { return true; };
    QString message;

    // An open data set stays open; the record and the controls come back.
    data->setRecNo(2);
    s.restartRequested = true;
    bool sawDisabled = false;
    EXPECT_TRUE(s.run(
        [&] {
            sawDisabled = data->controlsDisabled();
            data->last();
            return true;
        },
        yes, &message));
    EXPECT_FALSE(s.restartRequested);
    EXPECT_TRUE(sawDisabled);
    EXPECT_FALSE(data->controlsDisabled());
    EXPECT_EQ(data->recNo(), 2);
    EXPECT_TRUE(data->isOpen());

    // One opened by the operation is closed again, also when the work throws.
    data->close();
    EXPECT_THROW(s.run([&]() -> bool { throw std::runtime_error("x"); }, yes, &message),
                 std::runtime_error);
    EXPECT_FALSE(data->isOpen());
    EXPECT_FALSE(data->controlsDisabled());

    // A failed check runs nothing.
    s.DataSource = nullptr;
    bool ran = false;
    EXPECT_FALSE(s.run([&] { return ran = true; }, yes, &message));
    EXPECT_FALSE(ran);
}


namespace dorvana {
namespace {

// "Save and restart" opens the designer again, as often as it is asked for;
// the last opening's result is the design's.
TEST(DesignUntilDone, OpensAgainWhileARestartIsAsked) {
    TSestava component;
    component.restartRequested = true;  // left from an earlier design
    int opened = 0;
    EXPECT_TRUE(designUntilDone(component, [&] {
        ++opened;
        component.restartRequested = opened < 3;
        return opened == 3;
    }));
    EXPECT_EQ(opened, 3);
    EXPECT_FALSE(component.restartRequested);
}

}  // namespace
}  // namespace dorvana
