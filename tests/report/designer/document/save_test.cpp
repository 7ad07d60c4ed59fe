#include <QDirIterator>
#include <QProcess>
#include <sys/stat.h>
#include <unistd.h>

#include "base/code_page.h"
#include "base/safe_file.h"
#include "base/text_file.h"
#include "document_fixture.h"
#include "report/designer/document/template_saving.h"
#include "report/model/section.h"

namespace dorvana::test {
namespace {

using Save = DocumentTest;

QByteArray bytesOf(const QStringList& lines) {
    return encode(joinLines(lines), CodePage::Windows1250);
}

TEST_F(Save, EverySampleSavedUnchangedKeepsItsBytes) {
    QDirIterator it(sourcePath(QStringLiteral("samples/templates")), QDir::Files);
    int samples = 0;
    while (it.hasNext()) {
        const QString name = QFileInfo(it.next()).fileName();
        openSample(name);
        ASSERT_TRUE(doc->save()) << name.toStdString();
        EXPECT_EQ(fileBytes(path), original) << name.toStdString();
        ++samples;
    }
    EXPECT_GE(samples, 3);
}

TEST_F(Save, WritesTheWriterOutputAndKeepsThePreviousFileAsBackup) {
    openSample(QStringLiteral("cenik.pts"));
    doc->insertElement(PlanSection::Body, 1, {700, 0});
    ASSERT_TRUE(doc->save());
    EXPECT_FALSE(doc->isModified());
    EXPECT_EQ(fileBytes(path), bytesOf(doc->templateLines()));
    EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("cenik.BAK"))), original);
    EXPECT_FALSE(doc->canUndo());  // the history goes with the save by default
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);

    // A second save rotates the backup.
    const QByteArray first = fileBytes(path);
    doc->setSectionHeight(PlanSection::Body, 30);
    ASSERT_TRUE(doc->save());
    EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("cenik.BAK"))), first);
}

TEST_F(Save, KeepingTheHistoryLetsUndoReturnToTheSavedState) {
    EditorOptions options;
    options.UndoSave = true;
    openSample(QStringLiteral("cenik.pts"), options);
    doc->setSectionHeight(PlanSection::Body, 30);
    ASSERT_TRUE(doc->save());
    const QStringList saved = doc->templateLines();
    doc->setSectionHeight(PlanSection::Body, 40);
    while (doc->isModified()) doc->undo();
    EXPECT_EQ(doc->templateLines(), saved);
    // The steps before the save are kept: undo goes on to the loaded template.
    ASSERT_TRUE(doc->canUndo());
    doc->undo();
    EXPECT_EQ(bytesOf(doc->templateLines()), original);
    EXPECT_TRUE(doc->isModified());
    doc->redo();
    EXPECT_FALSE(doc->isModified());
}

TEST_F(Save, ATemplateUnderANewNameGetsTheUsualPermissions) {
    openSample(QStringLiteral("cenik.pts"));  // the sample is rw------- here
    const mode_t mask = ::umask(022);
    const QString other = dir.filePath(QStringLiteral("novy.pts"));
    const bool saved = doc->saveAs(other);
    ::umask(mask);
    ASSERT_TRUE(saved);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(other).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
    // A template replaced in place keeps its own.
    doc->setSectionHeight(PlanSection::Body, 30);
    ASSERT_TRUE(doc->save());
    ASSERT_EQ(::stat(QFile::encodeName(other).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
    ASSERT_TRUE(doc->saveAs(path));
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(Save, AFailedRotationLeavesTheTemplateAsItWas) {
    openSample(QStringLiteral("cenik.pts"));
    // A backup that cannot be removed: a folder with something in it.
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("cenik.BAK/x")));
    doc->setSectionHeight(PlanSection::Body, 30);
    EXPECT_FALSE(doc->save());
    EXPECT_EQ(messages.shown.last(), QStringLiteral("error: Soubor s předlohou se nepodařilo uložit."));
    EXPECT_EQ(fileBytes(path), original);
    EXPECT_TRUE(doc->isModified());
    EXPECT_TRUE(doc->canUndo());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);  // no temporary left
}

