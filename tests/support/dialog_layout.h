#pragma once
// A window at its default size and made as small as its layout allows: no
// caption (label or button text) is cut. With DORVANA_SHOTS set to a folder,
// the window is also saved there as NAME.png and NAME-min.png for a look.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QStringList>
#include <QWidget>

namespace dorvana::test {

// Widgets whose text is cut at the current size.
inline QStringList clippedCaptions(QWidget* window) {
    QStringList out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window)) continue;
        QString text;
        if (auto* l = qobject_cast<QLabel*>(w); l && !l->wordWrap()) text = l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text();
        if (text.isEmpty()) continue;
        if (w->width() < w->minimumSizeHint().width() || w->height() < w->minimumSizeHint().height())
            out << text;
    }
    return out;
}

inline void expectCaptionsFit(QWidget* window, const QString& name) {
    window->show();
    QApplication::processEvents();
    const QSize normal = window->size();
    const QString dir = qEnvironmentVariable("DORVANA_SHOTS");
    for (const bool smallest : {false, true}) {
        if (smallest) {
            window->resize(window->minimumSizeHint());
            QApplication::processEvents();
        }
        const QString shot = name + (smallest ? QStringLiteral("-min") : QString());
        EXPECT_EQ(clippedCaptions(window), QStringList()) << shot.toStdString();
        if (!dir.isEmpty()) {
            QDir().mkpath(dir);
            window->grab().save(QDir(dir).filePath(shot + QStringLiteral(".png")));
        }
    }
    window->resize(normal);
}

}  // namespace dorvana::test
