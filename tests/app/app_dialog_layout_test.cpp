// The application's own windows at their default size and made as small as
// their layouts allow: no caption is cut (with DORVANA_SHOTS, each is saved
// as a PNG for a look).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTextBrowser>

#include "app/core/user_guide.h"
#include "app/server_table_dialog.h"
#include "app/user_guide_window.h"
#include "support/dialog_layout.h"
#include "support/scripted_messages.h"

namespace dorvana {
namespace {

TEST(AppDialogLayout, CaptionsFitAtTheDefaultAndTheSmallestSize) {
    test::ScriptedMessages messages;
    ServerTableDialog open(
        QStringLiteral("postgresql://sklad@server.example:5433/obchod?table=etikety"), nullptr,
        &messages);
    test::expectCaptionsFit(&open, QStringLiteral("ServerTableDialog"));
    ServerTableDialog create(QString(), nullptr, &messages);
    create.setWindowTitle(QStringLiteral("Založení tabulky na serveru"));
    test::expectCaptionsFit(&create, QStringLiteral("ServerTableDialog-create"));

    UserGuideWindow guide;
    const QString path = findUserGuide(userGuideFolders(QCoreApplication::applicationDirPath()));
    ASSERT_FALSE(path.isEmpty());
    QString error;
    ASSERT_TRUE(guide.load(path, &error)) << error.toStdString();
    test::expectCaptionsFit(&guide, QStringLiteral("UserGuideWindow"));
    // Shrunk as far as it goes, the guide still shows lines of words.
    guide.resize(1, 1);
    EXPECT_GE(guide.browser()->viewport()->width(), 300);
}

}  // namespace
}  // namespace dorvana
