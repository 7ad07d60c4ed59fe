#include "report/render/printer/system_profile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "base/ini_file.h"

namespace dorvana {

QString defaultSystemProfilePath() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(base).filePath(QStringLiteral("dorvana/win.ini"));
}

QString profileDefaultPrinter(const QString& profilePath) {
    const QString device = readIniValue(profilePath, u"windows", u"device");
    return device.section(u',', 0, 0).trimmed();
}

QStringList printerProfileSettings(const QString& profilePath, const QString& printerName) {
    IniFile ini;
    if (!ini.load(profilePath)) return {};
    for (const QString& section : ini.sections()) {
        if (section.section(u',', 0, 0).compare(printerName, Qt::CaseInsensitive) != 0) continue;
        QStringList lines;
        for (const auto& [key, value] : ini.entries(section)) lines.append(key + u'=' + value);
        return lines;
    }
    return {};
}

bool writePrinterProfileSettings(const QString& profilePath, const QString& section,
                                 const QStringList& lines, QString* error) {
    IniFile ini;
    if (!ini.load(profilePath, error)) return false;  // never overwrite what could not be read
    for (const QString& line : lines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0) continue;
        ini.setValue(section, QStringView(line).first(eq).trimmed(),
                     QStringView(line).sliced(eq + 1).trimmed().toString());
    }
    const QString dir = QFileInfo(profilePath).absolutePath();
    if (!QDir().mkpath(dir)) {
        if (error) *error = QStringLiteral("Složku %1 nelze vytvořit").arg(dir);
        return false;
    }
    return ini.save(error);
}

}  // namespace dorvana
