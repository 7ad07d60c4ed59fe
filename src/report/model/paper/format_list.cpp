#include "report/model/paper/format_list.h"

#include "base/ini_file.h"

namespace dorvana {
namespace {

constexpr char16_t kSection[] = u"FormatyPapiru";
constexpr char16_t kCountKey[] = u"PocetFormatu";

// Kept in the same text form as stored user formats; the inch marks belong
// to the names.
constexpr const char16_t* kBuiltInTexts[kBuiltInFormatCount] = {
    u"Skládaný (8.5 x 12\"),850,1200",     u"Skládaný (15 x 12\"),1500,1200",
    u"Letter (8.5 x 11\"),850,1100",       u"Legal (8.5 x 14\"),850,1400",
    u"Executive (7.25 x 10.5\"),725,1050", u"A2 (420 x 594 mm),1652,2338",
    u"A3 (297 x 420 mm),1169,1652",        u"A4 (210 x 297 mm),826,1169",
    u"A5 (148.5 x 210 mm),584,826",        u"A6 (105 x 148.5mm),413,584",
    u"B5 (182 x 257 mm),716,1011",         u"Obálka (162 x 114 mm),637,433",
    u"Obálka (220 x 110 mm),866,433",      u"Obálka (228 x 162 mm),896,637",
    u"Obálka otoč.(114 x 162 mm),433,637", u"Obálka otoč.(110 x 220 mm),433,866",
    u"Obálka otoč.(162 x 228 mm),637,896",
};

QString formatKey(int i) {
    return QStringLiteral("Format%1").arg(i);
}

}  // namespace

QStringList TListFormatu::names() const {
    QStringList out;
    out.reserve(items_.size());
    for (const TFormatPapiru& f : items_) out.append(f.name);
    return out;
}

int TListFormatu::append(const TFormatPapiru& format) {
    items_.append(format);
    return count() - 1;
}

bool TListFormatu::removeAt(int index) {
    if (index < kBuiltInFormatCount || index >= count()) return false;
    items_.removeAt(index);
    return true;
}

QList<TFormatPapiru> builtInFormats() {
    QList<TFormatPapiru> out;
    for (const char16_t* text : kBuiltInTexts) out.append(readFormatText(QStringView(text)));
    return out;
}

void LoadFormats(TListFormatu& list, const QString& iniPath) {
    list.clear();
    for (const TFormatPapiru& f : builtInFormats()) list.append(f);
    IniFile ini;
    if (!ini.load(iniPath)) return;
    bool ok = false;
    int n = ini.value(kSection, kCountKey).toInt(&ok);
    if (!ok || n < 0) n = 0;
    n = std::min(n, kMaxUserFormats);
    for (int i = 1; i <= n; ++i) {
        const QString text =
            ini.value(kSection, formatKey(i), QString::fromUtf16(kMissingUserFormat));
        list.append(readFormatText(text));
    }
}

bool SaveFormats(const TListFormatu& list, const QString& iniPath, QString* error) {
    IniFile ini;
    if (!ini.load(iniPath, error)) return false;  // never overwrite a file we could not read
    const int n = std::max(0, list.count() - kBuiltInFormatCount);
    ini.setValue(kSection, kCountKey, QString::number(n));
    for (int i = 1; i <= n; ++i)
        ini.setValue(kSection, formatKey(i), formatText(list.at(kBuiltInFormatCount - 1 + i)));
    return ini.save(error);
}

bool sizeMatches(int formatSize, int size) {
    // Exact integer form of f * 0.99 <= s <= f * 1.01.
    const qint64 f = formatSize, s = size;
    return f * 99 <= s * 100 && s * 100 <= f * 101;
}

int FindFormat(TListFormatu& list, int width, int height) {
    for (int i = 0; i < list.count(); ++i) {
        const TFormatPapiru& f = list.at(i);
        if (sizeMatches(f.width, width) && sizeMatches(f.height, height)) return i;
    }
    return list.append({QString::fromUtf16(kAppendedFormatName), width, height});
}

}  // namespace dorvana
