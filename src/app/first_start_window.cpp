#include "app/first_start_window.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/main_form.h"

namespace dorvana {

namespace {

QString welcomeText(const Workspace& w) {
    const QString data = QDir(w.startDir).filePath(QStringLiteral("data"));
    return QStringLiteral(
               "<p><b>Vítejte v programu Dorvana.</b></p>"
               "<p>Štítky a sestavy se tisknou ze záznamů souboru štítků. Začněte jedním z "
               "tlačítek:</p>"
               "<ul><li><b>Otevřít soubor</b> – otevře soubor štítků, který už máte (nebo "
               "tabulku Paradox či dBase),</li>"
               "<li><b>Založit soubor</b> – založí nový prázdný soubor štítků.</li></ul>"
               "<p>Ukázkové předlohy etiket a sestav jsou v seznamu předloh na liště tisku.</p>"
               "<p>Předlohy: %1<br>Soubory štítků: %2</p>")
        .arg(QDir::toNativeSeparators(w.startDir).toHtmlEscaped(),
             QDir::toNativeSeparators(data).toHtmlEscaped());
}

}  // namespace

FirstStartWindow::FirstStartWindow(TMainForm& form, const Workspace& workspace) : QDialog(&form) {
    setObjectName(QStringLiteral("FirstStartWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf16(kTitle));
    setAccessibleName(windowTitle());

    auto* text = new QLabel(welcomeText(workspace));
    text->setObjectName(QStringLiteral("FirstStartText"));
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setMinimumWidth(440);

    auto* buttons = new QDialogButtonBox;
    QPushButton* open = buttons->addButton(QStringLiteral("Otevřít soubor"), QDialogButtonBox::AcceptRole);
    QPushButton* create = buttons->addButton(QStringLiteral("Založit soubor"), QDialogButtonBox::AcceptRole);
    QPushButton* close = buttons->addButton(QStringLiteral("Zavřít"), QDialogButtonBox::RejectRole);
    open->setDefault(true);
    for (QPushButton* b : {open, create, close}) b->setAccessibleName(b->text());

    // The main window's own commands run once this window is gone.
    auto after = [this, &form](const char* action) {
        QAction* a = form.action(QString::fromLatin1(action));
        accept();
        if (a) QTimer::singleShot(0, a, &QAction::trigger);
    };
    connect(open, &QPushButton::clicked, this, [after] { after("Otevi1"); });
    connect(create, &QPushButton::clicked, this, [after] { after("Zalo1"); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
    setWindowModality(Qt::WindowModal);
}

}  // namespace dorvana
