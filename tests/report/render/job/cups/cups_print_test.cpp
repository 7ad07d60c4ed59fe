// A report printed through a CUPS server of the test's own: cupsd runs in the
// foreground on a free local port with its configuration, spool, cache and
// logs in a temporary folder, and one queue whose device is a file, so the
// printed job can be read back with pdfinfo.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include "base/ini_file.h"
#include "base/text_file.h"
#include "data/table_open.h"
#include "report/model/report_model.h"
#include "report/render/job/headless_print.h"
#include "report/render/printer/cups_printer_backend.h"
#include "support/test_support.h"

using namespace dorvana;

namespace {

const QString kQueue = QStringLiteral("dorvana-pdf");

QString findProgram(const QString& name) {
    const QString found = QStandardPaths::findExecutable(name);
    if (!found.isEmpty()) return found;
    return QStandardPaths::findExecutable(name, {"/usr/sbin", "/usr/local/sbin", "/sbin"});
}

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

class PrivateCups {
public:
    ~PrivateCups() {
        if (cupsd_.state() == QProcess::NotRunning) return;
        cupsd_.terminate();
        if (!cupsd_.waitForFinished(10000)) {
            cupsd_.kill();
            cupsd_.waitForFinished(5000);
        }
    }

    // Starts cupsd and adds the queue; empty on success, else why not.
    QString start() {
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
            admin.start(lpadmin, {"-h", server, "-p", kQueue, "-E", "-v",
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

    QString path(const QString& relative) const { return dir_.filePath(relative); }
    QString output() const { return path("out/job.pdf"); }
    QString log() {
        QString text = QString::fromUtf8(cupsd_.readAll());
        QFile f(path("log/error_log"));
        if (f.open(QIODevice::ReadOnly)) text += QString::fromUtf8(f.readAll());
        return text.trimmed();
    }

private:
    QTemporaryDir dir_;
    int port_ = 0;
    QProcess cupsd_;
};

// The page count pdfinfo reads from a PDF; -1 when it cannot.
int pdfPages(const QString& path) {
    QProcess p;
    p.start("pdfinfo", {path});
    if (!p.waitForFinished(20000) || p.exitCode() != 0) return -1;
    const QRegularExpressionMatch m =
        QRegularExpression("^Pages:\\s+(\\d+)", QRegularExpression::MultilineOption)
            .match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// A page-sized body per record: two records, two pages.
QStringList twoPageTemplate() {
    return {R"(I,0,"Zkouška tisku")",
            "I,1,1,5,1,0,0",
            "I,2,0,826,1169,50,50,70,70,1,0,4,4,0,1",
            "I,3,2,1,700,0,0",
            QStringLiteral("I,8,0,\"%1\"").arg(kQueue),
            R"(I,8,0,"Bcodeintrp=0")",
            R"(T,1,0,20,20,400,40,Arial,20,0,0,0,0,1,238,"Záznam")",
            "T,2,0,20,80,400,40,Arial,20,0,0,0,0,1,238"};
}

// One server for the whole suite: the CUPS client library keeps its
// connection to the server it found first.
class CupsPrint : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        cups = new PrivateCups;
        why = new QString(cups->start());
    }
    static void TearDownTestSuite() {
        delete cups;
        delete why;
        cups = nullptr;
        why = nullptr;
    }
    void SetUp() override {
        if (!why->isEmpty()) GTEST_SKIP() << "no private CUPS server: " << why->toStdString();
    }

    static PrivateCups* cups;
    static QString* why;
};

PrivateCups* CupsPrint::cups = nullptr;
QString* CupsPrint::why = nullptr;

TEST_F(CupsPrint, TwoPageReportReachesTheQueueAsTwoPages) {
    if (findProgram("pdfinfo").isEmpty())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";

    QTemporaryDir work;
    const QString csv = work.filePath("cisla.csv");
    ASSERT_TRUE(writeText(csv, "cislo\r\n101\r\n102\r\n"));
    QString error;
    std::unique_ptr<DataSet> table = openAnyTable(csv, &error);
    ASSERT_TRUE(table) << error.toStdString();

    Printer printer(std::make_unique<CupsPrinterBackend>());
    ASSERT_TRUE(printer.printers().contains(kQueue))
        << printer.printers().join(u", ").toStdString();

    ReportRun run;
    run.setDataSet(table.get());
    run.loadTemplate(twoPageTemplate());
    const QString profile = work.filePath("win.ini");
    {
        HeadlessPrint print(run, printer, profile);
        ASSERT_TRUE(print.prepare(kQueue, &error)) << error.toStdString();
        EXPECT_FALSE(run.barcodeByPrinter);
        // The template's profile lines are in while the report prints.
        IniFile ini;
        ASSERT_TRUE(ini.load(profile));
        ASSERT_EQ(ini.sections().size(), 1);
        EXPECT_TRUE(ini.sections()[0].startsWith(kQueue + QStringLiteral(",file://")));

        NoProgress progress;
        ASSERT_TRUE(run.build(progress));
        ASSERT_EQ(run.pages().pageCount(), 2);
        HeadlessPrintOptions options;
        options.title = "Zkouška tisku";
        ASSERT_TRUE(print.print(options, &error)) << error.toStdString();
        EXPECT_FALSE(print.scaledToPaper());
    }
    // Afterwards the profile holds nothing the template brought.
    IniFile after;
    ASSERT_TRUE(after.load(profile));
    EXPECT_TRUE(after.sections().isEmpty()) << after.lines().join(u'\n').toStdString();

    QDeadlineTimer deadline(60000);
    int pages = -1;
    while (!deadline.hasExpired() && (pages = pdfPages(cups->output())) != 2) QThread::msleep(250);
    EXPECT_EQ(pages, 2) << cups->log().toStdString();
}

TEST_F(CupsPrint, APrinterTheTemplateDoesNotChooseIsRefused) {
    const QFileInfo before(cups->output());
    const auto stamp = [](const QFileInfo& f) {
        return f.exists() ? QString::number(f.size()) + f.lastModified().toString(Qt::ISODateWithMs)
                          : QString();
    };
    Printer printer(std::make_unique<CupsPrinterBackend>());
    ReportRun run;
    QStringList lines = twoPageTemplate();
    lines[4] = R"(I,8,0,"Zebra ZD420")";
    run.loadTemplate(lines);
    QTemporaryDir work;
    HeadlessPrint print(run, printer, work.filePath("win.ini"));
    QString error;
    EXPECT_FALSE(print.prepare("nic-takového", &error));
    EXPECT_EQ(error, "Tiskárna \"nic-takového\" není nainstalována.");
    ASSERT_TRUE(print.prepare(kQueue, &error)) << error.toStdString();
    NoProgress progress;
    run.build(progress);
    EXPECT_FALSE(print.print({}, &error));
    EXPECT_TRUE(error.contains(u"\" Zebra ZD420 \", která není ve Windows nainstalována."))
        << error.toStdString();
    EXPECT_EQ(stamp(QFileInfo(cups->output())), stamp(before));  // no job went out
}

}  // namespace
