#pragma once
// TSestDlg ("Nastavení parametrů sestavy"): the template-wide settings on
// seven pages chosen by the tabs "Se" ... "Ra". Plans and groups are edited in
// place in the report model; every other value reaches the model only through
// values() after OK.

#include <QDialog>
#include <functional>
#include <optional>

#include "report/designer/dialogs/logic/report_settings_logic.h"
#include "report/model/paper/format_list.h"
#include "report/model/paper/sheet_page.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace dorvana {

class Messages;

struct ReportSettingsContext {
    ReportComponentInfo component;
    QStringList fieldNames;     // the data set's fields
    QStringList functionNames;  // the user functions (section conditions)
    TListFormatu* formats = nullptr;  // the paper formats, edited in place
    QStringList installedPrinters;    // full names
    int optionRasterX = 8;            // "Default rastr"
    int optionRasterY = 8;
    Messages* messages = nullptr;
    // The printer's minimum margins for an orientation; none without a printer.
    std::function<std::optional<MinimumMargins>(int orientation)> minimumMargins;
    // The designer's part of inserting and deleting plans and groups (section
    // views, palette buttons, group variables). The model is already changed.
    std::function<void(int plan)> planAdded, planRemoved;
    std::function<void(int group)> groupAdded, groupRemoved;
    // The paper-format dialog (EditFormat when unset).
    std::function<bool(TFormatPapiru&, bool editable)> editFormat;
    // The label sheet chooser: the page for the chosen sheet, false when
    // nothing was chosen ("Arch etiket" over the sheet catalogue when unset).
    std::function<bool(SheetPage* page)> chooseSheet;
    // The visual query builder: the new SQL text on OK. Unset: "Vytvoř SQL" is disabled.
    std::function<std::optional<QString>(const QString& sql)> buildSql;
    // The settings of a chosen printer ("Nastavit tiskárny"); true when they
    // were changed. Unset: the button is disabled.
    std::function<bool(TPolTisk& printer)> editPrinterSettings;
    // The current driver settings of a printer, stored when a chosen printer
    // without settings is clicked.
    std::function<QStringList(const QString& fullName)> currentPrinterSettings;
};

// PaintBox: the paper with its margins and label cells.
class PaperPicture : public QWidget {
public:
    explicit PaperPicture(QWidget* parent = nullptr);
    void setPaper(const PageGeometry& paper, int columns, int gap);
    QSize sizeHint() const override { return {170, 170}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    PageGeometry paper_;
    int columns_ = 1;
    int gap_ = 0;
};

class TSestDlg : public QDialog {
public:
    TSestDlg(ReportModel& model, const ReportSettingsContext& context, QWidget* parent = nullptr);

    // Fills the dialog before it is shown.
    void setValues(const ReportSettingsValues& values);
    // The working values (read after OK).
    ReportSettingsValues values() const;
    // The reduced form for "save under a new name": the first page only.
    void setReducedForm(bool reduced);
    // Opens on the page of a section: "Oddíly" with its plan chosen, or
    // "Skupiny" with its group chosen (a double click on a section).
    void showSection(int indexOdd);
    // Only the page "Papír" enabled (the wizard's "&Formát papíru").
    void setPaperOnly(bool paperOnly);
    QTabWidget* tabs() const { return tabs_; }
    // The index of the page in the tab set, -1 when removed.
    int pageIndex(int page) const;

    void done(int result) override;

private:
    QWidget* buildReportPage();
    QWidget* buildPaperPage();
    QWidget* buildSectionsPage();
    QWidget* buildGroupsPage();
    QWidget* buildSortPage();
    QWidget* buildPrintersPage();
    QWidget* buildRasterPage();
    struct Row;
    QGridLayout* buildSectionRows(QWidget* box, const QString& prefix,
                                  const QList<SectionRow>& rows, void (TSestDlg::*changed)(),
                                  QList<Row>& out);

    void paperChanged();
    void formatChosen(int index);
    void updateFormatButtons();
    void showOrEditFormat();
    void addFormat();
    void removeFormat();
    void chooseSheet();
    void fillPaperControls();
    void updatePaperTexts();

    void showPlan(int plan);
    void planRowChanged();
    void insertPlan();
    void deletePlan();
    void showGroup(int group);
    void groupRowChanged();
    void insertGroup();
    void deleteGroup();

    void fillSortLists();
    void sortChanged();
    void fillPrinterLists();
    void printersChanged();

    ReportModel& model_;
    ReportSettingsContext context_;
    ReportSettingsValues values_;
    bool filling_ = false;
    QTabWidget* tabs_;
    QList<QWidget*> pages_;
    QWidget* sortPage_ = nullptr;

    // Sestava
    QLabel *file_, *copies_, *pagesText_, *maxRecords_, *description_;
    QLineEdit* title_;
    // Papír
    QComboBox* format_;
    QPushButton *formatEdit_, *formatAdd_, *formatRemove_, *sheet_;
    QRadioButton *portrait_, *landscape_;
    QLineEdit *left_, *right_, *top_, *bottom_, *columns_, *gap_;
    QLabel *gapLabel_, *labelSizeCaption_;
    QLabel *pageUnits_, *pageMm_, *printUnits_, *printMm_, *labelUnits_, *labelMm_;
    PaperPicture* picture_;
    // Oddíly
    QListWidget* plans_;
    QPushButton *planIns_, *planDel_;
    QCheckBox *fillPage_, *fillGroup_;
    struct Row {
        QCheckBox* visible;
        QLineEdit* height;
        QComboBox* condition;
        QSpinBox* pass;
    };
    QList<Row> planRows_;
    int plan_ = 0;
    // Skupiny
    QListWidget* groups_;
    QPushButton *groupIns_, *groupDel_;
    QComboBox* groupField_;
    QList<Row> groupRows_;
    QCheckBox *newPage_, *groupByName_;
    int group_ = -1;
    // Třídění
    QRadioButton *standard_, *combined_;
    QGroupBox *sortBox_, *sqlBox_;
    QListWidget *available_, *sequence_;
    QPushButton *sortAdd_, *sortRemove_, *sortToggle_;
    QPlainTextEdit* sql_;
    // Tiskárny
    QRadioButton *defaultPrinter_, *chosenPrinters_;
    QListWidget *installed_, *chosen_;
    QPushButton *printerAdd_, *printerRemove_, *printerSettings_;
    // Rastr
    QSpinBox *rasterX_, *rasterY_;
    QComboBox *lineSpacing_, *charPitch_;
};

}  // namespace dorvana
