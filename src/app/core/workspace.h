#pragma once
// Where the program works: the start directory (templates, prototypes,
// sestdll.ini, data/ and save/) and the program's settings file.
//
// Run from a build tree the start directory is the current directory. As an
// installed program (the executable sits in the install prefix's bin folder
// with the program's share folder beside it) it is the per-user folder
// $XDG_DATA_HOME/dorvana (~/.local/share/dorvana), filled on the first start
// with the sample templates and prototypes of the share folder. The settings
// key [Adresare] Pracovni, or --workspace DIR, names another folder (a team's
// shared template folder, for instance).

#include <QString>
#include <QStringList>

namespace dorvana {

struct Workspace {
    QString startDir;
    QString settingsPath;
    // The installed program's share folder ("" from a build tree).
    QString shareDir;
    bool installed() const { return !shareDir.isEmpty(); }
    // No settings file existed yet: nothing was ever opened or stored.
    bool firstStart = false;
    // Files copied from the share folder at this start (names relative to startDir).
    QStringList seeded;
    // What went wrong while preparing the folder ("" when nothing did).
    QString error;
};

struct WorkspaceRequest {
    // The folder of the running executable and the path from it to the
    // program's share folder (as installed: "../share/dorvana").
    QString executableDir;
    QString shareFromExecutable;
    // --workspace DIR ("" when not given).
    QString explicitDir;
    QString currentDir;
    QString settingsPath;
};

// The share folder when the executable runs installed; "" otherwise. It
// counts as installed when the folder exists and holds at least one
// template or prototype.
QString installedShareDir(const QString& executableDir, const QString& shareFromExecutable);

// $XDG_DATA_HOME/dorvana (~/.local/share/dorvana when unset or not absolute).
QString defaultWorkspaceDir();

// The start directory stored in the settings file ("" when none).
QString configuredWorkspaceDir(const QString& settingsPath);
// Stores it (an empty dir removes the key); false with a Czech message.
bool setConfiguredWorkspaceDir(const QString& settingsPath, const QString& dir, QString* error);

// Copies every file below shareDir that startDir lacks; never replaces a
// file that is there. Returns the copied names; on a failure error says which
// file (the rest is still tried).
QStringList seedWorkspace(const QString& shareDir, const QString& startDir, QString* error);

// Decides the start directory: --workspace, then the setting, then (as
// installed) the per-user folder, else the current directory. The per-user
// folder is created and seeded when it does not exist yet or is empty.
Workspace resolveWorkspace(const WorkspaceRequest& request);

}  // namespace dorvana
