#pragma once
// Qt's log messages dropped: readers warn about odd inputs (an unknown code
// page, say), and a line on stderr for every input would cost more than
// reading the input.
#include <QtGlobal>

namespace {
[[maybe_unused]] const bool kQuietLog = [] {
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return true;
}();
}  // namespace
