#pragma once
// The user's guide in a window of its own: the Markdown file shown with its
// pictures (from the guide's folder), links to the web opened in the
// desktop's browser. A clerk's machine need not have a browser for it.

#include <QDialog>

class QTextBrowser;

namespace dorvana {

class UserGuideWindow : public QDialog {
    Q_OBJECT
public:
    explicit UserGuideWindow(QWidget* parent = nullptr);
    // Shows the guide at path; false with a Czech message in *error when it
    // cannot be read (the window then shows nothing).
    bool load(const QString& path, QString* error);
    QTextBrowser* browser() const { return browser_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Pictures wider than the page are shown narrower, keeping their proportions.
    void fitPictures();

    QTextBrowser* browser_;
};

}  // namespace dorvana
