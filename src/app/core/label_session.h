#pragma once
// The label table session: everything the main window does that is not
// drawing. It holds the three data modes (a label file, a foreign table, a
// query result), opens and creates label files, keeps the field description
// lines and the grid columns, the recent-files list and the saved state, and
// tells its views what changed by signals. The window (TMainForm) is a thin
// view over it; tests drive it without a window.

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

#include "app/core/image_window_settings.h"
#include "app/core/recent_files.h"
#include "app/core/settings_store.h"
#include "base/progress.h"
#include "data/data_set.h"
#include "data/grid_column.h"
#include "data/query.h"

namespace dorvana {

class Messages;

// What the query builder hands back.
struct QueryRequest {
    QStringList lines;     // the statement
    bool editedByHand = false;
    QStringList tables;    // the tables used (directories or file paths), first one first
};

// What the print bar keeps between runs (the printing flow fills it in).
struct PrintBarState {
    QString templateName;
    QString component;  // "Sestava1" reports, "Sestava2" labels
    bool oneRecord = false;
};

class LabelSession : public QObject {
    Q_OBJECT
public:
    static constexpr const char16_t* kNoFile = u"NIL";

    // startDir: the directory templates and the printer settings file live
    // in; data (startDir/data) and save (startDir/save) are created if
    // missing. settingsPath: the program's settings file.
    LabelSession(const QString& startDir, const QString& settingsPath, Messages& messages,
                 QObject* parent = nullptr);
    ~LabelSession() override;

    // $XDG_CONFIG_HOME/dorvana/dorvana.ini (~/.config when unset).
    static QString defaultSettingsPath();

    const QString& startDir() const { return startDir_; }
    const QString& dataDir() const { return dataDir_; }
    const QString& saveDir() const { return saveDir_; }
    const QString& settingsPath() const { return settingsPath_; }

    // --- state
    bool externalMode() const { return external_; }
    bool queryMode() const { return queryMode_; }
    // "F" a file, "T" a query.
    const QString& modeMark() const { return modeMark_; }
    const QString& tablePath() const { return tablePath_; }
    // The window caption and the stored title text ("NIL" when no label file is loaded).
    const QString& caption() const { return caption_; }
    const QString& titleText() const { return titleText_; }
    bool labelFileLoaded() const { return !external_ && titleText_ != QStringView(kNoFile); }
    // The data set the grid and the navigator show (null without one).
    DataSet* dataSet() const;
    DataSet* labelTable() const { return labelTable_.get(); }
    DataSet* externalTable() const { return externalTable_.get(); }
    Query* query() const { return query_.get(); }
    // "calc" in label-file mode, "Calc" otherwise.
    QString keyField() const;
    bool markingEnabled() const { return marking_; }
    bool imageEditEnabled() const { return imageEdit_; }
    bool noteEditEnabled() const { return noteEdit_; }
    // "Pozice etikety": shown when a column is bound to a field named COPY.
    bool copyPositionVisible() const;
    const QStringList& descriptionLines() const { return lines_; }
    // At most 15 lines are kept.
    void setDescriptionLines(const QStringList& lines);
    const GridColumns& columns() const { return columns_; }
    // Columns as the user left them in the grid (widths) replace the session's.
    void setColumns(const GridColumns& columns) { columns_ = columns; }
    // Where a query the session runs (the builder's, the one restored at
    // start) reports and learns that the user cancelled it: the window gives
    // a progress window with "Přeruš", tests a stub. Unset: nothing cancels.
    void setProgressSource(std::function<std::unique_ptr<Progress>()> source) {
        progressSource_ = std::move(source);
    }
    // Asked for the grid's columns before they are stored.
    void setColumnsProvider(std::function<GridColumns()> provider) { columnsProvider_ = std::move(provider); }
    const RecentFiles& recentFiles() const { return recent_; }
    PrintBarState& printBar() { return printBar_; }
    // The window placement as the window writes it ("x,y,w,h,maximized").
    QString windowPlacement() const { return placement_; }
    void setWindowPlacement(const QString& p) { placement_ = p; }
    // The image window's zoom, fit style and background, kept with the settings.
    ImageWindowSettings& imageWindowSettings() { return imageSettings_; }
    const QString& queryDatabase() const { return queryDatabase_; }
    // The files of the label file and the foreign table open now (with their
    // memo, blob and journal files): nothing may create a table over them.
    QStringList openTableFiles() const;
    const QStringList& queryLines() const { return queryLines_; }

