#include "app/core/label_session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/core/backup_restore.h"
#include "app/core/field_descriptions.h"
#include "app/core/label_columns.h"
#include "app/core/layout_io.h"
#include "app/core/sql_from_rewrite.h"
#include "base/messages.h"
#include "base/names.h"
#include "data/label_file.h"
#include "data/pg_table.h"
#include "data/table_open.h"

namespace dorvana {

namespace {

const QString kFileCaption = QStringLiteral("Dorvana soubor : ");
const QString kNoFileCaption = QStringLiteral("Dorvana  !!! Není soubor !!!");

constexpr char16_t kWindow[] = u"Okno";
constexpr char16_t kFile[] = u"Soubor";
constexpr char16_t kRecent[] = u"Posledni";
constexpr char16_t kQuery[] = u"Dotaz";
constexpr char16_t kPrint[] = u"Tisk";

QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

}  // namespace

LabelSession::LabelSession(const QString& startDir, const QString& settingsPath, Messages& messages,
                           QObject* parent)
    : QObject(parent),
      messages_(messages),
      startDir_(QDir(startDir).absolutePath()),
      dataDir_(QDir(startDir_).filePath(QStringLiteral("data"))),
      saveDir_(QDir(startDir_).filePath(QStringLiteral("save"))),
      settingsPath_(settingsPath),
      query_(std::make_unique<Query>()) {
    // A failure to create them shows later, when a file is opened there.
    QDir().mkpath(dataDir_);
    QDir().mkpath(saveDir_);
    // What a restore stopped by a kill left behind.
    removeRestoreLeftovers({dataDir_, startDir_});
    columns_ = defaultLabelColumns();
}

LabelSession::~LabelSession() = default;

QString LabelSession::defaultSettingsPath() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) base = QDir::home().filePath(QStringLiteral(".config"));
    return QDir(base).filePath(QStringLiteral("dorvana/dorvana.ini"));
}

DataSet* LabelSession::dataSet() const {
    if (!external_) return labelTable_.get();
    if (queryMode_) return query_->dataSet();
    return externalTable_.get();
}

QStringList LabelSession::openTableFiles() const {
    QStringList out;
    for (const DataSet* ds : {labelTable_.get(), externalTable_.get()})
        if (ds && ds->store() && !ds->store()->filePath().isEmpty())
            out << ds->store()->filePath() << ds->store()->companionFiles();
    return out;
}

QString LabelSession::keyField() const {
    return external_ ? QStringLiteral("Calc") : QStringLiteral("calc");
}

bool LabelSession::copyPositionVisible() const {
    for (const GridColumn& c : columns_)
        if (sameName(c.fieldName, QLatin1String("COPY"))) return true;
    return false;
}

void LabelSession::setDescriptionLines(const QStringList& lines) {
    lines_ = limitDescriptionLines(lines);
}

void LabelSession::setCaption(const QString& text) {
    caption_ = text;
    titleText_ = text;
    emit captionChanged(caption_);
}

void LabelSession::pullColumns() {
    if (columnsProvider_) {
        const GridColumns shown = columnsProvider_();
        if (shown.size() == columns_.size()) columns_ = shown;
    }
}

// ------------------------------------------------------------ opening

bool LabelSession::openLabelFile(const QString& path) {
    QString err;
    auto ds = openLabelDataSet(path, &err, RowCounting::Estimated);
    if (!ds) return false;
    labelTable_ = std::move(ds);
    return true;
}

bool LabelSession::openExternal(const QString& path, bool fromQuery) {
    Q_UNUSED(fromQuery)
    QString err;
    auto ds = openForeignTable(path, &err);
    if (!ds) {
        messages_.error(err);
        return false;
    }
    externalTable_ = std::move(ds);
    return true;
}

