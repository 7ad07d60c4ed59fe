#pragma once
// The printers a template chooses (its I,8 lines), matched against the
// installed printers. While a template is in use its printers' settings are
// written into the system profile (the per-user Win.ini) and the first
// installed one is selected; afterwards the settings found there before and
// the previously selected printer come back.
//
// A printer's setting lines are of one of two kinds: a settings text (first
// line "System ..."), which describes the device settings record and goes to
// the printer when printing, or key=value lines of the printer's profile
// section (such as Bcodeintrp=1), which go into the profile.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "report/model/report_model.h"
#include "report/render/printer/printer.h"

namespace dorvana {

// "name on port" of an installed printer ("name" without a port).
QString printerFullName(const PrinterEntry& entry);
// A full name cut before its first " on ".
QString printerBaseName(const QString& fullName);
// Whether setting lines are a settings text (rather than profile lines).
bool isSettingsText(const QStringList& lines);

class TemplatePrinters {
public:
    // The list is the report model's; it must outlive this object.
    TemplatePrinters(Printer& printer, QList<TPolTisk>& printers, QString profilePath);
    ~TemplatePrinters();
    TemplatePrinters(const TemplatePrinters&) = delete;
    TemplatePrinters& operator=(const TemplatePrinters&) = delete;

    // Matches every chosen printer with the installed printer whose full name,
    // cut before " on ", is exactly its name; takes the settings the profile
    // holds for an installed one as its found settings. The first installed
    // one becomes the template printer. The printer selected now becomes the
    // previous printer.
    void resolve();

    // Resolves, applies the template's settings and reads Bcodeintrp=; then,
    // for a thermal printer, gives text elements set in its device fonts the
    // device character set. Called once the template has been read.
    void load(ReportModel& model);

    bool isEmpty() const { return printers_.isEmpty(); }
    const QList<TPolTisk>& printers() const { return printers_; }
    // Index into the list of the template printer; -1 when none is installed.
    int templatePrinter() const { return templatePrinter_; }
    void setTemplatePrinter(int listIndex) { templatePrinter_ = listIndex; }
    int previousPrinter() const { return previousPrinter_; }
    void setPreviousPrinter(int printerIndex) { previousPrinter_ = printerIndex; }

    // The chosen printer that is installed printer printerIndex; -1 when none.
    int findInstalled(int printerIndex) const;
    // The installed printer's index of a chosen printer; -1 when not installed.
    int installedIndex(int listIndex) const;

    // The settings to print a chosen printer with: the template's stored
    // settings, or its found settings when the template stores none.
    QStringList printSettings(int listIndex) const;
    // Keeps a settings text read back from the printer as the template's
    // settings of a chosen printer. Stored profile lines (Bcodeintrp=...) are
    // not replaced by it: they would be lost with the template.
    void storeSettings(int listIndex, const QStringList& settingsText);

    // Settings the user confirmed for a printer (the print dialog's
    // "&Vlastnosti..."): the printer's settings for the rest of the template's
    // use, also where the template keeps none of its own. By device name.
    void keepConfirmed(const DeviceSettings& record) { confirmed_.insert(record.deviceName, record); }
    std::optional<DeviceSettings> confirmed(const QString& deviceName) const {
        const auto it = confirmed_.constFind(deviceName);
        return it == confirmed_.constEnd() ? std::nullopt : std::optional<DeviceSettings>(*it);
    }

    // Writes the template's settings (apply) or the found ones (restore) of
    // every installed chosen printer into the profile; apply then selects
    // the template printer and tells whether it is a thermal printer, restore
    // selects the previous printer. Nothing happens when the template chooses
    // no printers. False with the reason when the profile cannot be written
    // (the printers are selected all the same).
    bool apply(QString* error = nullptr);
    bool restore(QString* error = nullptr);
    // Whether the template's settings are written into the profile now.
    bool active() const { return active_; }

    // The window that uses the template lost or regained the focus. Losing it
    // puts the found settings back unless a progress window is up (then the
    // following activation changes nothing either); regaining it writes the
    // template's settings again.
    void windowDeactivated(bool progressWindowShown);
    void windowActivated();
    // The window is going: no more re-applying.
    void stopReapplying() { stopped_ = true; }

    bool thermal() const { return thermal_; }
    const QStringList& deviceFonts() const { return deviceFonts_; }
    // From Bcodeintrp= of the template printer; true without that setting.
    bool barcodeByPrinter() const { return barcodeByPrinter_; }

    // The message for printing on a printer the template does not choose;
    // it names the first chosen printer.
    QString wrongPrinterMessage() const;

private:
    bool write(bool applying, QString* error);
    void readBarcodeSetting();

    Printer& printer_;
    QList<TPolTisk>& printers_;
    QString profilePath_;
    int templatePrinter_ = -1;
    int previousPrinter_ = -1;
    bool active_ = false;
    bool stopped_ = false;
    bool skipActivation_ = false;
    bool thermal_ = false;
    QStringList deviceFonts_;
    bool barcodeByPrinter_ = true;
    QHash<QString, DeviceSettings> confirmed_;
};

}  // namespace dorvana
