#include "report/designer/document/template_saving.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>
#include <sys/stat.h>

#include "base/code_page.h"
#include "base/text_file.h"

namespace dorvana {

QString templateBackupPath(const QString& templatePath) {
    const QFileInfo info(templatePath);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString base = dot > 0 ? name.left(dot) : name;
    return info.dir().filePath(base + QStringLiteral(".BAK"));
}

QString templateSavePath(const QString& chosenPath) {
    const QFileInfo info(chosenPath);
    QString name = info.fileName().toLower();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0) name = name.left(dot + 4);
    return info.absoluteDir().filePath(name);
}

namespace {

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

bool fail(QString* error, const QString& text) {
    if (error) *error = text;
    return false;
}

}  // namespace

bool saveTemplateWithBackup(const QString& path, const QStringList& lines, QString* error) {
    const QFileInfo info(path);
    const QByteArray bytes = encode(joinLines(lines), CodePage::Windows1250);

    // 1. The new text, complete, in a temporary file of the same folder.
    QTemporaryFile temporary(info.dir().filePath(QStringLiteral(".%1.XXXXXX").arg(info.fileName())));
    if (!temporary.open())
        return fail(error, QStringLiteral("Soubor %1 nelze založit: %2")
                               .arg(temporary.fileTemplate(), temporary.errorString()));
    if (temporary.write(bytes) != bytes.size() || !temporary.flush())
        return fail(error, QStringLiteral("Soubor %1 nelze zapsat: %2")
                               .arg(temporary.fileName(), temporary.errorString()));
    temporary.close();
    // Keep the permissions of the template being replaced; a new template gets
    // those of any new file (the temporary file is readable by its owner only).
    if (info.exists())
        QFile::setPermissions(temporary.fileName(), QFile::permissions(path));
    else
        ::chmod(QFile::encodeName(temporary.fileName()).constData(), 0666 & ~currentUmask());

    // 2. The old template becomes the backup.
    const QString backup = templateBackupPath(path);
    const bool hadTemplate = info.exists();
    const bool keepBackup = hadTemplate && QFileInfo(backup).absoluteFilePath() != info.absoluteFilePath();
    if (keepBackup) {
        if (QFileInfo::exists(backup) && !QFile::remove(backup))
            return fail(error, QStringLiteral("Zálohu %1 nelze smazat.").arg(backup));
        if (!QFile::rename(path, backup))
            return fail(error, QStringLiteral("Soubor %1 nelze přejmenovat na %2.").arg(path, backup));
    }

    // 3. The new text takes the template's name.
    // (rename replaces a file still in the way, e.g. a template named like its backup)
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(),
                    QFile::encodeName(path).constData()) != 0) {
        if (keepBackup) QFile::rename(backup, path);  // the template as it was
        return fail(error, QStringLiteral("Soubor %1 nelze zapsat.").arg(path));
    }
    temporary.setAutoRemove(false);
    return true;
}

}  // namespace dorvana