bool LabelSession::openFile(int kind, const QString& path) {
    // The new table is opened before anything changes, so a file that cannot
    // be opened leaves the current table, mode and marks as they were.
    std::unique_ptr<DataSet> label;
    std::unique_ptr<DataSet> foreign;
    QString err;
    if (kind == 1) {
        label = openLabelDataSet(path, &err, RowCounting::Estimated);
        if (!label && isServerTableUri(path)) {
            messages_.error(err);
            return false;
        }
        if (!label) kind = 2;  // not a label file: shown as a foreign table
    }
    if (kind != 1) {
        foreign = openForeignTable(path, &err);
        if (!foreign) {
            messages_.error(err);
            return false;
        }
    }
    pullColumns();
    marking_ = true;
    queryMode_ = false;
    modeMark_ = QStringLiteral("F");
    externalSource_ = QStringLiteral("ETable");
    emit marksCleared();
    tablePath_ = path;
    query_->close();

    if (kind == 1) {
        external_ = false;
        externalTable_.reset();
        labelTable_ = std::move(label);
        recent_.add(path, 1);
        setCaption(kFileCaption + tableDisplayName(path));
        if (!areLabelColumns(columns_)) columns_ = defaultLabelColumns();
        readLayoutFile();
        emit dataSetChanged();
        PPOKClick();
        saveSettings();
    } else {
        labelTable_.reset();
        external_ = true;
        externalTable_ = std::move(foreign);
        recent_.add(path, 2);
        setCaption(kFileCaption + tableDisplayName(path));
        imageEdit_ = true;
        noteEdit_ = false;
        columns_ = columnsOfDataSet(*externalTable_);
        emit dataSetChanged();
        emit columnsChanged();
    }
    emit commandsChanged();
    emit recentFilesChanged();
    return true;
}

bool LabelSession::openRecent(const QString& entry) {
    return openFile(RecentFiles::kindOf(entry), RecentFiles::pathOf(entry));
}

bool LabelSession::UpravExt() {
    external_ = true;
    if (!queryMode_) {
        if (!openExternal(tablePath_, false)) return false;
        setCaption(kFileCaption + tableDisplayName(tablePath_));
    } else {
        setCaption(kFileCaption + QStringLiteral("SQL"));
    }
    emit dataSetChanged();
    return true;
}

// ------------------------------------------------------------ descriptions and layout

void LabelSession::dopfields() {
    if (external_) return;
    pullColumns();
    const DescriptionEffects fx = applyDescriptionLines(columns_, lines_, labelTable_.get());
    imageEdit_ = fx.imageEdit;
    noteEdit_ = fx.noteEdit;
    emit columnsChanged();
    emit commandsChanged();
}

void LabelSession::readLayoutFile() {
    SettingsStore store;
    store.load(layoutFilePath(dataDir_, tablePath_));
    const QStringList lines = readDescriptionLines(store.ini());
    if (!lines.isEmpty()) lines_ = limitDescriptionLines(lines);
    // The very first label file (no lines yet from anywhere) shows every field under its row name.
    if (lines_.isEmpty()) lines_ = descriptionRowNames();
    const GridColumns cols = readGridColumns(store.ini());
    if (areLabelColumns(cols)) columns_ = cols;
}

bool LabelSession::writeLayoutFile() {
    SettingsStore store;
    store.load(layoutFilePath(dataDir_, tablePath_));
    // Only the two lists live in a layout file.
    IniFile& ini = store.ini();
    for (const QString& s : ini.sections()) ini.removeSection(s);
    writeDescriptionLines(ini, lines_);
    writeGridColumns(ini, columns_);
    messages_.beep();
    return store.save(messages_);
}

bool LabelSession::PPOKClick() {
    if (external_) return false;
    dopfields();
    if (!labelFileLoaded() || tablePath_.isEmpty()) return true;
    return writeLayoutFile();
}

// ------------------------------------------------------------ creating

