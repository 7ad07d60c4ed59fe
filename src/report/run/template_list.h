#pragma once
// The template list of a directory (what the template combo box shows):
// TSouborPredlohy entries read from the templates' leading info lines.

#include <QList>
#include <QString>
#include <QStringList>

namespace dorvana {

// What a template says about itself in its leading I lines.
struct TemplateLeadingInfo {
    QString title;           // I,0; empty when there is none
    bool sql = false;        // the data source is SQL (I,5,1 lines)
    QString orderText;       // ORDER BY text of the sort list (I,5,0)
    QStringList sqlLines;    // I,5,1 lines, tildes turned back into double quotes
    QStringList usedFields;  // I,6 names
};

// Reads the info lines from the first line on, up to the first line that
// does not begin with "I".
TemplateLeadingInfo readLeadingInfo(const QStringList& lines);
// The same from a file; false (and no info) when it cannot be read.
bool readLeadingInfoFile(const QString& path, TemplateLeadingInfo* info);

// TSouborPredlohy: one entry of the template list.
struct TSouborPredlohy {
    // The directory part of the mask followed by the found file name. It keeps
    // the file's own letters so that it opens on a file system that tells
    // capitals apart; compare it with sameTemplateName().
    QString fileName;
    QString title;  // the template's title, or the file name when it has none
    TemplateLeadingInfo info;
};

// File names of templates are compared without regard to case.
bool sameTemplateName(const QString& a, const QString& b);

// The templates that directory + mask finds (files only; the mask may carry
// a directory part of its own), sorted by title and then file name.
QList<TSouborPredlohy> listTemplates(const QString& directory, const QString& mask);

// The index of the entry with that file name (compared without regard to
// case), -1 when there is none.
int findTemplate(const QList<TSouborPredlohy>& list, const QString& fileName);

}  // namespace dorvana
