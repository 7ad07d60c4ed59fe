#pragma once
// Ini files with the semantics of Windows private profile files: [sections]
// and key=value lines, section and key names compared without regard to
// case, values kept as raw text (only surrounding blanks trimmed), a missing
// file, section or key reads as the default. Lines the reader does not
// understand (comments, blank lines, lines without '=') are kept as they stand
// when the file is written again. Windows-1250 text with CR LF.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace dorvana {

class IniFile {
public:
    IniFile() = default;

    // Reads the file; a file that does not exist reads as empty and succeeds.
    bool load(const QString& path, QString* error = nullptr);
    // Writes the file to the path it was loaded from (or last saved to),
    // through a temporary file and a rename.
    bool save(QString* error = nullptr) const;
    bool saveAs(const QString& path, QString* error = nullptr);
    const QString& path() const { return path_; }
    void setPath(const QString& path) { path_ = path; }

    QString value(QStringView section, QStringView key, const QString& def = {}) const;
    bool contains(QStringView section, QStringView key) const;
    bool hasSection(QStringView section) const;

    // Replaces the value of an existing key (keeping its spelling and place)
    // or appends the key to its section, creating the section at the end.
    void setValue(QStringView section, QStringView key, const QString& value);
    void removeKey(QStringView section, QStringView key);
    void removeSection(QStringView section);

    QStringList sections() const;
    // The key=value pairs of a section in file order.
    QList<QPair<QString, QString>> entries(QStringView section) const;

    // The file as text lines, as save() would write them.
    QStringList lines() const;
    void parse(const QStringList& lines);

private:
    struct Line {
        QString text;  // the whole line as read, or as rebuilt after a change
        QString key;   // empty for lines that are not key=value
        QString value;
    };
    struct Section {
        QString name;  // empty for lines before the first section header
        QString header;
        QList<Line> lines;
    };
    Section* find(QStringView name);
    const Section* find(QStringView name) const;

    QString path_;
    QList<Section> sections_;
};

// One-shot helpers in the manner of GetPrivateProfileString / WritePrivateProfileString.
QString readIniValue(const QString& path, QStringView section, QStringView key,
                     const QString& def = {});
bool writeIniValue(const QString& path, QStringView section, QStringView key, const QString& value,
                   QString* error = nullptr);

}  // namespace dorvana