bool LabelSession::createLabelFile(const QString& path) {
    if (QFileInfo::exists(path) &&
        !messages_.confirmQuestion(QStringLiteral("Soubor existuje - bude zrušen")))
        return false;
    pullColumns();
    // The file may be the one shown now.
    if (labelTable_ && labelTable_->store() &&
        QFileInfo(labelTable_->store()->filePath()) == QFileInfo(path))
        labelTable_.reset();
    QString err;
    if (!dorvana::createLabelFile(path, &err)) {
        messages_.error(err);
        return false;
    }
    auto ds = openLabelDataSet(path, &err);
    if (!ds) {
        messages_.error(err);
        return false;
    }
    adoptNewLabelTable(path, std::move(ds));
    return true;
}

bool LabelSession::createServerTable(const QString& uri) {
    PgTarget target;
    QString err;
    bool exists = false;
    if (!parseServerTableUri(uri, &target, &err) || !serverTableExists(target, &exists, &err)) {
        messages_.error(err);
        return false;
    }
    if (exists) {
        messages_.error(QStringLiteral("Server %1, tabulka %2: tabulka už existuje, zvolte jiné jméno")
                            .arg(target.serverName, target.table));
        return false;
    }
    pullColumns();
    if (!createServerLabelTable(target, false, &err)) {
        messages_.error(err);
        return false;
    }
    auto ds = openLabelDataSet(target.uri, &err);
    if (!ds) {
        messages_.error(err);
        return false;
    }
    adoptNewLabelTable(target.uri, std::move(ds));
    recent_.add(target.uri, 1);
    emit recentFilesChanged();
    return true;
}

void LabelSession::adoptNewLabelTable(const QString& path, std::unique_ptr<DataSet> ds) {
    if (external_) columns_ = defaultLabelColumns();
    tablePath_ = path;
    lines_ = {QStringLiteral("Číslo")};
    setCaption(kFileCaption + tableDisplayName(path));
    labelTable_ = std::move(ds);
    externalTable_.reset();
    query_->close();
    external_ = false;
    queryMode_ = false;
    modeMark_ = QStringLiteral("F");
    marking_ = true;
    emit marksCleared();
    emit dataSetChanged();
    emit descriptionPanelRequested();
    dopfields();
}

// ------------------------------------------------------------ query mode

bool LabelSession::runQuery(Query& query, QString* error) {
    std::unique_ptr<Progress> progress = progressSource_ ? progressSource_() : nullptr;
    query.setProgress(progress.get());
    const bool ok = query.open(error);
    query.setProgress(nullptr);
    return ok;
}

bool LabelSession::openQuery(const QueryRequest& request) {
    auto q = std::make_unique<Query>();
    QStringList lines = request.lines;
    const QString base = request.tables.value(0);
    if (request.editedByHand)
        lines = rewriteFromLines(lines, request.tables);
    if (!base.isEmpty()) q->setDatabase(tableDirectory(base));
    q->setSql(lines);
    QString err;
    if (!runQuery(*q, &err)) {
        messages_.error(err);
        return false;
    }
    pullColumns();
    query_ = std::move(q);
    queryDatabase_ = query_->database();
    queryLines_ = lines;
    labelTable_.reset();
    externalTable_.reset();
    externalSource_ = QStringLiteral("Query1");
    queryMode_ = true;
    marking_ = false;
    emit marksCleared();
    UpravExt();
    imageEdit_ = false;
    noteEdit_ = false;
    columns_ = columnsOfDataSet(*query_->dataSet());
    modeMark_ = QStringLiteral("T");
    emit dataSetChanged();
    emit columnsChanged();
    emit commandsChanged();
    return true;
}

// ------------------------------------------------------------ saved state

