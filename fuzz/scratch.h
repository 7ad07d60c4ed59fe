#pragma once
// The scratch folder of a fuzz target that has to touch files: in memory
// (/dev/shm) where the system has it, so that the files a run writes cost no
// disk work; one folder per process, emptied when made.
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QString>

inline QString fuzzScratchDir(const char* name) {
    const QString shm = QStringLiteral("/dev/shm");
    const QString base = QFileInfo(shm).isDir() && QFileInfo(shm).isWritable() ? shm : QDir::tempPath();
    const QString dir =
        QStringLiteral("%1/dorvana-fuzz-%2-%3").arg(base, QString::fromLatin1(name)).arg(getpid());
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    return dir;
}
