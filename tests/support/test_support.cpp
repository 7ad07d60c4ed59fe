#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/mount.h>

// The test build (./test) must really check: assert() and Q_ASSERT on, and the
// C++ library's own precondition checks (bounds of operator[] and the like).
#if defined(DORVANA_ASSERTIONS) &&                                               \
    (defined(NDEBUG) || !defined(_GLIBCXX_ASSERTIONS) ||                         \
     (defined(QT_NO_DEBUG) && !defined(QT_FORCE_ASSERTS)))
#error "DORVANA_ASSERTIONS is set, yet assertions are off in this build"
#endif

namespace dorvana::test {

QString sourcePath(const QString& relative) {
    return QDir(QStringLiteral(DORVANA_SOURCE_DIR)).filePath(relative);
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

SmallDisk::SmallDisk(int kilobytes) {
    char pattern[] = "/tmp/dorvana-plny-XXXXXX";
    if (!::mkdtemp(pattern)) {
        whyNot_ = QStringLiteral("no temporary folder");
        return;
    }
    path_ = QString::fromLocal8Bit(pattern);
    const QByteArray options = QByteArray("size=") + QByteArray::number(kilobytes) + "k,mode=0777";
    if (::mount("tmpfs", pattern, "tmpfs", MS_NOSUID | MS_NODEV, options.constData()) != 0) {
        whyNot_ = QStringLiteral("a small tmpfs cannot be mounted here (%1): the full-disk case is not tried")
                      .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    mounted_ = true;
}

SmallDisk::~SmallDisk() {
    if (mounted_) ::umount2(QFile::encodeName(path_).constData(), MNT_DETACH);
    if (!path_.isEmpty()) QDir(path_).removeRecursively();
}

QString SmallDisk::filePath(const QString& name) const {
    return QDir(path_).filePath(name);
}

bool SmallDisk::fill() {
    QFile filler(filePath(QStringLiteral(".plnidlo")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) return false;
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
    // What is left is smaller than a block: take it byte by byte.
    while (filler.write("x", 1) == 1) {
    }
    return true;
}

void SmallDisk::unfill() {
    QFile::remove(filePath(QStringLiteral(".plnidlo")));
}

QString cliPath() {
    return QStringLiteral(DORVANA_BINARY_DIR "/src/cli/dorvana-cli");
}

bool cliBuilt() {
    return QFileInfo(cliPath()).isExecutable();
}

CliRun runCli(const QString& command, const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("TZ"), QStringLiteral("Europe/Prague"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(cliPath(), QStringList{command} + args);
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace dorvana::test
