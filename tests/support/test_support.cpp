#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

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
