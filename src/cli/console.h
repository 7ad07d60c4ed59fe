#pragma once
// What dorvana-cli shows on stderr besides its one-line failures: warnings,
// the progress of long work on a terminal, and Ctrl+C as a cancel request.

#include <QString>

#include "base/progress.h"

namespace dorvana::cli {

// "dorvana-cli: varování: <message>" on stderr.
void warn(const QString& message);

// "1 záznam", "2 záznamy", "5 záznamů".
QString recordCount(qint64 n);

// From now on the first Ctrl+C asks the running work to stop (TerminalProgress
// reports it as cancelled); a second one ends the process at once.
void catchInterrupt();
// Whether Ctrl+C was pressed since catchInterrupt().
bool interrupted();

// The phase and count of long work on one line of stderr, when stderr is a
// terminal ("Zápis PDF: strana 12 z 300"); cancelled once Ctrl+C was pressed.
class TerminalProgress final : public Progress {
public:
    explicit TerminalProgress(QString phase = {});
    ~TerminalProgress() override { done(); }
    // The phase shown before the counts while the steps bring no text of their own.
    void setPhase(const QString& phase) { phase_ = phase; }
    // What a count stands for ("strana", "záznam").
    void setUnit(const QString& unit) { unit_ = unit; }
    void step(int done, int total, const QString& text) override;
    bool cancelled() override { return interrupted(); }
    // Clears the line.
    void done();

private:
    bool shown_;
    bool written_ = false;
    QString phase_;
    QString unit_;
};

}  // namespace dorvana::cli
