#include "app/file_chooser.h"

#include <QFileDialog>

namespace dorvana {

QString chooseFileWithDialog(QWidget* parent, const FileRequest& r) {
    QFileDialog dlg(parent, r.title, r.directory);
    dlg.setObjectName(r.save ? QStringLiteral("SaveDialog") : QStringLiteral("OpenDialog"));
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    dlg.setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(r.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const qsizetype bar = r.filter.indexOf(u'|');
    dlg.setNameFilter(bar < 0 ? r.filter
                              : QStringLiteral("%1 (%2)").arg(r.filter.left(bar), r.filter.mid(bar + 1)));
    dlg.setDefaultSuffix(r.defaultSuffix);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().first();
}

}  // namespace dorvana
