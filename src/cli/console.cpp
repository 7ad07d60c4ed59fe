#include "cli/console.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "base/czech_plural.h"

namespace dorvana::cli {

namespace {

volatile std::sig_atomic_t gInterrupted = 0;

void onInterrupt(int) {
    gInterrupted = 1;
    // The next Ctrl+C ends the process the ordinary way.
    std::signal(SIGINT, SIG_DFL);
}

}  // namespace

void warn(const QString& message) {
    std::fprintf(stderr, "dorvana-cli: varování: %s\n",
                 QString(message).replace(u'\n', u' ').toLocal8Bit().constData());
}

QString recordCount(qint64 n) {
    return czechCount(n, QStringLiteral("záznam"), QStringLiteral("záznamy"), QStringLiteral("záznamů"));
}

void catchInterrupt() {
    gInterrupted = 0;
    struct sigaction sa {};
    sa.sa_handler = onInterrupt;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
}

bool interrupted() {
    return gInterrupted != 0;
}

TerminalProgress::TerminalProgress(QString phase)
    : shown_(isatty(fileno(stderr)) != 0), phase_(std::move(phase)) {}

void TerminalProgress::step(int done, int total, const QString& text) {
    if (!shown_) return;
    QString line = text;
    if (line.isEmpty()) {
        line = phase_;
        if (done > 0) {
            if (!line.isEmpty()) line += QStringLiteral(": ");
            if (!unit_.isEmpty()) line += unit_ + u' ';
            line += QString::number(done);
            if (total > 0) line += QStringLiteral(" z %1").arg(total);
        }
    }
    if (line.isEmpty()) return;
    std::fprintf(stderr, "\r%s\033[K", line.toLocal8Bit().constData());
    std::fflush(stderr);
    written_ = true;
}

void TerminalProgress::done() {
    if (written_) std::fputs("\r\033[K", stderr);
    written_ = false;
}

}  // namespace dorvana::cli
