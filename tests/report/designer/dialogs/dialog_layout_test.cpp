// Every dialog at its default size and made as small as it goes: captions
// are not clipped. With
// DORVANA_SHOTS set to a folder, each dialog (and each page of the report
// settings) is also saved there as a PNG for a look.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QTabBar>
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

// At the default size and at the smallest size the layout allows.
void look(QWidget* dialog, const QString& name) {
    dialog->show();
    QApplication::processEvents();
    const QSize normal = dialog->size();
    const QString dir = qEnvironmentVariable("DORVANA_SHOTS");
    for (const bool smallest : {false, true}) {
        if (smallest) {
            dialog->resize(dialog->minimumSizeHint());
            QApplication::processEvents();
        }
        const QString shot = name + (smallest ? QStringLiteral("-min") : QString());
        EXPECT_EQ(clipped(dialog), QStringList()) << shot.toStdString();
        if (!dir.isEmpty()) {
            QDir().mkpath(dir);
            dialog->grab().save(QDir(dir).filePath(shot + QStringLiteral(".png")));
        }
    }
    dialog->resize(normal);
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
