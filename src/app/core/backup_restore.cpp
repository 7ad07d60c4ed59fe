#include "app/core/backup_restore.h"

#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <memory>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <vector>

#include "app/core/spanned_archive.h"
#include "app/core/volume_label.h"
#include "base/progress.h"
#include "base/safe_file.h"

namespace dorvana {

namespace {

bool matches(const QString& name, const char* mask) {
    return QRegularExpression(QRegularExpression::wildcardToRegularExpression(QLatin1String(mask)),
                              QRegularExpression::CaseInsensitiveOption)
        .match(name)
        .hasMatch();
}

// Whether an entry name stays inside the folder it is extracted to.
bool safeEntryName(const QString& raw) {
    QString name = raw;
    name.replace(u'\\', u'/');
    if (name.startsWith(u'/') || QRegularExpression(QStringLiteral("^[A-Za-z]:")).match(name).hasMatch())
        return false;
    for (const QString& part : name.split(u'/'))
        if (part == u"..") return false;
    return true;
}

struct ZipCloser {
    void operator()(zip_t* z) const {
        if (z) zip_discard(z);
    }
};
using ZipArchive = std::unique_ptr<zip_t, ZipCloser>;

QString zipMessage(int code) {
    zip_error_t e;
    zip_error_init_with_code(&e, code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&e));
    zip_error_fini(&e);
    return text;
}

RestoreResult failure(const QString& message) {
    RestoreResult r;
    r.message = message;
    return r;
}

// The segments of a spanned archive: the last one given, the others asked
// for disk by disk and checked by their volume labels.
bool gatherDisks(const QString& path, const QByteArray& last, int disks, RestorePrompts& prompts,
                 VolumeLabels& labels, QList<QByteArray>* segments, QString* error) {
    for (int n = 1; n < disks; ++n) {
        const QString expected = QStringLiteral("PKBACK# %1").arg(n, 3, 10, QLatin1Char('0'));
        for (;;) {
            if (!prompts.insertDisk(n)) {
                *error = QStringLiteral("Obnova dat byla přerušena, nic nebylo obnoveno.");
                return false;
            }
            QString label;
            if (labels.labelOf(path, &label) && label.left(11) == expected) break;
            prompts.wrongDisk();
        }
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("Na disketě %1 chybí soubor zálohy %2.").arg(n).arg(QFileInfo(path).fileName());
            return false;
        }
        segments->append(f.readAll());
    }
    segments->append(last);
    return true;
}

}  // namespace

RestoreTarget restoreTargetOf(const QString& entryName) {
    const QString name = QFileInfo(QString(entryName).replace(u'\\', u'/')).fileName();
    if (name.isEmpty()) return RestoreTarget::None;
    if (matches(name, "*.d*") || matches(name, "*.px") || matches(name, "*.s"))
        return RestoreTarget::Data;
    if (matches(name, "*.pt*")) return RestoreTarget::Start;
    return RestoreTarget::None;
}

QString forceZipExtension(const QString& name) {
    if (name.right(4).compare(QLatin1String(".zip"), Qt::CaseInsensitive) == 0) return name;
    // The extension of the file name, not a dot of a folder above it.
    const qsizetype slash = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    const qsizetype dot = name.indexOf(u'.', slash + 1);
    return dot >= 0 ? name.left(dot + 1) + QStringLiteral("zip") : name + QStringLiteral(".zip");
}

namespace {

constexpr qint64 kMiB = 1024 * 1024;

QString megabytes(qint64 bytes) {
    return QString::number((bytes + kMiB - 1) / kMiB);
}

// The end of an archive (where a ZIP archive says how many disks it spans):
// its last 64 KiB and the end record.
QByteArray archiveTail(QFile& file) {
    const qint64 tail = 0xFFFF + 22;
    if (file.size() > tail) file.seek(file.size() - tail);
    return file.read(tail);
}

// Space left for new files in a folder's file system; -1 when unknown.
qint64 freeSpace(const QString& dir) {
    struct statvfs fs {};
    if (::statvfs(QFile::encodeName(dir).constData(), &fs) != 0) return -1;
    return qint64(fs.f_bavail) * qint64(fs.f_frsize);
}

// One chosen entry of the archive and where it goes.
struct Planned {
    zip_uint64_t index;
    QString name;    // as in the archive
    QString target;  // the file it replaces
    qint64 size;     // unpacked, as the archive says
};

}  // namespace

QString restoreTemporaryPath(const QString& target) {
    return target + kRestoreSuffix;
}