    // --- operations (each failure is told through Messages; false then)
    // Reads the settings and restores the saved state; runs once per session.
    bool restore();
    // Opens a file: kind 1 a label file (one that is not opens as a foreign
    // table), any other kind a foreign table.
    bool openFile(int kind, const QString& path);
    // Reopens a recent entry ("path;kind").
    bool openRecent(const QString& entry);
    // (Re)builds and opens the external data set over the current table path
    // or the query.
    bool UpravExt();
    // Applies the description lines to the columns (label-file mode).
    void dopfields();
    // Applies the lines and writes the current label file's layout file.
    bool PPOKClick();
    // Creates a label file at path (asking "Soubor existuje - bude zrušen"
    // when it exists) and opens it with the single description line "Číslo".
    bool createLabelFile(const QString& path);
    // Creates a label table on a server (uri names the server and the table)
    // and opens it like a new label file. An existing table is refused and
    // left as it is.
    bool createServerTable(const QString& uri);
    // Runs a query from the builder as the data source.
    bool openQuery(const QueryRequest& request);
    // Around the backup dialog (a restore may replace the files shown): the
    // label table or the foreign table is closed, and opened again over the
    // same path afterwards. A table that no longer opens leaves the window
    // without a file, with the table engine's message.
    void closeTablesForRestore();
    bool reopenTablesAfterRestore();
    // Writes the program's settings (beeps).
    bool saveSettings();
    // The close request: asks "Ukončit program"; on Yes deletes the default
    // printer settings file, closes the tables and writes the settings.
    bool closeRequested();

signals:
    // The data set, the columns or the marking changed: views rebind.
    void dataSetChanged();
    void columnsChanged();
    void captionChanged(const QString& caption);
    void recentFilesChanged();
    void commandsChanged();
    // The marks of the grid are to be cleared.
    void marksCleared();
    // The description panel is to be shown with these lines (a new label file).
    void descriptionPanelRequested();
    // The saved state has been restored (the print bar takes its part).
    void restored();

private:
    bool openLabelFile(const QString& path);
    // Shows a label table just created at path (a file or a server table).
    void adoptNewLabelTable(const QString& path, std::unique_ptr<DataSet> table);
    // Runs the query under a progress from the progress source.
    bool runQuery(Query& query, QString* error);
    bool openExternal(const QString& path, bool fromQuery);
    void setCaption(const QString& text);
    void readLayoutFile();
    bool writeLayoutFile();
    void pullColumns();
    void readState(const IniFile& ini);
    void writeState(IniFile& ini);

    Messages& messages_;
    QString startDir_, dataDir_, saveDir_, settingsPath_;
    SettingsStore settings_;
    bool restored_ = false;

    bool external_ = false;
    bool queryMode_ = false;
    bool marking_ = true;
    bool imageEdit_ = false;
    bool noteEdit_ = false;
    QString modeMark_ = QStringLiteral("F");
    QString tablePath_;
    QString caption_ = QStringLiteral("Dorvana ");
    QString titleText_ = QString::fromUtf16(kNoFile);
    QString externalSource_ = QStringLiteral("ETable");
    QString placement_;
    QString queryDatabase_;
    QStringList queryLines_;
    QStringList lines_;
    GridColumns columns_;
    std::function<GridColumns()> columnsProvider_;
    std::function<std::unique_ptr<Progress>()> progressSource_;
    RecentFiles recent_;
    PrintBarState printBar_;
    ImageWindowSettings imageSettings_;
    bool closedForRestore_ = false;

    std::unique_ptr<DataSet> labelTable_;
    std::unique_ptr<DataSet> externalTable_;
    std::unique_ptr<Query> query_;
};

}  // namespace dorvana
