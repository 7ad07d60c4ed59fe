#include "report/designer/dialogs/logic/report_settings_logic.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include "base/rounding.h"
#include "base/safe_file.h"
#include "base/units.h"
#include "report/model/section.h"

namespace dorvana {

namespace {

constexpr int kDefaultSectionHeight = 24;
constexpr int kDefaultRaster = 8;

void resetSection(TOddil* s) {
    s->visible = false;
    s->height = kDefaultSectionHeight;
    s->condition = 0;
    s->pass = 0;
}

QString bareSortName(const QString& entry) {
    return entry.startsWith(u'+') || entry.startsWith(u'-') ? entry.mid(1) : entry;
}

QList<int> sortedUnique(QList<int> indexes, int size) {
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    indexes.removeIf([size](int i) { return i < 0 || i >= size; });
    return indexes;
}

// After an operation the first formerly selected position is selected
// again, or the last entry when the list became shorter.
int reselect(const QList<int>& selected, int size) {
    if (size == 0) return -1;
    return selected.isEmpty() ? 0 : qMin(selected.first(), size - 1);
}

}  // namespace

const QStringList& reportSettingsTabs() {
    static const QStringList tabs{QStringLiteral("Se"), QStringLiteral("Pa"), QStringLiteral("Od"),
                                  QStringLiteral("Sk"), QStringLiteral("Tr"), QStringLiteral("Ti"),
                                  QStringLiteral("Ra")};
    return tabs;
}

const QStringList& reportSettingsPages() {
    static const QStringList pages{QStringLiteral("Sestava"),  QStringLiteral("Papír"),
                                   QStringLiteral("Oddíly"),   QStringLiteral("Skupiny"),
                                   QStringLiteral("Třídění"),  QStringLiteral("Tiskárny"),
                                   QStringLiteral("Rastr")};
    return pages;
}

ReportSettingsValues reportSettingsValues(const ReportModel& m) {
    ReportSettingsValues v;
    v.title = m.title;
    v.paper = m.paper;
    v.columns = qMax(1, m.columns());
    v.gap = qMax(0, m.columnGap());
    v.rasterXText = QString::number(m.rasterX);
    v.rasterYText = QString::number(m.rasterY);
    v.lineSpacing = qBound(0, m.lineSpacing, 2);
    v.charPitch = qBound(0, m.charPitch, 2);
    v.groupFieldsByName = m.groupFieldsByName;
    v.dataSourceKind = m.dataSource.kind;
    v.sortSequence = sortSequence(m.dataSource.sortList);
    v.sqlLines = m.dataSource.sqlLines;
    v.printersChosen = m.printersChosen;
    v.printers = m.printers;
    return v;
}

void applyReportSettings(ReportModel& m, const ReportSettingsValues& v) {
    m.title = v.title;
    m.paper = v.paper;
    m.setColumns(qMax(1, v.columns), qMax(0, v.gap));
    m.rasterX = rasterFromText(v.rasterXText);
    m.rasterY = rasterFromText(v.rasterYText);
    m.lineSpacing = v.lineSpacing;
    m.charPitch = v.charPitch;
    m.groupFieldsByName = v.groupFieldsByName;
    m.dataSource.kind = v.dataSourceKind;
    m.dataSource.sortList = sortListText(v.sortSequence);
    m.dataSource.sqlLines = v.sqlLines;
    m.printersChosen = v.printersChosen;
    m.printers = v.printers;
}

int marginFromText(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : 0;
}

int columnsFromText(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok && v > 0 ? v : 1;
}

MarginLimits marginLimits(int pageWidth, int pageHeight) {
    return {qMax(0, pageWidth / 2), qMax(0, pageHeight / 2)};
}

PaperDrawing paperDrawing(int bw, int bh, const PageGeometry& paper, int columns, int gap) {
    PaperDrawing d;
    const double w = qMax(1, paper.pageWidth());
    const double h = qMax(1, paper.pageHeight());
    const double f = h < w ? (bw - 3) / w : (bh - 3) / h;
    const int x0 = roundHalfEven((bw - w * f - 3) / 2);
    const int y0 = roundHalfEven((bh - h * f - 3) / 2);
    const int x1 = roundHalfEven(w * f + x0);
    const int y1 = roundHalfEven(h * f + y0);
    // Rectangles run from their top left up to, not including, their bottom right.
    auto span = [](int left, int top, int right, int bottom) {
        return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    };
    d.page = span(x0, y0, x1, y1);
    d.shadow = d.page.translated(3, 3);
    const int left = x0 + roundHalfEven(paper.leftMargin * f + 1);
    const int top = y0 + roundHalfEven(paper.topMargin * f + 1);
    const int right = x1 - roundHalfEven(paper.rightMargin * f + 1);
    const int bottom = y1 - roundHalfEven(paper.bottomMargin * f + 1);
    d.printable = span(left, top, right, bottom);
    const int c = qMax(1, columns);
    const int r = c == 1 ? 1 : 4;
    const int cellH = (bottom - top) / r;
    const int cellW = (right - left + roundHalfEven(gap * f + 1)) / c;
    if (c == 1) {  // one cell covering the printable area
        d.cells << d.printable;
        return d;
    }
    const int gapPx = roundHalfEven(gap * f - 1);
    for (int row = 0; row < r; ++row)
        for (int col = 0; col < c; ++col)
            d.cells << span(left + col * cellW, top + row * cellH,
                            left + (col + 1) * cellW - gapPx, top + (row + 1) * cellH);
    return d;
}

QString sizeInUnits(int width, int height) {
    return QStringLiteral("%1 x %2 [bodů]").arg(width).arg(height);
}

QString sizeInMm(int width, int height) {
    return QStringLiteral("%1 x %2 [mm]").arg(unitsToWholeMm(width)).arg(unitsToWholeMm(height));
}

int labelWidth(const PageGeometry& paper, int columns, int gap) {
    const int c = qMax(1, columns);
    return (paper.printableWidth() - (c - 1) * gap) / c;
}

QStringList planItems(const ReportModel& m) {
    QStringList items{QStringLiteral("Hlavní plán sestavy")};
    for (int p = 1; p < m.planCount(); ++p) items << QStringLiteral("Plán sestavy %1").arg(p);
    return items;
}

QStringList groupItems(const ReportModel& m) {
    QStringList items;
    for (int g = 0; g < m.groupCount(); ++g) items << QStringLiteral("Skupina %1").arg(g + 1);
    return items;
}

QStringList conditionItems(const QStringList& functionNames) {
    QStringList items{QStringLiteral("Bez podmínky")};
    for (int i = 0; i < functionNames.size(); ++i)
        items << QStringLiteral("%1 %2").arg(i + 1).arg(functionNames[i]);
    return items;
}

QStringList groupFieldItems(const QStringList& fieldNames) {
    QStringList items;
    for (int i = 0; i < fieldNames.size(); ++i)
        items << u'#' + (QString::number(i + 1) + QStringLiteral("  ")).left(3) + fieldNames[i];
    return items;
}

const QList<SectionRow>& planSectionRows() {
    static const QList<SectionRow> rows{
        {QStringLiteral("Začátek sestavy"), PlanSection::ReportStart},
        {QStringLiteral("Hlava stránky"), PlanSection::PageHeader},
        {QStringLiteral("Převedeno"), PlanSection::CarriedOver},
        {QStringLiteral("Tělo sestavy"), PlanSection::Body},
        {QStringLiteral("Převádí se"), PlanSection::CarriedForward},
        {QStringLiteral("Konec sestavy"), PlanSection::ReportEnd},
        {QStringLiteral("Pata stránky"), PlanSection::PageFooter}};
    return rows;
}

const QList<SectionRow>& groupSectionRows() {
    static const QList<SectionRow> rows{
        {QStringLiteral("Začátek skup."), GroupSection::Start},
        {QStringLiteral("Převedeno"), GroupSection::CarriedOver},
        {QStringLiteral("Převádí se"), GroupSection::CarriedForward},
        {QStringLiteral("Konec skupiny"), GroupSection::End}};
    return rows;
}

int sectionHeightFromText(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : kDefaultSectionHeight;
}

int addReportPlan(ReportModel& m) {
    TPolPlan* plan = m.addPlan();
    plan->fillPage = plan->fillGroup = false;
    for (TOddil* s : plan->sections) resetSection(s);
    return m.planCount() - 1;
}

int addReportGroup(ReportModel& m) {
    TPolSkup* group = m.addGroup();
    group->field = 0;
    group->fieldName.clear();
    group->newPage = false;
    for (TOddil* s : group->sections) resetSection(s);
    return m.groupCount() - 1;
}

bool canDeletePlan(const ReportModel& m, int plan) {
    return plan >= 1 && plan == m.planCount() - 1;
}

bool canDeleteGroup(const ReportModel& m, int group) {
    return group >= 0 && group == m.groupCount() - 1;
}

QStringList sortSequence(const QString& sortList) {
    QStringList out;
    for (const QString& part : sortList.split(u',', Qt::SkipEmptyParts)) {
        const QString entry = part.trimmed();
        if (entry.isEmpty()) continue;
        out << (entry.startsWith(u'+') || entry.startsWith(u'-') ? entry : u'+' + entry);
    }
    return out;
}

QString sortListText(const QStringList& sequence) {
    return sequence.join(u',');
}

SortLists sortLists(const QStringList& fieldNames, const QString& sortList) {
    SortLists lists;
    lists.sequence = sortSequence(sortList);
    QSet<QString> used;
    for (const QString& e : lists.sequence) used.insert(bareSortName(e).toCaseFolded());
    for (const QString& name : fieldNames)
        if (!used.contains(name.toCaseFolded())) lists.available << name;
    return lists;
}

bool canAddSortFields(const SortLists& lists) {
    return !lists.available.isEmpty() && lists.sequence.size() < kMaxSortEntries;
}

int addSortFields(SortLists& lists, const QList<int>& selected) {
    const QList<int> chosen = sortedUnique(selected, int(lists.available.size()));
    QStringList moved;
    for (int i : chosen) {
        if (lists.sequence.size() + moved.size() >= kMaxSortEntries) break;
        moved << lists.available[i];
    }
    for (const QString& name : moved) {
        lists.available.removeOne(name);
        lists.sequence << u'+' + name;
    }
    return reselect(chosen, int(lists.available.size()));
}

int removeSortFields(SortLists& lists, const QList<int>& selected) {
    const QList<int> chosen = sortedUnique(selected, int(lists.sequence.size()));
    for (auto it = chosen.rbegin(); it != chosen.rend(); ++it)
        lists.available << bareSortName(lists.sequence.takeAt(*it));
    return reselect(chosen, int(lists.sequence.size()));
}

void toggleSortDirection(SortLists& lists, const QList<int>& selected) {
    for (int i : sortedUnique(selected, int(lists.sequence.size()))) {
        QString& e = lists.sequence[i];
        e = (e.startsWith(u'-') ? u'+' : u'-') + bareSortName(e);
    }
}

QString queryFileName(const QString& templateFileName) {
    const QFileInfo info(templateFileName);
    return info.completeBaseName() + u'-' + info.suffix() + QStringLiteral(".stm");
}

QueryFileSwap::QueryFileSwap(QString reportDir, const QString& templateFileName)
    : dir_(std::move(reportDir)), name_(queryFileName(templateFileName)) {}

QString QueryFileSwap::queryPath() const {
    return QDir(dir_).filePath(name_);
}

QString QueryFileSwap::builderPath() const {
    return QDir(dir_).filePath(QStringLiteral("SqlBuild.stm"));
}

namespace {

bool moveFile(const QString& from, const QString& to, QString* error) {
    if (!QFile::exists(from)) return true;  // nothing stored yet
    // One rename: a query file in the way is replaced, never first removed.
    QString reason;
    if (!replaceFile(from, to, &reason)) {
        if (error)
            *error = QStringLiteral("Soubor dotazu %1 nelze přejmenovat na %2.").arg(from, to);
        return false;
    }
    return true;
}

}  // namespace

bool QueryFileSwap::begin(QString* error) {
    return moveFile(queryPath(), builderPath(), error);
}

bool QueryFileSwap::end(QString* error) {
    return moveFile(builderPath(), queryPath(), error);
}

QStringList availablePrinters(const QStringList& installed, const QList<TPolTisk>& chosen) {
    QStringList out;
    for (const QString& name : installed) {
        bool taken = false;
        for (const TPolTisk& p : chosen)
            taken = taken || p.fullName == name || p.name == name;
        if (!taken) out << name;
    }
    return out;
}

int rasterXForPitch(int charPitch) {
    static constexpr int steps[] = {10, 8, 6};
    return steps[qBound(0, charPitch, 2)];
}

int rasterYForSpacing(int lineSpacing) {
    static constexpr int steps[] = {16, 24, 32};
    return steps[qBound(0, lineSpacing, 2)];
}

int rasterFromText(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok && v > 0 ? v : kDefaultRaster;
}

bool marginsBelowMinimum(const PageGeometry& p, const MinimumMargins& m) {
    return p.leftMargin < m.left || p.topMargin < m.top || p.rightMargin < m.right ||
           p.bottomMargin < m.bottom;
}

PageGeometry raiseMargins(PageGeometry p, const MinimumMargins& m) {
    p.leftMargin = qMax(p.leftMargin, m.left);
    p.topMargin = qMax(p.topMargin, m.top);
    p.rightMargin = qMax(p.rightMargin, m.right);
    p.bottomMargin = qMax(p.bottomMargin, m.bottom);
    return p;
}

}  // namespace dorvana
