#include "support/private_cups.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include "support/test_support.h"

namespace dorvana::test {

namespace {

// A local port nobody listens on now (0 when none can be found).
int freePort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    int port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0)
        port = ntohs(address.sin_port);
    close(fd);
    return port;
}

bool writeText(const QString& path, const QString& text) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text.toUtf8()) == text.toUtf8().size();
}

}  // namespace

QString findProgram(const QString& name) {
    const QString found = QStandardPaths::findExecutable(name);
    if (!found.isEmpty()) return found;
    return QStandardPaths::findExecutable(name, {"/usr/sbin", "/usr/local/sbin", "/sbin"});
}

PrivateCups::~PrivateCups() {
    if (cupsd_.state() == QProcess::NotRunning) return;
    cupsd_.terminate();
    if (!cupsd_.waitForFinished(10000)) {
        cupsd_.kill();
        cupsd_.waitForFinished(5000);
    }
}


QString PrivateCups::start() {
    const QString cupsd = findProgram("cupsd");
    const QString lpadmin = findProgram("lpadmin");
    if (cupsd.isEmpty() || lpadmin.isEmpty()) return "cupsd or lpadmin is not installed";
    if (!dir_.isValid()) return "no temporary folder";
    port_ = freePort();
    if (port_ == 0) return "no free local port";
    // Filters run as another user when cupsd runs as root: they must reach
    // the spool and the temporary folder.
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadGroup | QFile::ExeGroup |
                                           QFile::ReadOther | QFile::ExeOther);
    for (const char* sub : {"etc", "spool", "cache", "state", "log", "tmp", "out"})
        QDir(dir_.path()).mkpath(sub);
    for (const char* open : {"tmp", "out"})
        QFile::setPermissions(path(open), QFile::Permissions(0x7777));
    const QString conf = QStringLiteral(
                             "Listen 127.0.0.1:%1\n"
                             "LogLevel warn\n"
                             "Browsing Off\n"
                             "DefaultAuthType None\n"
                             "WebInterface No\n"
                             "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                             "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                             "  </Limit>\n</Policy>\n")
                             .arg(port_);
    const QString files =
        QStringLiteral(
            "ServerRoot %1\nRequestRoot %2\nCacheDir %3\nStateDir %4\n"
            "TempDir %5\nErrorLog %6\nAccessLog %7\nPageLog %8\n"
            "FileDevice Yes\n")
            .arg(path("etc"), path("spool"), path("cache"), path("state"), path("tmp"),
                 path("log/error_log"), path("log/access_log"), path("log/page_log"));
    if (!writeText(path("etc/cupsd.conf"), conf) ||
        !writeText(path("etc/cups-files.conf"), files))
        return "the configuration cannot be written";

    cupsd_.setProcessChannelMode(QProcess::MergedChannels);
    cupsd_.start(cupsd,
                 {"-f", "-c", path("etc/cupsd.conf"), "-s", path("etc/cups-files.conf")});
    if (!cupsd_.waitForStarted(10000)) return "cupsd does not start: " + cupsd_.errorString();
    const QString server = QStringLiteral("127.0.0.1:%1").arg(port_);
    QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        if (cupsd_.state() == QProcess::NotRunning) return "cupsd stopped: " + log();
        QProcess admin;
        admin.setProcessChannelMode(QProcess::MergedChannels);
        admin.start(lpadmin, {"-h", server, "-p", kCupsQueue, "-E", "-v",
                              "file://" + path("out/job.pdf"), "-P",
                              test::sourcePath("tests/report/render/job/cups/fixtures/"
                                               "pdf-file.ppd")});
        if (admin.waitForFinished(20000) && admin.exitStatus() == QProcess::NormalExit &&
            admin.exitCode() == 0) {
            qputenv("CUPS_SERVER", server.toUtf8());
            return {};
        }
        QThread::msleep(200);
    }
    return "the queue cannot be added: " + log();
}


QString PrivateCups::admin(const QStringList& arguments) {
    QProcess admin;
    admin.setProcessChannelMode(QProcess::MergedChannels);
    admin.start(findProgram("lpadmin"),
                QStringList{"-h", QStringLiteral("127.0.0.1:%1").arg(port_)} + arguments);
    if (admin.waitForFinished(20000) && admin.exitStatus() == QProcess::NormalExit &&
        admin.exitCode() == 0)
        return {};
    return QString::fromUtf8(admin.readAll()).trimmed() + "\n" + log();
}

QString PrivateCups::addQueue(const QString& name, const QString& ppd) {
    if (port_ == 0) return "no server";
    return admin({"-p", name, "-E", "-v", "file://" + output(name), "-P",
                  test::sourcePath("tests/report/render/job/cups/fixtures/" + ppd)});
}

QStringList PrivateCups::pageLog() const {
    QFile f(path("log/page_log"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

QString PrivateCups::log() {
    QString text = QString::fromUtf8(cupsd_.readAll());
    QFile f(path("log/error_log"));
    if (f.open(QIODevice::ReadOnly)) text += QString::fromUtf8(f.readAll());
    return text.trimmed();
}


}  // namespace dorvana::test
