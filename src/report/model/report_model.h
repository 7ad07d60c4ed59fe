#pragma once
// The report model of one template: its settings, user functions, groups,
// plans, chosen printers and the page container with every section and
// element. The template reader fills it, the writer writes it back.

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <vector>

#include "report/model/function_definition.h"
#include "report/model/page_container.h"
#include "report/model/paper/page_geometry.h"

namespace dorvana {

// TPolSkup: one group. Its four sections' settings live in the sections.
struct TPolSkup {
    int number = 0;        // 0-based
    int field = 0;         // index of the field whose display text defines the group
    QString fieldName;     // the field's name when the template named it; empty otherwise
    bool newPage = false;  // "Novou skupinu na novou stránku"
    std::array<TOddil*, GroupSection::Count> sections{};  // by GroupSection offset

    // Run state of the layout engine.
    QString previousText;      // the field's display text at the previous record
    QString lookAheadText;     // the field's display text before the data set moved on
    bool changed = false;      // the group changed at the current record
    bool changesNext = false;  // the group will change when the data set moves on
    int pageCount = 0;         // pages printed in the current group

    // "Skupina " + (number + 1).
    QString name() const { return QStringLiteral("Skupina %1").arg(number + 1); }
};

// TPolPlan: the main plan (number -1, "Hlavní plán ") or an additional plan.
struct TPolPlan {
    int number = -1;         // 0-based among the additional plans; -1 for the main plan
    bool fillPage = false;   // "Výplň stránky"
    bool fillGroup = false;  // "Výplň skupiny"
    std::array<TOddil*, PlanSection::Count> sections{};  // by PlanSection offset

    bool isMain() const { return number < 0; }
    // "Hlavní plán " or "Plán sestavy " + (number + 1).
    QString name() const;
};

// TPolTisk: a printer the template chooses, with the settings it stores.
struct TPolTisk {
    QString name;      // without the " on <port>" suffix, as the template stores it
    QString fullName;  // the installed printer's full name (key); empty until matched
    bool installed = false;
    QStringList systemSettings;  // the driver's settings before the template changed them
    QStringList settings;        // the template's setting lines
    bool operator==(const TPolTisk&) const = default;
};

// Where the report's records come from, as the designer and the template list see it.
struct DataSourceSettings {
    enum Kind { Standard = 0, Combined = 1 };  // "Standartní", "Kombinovaný "
    bool sortEnabled = false;  // the component sorts: the writer writes the I,5 lines
    int kind = Standard;
    QString sortList;      // "+cislo,-nazev1"
    QStringList sqlLines;  // the SQL text, one entry per line, double quotes as they are
};

class ReportModel {
public:
    ReportModel();
    ReportModel(const ReportModel&) = delete;
    ReportModel& operator=(const ReportModel&) = delete;

    QString title;  // "Název"
    int majorVersion = 1, minorVersion = 5;
    int passes = 1;
    PageGeometry paper;
    int rasterX = 8, rasterY = 8;
    int lineSpacing = 0;  // 0 "6 řádků/1"", 1 "4 řádků/1"", 2 "3 řádků/1""
    int charPitch = 1;    // 0 "10 znaků/1"", 1 "12 znaků/1"", 2 "16 znaků/1""
    DataSourceSettings dataSource;
    bool groupFieldsByName = false;  // "Skupinová položka podle názvu"
    QStringList usedFieldNames;      // as the template listed them (I,6)
    QList<FunctionDefinition> functions;
    // "Pro tisk sestavy použít tiskárnu" = "Vybranou": the template chooses its printers.
    bool printersChosen = false;
    QList<TPolTisk> printers;

    TPapir& page() { return page_; }
    const TPapir& page() const { return page_; }

    // The print columns and gap of the body (I,2).
    int columns() const;
    int columnGap() const;
    // Sets the columns and gap of every section.
    void setColumns(int columns, int gap);

    // Groups in group order.
    int groupCount() const { return int(groups_.size()); }
    TPolSkup* group(int g) const;
    // Adds a group with its four sections (variables are the run window's: it
    // adds the group's four report variables).
    TPolSkup* addGroup();
    // Removes group g with its sections and elements; later groups are renumbered.
    void removeGroup(int g);

    // Plans: 0 is the main plan, 1.. the additional plans.
    int planCount() const { return int(plans_.size()); }
    TPolPlan* plan(int p) const;
    TPolPlan* mainPlan() const { return plans_.front().get(); }
    TPolPlan* addPlan();
    // Removes additional plan p (1-based) with its sections and elements.
    void removePlan(int p);

    // Empties the model for reading a template again: functions, groups,
    // additional plans, printers and the elements of the main sections go, the
    // main plan's fill flags are cleared; settings stay until lines set them.
    void clear();

    // Index of the function with that name (letters A-Z compared without
    // regard to case); -1 when none.
    int functionIndex(const QString& name) const;
    // The highest pass any section uses, at least 1.
    int highestPass() const;

private:
    void linkPlan(int p);
    void linkGroup(int g);
    void relinkSections();
    TPapir page_;
    std::vector<std::unique_ptr<TPolSkup>> groups_;
    std::vector<std::unique_ptr<TPolPlan>> plans_;
};

}  // namespace dorvana
