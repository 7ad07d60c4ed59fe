// Every dialog at its default size: captions are not clipped. With
// DORVANA_SHOTS set to a folder, each dialog (and each page of the report
// settings) is also saved there as a PNG for a look.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>

#include "report/designer/dialogs/barcode_dialog.h"
#include "report/designer/dialogs/editor_options_dialog.h"
#include "report/designer/dialogs/element_dialog.h"
#include "report/designer/dialogs/function_dialogs.h"
#include "report/designer/dialogs/new_report_dialog.h"
#include "report/designer/dialogs/paper_format_dialog.h"
#include "report/designer/dialogs/report_settings_dialog.h"
#include "report/model/model_test_support.h"
#include "report/model/template_reader.h"
#include "report/model/text_elements.h"
#include "support/test_support.h"

namespace dorvana {
namespace {

// Widgets whose text is cut at the current size.
QStringList clipped(QWidget* dialog) {
    QStringList out;
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(dialog)) continue;
        QString text;
        if (auto* l = qobject_cast<QLabel*>(w); l && !l->wordWrap()) text = l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text();
        if (text.isEmpty()) continue;
        if (w->width() < w->minimumSizeHint().width() || w->height() < w->minimumSizeHint().height())
            out << text;
    }
    return out;
}

void look(QWidget* dialog, const QString& name) {
    dialog->show();
    QApplication::processEvents();
    EXPECT_EQ(clipped(dialog), QStringList()) << name.toStdString();
    const QString dir = qEnvironmentVariable("DORVANA_SHOTS");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        dialog->grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
    }
}

const QStringList kFields{"cislo",  "nazev1", "nazev2", "barcode", "cislo1", "cislo2",
                          "cena",   "popis1", "popis2", "popis3",  "popis4", "datum1",
                          "datum2", "logo",   "pozn",   "barbmp",  "calc"};

TEST(DialogLayout, CaptionsFitAtTheDefaultSize) {
    ReportModel model;
    TemplateReadOptions options;
    options.fieldIndex = [](const QString& name) { return int(kFields.indexOf(name)); };
    ASSERT_TRUE(loadTemplateFile(test::sourcePath("samples/templates/cenik.pts"), &model, options));
    model.dataSource.sortEnabled = true;
    TListFormatu formats;
    LoadFormats(formats, QString());
    ReportSettingsContext context;
    context.component.fileName = QStringLiteral("cenik.pts");
    context.component.directory = test::sourcePath("samples/templates");
    context.component.description = QStringLiteral("Ceník podle skupin zboží");
    context.component.endPage = 9999;
    context.fieldNames = kFields;
    context.functionNames = QStringList{"SoucetSkupiny", "Celkem"};
    context.formats = &formats;
    context.installedPrinters = QStringList{"Laser_Kancelar", "cab_A3"};
    TSestDlg settings(model, context);
    for (int i = 0; i < settings.tabs()->count(); ++i) {
        settings.tabs()->setCurrentIndex(i);
        look(&settings, QStringLiteral("TSestDlg-%1-%2").arg(i).arg(settings.tabs()->tabText(i)));
    }

    TDlgFormatPapiru paper({QStringLiteral("uživ. formát"), 826, 1169}, true);
    look(&paper, QStringLiteral("TDlgFormatPapiru"));
    TDlgBarCode barcode;
    barcode.setElementText(QStringLiteral("8596581699839#12"));
    look(&barcode, QStringLiteral("TDlgBarCode"));

    FunctionEditContext fc;
    fc.references.fieldNames = kFields;
    fc.references.parameterCount = 3;
    fc.references.variableNames = QStringList{"Datum", "Čas", "Číslo řádku", "Číslo strany"};
    fc.references.functionNames = context.functionNames;
    fc.groupCount = 1;
    FunctionDefinition row = model.functions.value(0);
    TFunkceDlg function(row, fc);
    look(&function, QStringLiteral("TFunkceDlg"));
    TSest_FnEditVyraz expression(row.expression, fc);
    look(&expression, QStringLiteral("TSest_FnEditVyraz"));

    test::FakeFields fields;
    for (const QString& f : kFields) fields.fields << test::FakeFields::Field(f, f);
    TDBSesText element;
    element.reference = 1;
    element.W = 300;
    element.H = 18;
    element.setFontName(QStringLiteral("Arial"));
    element.fontSize = 9;
    ElementDialogContext ec;
    ec.fields = &fields;
    TDlgKonfPrvku configure(elementDialogValues(element), ec);
    look(&configure, QStringLiteral("TDlgKonfPrvku"));

    NewReportContext nc;
    for (const QString& f : kFields) nc.fields << WizardField{f, f, 10, 0};
    TDlgNovaSestava wizard(nc);
    look(&wizard, QStringLiteral("TDlgNovaSestava"));

    TSestKonfigDlg editor(EditorOptions{}, EditorOptionsContext{});
    for (int i = 0; i < editor.tabs()->count(); ++i) {
        editor.tabs()->setCurrentIndex(i);
        look(&editor, QStringLiteral("TSestKonfigDlg-%1").arg(editor.tabs()->tabText(i)));
    }
}

}  // namespace
}  // namespace dorvana
