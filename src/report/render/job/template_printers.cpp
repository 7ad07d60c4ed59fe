#include "report/render/job/template_printers.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "base/ini_file.h"
#include "report/model/template_reader.h"
#include "report/render/job/print_messages.h"
#include "report/render/printer/printer_kind.h"
#include "report/render/printer/system_profile.h"

namespace dorvana {
namespace {

const QString kOn = QStringLiteral(" on ");
constexpr int kMaxNameInMessage = 64;

// The key of a key=value line (blanks around it dropped); empty when none.
QString lineKey(const QString& line) {
    const qsizetype eq = line.indexOf(u'=');
    return eq > 0 ? line.first(eq).trimmed() : QString();
}

QSet<QString> lowerKeys(const QStringList& lines) {
    QSet<QString> keys;
    for (const QString& line : lines) {
        const QString key = lineKey(line);
        if (!key.isEmpty()) keys.insert(key.toLower());
    }
    return keys;
}

// Profile lines of a chosen printer's settings: none for a settings text.
QStringList profileLines(const QStringList& settings) {
    return isSettingsText(settings) ? QStringList() : settings;
}

}  // namespace

QString printerFullName(const PrinterEntry& entry) {
    return entry.port.isEmpty() ? entry.name : entry.name + kOn + entry.port;
}

QString printerBaseName(const QString& fullName) {
    const qsizetype on = fullName.indexOf(kOn);
    return on < 0 ? fullName : fullName.first(on);
}

bool isSettingsText(const QStringList& lines) {
    return !lines.isEmpty() && lines.first().startsWith(u"System");
}

TemplatePrinters::TemplatePrinters(Printer& printer, QList<TPolTisk>& printers, QString profilePath)
    : printer_(printer), printers_(printers), profilePath_(std::move(profilePath)) {}

TemplatePrinters::~TemplatePrinters() = default;

void TemplatePrinters::resolve() {
    previousPrinter_ = printer_.printerIndex();
    templatePrinter_ = -1;
    const QList<PrinterEntry>& installed = printer_.entries();
    for (int i = 0; i < printers_.size(); ++i) {
        TPolTisk& p = printers_[i];
        p.installed = false;
        p.fullName.clear();
        p.systemSettings.clear();
        for (const PrinterEntry& entry : installed) {
            const QString full = printerFullName(entry);
            if (printerBaseName(full) != p.name) continue;
            p.fullName = full;
            p.installed = true;
            p.systemSettings = printerProfileSettings(profilePath_, entry.name);
            if (templatePrinter_ < 0) templatePrinter_ = i;
            break;
        }
    }
}

void TemplatePrinters::load(ReportModel& model) {
    resolve();
    apply();
    readBarcodeSetting();
    if (thermal_ && !deviceFonts_.isEmpty()) adjustDeviceFontCharsets(&model, deviceFonts_);
}

int TemplatePrinters::findInstalled(int printerIndex) const {
    const QList<PrinterEntry>& installed = printer_.entries();
    if (printerIndex < 0 || printerIndex >= installed.size()) return -1;
    const QString full = printerFullName(installed[printerIndex]);
    for (int i = 0; i < printers_.size(); ++i)
        if (printers_[i].installed && printers_[i].fullName == full) return i;
    return -1;
}

int TemplatePrinters::installedIndex(int listIndex) const {
    if (listIndex < 0 || listIndex >= printers_.size() || !printers_[listIndex].installed)
        return -1;
    const QList<PrinterEntry>& installed = printer_.entries();
    for (int i = 0; i < installed.size(); ++i)
        if (printerFullName(installed[i]) == printers_[listIndex].fullName) return i;
    return -1;
}

QStringList TemplatePrinters::printSettings(int listIndex) const {
    if (listIndex < 0 || listIndex >= printers_.size()) return {};
    const TPolTisk& p = printers_[listIndex];
    return p.settings.isEmpty() ? p.systemSettings : p.settings;
}

void TemplatePrinters::storeSettings(int listIndex, const QStringList& settingsText) {
    if (listIndex < 0 || listIndex >= printers_.size()) return;
    TPolTisk& p = printers_[listIndex];
    if (p.settings.isEmpty() || isSettingsText(p.settings)) p.settings = settingsText;
}

bool TemplatePrinters::write(bool applying, QString* error) {
    IniFile ini;
    bool changed = false;
    bool ok = ini.load(profilePath_, error);  // never overwrite a profile that could not be read
    for (int i = 0; ok && i < printers_.size(); ++i) {
        const TPolTisk& p = printers_[i];
        const int index = installedIndex(i);
        if (index < 0) continue;
        const PrinterEntry& entry = printer_.entries()[index];
        const QString section = entry.name + u',' + entry.port;
        const QStringList templateLines = profileLines(p.settings);
        const QStringList lines = applying ? templateLines : p.systemSettings;
        for (const QString& line : lines) {
            const QString key = lineKey(line);
            if (key.isEmpty()) continue;
            ini.setValue(section, key, line.sliced(line.indexOf(u'=') + 1).trimmed());
            changed = true;
        }
        if (applying) continue;
        // Keys the template added were not there before: they go again.
        const QSet<QString> found = lowerKeys(p.systemSettings);
        for (const QString& key : lowerKeys(templateLines)) {
            if (found.contains(key) || !ini.contains(section, key)) continue;
            ini.removeKey(section, key);
            changed = true;
        }
        if (ini.hasSection(section) && ini.entries(section).isEmpty()) ini.removeSection(section);
    }
    if (ok && changed) {
        const QString dir = QFileInfo(profilePath_).absolutePath();
        if (!QDir().mkpath(dir)) {
            if (error) *error = QStringLiteral("Složku %1 nelze vytvořit").arg(dir);
            ok = false;
        } else {
            ok = ini.save(error);
        }
    }
    return ok;
}

bool TemplatePrinters::apply(QString* error) {
    if (printers_.isEmpty()) return true;
    const bool ok = write(true, error);
    active_ = true;
    thermal_ = false;
    deviceFonts_.clear();
    const int index = installedIndex(templatePrinter_);
    if (index >= 0 && printer_.setPrinterIndex(index)) {
        thermal_ = isThermalPrinterDriver(printer_.entries()[index].driverName);
        if (thermal_) deviceFonts_ = printer_.deviceFonts();
    }
    printer_.resetSettings();  // the driver reads the changed settings
    return ok;
}

bool TemplatePrinters::restore(QString* error) {
    if (printers_.isEmpty()) return true;
    const bool ok = write(false, error);
    active_ = false;
    if (previousPrinter_ >= 0 && previousPrinter_ < printer_.count())
        printer_.setPrinterIndex(previousPrinter_);
    printer_.resetSettings();
    return ok;
}

void TemplatePrinters::windowDeactivated(bool progressWindowShown) {
    if (stopped_) return;
    if (progressWindowShown) {
        skipActivation_ = true;
        return;
    }
    if (active_) restore();
}

void TemplatePrinters::windowActivated() {
    if (stopped_) return;
    if (skipActivation_) {
        skipActivation_ = false;
        return;
    }
    if (!active_) apply();
}

void TemplatePrinters::readBarcodeSetting() {
    barcodeByPrinter_ = true;
    if (templatePrinter_ < 0 || templatePrinter_ >= printers_.size()) return;
    const TPolTisk& p = printers_[templatePrinter_];
    // What the profile section holds with the template's settings written in.
    for (const QStringList& lines : {profileLines(p.settings), p.systemSettings}) {
        for (qsizetype i = lines.size() - 1; i >= 0; --i) {
            if (lineKey(lines[i]).compare(u"Bcodeintrp", Qt::CaseInsensitive) != 0) continue;
            const QString value = lines[i].sliced(lines[i].indexOf(u'=') + 1).trimmed();
            barcodeByPrinter_ = value.startsWith(u'1');
            return;
        }
    }
}

QString TemplatePrinters::wrongPrinterMessage() const {
    using namespace print_messages;
    if (printers_.isEmpty()) return {};
    const TPolTisk& first = printers_.first();
    if (!first.installed)
        return kWrongPrinterLead + QStringLiteral("  \" ") + first.name + QStringLiteral(" \"") +
               kNotInstalled + kPleaseInstall;
    const QString name = printerBaseName(first.fullName).left(kMaxNameInMessage);
    return kWrongPrinterLead + QStringLiteral("   \" ") + name + QStringLiteral(" \"") +
           kInstalled + kPleaseSelect;
}

}  // namespace dorvana
