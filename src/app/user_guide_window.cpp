#include "app/user_guide_window.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QVBoxLayout>

#include "base/text_file.h"

namespace dorvana {

UserGuideWindow::UserGuideWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("UserGuideWindow"));
    setWindowTitle(QStringLiteral("Uživatelská příručka"));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("GuideText"));
    browser_->setAccessibleName(QStringLiteral("Text příručky"));
    browser_->setOpenExternalLinks(true);
    browser_->viewport()->installEventFilter(this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Zavřít"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(browser_);
    lay->addWidget(buttons);
    // Never narrower than a few words a line, so the guide stays readable.
    setMinimumSize(420, 320);
    resize(1020, 760);
}

bool UserGuideWindow::load(const QString& path, QString* error) {
    QByteArray bytes;
    QString why;
    if (!QFileInfo(path).isFile() || !readFileBytes(path, &bytes, &why)) {
        if (error)
            *error = QStringLiteral("Uživatelskou příručku %1 nelze otevřít.%2")
                         .arg(path, why.isEmpty() ? QString() : QStringLiteral(" ") + why);
        browser_->clear();
        return false;
    }
    // Pictures are looked up beside the guide (images/NAME.png).
    browser_->setSearchPaths({QFileInfo(path).absolutePath()});
    browser_->document()->setBaseUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath() + QLatin1Char('/')));
    browser_->setMarkdown(QString::fromUtf8(bytes));
    fitPictures();
    browser_->verticalScrollBar()->setValue(0);
    return true;
}

bool UserGuideWindow::eventFilter(QObject* watched, QEvent* event) {
    // The page's width is known once the layout has sized the viewport.
    if (watched == browser_->viewport() && event->type() == QEvent::Resize) fitPictures();
    return QDialog::eventFilter(watched, event);
}

namespace {

QSize pictureSize(const QVariant& resource) {
    if (resource.canConvert<QByteArray>() && resource.typeId() == QMetaType::QByteArray)
        return QImage::fromData(resource.toByteArray()).size();
    if (resource.typeId() == QMetaType::QImage) return resource.value<QImage>().size();
    if (resource.typeId() == QMetaType::QPixmap) return resource.value<QPixmap>().size();
    return {};
}

}  // namespace

void UserGuideWindow::fitPictures() {
    QTextDocument* doc = browser_->document();
    const int room = browser_->viewport()->width() - 2 * int(doc->documentMargin()) - 8;
    if (room <= 0) return;
    struct Fit {
        int position, length;
        QTextImageFormat format;
    };
    QList<Fit> fits;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) continue;
            QTextImageFormat image = fragment.charFormat().toImageFormat();
            const QSize natural = pictureSize(doc->resource(QTextDocument::ImageResource, QUrl(image.name())));
            if (natural.isEmpty()) continue;
            const int width = qMin(natural.width(), room);
            if (qFuzzyCompare(image.width(), qreal(width))) continue;
            image.setWidth(width);
            image.setHeight(qreal(natural.height()) * width / natural.width());
            fits.append({fragment.position(), fragment.length(), image});
        }
    }
    for (const Fit& fit : fits) {
        QTextCursor cursor(doc);
        cursor.setPosition(fit.position);
        cursor.setPosition(fit.position + fit.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(fit.format);
    }
}

}  // namespace dorvana
