#pragma once
// Small helpers shared by the tests.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace dorvana::test {

// Absolute path of a file in the source tree, e.g. sourcePath("samples/templates/x.pte").
QString sourcePath(const QString& relative);

// Whole contents of a file (empty when it cannot be read).
QByteArray fileBytes(const QString& path);

// Writes bytes to a file, creating folders; returns false on failure.
bool writeBytes(const QString& path, const QByteArray& bytes);

// A file system of a few kilobytes (a tmpfs mounted on a temporary folder,
// which needs root), for writes that meet a full disk. Tests skip with
// whyNot() when it cannot be mounted.
class SmallDisk {
public:
    explicit SmallDisk(int kilobytes = 64);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool mounted() const { return mounted_; }
    const QString& whyNot() const { return whyNot_; }
    const QString& path() const { return path_; }
    QString filePath(const QString& name) const;
    // Takes all the space left (a filler file), so that the next write fails.
    bool fill();
    // Gives the filler's space back.
    void unfill();

private:
    QString path_;
    QString whyNot_;
    bool mounted_ = false;
};

// The dorvana-cli of this build, and whether it is built (tests of it skip otherwise).
QString cliPath();
bool cliBuilt();

struct CliRun {
    int exitCode = -1;
    QString out;    // stdout
    QString error;  // stderr
};

// Runs `dorvana-cli COMMAND ARGS...` in the tests' environment (C.UTF-8, which
// counts as Czech, Prague time, offscreen Qt) and waits up to two minutes.
CliRun runCli(const QString& command, const QStringList& args);

}  // namespace dorvana::test
