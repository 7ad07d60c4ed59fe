#pragma once
// TFormSestE_NOR: the run window of a report ("Prohlížení sestavy před
// tiskem"). It loads the template of a report component, applies the
// template's printers, builds the pages with a progress window, shows them
// in the preview with its tool panel and edit panel, and prints them. A
// preview keeps the user's corrections and saves them when it closes.

#include <QPointer>
#include <QWidget>
#include <memory>

#include "base/messages.h"
#include "report/render/job/print_pipeline.h"
#include "report/run/preview_document.h"
#include "report/run/print_session.h"
#include "report/run/report_job.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QScrollArea;
class QToolButton;
class QPushButton;

namespace dorvana {

class FontMeasurer;
class Printer;
class PreviewPage;
class ProgressWindow;
class TSestava;
class TemplatePrinters;

class TFormSestE_NOR : public QWidget {
    Q_OBJECT
public:
    // The component, the messages and the printer must outlive the window.
    TFormSestE_NOR(TSestava& component, Messages& messages, Printer& printer,
                   QWidget* parent = nullptr);
    ~TFormSestE_NOR() override;

    // Loads the template and the corrections file and applies the template's
    // printers. False (the message shown) when the template cannot be read.
    bool loadTemplate();
    // Builds the pages with the progress window; false when cancelled.
    bool buildPages();
    // Called once during a build, as soon as its first page is done: the
    // preview shows that page at once while the build goes on under the
    // progress window (which keeps the user's input to itself).
    std::function<void()> firstPageBuilt;
    // Shows the built pages: the tool panel, the page, the caption.
    void enterPreviewMode();
    bool previewMode() const { return previewMode_; }
    bool buildCancelled() const { return session_->buildCancelled(); }

    // Prints the pages (built now unless the preview shows them) on a
    // printer (-1: the one selected now). True when pages went out.
    bool print(int printerIndex = -1);
    // Replaces the print dialog (tests); unset: the real one.
    std::function<bool(PrintDialogValues&)> printDialogOverride;

    // Saves the corrections (when the component keeps them); the preview
    // does so when it closes. Failures are shown.
    void saveCorrections();

    void setZoomStep(int step);
    // The user profile the template's printer settings go into (tests).
    void setProfilePath(const QString& path);

    // The report on its way to the printer: the job, the template's printers.
    PrintSession& session() { return *session_; }
    ReportJob& job() { return session_->job(); }
    PreviewDocument& document() { return *document_; }
    PreviewPage* page() const { return page_; }
    QScrollArea* scrollBox() const { return scroll_; }

signals:
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QToolButton* toolButton(const QString& name, const QString& hint, QWidget* parent);
    void buildToolPanel(QFrame* panel);
    void buildEditPanel(QFrame* panel);
    void buildMemoPanel();
    bool handleKey(QKeyEvent* key, QObject* target);
    void showPageNumbers();
    void pageShown();
    void zoomTo(int step);
    void fillFields();
    void enableFields(bool on);
    void applyFieldsFromPanel();
    void placeMemoPanel();
    void chooseFont();
    void deleteElement();
    void scrollByKey(int dx, int dy, bool toEnd);
    void focusTextOf(int element);

    TSestava& component_;
    Messages& messages_;
    std::unique_ptr<FontMeasurer> measurer_;
    std::unique_ptr<PrintSession> session_;
    std::unique_ptr<PreviewDocument> document_;
    std::unique_ptr<ProgressWindow> progress_;
    bool building_ = false;  // buildPages is running
    bool previewMode_ = false;
    bool saved_ = false;
    bool printing_ = false;
    QString title_;

    // Tool panel.
    QFrame* tools_ = nullptr;
    QToolButton* konec_ = nullptr;
    QToolButton* edit_ = nullptr;
    QToolButton* tisk_ = nullptr;
    QToolButton* pgFi_ = nullptr;
    QToolButton* pgUp_ = nullptr;
    QToolButton* pgDn_ = nullptr;
    QToolButton* pgLa_ = nullptr;
    QLabel* pageNumber_ = nullptr;
    QLabel* pageCount_ = nullptr;
    QList<QToolButton*> zoomButtons_;
    QLabel* xSou_ = nullptr;
    QLabel* ySou_ = nullptr;
    // The page.
    QScrollArea* scroll_ = nullptr;
    PreviewPage* page_ = nullptr;
    // Edit panel.
    QFrame* editPanel_ = nullptr;
    QLineEdit* xEdit_ = nullptr;
    QLineEdit* yEdit_ = nullptr;
    QLineEdit* wEdit_ = nullptr;
    QLineEdit* hEdit_ = nullptr;
    QPushButton* font_ = nullptr;
    QComboBox* alignment_ = nullptr;
    QLineEdit* text_ = nullptr;
    QToolButton* selectTool_ = nullptr;
    QToolButton* newText_ = nullptr;
    QToolButton* newMemo_ = nullptr;
    QToolButton* delete_ = nullptr;
    // Floating memo panel.
    QFrame* memoPanel_ = nullptr;
    QPlainTextEdit* memoEdit_ = nullptr;
    QPushButton* memoApply_ = nullptr;
};

}  // namespace dorvana
