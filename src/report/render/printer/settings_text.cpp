#include "report/render/printer/settings_text.h"

#include <QDir>
#include <QFileInfo>

#include "base/text_file.h"

namespace dorvana {
namespace {

constexpr int kBytesPerLine = 16;

// The integer in characters 9-18 of a line (blanks around it allowed), or def.
int numberField(const QStringList& lines, int index, int def) {
    if (index >= lines.size()) return def;
    bool ok = false;
    const int v = QStringView(lines[index]).mid(8, 10).trimmed().toInt(&ok);
    return ok ? v : def;
}

int hexDigit(QChar c) {
    if (c >= u'0' && c <= u'9') return c.unicode() - '0';
    if (c >= u'A' && c <= u'F') return c.unicode() - 'A' + 10;
    if (c >= u'a' && c <= u'f') return c.unicode() - 'a' + 10;
    return -1;
}

// One value of a bytes line: one or two hexadecimal digits, else 0.
char hexValue(QStringView text) {
    int v = 0;
    for (QChar c : text) {
        const int d = hexDigit(c);
        if (d < 0) return 0;
        v = v * 16 + d;
    }
    return char(v);
}

}  // namespace

QStringList WriteSettingsText(const DeviceSettings& record, SystemFamily system) {
    QStringList lines;
    lines << (system == SystemFamily::NT ? QStringLiteral("System = NT")
                                         : QStringLiteral("System = 9x"));
    lines << QStringLiteral("Delka = %1").arg(record.paperLength);
    lines << QStringLiteral("Kopie = %1").arg(record.copies);
    lines << QStringLiteral("Papir = %1").arg(record.paperSize);
    lines << (record.orientation == DeviceSettings::kPortrait
                  ? QStringLiteral("Orientace = Na vysku")
                  : QStringLiteral("Orientace = Na sirku"));
    static const char kHex[] = "0123456789ABCDEF";
    const QByteArray& bytes = record.privateBytes;
    for (qsizetype start = 0; start < bytes.size(); start += kBytesPerLine) {
        QString line = QStringLiteral("Line%1 = ").arg(start / kBytesPerLine + 1);
        const qsizetype end = std::min(bytes.size(), start + kBytesPerLine);
        for (qsizetype i = start; i < end; ++i) {
            const auto b = static_cast<unsigned char>(bytes[i]);
            line += QChar(kHex[b >> 4]);
            line += QChar(kHex[b & 15]);
            line += u' ';
        }
        lines << line;
    }
    return lines;
}

bool ApplySettingsText(const QStringList& lines, DeviceSettings& record, SystemFamily running) {
    if (lines.isEmpty() || !lines[0].startsWith(u"System")) return false;
    const bool ntText = QStringView(lines[0]).mid(9, 2) == u"NT";
    record.paperLength = numberField(lines, 1, 300);
    record.copies = numberField(lines, 2, 1);
    record.paperSize = numberField(lines, 3, 1024);
    const bool upright = lines.size() > 4 && QStringView(lines[4]).mid(15, 5) == u"vysku";
    record.orientation = upright ? DeviceSettings::kPortrait : DeviceSettings::kLandscape;

    if (ntText != (running == SystemFamily::NT)) return true;  // another family's driver bytes
    qsizetype at = 0;
    const qsizetype size = record.privateBytes.size();
    for (qsizetype l = 5; l < lines.size() && at < size; ++l) {
        const qsizetype eq = lines[l].indexOf(u'=');
        if (eq < 0) continue;  // not a bytes line
        const QStringView values = QStringView(lines[l]).mid(eq + 2, 50);
        for (qsizetype i = 0; i < values.size() && at < size; i += 3)
            record.privateBytes[at++] = hexValue(values.mid(i, 2));
    }
    return true;
}

QString defaultPrinterFilePath() {
    return QDir::current().filePath(QString::fromUtf16(kDefaultPrinterFileName));
}

bool writeSettingsFile(const QString& path, const DeviceSettings& record, QString* error) {
    return writeTextLines(path, WriteSettingsText(record), error);
}

bool applySettingsFile(const QString& path, DeviceSettings& record) {
    if (!QFileInfo(path).isFile()) return false;
    QStringList lines;
    if (!readTextLines(path, &lines)) return false;
    return ApplySettingsText(lines, record);
}

}  // namespace dorvana
