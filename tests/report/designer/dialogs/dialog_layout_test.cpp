// Every dialog at its default size and made as small as it goes: captions
// are not clipped (with DORVANA_SHOTS, each dialog and each page of the
// report settings is saved as a PNG for a look).
#include <gtest/gtest.h>

#include <QTabBar>
#include <QTabWidget>

#include "report/designer/dialogs/barcode_dialog.h"
#include "report/designer/dialogs/editor_options_dialog.h"
#include "report/designer/dialogs/element_dialog.h"
#include "report/designer/dialogs/function_dialogs.h"
#include "report/designer/dialogs/new_report_dialog.h"
#include "report/designer/dialogs/paper_format_dialog.h"
#include "report/designer/dialogs/report_settings_dialog.h"
#include "report/designer/dialogs/sheet_chooser_dialog.h"
#include "report/model/model_test_support.h"
#include "report/model/template_reader.h"
#include "report/model/text_elements.h"
#include "support/dialog_layout.h"
#include "support/test_support.h"

namespace dorvana {
namespace {

using test::expectCaptionsFit;

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
        expectCaptionsFit(&settings, QStringLiteral("TSestDlg-%1-%2").arg(i).arg(settings.tabs()->tabText(i)));
    }

    TDlgFormatPapiru paper({QStringLiteral("uživ. formát"), 826, 1169}, true);
    expectCaptionsFit(&paper, QStringLiteral("TDlgFormatPapiru"));
    TDlgBarCode barcode;
    barcode.setElementText(QStringLiteral("8596581699839#12"));
    expectCaptionsFit(&barcode, QStringLiteral("TDlgBarCode"));

    FunctionEditContext fc;
    fc.references.fieldNames = kFields;
    fc.references.parameterCount = 3;
    fc.references.variableNames = QStringList{"Datum", "Čas", "Číslo řádku", "Číslo strany"};
    fc.references.functionNames = context.functionNames;
    fc.groupCount = 1;
    FunctionDefinition row = model.functions.value(0);
    TFunkceDlg function(row, fc);
    expectCaptionsFit(&function, QStringLiteral("TFunkceDlg"));
    TSest_FnEditVyraz expression(row.expression, fc);
    expectCaptionsFit(&expression, QStringLiteral("TSest_FnEditVyraz"));

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
    expectCaptionsFit(&configure, QStringLiteral("TDlgKonfPrvku"));

    NewReportContext nc;
    for (const QString& f : kFields) nc.fields << WizardField{f, f, 10, 0};
    TDlgNovaSestava wizard(nc);
    expectCaptionsFit(&wizard, QStringLiteral("TDlgNovaSestava"));

    SheetCatalogue sheets;
    sheets.addBuiltIns();
    TDlgArchEtiket chooser(sheets);
    chooser.setSearchText(QStringLiteral("70 x 37"));
    expectCaptionsFit(&chooser, QStringLiteral("TDlgArchEtiket"));

    TSestKonfigDlg editor(EditorOptions{}, EditorOptionsContext{});
    for (int i = 0; i < editor.tabs()->count(); ++i) {
        editor.tabs()->setCurrentIndex(i);
        expectCaptionsFit(&editor, QStringLiteral("TSestKonfigDlg-%1").arg(editor.tabs()->tabText(i)));
    }
}

// The object names of the widgets Tab reaches, in order; a tab bar as
// "<its tab widget's name>.tabs" when asked for.
QStringList tabChain(QWidget* dialog, bool withTabBars = false) {
    dialog->show();
    QStringList chain;
    QWidget* w = dialog->nextInFocusChain();
    for (int i = 0; i < 500 && w != dialog; ++i, w = w->nextInFocusChain()) {
        if (!w->isVisibleTo(dialog) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus) ||
            w->focusProxy())
            continue;
        if (withTabBars && qobject_cast<QTabBar*>(w) && w->parentWidget())
            chain << w->parentWidget()->objectName() + QStringLiteral(".tabs");
        else if (!w->objectName().startsWith(u"qt_"))
            chain << w->objectName();
    }
    return chain;
}

TEST(DialogLayout, TabFollowsTheLayout) {
    FunctionEditContext fc;
    fc.groupCount = 1;
    TFunkceDlg function(FunctionDefinition{}, fc);
    EXPECT_EQ(tabChain(&function).mid(0, 8),
              (QStringList{"EditFnNaz", "EditFnPop", "CBFnTyp", "EditFnVyr", "EditVyrazButton",
                           "EditFnPoh", "CBFnPhn", "RGDalZpr_0"}));
    TSest_FnEditVyraz expression(QString(), fc);
    EXPECT_EQ(tabChain(&expression).mid(0, 2), (QStringList{"EditVyraz", "LBPolozky"}));

    NewReportContext nc;
    nc.fields << WizardField{"cislo", "cislo", 10, 0};
    TDlgNovaSestava wizard(nc);
    EXPECT_EQ(tabChain(&wizard).mid(0, 4),
              (QStringList{"LBDostupne", "Pridat", "PridatVse", "LBVybrane"}));

    // The element dialog: its tab, then the controls as they stand, top down.
    test::FakeFields fields;
    fields.fields << test::FakeFields::Field("cislo", "cislo");
    TDBSesText element;
    element.reference = 0;
    ElementDialogContext ec;
    ec.fields = &fields;
    ec.enabledTypeFields = true;
    TDlgKonfPrvku configure(elementDialogValues(element), ec);
    EXPECT_EQ(tabChain(&configure, true).mid(0, 14),
              (QStringList{"Zakladni.tabs", "CBTypPrvku", "TypPrvku", "CBZarovnani", "EditLevy",
                           "EditHorni", "EditSirka", "EditVyska", "PodleCisla", "PodleNazvu",
                           "RamLevy", "RamHorni", "RamPravy", "RamDolni"}));

    TSestKonfigDlg editor(EditorOptions{}, EditorOptionsContext{});
    editor.tabs()->setCurrentIndex(1);
    EXPECT_EQ(tabChain(&editor).mid(0, 4),
              (QStringList{"ImplSirka", "ImplVyska", "ImplZarovnani", "PredvolenePismo"}));
}

}  // namespace
}  // namespace dorvana
