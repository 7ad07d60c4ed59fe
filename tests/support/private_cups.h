#pragma once
// A CUPS server of the test's own: cupsd runs in the foreground on a free
// local port with its configuration, spool, cache and logs in a temporary
// folder, and one queue whose device is a file, so that a printed job can be
// read back. start() points the CUPS client library (CUPS_SERVER) at it.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace dorvana::test {

// The queue's name.
inline const QString kCupsQueue = QStringLiteral("dorvana-pdf");

class PrivateCups {
public:
    ~PrivateCups();
    // Starts cupsd and adds the queue; empty on success, else why not.
    QString start();

    // Adds another queue printing into its own file (output(name)) with the
    // driver of a PPD of tests/report/render/job/cups/fixtures; empty on
    // success, else why not.
    QString addQueue(const QString& name, const QString& ppd);

    QString path(const QString& relative) const { return dir_.filePath(relative); }
    // The file the queue prints into.
    QString output() const { return path("out/job.pdf"); }
    QString output(const QString& queue) const { return path("out/" + queue + ".pdf"); }
    // The lines of the page log ("queue user job [time] total pages - host
    // title media sides" a job).
    QStringList pageLog() const;
    QString log();

private:
    QString admin(const QStringList& arguments);

    QTemporaryDir dir_;
    int port_ = 0;
    QProcess cupsd_;
};

// A program on the PATH or in the system's sbin folders; empty when missing.
QString findProgram(const QString& name);

}  // namespace dorvana::test
