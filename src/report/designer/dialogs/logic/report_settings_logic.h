#pragma once
// The logic of the report settings dialog ("Nastavení parametrů sestavy"):
// its working values taken from the report model and stored back on OK, the
// rules of the paper page (texts, limits, the drawing, the size labels), the
// rows of the plan and group pages, the sort sequence, the raster and the
// margin check against the printer.

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>

#include "report/model/paper/page_geometry.h"
#include "report/model/report_model.h"
#include "report/render/printer/printer_metrics.h"

namespace dorvana {

// The tabs and the captions of the pages they choose.
const QStringList& reportSettingsTabs();   // "Se", "Pa", "Od", "Sk", "Tr", "Ti", "Ra"
const QStringList& reportSettingsPages();  // "Sestava", "Papír", ...
inline constexpr int kSortPage = 4;        // "Třídění"

// What the page "Sestava" shows of the report component.
struct ReportComponentInfo {
    QString fileName;
    QString directory;
    int copies = 1;
    int startPage = 1;
    int endPage = 0;
    int maxRecords = 0;
    QString description;  // "Popis:"
    bool sortEnabled = true;       // SortEnabled: the page "Třídění" exists
    bool enabledTypeFields = true; // "Skupinová položka podle názvu" may be chosen
};

// The working values of the dialog.
struct ReportSettingsValues {
    QString title;
    PageGeometry paper;
    int columns = 1;
    int gap = 0;
    QString rasterXText = QStringLiteral("8");
    QString rasterYText = QStringLiteral("8");
    int lineSpacing = 0;  // "6 řádků/1"", "4 řádků/1"", "3 řádků/1""
    int charPitch = 1;    // "10 znaků/1"", "12 znaků/1"", "16 znaků/1""
    bool groupFieldsByName = false;
    int dataSourceKind = DataSourceSettings::Standard;
    QStringList sortSequence;  // "+cislo", "-nazev1"
    QStringList sqlLines;
    bool printersChosen = false;
    QList<TPolTisk> printers;
    bool restartNeeded = false;
};

ReportSettingsValues reportSettingsValues(const ReportModel& model);
// Stores the values into the model (the plans and groups are edited in place
// while the dialog is open). A raster that is not a positive number becomes 8.
void applyReportSettings(ReportModel& model, const ReportSettingsValues& values);

// --- "Papír" ---

// An empty margin or gap counts 0; an empty or non-positive column count 1.
int marginFromText(const QString& text);
int columnsFromText(const QString& text);
// The margin limits: 0..410 left and right, 0..500 top and bottom until a
// format is chosen; then half the page width and half the page height.
struct MarginLimits {
    int horizontal = 410;
    int vertical = 500;
};
MarginLimits marginLimits(int pageWidth, int pageHeight);

// The parts of the paper drawing in a paint box of boxWidth x boxHeight pixels.
struct PaperDrawing {
    QRect shadow;
    QRect page;
    QRect printable;
    QList<QRect> cells;  // rows x columns label cells, row by row
};
PaperDrawing paperDrawing(int boxWidth, int boxHeight, const PageGeometry& paper, int columns,
                          int gap);

// "826 x 1169 [bodů]" and "210 x 297 [mm]".
QString sizeInUnits(int width, int height);
QString sizeInMm(int width, int height);
// The label width: (printable width - (columns - 1) x gap) div columns.
int labelWidth(const PageGeometry& paper, int columns, int gap);

// --- "Oddíly" and "Skupiny" ---

// "Hlavní plán sestavy", "Plán sestavy 1", ...
QStringList planItems(const ReportModel& model);
// "Skupina 1", ...
QStringList groupItems(const ReportModel& model);
// "Bez podmínky", then "1 Name", "2 Name" ... for the functions.
QStringList conditionItems(const QStringList& functionNames);
// "#" + number padded to three characters + field name.
QStringList groupFieldItems(const QStringList& fieldNames);

struct SectionRow {
    QString caption;
    int offset;  // PlanSection or GroupSection offset
};
// The plan rows in dialog order: "Začátek sestavy", "Hlava stránky",
// "Převedeno", "Tělo sestavy", "Převádí se", "Konec sestavy", "Pata stránky".
const QList<SectionRow>& planSectionRows();
// "Začátek skup.", "Převedeno", "Převádí se", "Konec skupiny".
const QList<SectionRow>& groupSectionRows();

// A height text that is not a number becomes 24.
int sectionHeightFromText(const QString& text);

// Adds a plan (all sections hidden, heights 24, no condition, pass 0, fill
// flags off) or a group (field 0, sections hidden, heights 24, no page break)
// and returns its index among the plans (1..) or groups (0..).
int addReportPlan(ReportModel& model);
int addReportGroup(ReportModel& model);
// Only the last additional plan and the last group can be deleted.
bool canDeletePlan(const ReportModel& model, int plan);
bool canDeleteGroup(const ReportModel& model, int group);

inline constexpr char16_t kDeletePlanQuestion[] =
    u"Opravdu smazat vybraný plán včetně případných vložených prvků sestavy?";
inline constexpr char16_t kDeleteGroupQuestion[] =
    u"Opravdu smazat vybranou skupinu včetně případných vložených prvků sestavy?";
inline constexpr char16_t kDeleteFormatQuestion[] = u"Zrušit vybraný uživatelský formát?";

// --- "Třídění" ---

inline constexpr int kMaxSortEntries = 15;

struct SortLists {
    QStringList available;  // fields not used for sorting
    QStringList sequence;   // "+name" or "-name"
};
// The available fields: the data set's fields not in the sequence (compared
// without the prefix and without regard to case). Entries of a sequence
// without a prefix (templates before 1.4) read as ascending.
SortLists sortLists(const QStringList& fieldNames, const QString& sortList);
QStringList sortSequence(const QString& sortList);
QString sortListText(const QStringList& sequence);
bool canAddSortFields(const SortLists& lists);
// ">": the selected available fields (indexes) to the end of the sequence,
// with "+", as long as the sequence holds fewer than 15. Returns the index to
// select afterwards in the source list.
int addSortFields(SortLists& lists, const QList<int>& selected);
// "<": the selected entries back to the available fields without their prefix.
int removeSortFields(SortLists& lists, const QList<int>& selected);
// "±": toggles "+" and "-" of the selected entries.
void toggleSortDirection(SortLists& lists, const QList<int>& selected);

// The template's query file: "<name>-<ext>.stm" in the report directory.
QString queryFileName(const QString& templateFileName);
// The query builder reads and saves "SqlBuild.stm" in the report directory:
// the template's query file is renamed to it before the builder starts and
// back afterwards. Each returns false with a Czech message when a rename
// fails (nothing is lost: the file keeps one of the two names).
class QueryFileSwap {
public:
    QueryFileSwap(QString reportDir, const QString& templateFileName);
    bool begin(QString* error);
    bool end(QString* error);
    QString queryPath() const;
    QString builderPath() const;

private:
    QString dir_;
    QString name_;
};

// --- "Tiskárny" ---

// The installed printers not chosen (full names).
QStringList availablePrinters(const QStringList& installed, const QList<TPolTisk>& chosen);

// --- "Rastr" ---

// "Nastavit rastr": X from the pitch (10 -> 10, 12 -> 8, 16 -> 6), Y from the
// spacing (6 -> 16, 4 -> 24, 3 -> 32).
int rasterXForPitch(int charPitch);
int rasterYForSpacing(int lineSpacing);
// A raster text that is not a positive number becomes 8.
int rasterFromText(const QString& text);

// --- closing ---

inline constexpr char16_t kMarginsQuestion[] =
    u"Nastavené okraje tisku jsou menší, než umožňuje připojená tiskárna. Upravit velikost "
    u"okrajů podle možností tiskárny?";
// Whether any margin is below the printer's minimum.
bool marginsBelowMinimum(const PageGeometry& paper, const MinimumMargins& minimum);
// Every margin below its minimum raised to it.
PageGeometry raiseMargins(PageGeometry paper, const MinimumMargins& minimum);

}  // namespace dorvana
