#pragma once
// The new-report wizard ("Návrh nové předlohy"): the template lines of a
// first report from a list of chosen fields, in columns (a table) or in rows
// (one field a line, its label at the left).

#include <QList>
#include <QString>
#include <QStringList>

namespace dorvana {

class DataSet;

// A data-set field as the wizard sees it.
struct WizardField {
    QString name;
    QString label;          // display label
    int displayWidth = 10;  // characters
    int alignment = 0;      // 0 left, 1 right, 2 centre
};

struct WizardOptions {
    int printableWidth = 0;   // W
    int printableHeight = 0;  // H
    // Editor options ImplVyska, ImplNazevFontu, ImplVyskaFontu, ImplBarvaFontu,
    // ImplStylFontu, ImplCharSet.
    int itemHeight = 20;
    QString fontName = QStringLiteral("Arial");
    int fontSize = 10;
    int fontColour = 0;
    int fontStyle = 0;
    int charset = 238;
    bool rows = false;         // SBRadek down (else SBSloupec)
    bool fieldLabels = true;   // "Popisy položek"
    bool byName = false;       // "Pol. podle názvu"
    // A label sheet's row pitch: the report is one label of printableWidth ×
    // labelHeight, its fields one a line; no title, page header or footer
    // takes room from the sheet. 0: a report on plain paper.
    int labelHeight = 0;
};

// The room the wizard lays fields out in, after the paper or a label sheet
// was chosen: the printable width of one print column, the printable height,
// and a label sheet's row pitch (0 for plain paper).
struct WizardPaper {
    int width = 0;
    int height = 0;
    int labelHeight = 0;
};
void applyWizardPaper(WizardOptions& options, const WizardPaper& paper);

// The fields of a data set in data-set order.
QList<WizardField> wizardFields(const DataSet& dataSet);

inline constexpr char16_t kNoFieldsChosen[] =
    u"Nebyly vybrány žádné položky. Návrh nemůže být proveden!";

// The template lines for the chosen field names (in output order). Names the
// data set does not know are skipped. The lines carry no I,0, I,1 or I,2 line.
QStringList generateReportLines(const QStringList& chosen, const QList<WizardField>& fields,
                                const WizardOptions& options);

// The lists of the wizard: moving the selected or all fields between
// "Dostupné položky:" and "Vybrané položky:".
void moveWizardFields(QStringList& from, QStringList& to, QList<int> selected);

}  // namespace dorvana