QStringList removeRestoreLeftovers(const QStringList& directories) {
    QStringList removed;
    for (const QString& dir : directories)
        for (const QFileInfo& f : QDir(dir).entryInfoList({QStringLiteral("*") + kRestoreSuffix},
                                                          QDir::Files | QDir::Hidden | QDir::System))
            if (QFile::remove(f.absoluteFilePath())) removed << f.absoluteFilePath();
    return removed;
}

RestoreResult restoreBackup(const QString& archive, const QString& dataDirectory,
                            const QString& startDirectory, RestorePrompts& prompts,
                            VolumeLabels& labels, Progress* progress, const RestoreLimits& limits) {
    if (!QFileInfo(archive).isFile())
        return failure(QStringLiteral("Soubor %1 neexistuje").arg(archive));
    QFile file(archive);
    if (!file.open(QIODevice::ReadOnly)) return failure(QStringLiteral("Chybí soubor zálohy"));
    const int disks = archiveDiskCount(archiveTail(file));
    if (disks == 0)
        return failure(QStringLiteral("Soubor %1 není záloha (archiv ZIP) nebo je poškozen.").arg(archive));

    // A spanned archive (disks of a floppy's size) is joined into one
    // temporary archive first; an ordinary one is read where it is.
    QTemporaryFile joined;
    QString zipPath = archive;
    if (disks > 1) {
        file.seek(0);
        const QByteArray last = file.readAll();
        QList<QByteArray> segments;
        QString error;
        QByteArray whole;
        if (!gatherDisks(archive, last, disks, prompts, labels, &segments, &error) ||
            !joinSpannedArchive(segments, &whole, &error))
            return failure(error);
        if (!joined.open() || joined.write(whole) != whole.size() || !joined.flush())
            return failure(QStringLiteral("Dočasný soubor pro obnovu nelze zapsat."));
        zipPath = joined.fileName();
    }
    file.close();

    int code = 0;
    ZipArchive zip(zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY, &code));
    if (!zip)
        return failure(QStringLiteral("Soubor zálohy %1 nelze přečíst: %2").arg(archive, zipMessage(code)));
    const zip_int64_t count = zip_get_num_entries(zip.get(), 0);
    const QString nothing = QStringLiteral(" Nic nebylo obnoveno.");

    // Every entry name is checked before anything is written.
    QList<Planned> plan;
    QHash<QString, QString> byTarget;
    qint64 total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* raw = zip_get_name(zip.get(), zip_uint64_t(i), ZIP_FL_ENC_GUESS);
        const QString name = raw ? QString::fromUtf8(raw) : QString();
        zip_uint8_t system = 0;
        zip_uint32_t attributes = 0;
        zip_file_get_external_attributes(zip.get(), zip_uint64_t(i), 0, &system, &attributes);
        const bool link = system == ZIP_OPSYS_UNIX && S_ISLNK(attributes >> 16);
        const RestoreTarget where = restoreTargetOf(name);
        if (!safeEntryName(name) || (link && where != RestoreTarget::None))
            return failure(QStringLiteral("Záloha %1 obsahuje položku „%2“, která by se zapsala mimo "
                                          "svou složku.")
                               .arg(archive, name) +
                           nothing);
        if (where == RestoreTarget::None) continue;
        const QString fileName = QFileInfo(QString(name).replace(u'\\', u'/')).fileName();
        if (fileName.endsWith(kRestoreSuffix, Qt::CaseInsensitive))
            return failure(QStringLiteral("Záloha %1 obsahuje položku „%2“ s názvem dočasného souboru "
                                          "obnovy.")
                               .arg(archive, name) +
                           nothing);
        const QString target =
            QDir(where == RestoreTarget::Data ? dataDirectory : startDirectory).filePath(fileName);
        if (byTarget.contains(target))
            return failure(QStringLiteral("Záloha %1 obsahuje dvě položky pro soubor %2 („%3“ a „%4“).")
                               .arg(archive, target, byTarget.value(target), name) +
                           nothing);
        byTarget.insert(target, name);
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(zip.get(), zip_uint64_t(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE))
            return failure(QStringLiteral("Položku „%1“ zálohy nelze přečíst: %2")
                               .arg(name, QString::fromLocal8Bit(zip_strerror(zip.get()))));
        const qint64 size = qint64(std::min<zip_uint64_t>(st.size, zip_uint64_t(1) << 62));
        const qint64 packed = (st.valid & ZIP_STAT_COMP_SIZE) ? qint64(st.comp_size) : size;
        // An entry that unpacks to many times its size (a "zip bomb") is
        // refused; table files rarely pack better than a few to one.
        if (size > limits.ratioFrom && size / std::max<qint64>(packed, 1) > limits.maxRatio)
            return failure(QStringLiteral("Položka „%1“ zálohy %2 by se rozbalila z %3 kB na %4 MB; "
                                          "takovou zálohu program neobnoví.")
                               .arg(name, archive, QString::number((packed + 1023) / 1024), megabytes(size)) +
                           nothing);
        total += size;
        if (total > limits.maxTotal)
            return failure(QStringLiteral("Záloha %1 by se rozbalila na víc než %2 MB.")
                               .arg(archive, megabytes(limits.maxTotal)) +
                           nothing);
        plan << Planned{zip_uint64_t(i), name, target, size};
    }

    // The whole archive unpacking to many times its size is refused as well
    // (many small entries of a "zip bomb").
    const qint64 archiveSize = std::max<qint64>(QFileInfo(zipPath).size(), 1);
    if (total > limits.ratioFrom && total / archiveSize > limits.maxRatio)
        return failure(QStringLiteral("Záloha %1 by se rozbalila z %2 kB na %3 MB; takovou zálohu "
                                      "program neobnoví.")
                           .arg(archive, QString::number((archiveSize + 1023) / 1024), megabytes(total)) +
                       nothing);

    // Room for the new files beside the old ones, folder by folder.
    for (const QString& dir : {dataDirectory, startDirectory}) {
        qint64 needed = 0;
        for (const Planned& p : plan)
            if (QFileInfo(p.target).absolutePath() == QDir(dir).absolutePath()) needed += p.size;
        if (needed == 0) continue;
        if (!QDir().mkpath(dir)) return failure(QStringLiteral("Složku %1 nelze vytvořit.").arg(dir));
        const qint64 room = freeSpace(dir);
        if (room >= 0 && room < needed)
            return failure(QStringLiteral("Na disku se složkou %1 není místo pro obnovu (potřeba %2 MB, "
                                          "volno %3 MB).")
                               .arg(dir, megabytes(needed), QString::number(room / kMiB)) +
                           nothing);
    }

    // Each entry is unpacked under a temporary name beside its file; only
    // when all are whole do they go into place.
    const QString stopped = QStringLiteral("Obnova dat byla přerušena, nic nebylo obnoveno.");
    const int totalKiB = int(std::min<qint64>(std::max<qint64>(total / 1024, 1), INT_MAX));
    std::vector<std::unique_ptr<SafeFile>> pending;
    qint64 done = 0;
    std::vector<char> buffer(64 * 1024);
    for (const Planned& p : plan) {
        const QString fileName = QFileInfo(p.target).fileName();
        if (progress) {
            if (progress->cancelled()) return failure(stopped);
            progress->step(int(done / 1024), totalKiB, fileName);
        }
        auto out = std::make_unique<SafeFile>(p.target);
        out->setTemporaryPath(restoreTemporaryPath(p.target));
        QString error;
        if (!out->open(&error)) return failure(error + nothing);
        zip_file_t* in = zip_fopen_index(zip.get(), p.index, 0);
        if (!in)
            return failure(QStringLiteral("Položku „%1“ zálohy nelze přečíst: %2")
                               .arg(p.name, QString::fromLocal8Bit(zip_strerror(zip.get()))) +
                           nothing);
        qint64 written = 0;
        zip_int64_t n = 0;
        while ((n = zip_fread(in, buffer.data(), buffer.size())) > 0) {
            written += n;
            done += n;
            if (written > p.size) break;  // more than the archive said: damaged or hostile
            out->write(buffer.data(), n);
            if (progress) {
                progress->step(int(std::min<qint64>(done / 1024, totalKiB)), totalKiB, fileName);
                if (progress->cancelled()) {
                    zip_fclose(in);
                    return failure(stopped);
                }
            }
        }
        const QString readError = n < 0 ? QString::fromLocal8Bit(zip_file_strerror(in)) : QString();
        zip_fclose(in);
        if (n < 0 || written > p.size)
            return failure(QStringLiteral("Záloha %1 je poškozena (položka „%2“: %3).")
                               .arg(archive, p.name,
                                    n < 0 ? readError : QStringLiteral("víc dat, než archiv uvádí")) +
                           nothing);
        if (!out->finish(&error)) return failure(error + nothing);
        pending.push_back(std::move(out));
    }

    // Every entry is read whole: the files go into place, each replacing
    // its old file in one rename.
    RestoreResult result;
    for (size_t k = 0; k < pending.size(); ++k) {
        SafeFile& p = *pending[k];
        if (!replacement_steps::proceed(QStringLiteral("restore-replace ") + QFileInfo(p.path()).fileName())) {
            for (size_t j = k; j < pending.size(); ++j) pending[j]->abandon();
            result.message = stopped;
            return result;
        }
        QString error;
        if (!p.replace(&error)) {
            result.message = error + QStringLiteral(" Obnova není úplná.");
            return result;
        }
        result.restored << p.path();
    }
    if (progress) progress->step(totalKiB, totalKiB, kRestoreDone);
    result.ok = true;
    result.message = kRestoreDone;
    return result;
}