TEST_F(Save, AReadOnlyFolderKeepsTheTemplate) {
    openSample(QStringLiteral("cenik.pts"));
    const QString folder = dir.path();
    bool immutable = false;
    if (geteuid() == 0) {  // permissions do not stop root; an immutable folder does
        immutable = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder}) == 0;
        if (!immutable) GTEST_SKIP() << "running as root without chattr: a folder cannot be made read-only";
    } else {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    }
    doc->setSectionHeight(PlanSection::Body, 30);
    const bool saved = doc->save();
    if (immutable)
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), folder});
    else
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(saved);
    EXPECT_EQ(messages.shown.last(), QStringLiteral("error: Soubor s předlohou se nepodařilo uložit."));
    EXPECT_EQ(fileBytes(path), original);
    EXPECT_TRUE(doc->isModified());
}

TEST_F(Save, AStopBetweenTheStepsLeavesTheOldOrTheNewTemplateNeverNone) {
    // A kill between the steps of a save: the template is there, old or new.
    for (const QString stopAt : {QStringLiteral("template-written"), QStringLiteral("template-backup")}) {
        openSample(QStringLiteral("cenik.pts"));
        QFile::remove(dir.filePath(QStringLiteral("cenik.BAK")));
        doc->setSectionHeight(PlanSection::Body, 30);
        QStringList seen;
        replacement_steps::setHook([&](const QString& step) {
            seen << step;
            return step != stopAt;
        });
        EXPECT_FALSE(doc->save());
        replacement_steps::setHook(nullptr);
        EXPECT_EQ(seen.last(), stopAt);
        EXPECT_EQ(fileBytes(path), original) << stopAt.toStdString();
        if (stopAt == QStringLiteral("template-backup"))
            EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("cenik.BAK"))), original);
    }
    // Unstopped, the same save goes through.
    ASSERT_TRUE(doc->save());
    EXPECT_EQ(fileBytes(path), bytesOf(doc->templateLines()));
    EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("cenik.BAK"))), original);
}

TEST_F(Save, AFullDiskKeepsTheTemplateAndItsBackup) {
    SmallDisk disk(64);
    if (!disk.mounted()) GTEST_SKIP() << disk.whyNot().toStdString();
    const QString onDisk = disk.filePath(QStringLiteral("cenik.pts"));
    ASSERT_TRUE(QFile::copy(sourcePath(QStringLiteral("samples/templates/cenik.pts")), onDisk));
    ASSERT_TRUE(writeBytes(disk.filePath(QStringLiteral("cenik.BAK")), "zaloha"));
    DesignerDocument document(messages);
    ASSERT_TRUE(document.open(onDisk));
    document.setSectionHeight(PlanSection::Body, 30);
    ASSERT_TRUE(disk.fill());
    EXPECT_FALSE(document.save());
    EXPECT_EQ(messages.shown.last(), QStringLiteral("error: Soubor s předlohou se nepodařilo uložit."));
    EXPECT_EQ(fileBytes(onDisk), fileBytes(sourcePath(QStringLiteral("samples/templates/cenik.pts"))));
    EXPECT_EQ(fileBytes(disk.filePath(QStringLiteral("cenik.BAK"))), "zaloha");
    EXPECT_TRUE(document.isModified());
}

TEST_F(Save, TemplatesOfOneNameShareTheBackup) {
    EXPECT_EQ(templateBackupPath(QStringLiteral("/a/b.pts")), QStringLiteral("/a/b.BAK"));
    EXPECT_EQ(templateBackupPath(QStringLiteral("/a/b.pte")), QStringLiteral("/a/b.BAK"));
    EXPECT_EQ(templateBackupPath(QStringLiteral("/a/b")), QStringLiteral("/a/b.BAK"));
}

using Open = DocumentTest;

TEST_F(Open, AMissingTemplateIsCreatedOnlyWhenTheUserAgrees) {
    const QString missing = dir.filePath(QStringLiteral("nova.pts"));
    DesignerDocument document(messages);
    messages.answers = {Messages::Answer::No};
    EXPECT_FALSE(document.open(missing));
    EXPECT_EQ(messages.shown.last(), QStringLiteral("confirm: Nebyl nalezen soubor s předlohou tiskové "
                                                    "sestavy \"%1\". Založit nový?")
                                         .arg(missing));
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_TRUE(document.open(missing));  // Yes
    EXPECT_TRUE(QFileInfo::exists(missing));
    EXPECT_TRUE(document.loadedEmpty());

    const QString nowhere = dir.filePath(QStringLiteral("chybi/nova.pts"));
    EXPECT_FALSE(document.open(nowhere));
    EXPECT_EQ(messages.shown.last(),
              QStringLiteral("error: Soubor s předlohou se nepodařilo vytvořit. \"%1\"").arg(nowhere));
}

}  // namespace
}  // namespace dorvana::test
