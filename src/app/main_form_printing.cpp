#include "app/main_form_printing.h"

#include <QAction>
#include <QApplication>

#include "app/core/selection_file.h"
#include "app/filter_dialog.h"
#include "app/main_form.h"
#include "app/print_bar.h"
#include "base/messages.h"
#include "controls/marking_grid.h"
#include "data/data_set.h"

namespace dorvana {

namespace {

const QString kSelectionFiles = QStringLiteral("Soubory výběru položek|*.sgn");

}  // namespace

MainFormPrinting::MainFormPrinting(TMainForm& form, Messages& messages)
    : QObject(&form),
      form_(form),
      messages_(messages),
      printing_(std::make_unique<LabelPrinting>(form.session(), messages)) {
    setObjectName(QStringLiteral("MainFormPrinting"));
    printBar_ = new PrintBar(form, *printing_, messages);

    const struct {
        const char* action;
        void (MainFormPrinting::*handler)();
    } commands[] = {{"Uloen1", &MainFormPrinting::Uloen1Click},
                    {"Naten1", &MainFormPrinting::Naten1Click},
                    {"Nastaven1", &MainFormPrinting::FiltrClick},
                    {"SpeedDrag", &MainFormPrinting::DbG1DblClick}};
    for (const auto& c : commands)
        connect(form.action(QString::fromLatin1(c.action)), &QAction::triggered, this, c.handler);
    connect(&form, &TMainForm::recordExclusionRequested, this, &MainFormPrinting::NavigClickDelete);
    connect(form.grid(), &TDbGridZelvan::clickDel, this, &MainFormPrinting::NavigClickDelete);
    connect(form.grid(), &QAbstractItemView::doubleClicked, this, [this] {
        // In the other modes the gesture belongs to the note panel.
        if (form_.session().labelFileLoaded()) DbG1DblClick();
    });
    for (auto signal : {&LabelSession::dataSetChanged, &LabelSession::commandsChanged})
        connect(&form.session(), signal, this, &MainFormPrinting::updateCommands);
    updateCommands();
}

MainFormPrinting::~MainFormPrinting() = default;

void MainFormPrinting::updateCommands() {
    LabelSession& s = form_.session();
    DataSet* shown = s.dataSet();
    const bool open = shown && shown->isOpen();
    form_.action(QStringLiteral("Uloen1"))->setEnabled(open && s.markingEnabled());
    form_.action(QStringLiteral("Naten1"))->setEnabled(open && s.markingEnabled());
    form_.action(QStringLiteral("Nastaven1"))->setEnabled(open);
    form_.action(QStringLiteral("SpeedDrag"))->setEnabled(s.labelFileLoaded() && s.labelTable());
}

QString MainFormPrinting::choose(const FileRequest& request) {
    return chooseFile ? chooseFile(request) : chooseFileWithDialog(&form_, request);
}

// ------------------------------------------------------------ marks

void MainFormPrinting::Uloen1Click() {
    const QList<qint32> marks = form_.grid()->marks().values();
    if (marks.isEmpty()) {
        messages_.error(kNoSelection);
        return;
    }
    const QString path =
        choose({QStringLiteral("Uložení výběru"), kSelectionFiles, QStringLiteral("sgn"), QStringLiteral("."), true});
    if (path.isEmpty()) return;
    QString error;
    if (!writeSelectionFile(path, marks, &error)) messages_.error(error);
}

void MainFormPrinting::Naten1Click() {
    const QString path = choose({QStringLiteral("Načtení výběru ze souboru"), kSelectionFiles,
                                 QStringLiteral("sgn"), QStringLiteral("."), false});
    if (path.isEmpty()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString error;
    QList<qint32> values;
    const bool ok = readSelectionFile(path, [&values](qint32 v) { values.append(v); }, &error);
    form_.grid()->toggleValues(values);  // what was read before a damaged end counts too
    QApplication::restoreOverrideCursor();
    if (!ok) messages_.error(error);
}

void MainFormPrinting::NavigClickDelete() {
    LabelSession& s = form_.session();
    DataSet* labels = s.labelTable();
    if (!s.labelFileLoaded() || !labels || !labels->isOpen()) {
        // The command addresses the label table, which only a label file has.
        messages_.error(QStringLiteral("Vyloučit lze jen větu souboru etiket."));
        return;
    }
    if (labels->isEmpty()) {
        messages_.beep();
        return;
    }
    if (!messages_.confirmQuestion(QStringLiteral("Vyloučit větu"))) return;
    QString error;
    if (!labels->deleteRecord(&error)) messages_.error(error);
}

// ------------------------------------------------------------ filter and generation

void MainFormPrinting::FiltrClick() {
    DataSet* shown = form_.session().dataSet();
    if (!shown || !shown->isOpen()) return;
    messages_.beep();
    TfmFilter2 dialog(*shown, messages_, [this](const FileRequest& r) { return choose(r); }, &form_);
    if (filterDialogShown) {
        dialog.show();
        filterDialogShown(dialog);
        return;
    }
    dialog.exec();
}

void MainFormPrinting::DbG1DblClick() {
    LabelSession& s = form_.session();
    if (!s.labelFileLoaded() || !s.labelTable()) return;
    runRecordGeneration(*s.labelTable(), messages_, &form_, generationDialog);
}

}  // namespace dorvana
