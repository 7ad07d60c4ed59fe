#include "report/run/template_list.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "base/text_file.h"
#include "report/model/data_source_text.h"
#include "report/model/template_tokens.h"

namespace dorvana {

TemplateLeadingInfo readLeadingInfo(const QStringList& lines) {
    TemplateLeadingInfo info;
    for (const QString& line : lines) {
        if (!line.startsWith(u'I')) break;
        TemplateTokenizer t(line);
        t.skip();
        switch (t.integer(-1)) {
            case 0:
                info.title = t.text();
                break;
            case 5: {
                const int source = t.integer(-1);
                const QString text = t.text();
                if (source == 1) {
                    info.sqlLines.append(sqlLineFromTemplate(text));
                    info.sql = true;
                } else if (source == 0) {
                    info.orderText = orderByText(text);
                }
                break;
            }
            case 6:
                info.usedFields.append(t.text());
                break;
            default:
                break;
        }
    }
    return info;
}

bool readLeadingInfoFile(const QString& path, TemplateLeadingInfo* info) {
    QStringList lines;
    if (!readTextLines(path, &lines)) {
        *info = {};
        return false;
    }
    *info = readLeadingInfo(lines);
    return true;
}

bool sameTemplateName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QList<TSouborPredlohy> listTemplates(const QString& directory, const QString& mask) {
    // The mask's own directory part stays in front of every file name.
    const qsizetype cut = mask.lastIndexOf(u'/') + 1;
    const QString maskDir = mask.left(cut);
    const QString pattern = mask.mid(cut);
    QDir dir(directory + maskDir);
    if (directory.isEmpty() && maskDir.isEmpty()) dir = QDir::current();
    QList<TSouborPredlohy> list;
    if (pattern.isEmpty()) return list;
    const QStringList found = dir.entryList({pattern}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& name : found) {
        TSouborPredlohy entry;
        entry.fileName = maskDir + name;
        readLeadingInfoFile(dir.filePath(name), &entry.info);
        entry.title = entry.info.title.isEmpty() ? entry.fileName : entry.info.title;
        list.append(std::move(entry));
    }
    std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
        const int byTitle = a.title.localeAwareCompare(b.title);
        if (byTitle != 0) return byTitle < 0;
        return a.fileName.compare(b.fileName, Qt::CaseInsensitive) < 0;
    });
    return list;
}

int findTemplate(const QList<TSouborPredlohy>& list, const QString& fileName) {
    for (int i = 0; i < list.size(); ++i)
        if (sameTemplateName(list[i].fileName, fileName)) return i;
    return -1;
}

}  // namespace dorvana
