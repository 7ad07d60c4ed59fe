// Where the program works: the build tree's current directory, the installed
// program's per-user folder filled from the share folder, a folder named by
// the setting or on the command line.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/core/workspace.h"
#include "base/ini_file.h"

namespace dorvana {
namespace {

void put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray got(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// A fake installation: root/usr/bin (the executable's folder) and
// root/usr/share/dorvana with the samples; XDG_DATA_HOME inside root.
class WorkspaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root_.isValid());
        bin_ = root_.filePath(QStringLiteral("usr/bin"));
        share_ = root_.filePath(QStringLiteral("usr/share/dorvana"));
        QDir().mkpath(bin_);
        put(share_ + QStringLiteral("/etiketa.pte"), "sample label\r\n");
        put(share_ + QStringLiteral("/cenik.pts"), "sample report\r\n");
        put(share_ + QStringLiteral("/zaklad.PTF"), "sample prototype\r\n");
        oldData_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", root_.filePath(QStringLiteral("home/data")).toUtf8());
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", oldData_); }

    WorkspaceRequest request(const QString& executableDir) const {
        WorkspaceRequest r;
        r.executableDir = executableDir;
        r.shareFromExecutable = QStringLiteral("../share/dorvana");
        r.currentDir = root_.filePath(QStringLiteral("cwd"));
        r.settingsPath = root_.filePath(QStringLiteral("home/config/dorvana/dorvana.ini"));
        return r;
    }
    QString userDir() const { return root_.filePath(QStringLiteral("home/data/dorvana")); }

    QTemporaryDir root_;
    QString bin_, share_;
    QByteArray oldData_;
};

TEST_F(WorkspaceTest, FromTheBuildTreeTheCurrentDirectoryAsBefore) {
    // Next to a build folder's executable there is no share folder with templates.
    const QString buildDir = root_.filePath(QStringLiteral("build/src/app/main"));
    QDir().mkpath(buildDir);
    QDir().mkpath(root_.filePath(QStringLiteral("build/src/app/share/dorvana")));  // empty: not an installation
    const Workspace w = resolveWorkspace(request(buildDir));
    EXPECT_FALSE(w.installed());
    EXPECT_EQ(w.startDir, root_.filePath(QStringLiteral("cwd")));
    EXPECT_TRUE(w.seeded.isEmpty());
    EXPECT_TRUE(w.firstStart);
    EXPECT_FALSE(QFileInfo::exists(userDir()));
}

TEST_F(WorkspaceTest, InstalledTheUserFolderFilledOnceAndNeverOverwritten) {
    Workspace w = resolveWorkspace(request(bin_));
    ASSERT_TRUE(w.installed());
    EXPECT_EQ(w.shareDir, share_);
    EXPECT_EQ(w.startDir, userDir());
    EXPECT_TRUE(w.error.isEmpty()) << w.error.toStdString();
    w.seeded.sort();
    EXPECT_EQ(w.seeded, QStringList({"cenik.pts", "etiketa.pte", "zaklad.PTF"}));
    EXPECT_EQ(got(userDir() + QStringLiteral("/etiketa.pte")), "sample label\r\n");

    // The clerk edits one sample and deletes another: a later start keeps both choices.
    put(userDir() + QStringLiteral("/etiketa.pte"), "my label\r\n");
    QFile::remove(userDir() + QStringLiteral("/cenik.pts"));
    w = resolveWorkspace(request(bin_));
    EXPECT_TRUE(w.seeded.isEmpty());
    EXPECT_EQ(got(userDir() + QStringLiteral("/etiketa.pte")), "my label\r\n");
    EXPECT_FALSE(QFileInfo::exists(userDir() + QStringLiteral("/cenik.pts")));
}

TEST_F(WorkspaceTest, SeedingAnExistingFolderAddsOnlyWhatIsMissing) {
    const QString target = root_.filePath(QStringLiteral("team"));
    put(target + QStringLiteral("/etiketa.pte"), "team label\r\n");
    put(share_ + QStringLiteral("/data/README"), "sub\n");
    QString error;
    QStringList copied = seedWorkspace(share_, target, &error);
    copied.sort();
    EXPECT_EQ(copied, QStringList({"cenik.pts", "data/README", "zaklad.PTF"}));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(got(target + QStringLiteral("/etiketa.pte")), "team label\r\n");
    EXPECT_EQ(got(target + QStringLiteral("/data/README")), "sub\n");
}

TEST_F(WorkspaceTest, OptionBeforeSettingBeforeTheUserFolder) {
    WorkspaceRequest r = request(bin_);
    QString error;
    // The setting: a team's folder; other keys of the settings file stay.
    QDir().mkpath(QFileInfo(r.settingsPath).absolutePath());
    put(r.settingsPath, "[Okno]\r\nTitulek=NIL\r\n");
    ASSERT_TRUE(setConfiguredWorkspaceDir(r.settingsPath, root_.filePath(QStringLiteral("team")), &error));
    IniFile ini;
    ASSERT_TRUE(ini.load(r.settingsPath));
    EXPECT_EQ(ini.value(u"Okno", u"Titulek"), QStringLiteral("NIL"));

    Workspace w = resolveWorkspace(r);
    EXPECT_EQ(w.startDir, root_.filePath(QStringLiteral("team")));
    EXPECT_FALSE(w.firstStart);
    EXPECT_TRUE(w.seeded.isEmpty());  // a named folder is the user's own
    EXPECT_TRUE(QFileInfo(w.startDir).isDir());

    r.explicitDir = QStringLiteral("elsewhere");  // relative to the current directory
    w = resolveWorkspace(r);
    EXPECT_EQ(w.startDir, root_.filePath(QStringLiteral("cwd/elsewhere")));

    r.explicitDir.clear();
    ASSERT_TRUE(setConfiguredWorkspaceDir(r.settingsPath, QString(), &error));
    EXPECT_EQ(configuredWorkspaceDir(r.settingsPath), QString());
    EXPECT_EQ(resolveWorkspace(r).startDir, userDir());
}

TEST_F(WorkspaceTest, AFolderThatCannotBeMadeIsReported) {
    put(root_.filePath(QStringLiteral("file")), "x");
    WorkspaceRequest r = request(bin_);
    r.explicitDir = root_.filePath(QStringLiteral("file/sub"));
    const Workspace w = resolveWorkspace(r);
    EXPECT_FALSE(w.error.isEmpty());
}

}  // namespace
}  // namespace dorvana
