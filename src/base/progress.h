#pragma once
// How long work (building pages, printing, importing, restoring) reports its
// progress and learns that the user cancelled it. The GUI implements it with a
// progress window, the command line with a bar on a terminal, tests with a stub.

#include <QString>

namespace dorvana {

class Progress {
public:
    virtual ~Progress() = default;
    // A step of the work is done; text is what a progress window shows
    // (e.g. the page being built). total < 0 means unknown.
    virtual void step(int done, int total, const QString& text) = 0;
    // Polled between steps: true once the user asked to stop.
    virtual bool cancelled() = 0;
};

// Reports nothing and never cancels.
class NoProgress final : public Progress {
public:
    void step(int, int, const QString&) override {}
    bool cancelled() override { return false; }
};

}  // namespace dorvana
