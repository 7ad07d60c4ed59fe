#include "app/core/backup_restore.h"

#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryFile>
#include <algorithm>
#include <memory>
#include <sys/stat.h>

#include "app/core/spanned_archive.h"
#include "app/core/volume_label.h"
#include "base/progress.h"

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

struct Pending {
    QString temporary, target;
};

void discard(const QList<Pending>& pending) {
    for (const Pending& p : pending) QFile::remove(p.temporary);
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

RestoreResult restoreBackup(const QString& archive, const QString& dataDirectory,
                            const QString& startDirectory, RestorePrompts& prompts,
                            VolumeLabels& labels, Progress* progress) {
    if (!QFileInfo(archive).isFile())
        return failure(QStringLiteral("Soubor %1 neexistuje").arg(archive));
    QFile file(archive);
    if (!file.open(QIODevice::ReadOnly)) return failure(QStringLiteral("Chybí soubor zálohy"));
    const QByteArray last = file.readAll();
    file.close();
    const int disks = archiveDiskCount(last);
    if (disks == 0)
        return failure(QStringLiteral("Soubor %1 není záloha (archiv ZIP) nebo je poškozen.").arg(archive));

    // A spanned archive is joined into one temporary archive first.
    QTemporaryFile joined;
    QString zipPath = archive;
    if (disks > 1) {
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

    int code = 0;
    ZipArchive zip(zip_open(QFile::encodeName(zipPath).constData(), ZIP_RDONLY, &code));
    if (!zip)
        return failure(QStringLiteral("Soubor zálohy %1 nelze přečíst: %2").arg(archive, zipMessage(code)));
    const zip_int64_t count = zip_get_num_entries(zip.get(), 0);

    // Every entry name is checked before anything is written.
    QList<zip_uint64_t> chosen;
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* raw = zip_get_name(zip.get(), zip_uint64_t(i), ZIP_FL_ENC_GUESS);
        const QString name = raw ? QString::fromUtf8(raw) : QString();
        zip_uint8_t system = 0;
        zip_uint32_t attributes = 0;
        zip_file_get_external_attributes(zip.get(), zip_uint64_t(i), 0, &system, &attributes);
        const bool link = system == ZIP_OPSYS_UNIX && S_ISLNK(attributes >> 16);
        if (!safeEntryName(name) || (link && restoreTargetOf(name) != RestoreTarget::None))
            return failure(QStringLiteral("Záloha %1 obsahuje položku „%2“, která by se zapsala mimo "
                                          "svou složku. Nic nebylo obnoveno.")
                               .arg(archive, name));
        if (restoreTargetOf(name) != RestoreTarget::None) chosen << zip_uint64_t(i);
    }

    QList<Pending> pending;
    for (qsizetype k = 0; k < chosen.size(); ++k) {
        const zip_uint64_t i = chosen[k];
        const QString name = QString::fromUtf8(zip_get_name(zip.get(), i, ZIP_FL_ENC_GUESS));
        const QString fileName = QFileInfo(QString(name).replace(u'\\', u'/')).fileName();
        const QString dir =
            restoreTargetOf(name) == RestoreTarget::Data ? dataDirectory : startDirectory;
        if (progress) {
            if (progress->cancelled()) {
                discard(pending);
                return failure(QStringLiteral("Obnova dat byla přerušena, nic nebylo obnoveno."));
            }
            progress->step(int(k), int(chosen.size()), fileName);
        }
        if (!QDir().mkpath(dir)) {
            discard(pending);
            return failure(QStringLiteral("Složku %1 nelze vytvořit.").arg(dir));
        }
        const QString target = QDir(dir).filePath(fileName);
        QFile out(target + QStringLiteral(".obnova"));
        zip_file_t* in = zip_fopen_index(zip.get(), i, 0);
        if (!in || !out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            if (in) zip_fclose(in);
            discard(pending);
            return failure(in ? QStringLiteral("Soubor %1 nelze zapsat: %2").arg(target, out.errorString())
                              : QStringLiteral("Položku „%1“ zálohy nelze přečíst: %2")
                                    .arg(name, QString::fromLocal8Bit(zip_strerror(zip.get()))));
        }
        pending << Pending{out.fileName(), target};
        char buffer[64 * 1024];
        zip_int64_t n = 0;
        while ((n = zip_fread(in, buffer, sizeof buffer)) > 0) {
            if (out.write(buffer, n) != n) {
                zip_fclose(in);
                discard(pending);
                return failure(QStringLiteral("Soubor %1 nelze zapsat (plný disk?): %2")
                                   .arg(target, out.errorString()));
            }
        }
        const QString readError = n < 0 ? QString::fromLocal8Bit(zip_file_strerror(in)) : QString();
        zip_fclose(in);
        if (n < 0 || !out.flush()) {
            discard(pending);
            return failure(n < 0 ? QStringLiteral("Záloha %1 je poškozena (položka „%2“: %3). Nic "
                                                  "nebylo obnoveno.")
                                       .arg(archive, name, readError)
                                 : QStringLiteral("Soubor %1 nelze zapsat: %2").arg(target, out.errorString()));
        }
        out.close();
    }

    // Every entry is read whole: the files go into place.
    RestoreResult result;
    for (const Pending& p : pending) {
        QFile::remove(p.target);
        if (!QFile::rename(p.temporary, p.target)) {
            discard(pending);
            result.message = QStringLiteral("Soubor %1 nelze nahradit.").arg(p.target);
            return result;
        }
        result.restored << p.target;
    }
    if (progress) progress->step(int(chosen.size()), int(chosen.size()), kRestoreDone);
    result.ok = true;
    result.message = kRestoreDone;
    return result;
}

bool writeBackup(const QString& archive, const QString& dataDirectory,
                 const QString& startDirectory, Progress* progress, QString* error, int* written) {
    QStringList files;
    for (const QFileInfo& f : QDir(dataDirectory).entryInfoList(QDir::Files, QDir::Name))
        if (restoreTargetOf(f.fileName()) == RestoreTarget::Data) files << f.absoluteFilePath();
    for (const QFileInfo& f : QDir(startDirectory).entryInfoList(QDir::Files, QDir::Name))
        if (restoreTargetOf(f.fileName()) == RestoreTarget::Start) files << f.absoluteFilePath();
    const QString temporary = archive + QStringLiteral(".novy");
    QFile::remove(temporary);
    int code = 0;
    ZipArchive zip(zip_open(QFile::encodeName(temporary).constData(), ZIP_CREATE | ZIP_EXCL, &code));
    if (!zip) {
        if (error) *error = QStringLiteral("Zálohu %1 nelze vytvořit: %2").arg(archive, zipMessage(code));
        return false;
    }
    for (qsizetype k = 0; k < files.size(); ++k) {
        const QFileInfo f(files[k]);
        if (progress) progress->step(int(k), int(files.size()), f.fileName());
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
        if (error)
            *error = QStringLiteral("Zálohu %1 nelze zapsat: %2")
                         .arg(archive, QString::fromLocal8Bit(zip_strerror(zip.get())));
        QFile::remove(temporary);
        return false;
    }
    zip.release();
    QFile::remove(archive);
    if (!QFile::rename(temporary, archive)) {
        if (error) *error = QStringLiteral("Zálohu %1 nelze uložit.").arg(archive);
        return false;
    }
    if (written) *written = int(files.size());
    return true;
}

}  // namespace dorvana