static bool isBackedUp(const QString& fileName) {
    // Never the temporary print table, a restore's or a save's temporary
    // file, or hidden files.
    if (fileName.startsWith(u'.') || fileName.endsWith(kRestoreSuffix, Qt::CaseInsensitive) ||
        fileName.startsWith(QStringLiteral("tempprn."), Qt::CaseInsensitive))
        return false;
    return restoreTargetOf(fileName) != RestoreTarget::None;
}

bool writeBackup(const QString& archive, const QString& dataDirectory,
                 const QString& startDirectory, Progress* progress, QString* error, int* written) {
    QStringList files;
    for (const QFileInfo& f : QDir(dataDirectory).entryInfoList(QDir::Files, QDir::Name))
        if (isBackedUp(f.fileName()) && restoreTargetOf(f.fileName()) == RestoreTarget::Data)
            files << f.absoluteFilePath();
    for (const QFileInfo& f : QDir(startDirectory).entryInfoList(QDir::Files, QDir::Name))
        if (isBackedUp(f.fileName()) && restoreTargetOf(f.fileName()) == RestoreTarget::Start)
            files << f.absoluteFilePath();

    if (files.isEmpty()) {
        if (error)
            *error = QStringLiteral("Ve složkách %1 a %2 nejsou žádné soubory k zálohování.")
                         .arg(dataDirectory, startDirectory);
        return false;
    }
    // Whether the folder takes a new file is tried first, so that the
    // message names the folder.
    {
        SafeFile probe(archive);
        if (!probe.open(error)) return false;
        probe.discard();
    }
    const QFileInfo info(archive);
    const QString folder = info.absolutePath();
    auto failed = [&](const QString& reason) {
        if (error)
            *error = QStringLiteral("Zálohu %1 nelze zapsat do složky %2: %3").arg(archive, folder, reason);
        return false;
    };
    const QString temporary = QDir(folder).filePath(QStringLiteral(".%1.novy~").arg(info.fileName()));
    QFile::remove(temporary);
    int code = 0;
    ZipArchive zip(zip_open(QFile::encodeName(temporary).constData(), ZIP_CREATE | ZIP_EXCL, &code));
    if (!zip) return failed(zipMessage(code));
    for (qsizetype k = 0; k < files.size(); ++k) {
        const QFileInfo f(files[k]);
        if (progress) {
            if (progress->cancelled()) {
                if (error) *error = QStringLiteral("Zálohování bylo přerušeno, záloha %1 nebyla zapsána.").arg(archive);
                return false;
            }
            progress->step(int(k), int(files.size()), f.fileName());
        }
        zip_source_t* source = zip_source_file(zip.get(), QFile::encodeName(files[k]).constData(), 0, -1);
        if (!source || zip_file_add(zip.get(), f.fileName().toUtf8().constData(), source,
                                    ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
            if (source) zip_source_free(source);
            if (error)
                *error = QStringLiteral("Soubor %1 nelze přidat do zálohy: %2")
                             .arg(files[k], QString::fromLocal8Bit(zip_strerror(zip.get())));
            return false;
        }
    }
    if (zip_close(zip.get()) != 0) {
        zip_error_t* e = zip_get_error(zip.get());
        const int system = zip_error_code_system(e);
        const QString reason = zip_error_system_type(e) == ZIP_ET_SYS && system != 0
                                   ? systemErrorText(system)
                                   : QString::fromLocal8Bit(zip_error_strerror(e));
        QFile::remove(temporary);
        return failed(reason);
    }
    zip.release();
    if (!syncPath(temporary)) {
        QFile::remove(temporary);
        return failed(systemErrorText(EIO));
    }
    if (!replaceFile(temporary, archive, error)) {
        QFile::remove(temporary);
        return false;
    }
    if (written) *written = int(files.size());
    return true;
}

}  // namespace dorvana
