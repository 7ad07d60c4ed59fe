#pragma once
// A progress window that appears only when the work lasts: short work
// (a few records) finishes without a window flashing up; longer work shows
// "Informace" with "Přeruš", which cancels it. Work that only polls for the
// cancel (a query) gets the window too, with the status text given.

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <memory>

#include "base/progress.h"

class QWidget;

namespace dorvana {

class ProgressWindow;

class LateProgress : public Progress {
public:
    explicit LateProgress(QWidget* over, int delayMs = 300, const QString& status = QString());
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
    QString status_;
    QElapsedTimer since_;
    std::unique_ptr<ProgressWindow> window_;
};

}  // namespace dorvana
