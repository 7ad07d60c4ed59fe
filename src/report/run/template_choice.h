#pragma once
// What the template combo box (TComboBoxPredloha) does without its widget:
// lists the templates of a directory, keeps the chosen one, and hands its
// file name to a bound report component.

#include <QList>
#include <QString>
#include <QStringList>

#include "report/run/template_list.h"

namespace dorvana {

class TSestava;

class TemplateChoice {
public:
    QString ReportMask;  // e.g. "*.pts"
    const QString& ReportDir() const { return reportDir_; }
    void setReportDir(const QString& dir);
    bool ReportDirIgnore = true;  // search the program's directory instead of ReportDir
    TSestava* Report = nullptr;   // receives the chosen file name

    // Fills the list anew from the directory and the mask; nothing is chosen.
    void fill();
    const QList<TSouborPredlohy>& entries() const { return entries_; }
    // The titles as the list shows them.
    QStringList titles() const;

    int selectedIndex() const { return selected_; }
    // The chosen entry's file name, or empty.
    QString reportName() const;
    // Fills the list and chooses the entry with that file name (letters
    // compared without regard to case; none when there is none); the bound
    // component gets the chosen file name (empty when none).
    void setReportName(const QString& name);
    // The user chose entry i (-1 none): the bound component gets its file name.
    void select(int index);
    // The list is dropped down: filled anew, the entry with the shown title
    // chosen again.
    void dropDown();
    // Fills the list and chooses the entry with that file name, leaving the
    // bound component alone.
    void refreshAndSelect(const QString& fileName);

    // Of the chosen entry: whether its data source is SQL, its ORDER BY text,
    // its SQL lines (false, empty, none when nothing is chosen).
    bool sqlFlag() const;
    QString orderText() const;
    QStringList sqlLines() const;

private:
    void tellReport();
    QString reportDir_;
    QList<TSouborPredlohy> entries_;
    int selected_ = -1;
};

}  // namespace dorvana
