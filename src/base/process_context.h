#pragma once
// The process-wide facts of the system, kept in one place: the current report
// component, the active value source of the expression evaluator, the path of
// the shared settings file, and the cancel flag of long work. Everything runs
// on the one user-interface thread; nothing here is locked.

#include <QString>

namespace dorvana {

class ValueSource;
class TSestava;

struct ProcessContext {
    // The report component created last (set by the component itself).
    TSestava* currentReport = nullptr;
    // The value source the evaluator reads references from; none means every
    // reference yields integer 0.
    ValueSource* activeValueSource = nullptr;
    // "sestdll.ini" in the directory that was current when the last report
    // component was created; relative before any component exists.
    QString settingsFilePath = QStringLiteral("Sestdll.ini");
    // Set by a progress window's cancel button, polled by long work.
    bool cancelRequested = false;
};

ProcessContext& processContext();

}  // namespace dorvana
