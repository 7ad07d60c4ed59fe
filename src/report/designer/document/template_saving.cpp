#include "report/designer/document/template_saving.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

#include "base/code_page.h"
#include "base/safe_file.h"
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

bool fail(QString* error, const QString& text) {
    if (error) *error = text;
    return false;
}

}  // namespace

bool saveTemplateWithBackup(const QString& path, const QStringList& lines, QString* error) {
    const QFileInfo info(path);
    const QByteArray bytes = encode(joinLines(lines), CodePage::Windows1250);

    // 1. The new text, complete and on the disk, under a temporary name
    // beside the template.
    SafeFile file(path);
    if (!file.open(error)) return false;
    file.write(bytes);
    if (!file.finish(error)) return false;
    if (!replacement_steps::proceed(QStringLiteral("template-written"))) {
        file.abandon();
        return fail(error, QStringLiteral("Ukládání předlohy %1 bylo zastaveno.").arg(path));
    }

    // 2. The backup: a second name of the template as it is (a hard link, or
    // a copy where the disk has no links), put in place of the old backup by
    // one rename. The template itself stays where it is.
    const QString backup = templateBackupPath(path);
    if (info.exists() && QFileInfo(backup).absoluteFilePath() != info.absoluteFilePath()) {
        const QString linked = QFileInfo(file.temporaryPath()).dir().filePath(
            QStringLiteral(".%1.bak~").arg(QFileInfo(backup).fileName()));
        ::unlink(QFile::encodeName(linked).constData());
        QString reason;
        bool made = ::link(QFile::encodeName(file.path()).constData(),
                           QFile::encodeName(linked).constData()) == 0 &&
                    replaceFile(linked, backup, &reason);
        if (!made) {
            ::unlink(QFile::encodeName(linked).constData());
            QByteArray old;
            made = readFileBytes(file.path(), &old, &reason) && writeFileAtomically(backup, old, &reason);
        }
        if (!made) {
            file.discard();
            return fail(error, QStringLiteral("Zálohu %1 nelze vytvořit: %2").arg(backup, reason));
        }
    }
    if (!replacement_steps::proceed(QStringLiteral("template-backup"))) {
        file.abandon();
        return fail(error, QStringLiteral("Ukládání předlohy %1 bylo zastaveno.").arg(path));
    }

    // 3. The new text takes the template's name in one rename.
    return file.replace(error);
}

}  // namespace dorvana