void LabelSession::readState(const IniFile& ini) {
    placement_ = ini.value(kWindow, u"Umisteni");
    titleText_ = ini.value(kWindow, u"Titulek", QString::fromUtf16(kNoFile));
    tablePath_ = ini.value(kFile, u"Cesta");
    external_ = ini.value(kFile, u"Externi") == u"1";
    modeMark_ = ini.value(kFile, u"Rezim", QStringLiteral("F")) == u"T" ? QStringLiteral("T")
                                                                      : QStringLiteral("F");
    imageEdit_ = ini.value(kFile, u"EditaceObrazku") == u"1";
    noteEdit_ = ini.value(kFile, u"EditacePoznamky") == u"1";
    externalSource_ = ini.value(kFile, u"ExterniZdroj", QStringLiteral("ETable"));
    QStringList recent;
    const int n = std::clamp(ini.value(kRecent, u"Pocet").toInt(), 0, RecentFiles::kMaxEntries);
    for (int k = 1; k <= n; ++k) recent << ini.value(kRecent, QStringLiteral("Soubor%1").arg(k));
    recent.removeAll(QString());
    recent_.setEntries(recent);
    queryDatabase_ = ini.value(kQuery, u"Databaze");
    queryLines_.clear();
    const int lines = std::clamp(ini.value(kQuery, u"Pocet").toInt(), 0, 10000);
    for (int k = 1; k <= lines; ++k) queryLines_ << ini.value(kQuery, QStringLiteral("Radek%1").arg(k));
    printBar_.templateName = ini.value(kPrint, u"Predloha");
    printBar_.component = ini.value(kPrint, u"Komponenta");
    printBar_.oneRecord = ini.value(kPrint, u"JedenZaznam") == u"1";
    imageSettings_ = readImageWindowSettings(ini);
    lines_ = limitDescriptionLines(readDescriptionLines(ini));
    if (lines_.isEmpty()) lines_ = descriptionRowNames();  // first run: every field shown
    const GridColumns cols = readGridColumns(ini);
    if (!cols.isEmpty()) columns_ = cols;
}

void LabelSession::writeState(IniFile& ini) {
    ini.setValue(kWindow, u"Umisteni", placement_);
    ini.setValue(kWindow, u"Titulek", titleText_);
    ini.setValue(kFile, u"Cesta", tablePath_);
    ini.setValue(kFile, u"Externi", flag(external_ && !queryMode_));
    ini.setValue(kFile, u"Rezim", modeMark_);
    ini.setValue(kFile, u"EditaceObrazku", flag(imageEdit_));
    ini.setValue(kFile, u"EditacePoznamky", flag(noteEdit_));
    ini.setValue(kFile, u"ExterniZdroj", externalSource_);
    ini.removeSection(kRecent);
    ini.setValue(kRecent, u"Pocet", QString::number(recent_.entries().size()));
    for (int k = 0; k < recent_.entries().size(); ++k)
        ini.setValue(kRecent, QStringLiteral("Soubor%1").arg(k + 1), recent_.entries()[k]);
    ini.removeSection(kQuery);
    ini.setValue(kQuery, u"Databaze", queryDatabase_);
    ini.setValue(kQuery, u"Pocet", QString::number(queryLines_.size()));
    for (int k = 0; k < queryLines_.size(); ++k)
        ini.setValue(kQuery, QStringLiteral("Radek%1").arg(k + 1), queryLines_[k]);
    ini.setValue(kPrint, u"Predloha", printBar_.templateName);
    ini.setValue(kPrint, u"Komponenta", printBar_.component);
    ini.setValue(kPrint, u"JedenZaznam", flag(printBar_.oneRecord));
    writeImageWindowSettings(ini, imageSettings_);
    writeDescriptionLines(ini, lines_);
    writeGridColumns(ini, columns_);
}

// ------------------------------------------------------------ backup

void LabelSession::closeTablesForRestore() {
    if (queryMode_ || (!labelTable_ && !externalTable_)) return;
    pullColumns();
    labelTable_.reset();
    externalTable_.reset();
    closedForRestore_ = true;
    emit dataSetChanged();
}

