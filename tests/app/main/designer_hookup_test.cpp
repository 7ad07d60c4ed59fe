// "Vytvoř SQL" of the report settings opened from the real designer window
// runs the application's query builder on the template's own query file.
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/main/designer_hookup.h"
#include "app/query_builder_dialog.h"
#include "base/text_file.h"
#include "report/designer/designer_window_fixture.h"
#include "report/designer/dialogs/report_settings_dialog.h"
#include "report/render/printer/printer.h"
#include "support/fixture_printer_backend.h"

namespace dorvana::test {
namespace {

class DesignerQueryBuilderHookup : public DesignerWindow {
protected:
    void SetUp() override {
        installPrinterBackend(std::make_unique<FixturePrinterBackend>(QList<FixturePrinter>{}));
        services.queryBuilder = templateQueryBuilder([this] { return dir.path(); }, &messages);
        DesignerWindow::SetUp();
        ASSERT_TRUE(QFile::copy(sourcePath(QStringLiteral("samples/data/zbozi.csv")),
                                dir.filePath(QStringLiteral("zbozi.csv"))));
        messages.answers = {Messages::Answer::No};  // no restart after the settings
    }

    // Opens the settings, switches to the template's own SQL, clicks "Vytvoř
    // SQL" and lets act work in the builder; OK closes the settings.
    void buildSql(std::function<void(QueryBuilderDialog*)> act) {
        bool builderSeen = false;
        whenModal<TSestDlg>([&](TSestDlg* d) {
            auto* build = named<QPushButton>(d, "VytvorSQL");
            EXPECT_TRUE(build->isEnabled());
            named<QRadioButton>(d, "Kombinovany")->setChecked(true);
            whenModal<QueryBuilderDialog>(
                [&, d](QueryBuilderDialog* builder) {
                    EXPECT_EQ(builder->parentWidget(), d);  // over the settings
                    act(builder);
                },
                &builderSeen);
            build->click();
            named<QPushButton>(d, "Konec")->click();
            if (d->isVisible()) d->reject();  // an empty query keeps the settings open
        });
        window->findChild<QAction*>(QStringLiteral("settings"))->trigger();
        EXPECT_TRUE(builderSeen);
    }

    QString queryFile() const { return dir.filePath(QStringLiteral("cenik-pts.stm")); }
    QString builderFile() const { return dir.filePath(QStringLiteral("SqlBuild.stm")); }
};

void clickOk(QueryBuilderDialog* d) {
    named<QPushButton>(d, "ok")->click();
}

TEST_F(DesignerQueryBuilderHookup, AQueryBuiltOnATableBecomesTheTemplatesSqlAndQueryFile) {
    QString built;
    buildSql([&](QueryBuilderDialog* d) {
        EXPECT_TRUE(d->sqlEditor()->toPlainText().isEmpty());
        ASSERT_TRUE(d->addTable(dir.filePath(QStringLiteral("zbozi.csv"))));
        built = d->sqlEditor()->toPlainText();
        clickOk(d);
    });
    ASSERT_TRUE(built.contains(QStringLiteral("zbozi.csv"))) << built.toStdString();
    EXPECT_EQ(doc->model().dataSource.sqlLines, built.split(u'\n'));
    // Saved as the template's query file, which is back under its own name.
    EXPECT_TRUE(fileBytes(queryFile()).contains(built.toUtf8()));
    EXPECT_FALSE(QFile::exists(builderFile()));
    EXPECT_TRUE(messages.shown.filter(QStringLiteral("error:")).isEmpty()) << messages.shown.join(u'\n').toStdString();
}

TEST_F(DesignerQueryBuilderHookup, TheBuilderOpensOnTheTemplatesLastQueryAndCancelKeepsIt) {
    ASSERT_TRUE(writeFileAtomically(queryFile(), "SELECT kod FROM zbozi"));
    QString shown;
    buildSql([&](QueryBuilderDialog* d) {
        shown = d->sqlEditor()->toPlainText();
        d->setSqlText(QStringLiteral("SELECT nic"));
        named<QPushButton>(d, "cancel")->click();
    });
    EXPECT_EQ(shown, QStringLiteral("SELECT kod FROM zbozi"));
    EXPECT_TRUE(doc->model().dataSource.sqlLines.join(QString()).trimmed().isEmpty());
    EXPECT_EQ(fileBytes(queryFile()), QByteArray("SELECT kod FROM zbozi"));
    EXPECT_FALSE(QFile::exists(builderFile()));
}

TEST_F(DesignerQueryBuilderHookup, AQueryEditedByHandReplacesTheOneInTheSettings) {
    buildSql([&](QueryBuilderDialog* d) {
        d->setSqlText(QStringLiteral("SELECT kod, cena\nFROM zbozi"));
        clickOk(d);
    });
    EXPECT_EQ(doc->model().dataSource.sqlLines, (QStringList{"SELECT kod, cena", "FROM zbozi"}));
    EXPECT_TRUE(fileBytes(queryFile()).contains("SELECT kod, cena\nFROM zbozi\n"));
}

}  // namespace
}  // namespace dorvana::test
