#include "app/late_progress.h"

#include "report/windows/progress_window.h"

namespace dorvana {

LateProgress::LateProgress(QWidget* over, int delayMs, const QString& status)
    : over_(over), delayMs_(delayMs), status_(status) {
    since_.start();
}

LateProgress::~LateProgress() { finish(); }

void LateProgress::step(int done, int total, const QString& text) {
    if (!window_ && since_.elapsed() >= delayMs_) window_ = std::make_unique<ProgressWindow>(over_);
    if (window_) window_->step(done, total, text);
}

bool LateProgress::cancelled() {
    // Nobody can cancel before the window shows; work that lasts shows it
    // even when it never reports a step.
    if (!window_ && since_.elapsed() >= delayMs_) {
        window_ = std::make_unique<ProgressWindow>(over_);
        window_->showStatus(status_);
    }
    return window_ && window_->cancelled();
}

void LateProgress::finish() {
    if (window_) window_->finish();
}

}  // namespace dorvana
