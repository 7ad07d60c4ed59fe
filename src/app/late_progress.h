#pragma once
// A progress window that appears only when the work lasts: short work
// (a few records) finishes without a window flashing up; longer work shows
// "Informace" with "Přeruš", which cancels it.

#include <QElapsedTimer>
#include <QPointer>
#include <memory>

#include "base/progress.h"

class QWidget;

namespace dorvana {

class ProgressWindow;

class LateProgress : public Progress {
public:
    explicit LateProgress(QWidget* over, int delayMs = 300);
    ~LateProgress() override;

    void step(int done, int total, const QString& text) override;
    bool cancelled() override;
    // Hides the window (if it was shown).
    void finish();
    // The window once it is shown; null before.
    ProgressWindow* window() const { return window_.get(); }

private:
    QPointer<QWidget> over_;
    int delayMs_;
    QElapsedTimer since_;
    std::unique_ptr<ProgressWindow> window_;
};

}  // namespace dorvana
