// The main window's record commands: backup and restore, designing a new
// table, the picture and the note of the current record, and the grid's
// shortcuts to the picture and the note.
#include <QAction>
#include <QTimer>

#include "app/backup_dialog.h"
#include "app/core/volume_label.h"
#include "app/image_window.h"
#include "app/main_form.h"
#include "app/new_database_dialog.h"
#include "app/note_panel.h"
#include "base/names.h"
#include "controls/data_memo.h"
#include "controls/data_set_model.h"
#include "controls/marking_grid.h"
#include "controls/navigator.h"

namespace dorvana {

namespace {

const QString kLogoField = QStringLiteral("logo");
const QString kNoteField = QStringLiteral("pozn");

bool isMemoField(const Field* f) {
    return f && (f->dataType() == FieldType::Memo || f->dataType() == FieldType::String);
}

// Whether the current record holds something in the field.
bool fieldFilled(const Field* f) {
    if (!f) return false;
    if (f->dataType() == FieldType::String) return !f->displayText().isEmpty();
    return !f->blob().isEmpty();
}

}  // namespace

void TMainForm::buildRecordCommands() {
    // The backup dialog lives as long as the window; each showing prepares it again.
    volumeLabels_ = std::make_unique<SystemVolumeLabels>();
    backup_ = new TZaloha(session_->dataDir(), session_->startDir(), session_->saveDir(), *messages_,
                          *volumeLabels_, this);
    notePanel_ = new NotePanel(centre_);
    notePanel_->setMessages(messages_);

    connect(action(QStringLiteral("Archivace1")), &QAction::triggered, this, &TMainForm::Archivace1Click);
    connect(action(QStringLiteral("DBDesktop1")), &QAction::triggered, this, &TMainForm::DBDesktop1Click);
    connect(action(QStringLiteral("SpeedItem6")), &QAction::triggered, this, &TMainForm::SpeedItem6Click);
    connect(action(QStringLiteral("SpeedItem7")), &QAction::triggered, this, &TMainForm::SpeedItem7Click);
    connect(DbG1_, &TDbGridZelvan::selectCell, this, &TMainForm::DbG1SelectCell);
    connect(DbG1_, &QAbstractItemView::doubleClicked, this, &TMainForm::DbG1MemoDblClick);
    // A note being typed goes into the record before the navigator moves or posts it.
    connect(navigator_, &TDBNavign::beforeAction, this, [this] { notePanel_->memo()->updateRecord(); });
}

void TMainForm::updateRecordCommands() {
    action(QStringLiteral("SpeedItem6"))->setEnabled(session_->imageEditEnabled());
    action(QStringLiteral("SpeedItem7"))->setEnabled(session_->noteEditEnabled());
}

void TMainForm::rebindNotePanel() {
    // In label-file mode the panel shows the label record's note; elsewhere it
    // stays on its field while the table shown still has it.
    if (!session_->externalMode()) {
        notePanel_->bind(session_->labelTable(), kNoteField);
        return;
    }
    DataSet* ds = session_->dataSet();
    const QString field = notePanel_->memo()->dataField();
    if (ds && isMemoField(ds->findField(field))) {
        notePanel_->bind(ds, field);
    } else {
        notePanel_->bind(nullptr, field);
        notePanel_->hide();
    }
}

void TMainForm::Archivace1Click() {
    // A restore may replace the files shown: they are closed while the dialog is open.
    session_->closeTablesForRestore();
    backup_->prepare();
    backup_->exec();
    session_->reopenTablesAfterRestore();
}

void TMainForm::DBDesktop1Click() {
    TBasForm form(session_->dataDir(), *messages_, this);
    form.setOpenFiles(session_->openTableFiles());
    form.exec();
}

void TMainForm::SpeedItem6Click() {
    if (!action(QStringLiteral("SpeedItem6"))->isEnabled()) return;
    // In a foreign table or a query only the grid's picture column is edited.
    editRecordPicture(session_->externalMode() ? DbG1_->selectedFieldName() : QStringLiteral("Logo"));
}

void TMainForm::editRecordPicture(const QString& field) {
    DataSet* ds = session_->dataSet();
    if (!ds || !ds->isOpen() || field.isEmpty()) return;
    // An edit in progress (a note being typed) is kept first: the image window
    // cancels whatever edit remains when it closes.
    if (ds->state() != DataSet::State::Browse) {
        notePanel_->memo()->updateRecord();
        QString err;
        if (!ds->post(&err)) {
            messages_->error(err);
            return;
        }
    }
    editPicture(*ds, field, *messages_, session_->imageWindowSettings(), this);
}

void TMainForm::SpeedItem7Click() {
    if (!action(QStringLiteral("SpeedItem7"))->isEnabled()) return;
    showNote(session_->labelTable(), kNoteField);
}

void TMainForm::showNote(DataSet* dataSet, const QString& field) {
    notePanel_->bind(dataSet, field);
    const QSize area = centre_->size();
    if (!notePanel_->isVisible())
        notePanel_->move(std::max(0, area.width() - notePanel_->width() - 30),
                         std::max(0, std::min(60, area.height() - notePanel_->height())));
    notePanel_->showForEditing();
}

void TMainForm::DbG1SelectCell(int column, int row, bool* accept) {
    // The grid getting the focus back (after the image window closed) opens nothing.
    if (DbG1_->reselecting()) return;
    const GridColumns& columns = DbG1_->columns();
    if (column < 0 || column >= columns.size()) return;
    const QString field = columns[column].fieldName;
    const bool logo = sameName(field, kLogoField) && action(QStringLiteral("SpeedItem6"))->isEnabled();
    const bool note = sameName(field, kNoteField) &&
                      (session_->externalMode() || action(QStringLiteral("SpeedItem7"))->isEnabled());
    DataSet* ds = DbG1_->dataSet();
    if ((!logo && !note) || !ds || !ds->isOpen()) return;
    // The record of the chosen row becomes current, then its field decides.
    if (!DbG1_->dataModel()->moveToRow(row)) {
        *accept = false;
        return;
    }
    Field* f = ds->findField(field);
    if (!fieldFilled(f) || (note && !isMemoField(f))) return;
    // A filled picture or note opens its editor instead of selecting the cell.
    *accept = false;
    if (logo)
        QTimer::singleShot(0, this, [this, field] { editRecordPicture(field); });
    else
        QTimer::singleShot(0, this, [this, ds, field] {
            if (ds == session_->dataSet()) showNote(ds, field);
        });
}

void TMainForm::DbG1MemoDblClick(const QModelIndex& index) {
    // In label-file mode the double click belongs to record generation.
    if (!session_->externalMode() || !index.isValid()) return;
    const GridColumns& columns = DbG1_->columns();
    if (index.column() >= columns.size()) return;
    DataSet* ds = session_->dataSet();
    Field* f = ds ? ds->findField(columns[index.column()].fieldName) : nullptr;
    if (f && f->dataType() == FieldType::Memo) showNote(ds, f->name());
}

}  // namespace dorvana
