#pragma once
// TMainForm: the main window, a thin view over the label table session. It
// carries the menus, the tool bar with the navigator, the print bar's place,
// the marking grid with the description panel floating over it, and the
// status bar with hints and the clock.

#include <QIcon>
#include <QMainWindow>
#include <memory>

#include "app/core/label_session.h"
#include "controls/message_boxes.h"

class QAction;
class QComboBox;
class QCheckBox;
class QLabel;
class QMdiArea;
class QMenu;
class QModelIndex;
class QSpinBox;
class QStackedWidget;
class QTimer;
class QToolBar;
class QToolButton;

namespace dorvana {

class DescriptionPanel;
class NotePanel;
class TDbGridZelvan;
class TDBNavign;
class TZaloha;
class UserGuideWindow;
class VolumeLabels;

// The application's title (the main window's caption names the file shown).
inline constexpr char16_t kApplicationTitle[] = u"Dorvana - Zavrilo";

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // The session is made over startDir and settingsPath; messages: where
    // boxes go (real message boxes when null).
    TMainForm(const QString& startDir, const QString& settingsPath, Messages* messages = nullptr,
              QWidget* parent = nullptr);
    ~TMainForm() override;

    LabelSession& session() { return *session_; }
    TDbGridZelvan* grid() const { return DbG1_; }
    TDBNavign* navigator() const { return navigator_; }
    DescriptionPanel* descriptionPanel() const { return descriptionPanel_; }
    QToolBar* printBar() const { return printBar_; }
    QComboBox* templateList() const { return CBP1_; }
    QMenu* fileMenu() const { return fileMenu_; }
    QLabel* hintPanel() const { return hintPanel_; }
    QLabel* clockPanel() const { return clockPanel_; }
    QAction* action(const QString& objectName) const;
    NotePanel* notePanel() const { return notePanel_; }
    TZaloha* backupDialog() const { return backup_; }
    // Report windows (preview, run window, designer) open in this area as MDI
    // children; it covers the grid while one is open.
    QMdiArea* mdiArea() const { return mdiArea_; }

    // Enables or disables the print bar's four buttons and the whole first tool bar.
    void bary(bool enabled);
    // Opens a file as the "Otevři" command does after its dialog (kind 1..3).
    bool openFile(int kind, const QString& path);

    // Restores the saved state (once; the first show does it).
    void restoreOnce();

    // "Uživatelská příručka" of the Help menu: the guide in its window (a
    // Czech message when the guide is missing). The guide is looked up beside
    // the program unless a path is set here ("" stands for a missing guide).
    void showUserGuide();
    void setUserGuidePath(const QString& path) { userGuidePath_ = path.isNull() ? QStringLiteral("") : path; }
    UserGuideWindow* userGuideWindow() const { return userGuide_; }

signals:
    // The navigator's delete button: the record is to be excluded (the
    // marking files' feature handles it).
    void recordExclusionRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildActions();
    void buildMenus();
    void buildToolBars();
    void buildCentre();
    void buildStatusBar();
    void buildMdiArea();
    void showMdiAreaOrGrid();
    QAction* makeAction(const QString& name, const QString& text, const QString& hint);

    void Otevi1Click();
    // "Databázový server…": a label table on a PostgreSQL server.
    void openServerTable();
    // The same dialog creating a new label table on the server.
    void createServerTable();
    void SQL1Click();
    void Zalo1Click();
    void Konec1Click();
    void jjClick(const QString& entry);
    void Nastaventisku1Click();
    void Kalkulaka1Click();
    void About1Click();
    void SpeedItem8Click();
    void PPOKClick();

    void rebindData();
    void applyColumns();
    void updateCommands();
    void rebuildRecentMenu();
    void tick();
    void placeFloatingPanels();
    void keepFloatingPanelsInside();
    void fitStatusPanels();

    // The record commands (main_form_records.cpp): backup, new tables, the
    // record's picture and note, and the grid's cell shortcuts to them.
    void buildRecordCommands();
    void updateRecordCommands();
    void rebindNotePanel();
    void Archivace1Click();
    void DBDesktop1Click();
    void SpeedItem6Click();
    void SpeedItem7Click();
    void editRecordPicture(const QString& field);
    void showNote(DataSet* dataSet, const QString& field);
    void DbG1SelectCell(int column, int row, bool* accept);
    void DbG1MemoDblClick(const QModelIndex& index);

    MessageBoxes ownMessages_;
    Messages* messages_;
    std::unique_ptr<LabelSession> session_;
    bool restored_ = false;

    QMenu* fileMenu_ = nullptr;
    QList<QAction*> recentActions_;
    QToolBar* mainBar_ = nullptr;
    QToolBar* printBar_ = nullptr;
    TDBNavign* navigator_ = nullptr;
    TDbGridZelvan* DbG1_ = nullptr;
    QWidget* centre_ = nullptr;
    DescriptionPanel* descriptionPanel_ = nullptr;
    QComboBox* CBP1_ = nullptr;
    QCheckBox* oneRecord_ = nullptr;
    QLabel* labelPositionLabel_ = nullptr;
    QSpinBox* labelPosition_ = nullptr;
    QList<QAction*> printButtons_;
    QLabel* hintPanel_ = nullptr;
    QLabel* clockPanel_ = nullptr;
    QTimer* clock_ = nullptr;
    QStackedWidget* centralStack_ = nullptr;
    QMdiArea* mdiArea_ = nullptr;
    QIcon reportWindowIcon_;
    NotePanel* notePanel_ = nullptr;
    TZaloha* backup_ = nullptr;
    UserGuideWindow* userGuide_ = nullptr;
    QString userGuidePath_;  // null: looked up beside the program
    std::unique_ptr<VolumeLabels> volumeLabels_;
};

}  // namespace dorvana
