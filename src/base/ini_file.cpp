#include "base/ini_file.h"

#include <QFileInfo>

#include "base/text_file.h"

namespace dorvana {
namespace {

bool sameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

void IniFile::parse(const QStringList& lines) {
    sections_.clear();
    sections_.append(Section{});
    for (const QString& raw : lines) {
        const QStringView t = QStringView(raw).trimmed();
        if (t.startsWith(u'[')) {
            const qsizetype close = t.indexOf(u']');
            if (close > 0) {
                sections_.append(Section{t.sliced(1, close - 1).trimmed().toString(), raw, {}});
                continue;
            }
        }
        Line line{raw, {}, {}};
        const qsizetype eq = raw.indexOf(u'=');
        if (eq > 0 && !t.startsWith(u';')) {
            line.key = QStringView(raw).first(eq).trimmed().toString();
            line.value = QStringView(raw).sliced(eq + 1).trimmed().toString();
        }
        sections_.last().lines.append(line);
    }
}

bool IniFile::load(const QString& path, QString* error) {
    path_ = path;
    sections_.clear();
    if (!QFileInfo::exists(path)) return true;
    QStringList lines;
    if (!readTextLines(path, &lines, error)) return false;
    parse(lines);
    return true;
}

QStringList IniFile::lines() const {
    QStringList out;
    for (const Section& s : sections_) {
        if (!s.header.isEmpty()) out.append(s.header);
        for (const Line& l : s.lines) out.append(l.text);
    }
    return out;
}

bool IniFile::save(QString* error) const {
    return writeTextLines(path_, lines(), error);
}

bool IniFile::saveAs(const QString& path, QString* error) {
    path_ = path;
    return save(error);
}

IniFile::Section* IniFile::find(QStringView name) {
    for (Section& s : sections_)
        if (!s.header.isEmpty() && sameName(s.name, name)) return &s;
    return nullptr;
}

const IniFile::Section* IniFile::find(QStringView name) const {
    return const_cast<IniFile*>(this)->find(name);
}

QString IniFile::value(QStringView section, QStringView key, const QString& def) const {
    if (const Section* s = find(section))
        for (const Line& l : s->lines)
            if (!l.key.isEmpty() && sameName(l.key, key)) return l.value;
    return def;
}

bool IniFile::contains(QStringView section, QStringView key) const {
    if (const Section* s = find(section))
        for (const Line& l : s->lines)
            if (!l.key.isEmpty() && sameName(l.key, key)) return true;
    return false;
}

bool IniFile::hasSection(QStringView section) const { return find(section) != nullptr; }

void IniFile::setValue(QStringView section, QStringView key, const QString& value) {
    Section* s = find(section);
    if (!s) {
        if (sections_.isEmpty()) sections_.append(Section{});
        sections_.append(
            Section{section.toString(), QStringLiteral("[%1]").arg(section.toString()), {}});
        s = &sections_.last();
    }
    for (Line& l : s->lines) {
        if (!l.key.isEmpty() && sameName(l.key, key)) {
            l.value = value;
            l.text = l.key + u'=' + value;
            return;
        }
    }
    // New keys go after the last key line, before trailing blank lines.
    qsizetype at = s->lines.size();
    while (at > 0 && s->lines[at - 1].text.trimmed().isEmpty()) --at;
    s->lines.insert(at, Line{key.toString() + u'=' + value, key.toString(), value});
}

void IniFile::removeKey(QStringView section, QStringView key) {
    if (Section* s = find(section))
        s->lines.removeIf([&](const Line& l) { return !l.key.isEmpty() && sameName(l.key, key); });
}

void IniFile::removeSection(QStringView section) {
    sections_.removeIf([&](const Section& s) { return !s.header.isEmpty() && sameName(s.name, section); });
}

QStringList IniFile::sections() const {
    QStringList out;
    for (const Section& s : sections_)
        if (!s.header.isEmpty()) out.append(s.name);
    return out;
}

QList<QPair<QString, QString>> IniFile::entries(QStringView section) const {
    QList<QPair<QString, QString>> out;
    if (const Section* s = find(section))
        for (const Line& l : s->lines)
            if (!l.key.isEmpty()) out.append({l.key, l.value});
    return out;
}

QString readIniValue(const QString& path, QStringView section, QStringView key, const QString& def) {
    IniFile ini;
    if (!ini.load(path)) return def;
    return ini.value(section, key, def);
}

bool writeIniValue(const QString& path, QStringView section, QStringView key, const QString& value,
                   QString* error) {
    IniFile ini;
    if (!ini.load(path, error)) return false;
    ini.setValue(section, key, value);
    return ini.save(error);
}

}  // namespace dorvana