bool LabelSession::reopenTablesAfterRestore() {
    if (!closedForRestore_) return true;
    closedForRestore_ = false;
    QString err;
    if (external_) {
        externalTable_ = openForeignTable(tablePath_, &err);
        if (externalTable_ && columnsOfDataSet(*externalTable_).size() != columns_.size()) {
            columns_ = columnsOfDataSet(*externalTable_);
            if (!columns_.isEmpty()) columns_.last().width = 0;
        }
    } else {
        labelTable_ = openLabelDataSet(tablePath_, &err);
    }
    const bool ok = labelTable_ || externalTable_;
    if (!ok) {
        messages_.error(err);
        external_ = false;
        imageEdit_ = noteEdit_ = false;
        caption_ = kNoFileCaption;
        titleText_ = QString::fromUtf16(kNoFile);
        emit captionChanged(caption_);
        emit commandsChanged();
    }
    emit dataSetChanged();
    emit columnsChanged();
    return ok;
}

bool LabelSession::saveSettings() {
    if (!restored_) settings_.load(settingsPath_);
    pullColumns();
    writeState(settings_.ini());
    messages_.beep();
    return settings_.save(messages_);
}

bool LabelSession::restore() {
    if (restored_) return true;
    restored_ = true;
    if (!settings_.load(settingsPath_))
        messages_.warning(QStringLiteral("Soubor nastavení %1 nelze přečíst, začíná se s výchozím "
                                         "nastavením").arg(settingsPath_));
    readState(settings_.ini());
    caption_ = titleText_ == QStringView(kNoFile) ? QStringLiteral("Dorvana ") : titleText_;
    queryMode_ = modeMark_ == u"T";
    bool ok = true;
    if (!queryMode_ && external_) {
        auto ds = openForeignTable(tablePath_, nullptr);
        ok = ds != nullptr;
        if (ok) {
            externalTable_ = std::move(ds);
            setCaption(kFileCaption + tableDisplayName(tablePath_));
            imageEdit_ = true;
            noteEdit_ = false;
            const GridColumns cols = columnsOfDataSet(*externalTable_);
            if (!(columns_.size() == cols.size())) columns_ = cols;
            if (!columns_.isEmpty()) columns_.last().width = 0;
        }
    } else if (!queryMode_) {
        ok = !tablePath_.isEmpty() && openLabelFile(tablePath_);
        if (ok && !areLabelColumns(columns_)) columns_ = defaultLabelColumns();
        // The caption names the file opened, also after a start that found
        // none (whose stored title is "NIL").
        if (ok) setCaption(kFileCaption + tableDisplayName(tablePath_));
    } else {
        auto q = std::make_unique<Query>();
        q->setDatabase(queryDatabase_);
        q->setSql(queryLines_);
        QString err;
        ok = runQuery(*q, &err);
        if (ok) {
            query_ = std::move(q);
            external_ = true;
            marking_ = false;
            imageEdit_ = noteEdit_ = false;
            setCaption(kFileCaption + QStringLiteral("SQL"));
            columns_ = columnsOfDataSet(*query_->dataSet());
        } else if (!queryLines_.isEmpty()) {
            messages_.error(err);
        }
    }
    if (!ok) {
        // The stored table is gone: the window stays usable without a file.
        labelTable_.reset();
        externalTable_.reset();
        external_ = false;
        queryMode_ = false;
        modeMark_ = QStringLiteral("F");
        marking_ = true;
        caption_ = kNoFileCaption;
        titleText_ = QString::fromUtf16(kNoFile);
        emit captionChanged(caption_);
    } else {
        emit captionChanged(caption_);
    }
    emit dataSetChanged();
    emit columnsChanged();
    emit recentFilesChanged();
    emit commandsChanged();
    emit restored();
    return ok;
}

bool LabelSession::closeRequested() {
    if (!messages_.confirmQuestion(QStringLiteral("Ukončit program"))) return false;
    for (const char* name : {"def_printer.drv", "Def_Printer.drv"})
        QFile::remove(QDir(startDir_).filePath(QString::fromLatin1(name)));
    pullColumns();
    if (external_ && !queryMode_ && externalTable_ && externalTable_->store())
        tablePath_ = externalTable_->store()->filePath();
    labelTable_.reset();
    emit dataSetChanged();
    saveSettings();
    return true;
}

}  // namespace dorvana
