// The progress window, the print dialog, the cab settings dialog and the
// template combo, driven through their widgets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "support/fixture_printer_backend.h"
#include "report/render/printer/printer.h"
#include "report/run/report_component.h"
#include "report/windows/cab_settings_dialog.h"
#include "report/windows/print_dialog.h"
#include "report/windows/printer_choice_dialog.h"
#include "report/windows/progress_window.h"
#include "report/windows/template_combo.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

template <typename T>
T* child(QWidget& w, const char* name) {
    T* c = w.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

TEST(ProgressWindow, ShowsThePageAndCancelsByButtonOrEsc) {
    ProgressWindow p;
    EXPECT_FALSE(p.cancelled());
    p.step(7, -1, QStringLiteral("Připravuji tisk stránky číslo: 7"));
    EXPECT_TRUE(p.isVisible());
    EXPECT_EQ(p.windowTitle(), "Informace");
    EXPECT_EQ(child<QLabel>(p, "InfoPage")->text(), "Připravuji tisk stránky číslo: 7");
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::BusyCursor);
    QTest::mouseClick(p.cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(p.cancelled());
    p.finish();
    EXPECT_FALSE(p.isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    ProgressWindow q;  // a new window starts uncancelled
    q.showStatus(QStringLiteral("Odesílám data do tiskárny ..."));
    EXPECT_EQ(child<QLabel>(q, "InfoText")->text(), "Odesílám data do tiskárny ...");
    EXPECT_FALSE(q.cancelled());
    QTest::keyClick(&q, Qt::Key_Escape);
    EXPECT_TRUE(q.cancelled());
    EXPECT_TRUE(q.isVisible());
}

QList<FixturePrinter> twoPrinters() {
    FixturePrinter office;
    office.entry = {"Kancelář", "HP LaserJet 4", "socket://10.0.0.5"};
    office.isDefault = true;
    FixturePrinter label;
    label.entry = {"Etikety", "Apollo 2", "usb://cab/A2"};
    label.privateSize = 84;
    return {office, label};
}

TEST(PrintDialog, ShowsThePrintersStatusAndReturnsTheRangeAndCopies) {
    Printer printer(std::make_unique<FixturePrinterBackend>(twoPrinters()));
    TPDialog d(printer, PrintDialogValues{0, 1, 6, 2, {}});
    EXPECT_EQ(d.windowTitle(), "Tisk");
    QComboBox* box = child<QComboBox>(d, "PrinterBox");
    ASSERT_EQ(box->count(), 2);
    EXPECT_EQ(child<QLabel>(d, "StatusText")->text(), "Připravena");
    box->setCurrentIndex(1);
    EXPECT_EQ(child<QLabel>(d, "StatusText")->text(), "CAB , připravena");
    EXPECT_EQ(child<QLabel>(d, "TypeText")->text(), "Apollo 2");
    EXPECT_EQ(child<QLabel>(d, "WhereText")->text(), "usb://cab/A2");
    EXPECT_FALSE(child<QPushButton>(d, "Vlastnosti")->isEnabled());

    QLineEdit* from = child<QLineEdit>(d, "FromPage");
    QLineEdit* to = child<QLineEdit>(d, "ToPage");
    EXPECT_FALSE(from->isEnabled());
    EXPECT_EQ(d.values().lastPage, 6);  // "Vše"
    child<QRadioButton>(d, "Range")->setChecked(true);
    EXPECT_TRUE(from->isEnabled());
    from->setText("2");
    to->setText("5");
    child<QSpinBox>(d, "Copies")->setValue(3);
    const PrintDialogValues v = d.values();
    EXPECT_EQ(v.printerIndex, 1);
    EXPECT_EQ(v.firstPage, 2);
    EXPECT_EQ(v.lastPage, 5);
    EXPECT_EQ(v.copies, 3);
    QString error;
    EXPECT_TRUE(d.checkValues(&error));
    to->setText("1");
    EXPECT_FALSE(d.checkValues(&error));
    EXPECT_EQ(error, "První stránka 2 je za poslední stránkou 1.");

    // One page only: the range cannot be chosen.
    TPDialog single(printer, PrintDialogValues{0, 1, 1, 1, {}});
    EXPECT_FALSE(child<QRadioButton>(single, "Range")->isEnabled());
}

// The paper note follows the chosen printer and shows only where there is one.
TEST(PrintDialog, SaysWhichPaperAPrinterWithoutTheTemplatesSheetUses) {
    Printer printer(std::make_unique<FixturePrinterBackend>(twoPrinters()));
    PrintDialogValues values{0, 1, 1, 1, {}};
    values.paperNote = [](int index) {
        return index == 0 ? QStringLiteral("Papír tiskárny: A4 — předloha má 60 x 40 mm")
                          : QString();
    };
    TPDialog d(printer, values);
    d.show();
    QLabel* note = child<QLabel>(d, "PaperNote");
    EXPECT_EQ(note->text(), "Papír tiskárny: A4 — předloha má 60 x 40 mm");
    EXPECT_TRUE(note->isVisible());
    child<QComboBox>(d, "PrinterBox")->setCurrentIndex(1);
    EXPECT_FALSE(note->isVisible());
}

DeviceSettings cabRecord() {
    DeviceSettings r;
    r.deviceName = "Etikety";
    r.privateBytes = QByteArray(84, '\0');
    r.privateBytes[72] = 0x0F;  // print offset 1.5 mm
    r.privateBytes[64] = 0;     // no barcode text
    r.privateBytes[66] = 1;     // Code 39 start/stop on
    r.paperLength = 400;
    r.copies = 2;
    return r;
}

TEST(PrinterChoiceDialog, MakesTheChosenPrinterCurrentOnlyWhenApplied) {
    Printer printer(std::make_unique<FixturePrinterBackend>(twoPrinters()));
    const int first = printer.printerIndex();
    {
        PrinterChoiceDialog d(printer);
        EXPECT_EQ(d.windowTitle(), "Nastavení tiskárny");
        ASSERT_EQ(d.printerList()->count(), 2);
        EXPECT_EQ(d.printerList()->currentIndex(), first);
        d.printerList()->setCurrentIndex(1 - first);  // then cancelled: nothing applied
    }
    EXPECT_EQ(printer.printerIndex(), first);
    PrinterChoiceDialog d(printer);
    d.printerList()->setCurrentIndex(1 - first);
    if (const QString shots = qEnvironmentVariable("DORVANA_SHOTS"); !shots.isEmpty()) {
        d.show();
        QApplication::processEvents();
        d.grab().save(shots + QStringLiteral("/NastaveniTiskarny.png"));
    }
    QString error;
    ASSERT_TRUE(d.apply(&error)) << error.toStdString();
    EXPECT_EQ(printer.printerIndex(), 1 - first);
    ASSERT_TRUE(printer.settings());
    EXPECT_EQ(printer.settings()->deviceName, printer.entries()[1 - first].name);
}

TEST(CabSettingsDialog, ShowsTheRecordAndWritesBackRoundedValues) {
    DeviceSettings record = cabRecord();
    TCabSetForm form;
    ASSERT_EQ(form.Setup(record, "Apollo 2"), 0);
    EXPECT_EQ(form.windowTitle(), "Nastavení Etikety");
    QDoubleSpinBox* offset = child<QDoubleSpinBox>(form, "PosEdit");
    EXPECT_DOUBLE_EQ(offset->value(), 1.5);
    EXPECT_DOUBLE_EQ(child<QDoubleSpinBox>(form, "Sizedit")->value(), 40.0);
    EXPECT_EQ(child<QSpinBox>(form, "CopEdit")->value(), 2);
    EXPECT_EQ(child<QComboBox>(form, "SpeedBox")->count(), 5);
    EXPECT_EQ(child<QWidget>(form, "CidGrp")->findChildren<QRadioButton*>().size(), 3);
    QCheckBox* code39 = child<QCheckBox>(form, "Barstop");
    EXPECT_FALSE(code39->isEnabled());  // the barcode text is off
    EXPECT_FALSE(code39->isChecked());
    EXPECT_FALSE(child<QCheckBox>(form, "Ribox")->isVisibleTo(&form));  // model 1 only

    offset->setValue(2.36);
    form.accept();
    EXPECT_EQ(uchar(record.privateBytes[72]), 24);
    EXPECT_EQ(record.privateBytes[66], 1);  // kept while the barcode text is off
}

TEST(CabSettingsDialog, ReadsAndShowsMillimetresTheCzechWay) {
    DeviceSettings record = cabRecord();
    TCabSetForm form;
    ASSERT_EQ(form.Setup(record, "Apollo 2"), 0);
    QDoubleSpinBox* left = child<QDoubleSpinBox>(form, "LeftEdit");
    EXPECT_EQ(child<QDoubleSpinBox>(form, "PosEdit")->text(), "1,50 mm");
    struct Case {
        const char* typed;
        double value;
    };
    // "1,5" is one and a half millimetres, never 15; a point typed counts as the comma.
    for (const Case c : {Case{"1,5", 1.5}, Case{"1.5", 1.5}, Case{"12,25", 12.25}}) {
        left->selectAll();
        QTest::keyClicks(left, c.typed);
        left->interpretText();
        EXPECT_DOUBLE_EQ(left->value(), c.value) << c.typed;
    }
}

TEST(CabSettingsDialog, TharoHidesCabOnlySettingsAndOthersNeedThePlatformDialog) {
    DeviceSettings record = cabRecord();
    record.privateBytes[52] = 12;  // Tharo print offset 1.5 mm
    TCabSetForm tharo;
    ASSERT_EQ(tharo.Setup(record, "Tharo Gemini 2"), 0);
    EXPECT_EQ(child<QCheckBox>(tharo, "Azrc")->text(), "Rychlý tisk");
    EXPECT_FALSE(child<QWidget>(tharo, "CutGrp")->isVisibleTo(&tharo));
    EXPECT_FALSE(child<QWidget>(tharo, "LeftEdit")->isVisibleTo(&tharo));
    EXPECT_DOUBLE_EQ(child<QDoubleSpinBox>(tharo, "PosEdit")->value(), 1.5);
    EXPECT_EQ(child<QWidget>(tharo, "CidGrp")->findChildren<QRadioButton*>().size(), 2);
    // No hole where the cutter stood: the orientation takes its place.
    tharo.adjustSize();
    tharo.layout()->activate();
    EXPECT_EQ(child<QWidget>(tharo, "OriGr")->y(), child<QWidget>(tharo, "CidGrp")->y());

    TCabSetForm office;
    EXPECT_EQ(office.Setup(record, "HP LaserJet 4"), -1);
    office.platformDialog = [](DeviceSettings& r) {
        r.copies = 9;
        return true;
    };
    EXPECT_EQ(office.Setup(record, "HP LaserJet 4"), 1);
    EXPECT_EQ(record.copies, 9);
}

TEST(TemplateCombo, ListsTitlesAndHandsTheChosenFileToTheComponent) {
    TSestava component;
    TComboBoxPredloha combo;
    combo.choice().ReportMask = "*.pt?";
    combo.choice().ReportDirIgnore = false;
    combo.choice().setReportDir(test::sourcePath("samples/templates"));
    combo.choice().Report = &component;
    combo.setReportName("ETIKETA.PTE");
    EXPECT_FALSE(combo.isEditable());
    ASSERT_GE(combo.count(), 2);
    EXPECT_EQ(combo.currentText(), "Cenovka 60 x 40 mm");
    EXPECT_TRUE(component.ReportName.endsWith("etiketa.pte"));
    const int other = combo.currentIndex() == 0 ? 1 : 0;
    combo.setCurrentIndex(other);
    EXPECT_EQ(component.ReportName, combo.reportName());
    EXPECT_FALSE(component.ReportName.endsWith("etiketa.pte"));
    // Dropping down refills and keeps the shown entry.
    const QString shown = combo.currentText();
    combo.showPopup();
    EXPECT_EQ(combo.currentText(), shown);
    combo.hidePopup();
}

}  // namespace
