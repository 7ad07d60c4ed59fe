#include "report/run/report_component.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "data/data_set.h"

namespace dorvana {

QString programDirectory() {
    QString dir;
    if (QCoreApplication::instance())
        dir = QCoreApplication::applicationDirPath();
    else
        dir = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2);
    return withTrailingSeparator(dir);
}

QString withTrailingSeparator(const QString& directory) {
    if (directory.isEmpty() || directory.endsWith(u'/')) return directory;
    if (directory.endsWith(u'\\')) return directory.chopped(1) + u'/';
    return directory + u'/';
}

TSestava::TSestava() = default;
TSestava::~TSestava() = default;

QString TSestava::templatePath() const {
    return (ReportDirIgnore ? programDirectory() : reportDir_) + ReportName;
}

QString TSestava::correctionsPath() const {
    return OpravyName.isEmpty() ? QString() : opravyDir_ + OpravyName;
}

bool TSestava::checkSettings(const Question& askOpen, QString* message) {
    message->clear();
    dataSetWasOpen_ = true;
    if (!DataSource) {
        *message = QStringLiteral("Není definován zdroj dat.");
        return false;
    }
    DataSet* data = DataSource->dataSet;
    if (!data) {
        *message = QStringLiteral("Ke zdroji dat není připojena žádná tabulka.");
        return false;
    }
    if (!data->isOpen()) {
        if (!askOpen || !askOpen(QStringLiteral("Připojená tabulka není aktivní. Zkusit otevřít?")))
            return false;
        data->open();
        if (!data->isOpen()) {
            *message = QStringLiteral("Připojenou tabulku se nepodařilo otevřít.");
            return false;
        }
        dataSetWasOpen_ = false;
    }
    if (inMemoryTemplate.isEmpty() && (reportDir_ + ReportName).isEmpty()) {
        *message = QStringLiteral("Není definována cesta a název souboru s předlohou.");
        closeIfOpenedHere();
        return false;
    }
    return true;
}

void TSestava::closeIfOpenedHere() {
    if (!dataSetWasOpen_) {
        if (DataSet* data = dataSet()) data->close();
        dataSetWasOpen_ = true;
    }
}

bool TSestava::run(const std::function<bool()>& op, const Question& askOpen, QString* message) {
    restartRequested = false;
    if (!checkSettings(askOpen, message)) return false;
    DataSet* data = dataSet();
    Bookmark mark = data->bookmark();
    data->disableControls();
    // Undone on every way out of op, an exception included.
    struct Restore {
        TSestava* self;
        DataSet* data;
        Bookmark& mark;
        ~Restore() {
            data->enableControls();
            if (mark.isValid()) data->gotoBookmark(mark);
            data->freeBookmark(mark);
            self->closeIfOpenedHere();
        }
    } restore{this, data, mark};
    return op();
}

bool designUntilDone(TSestava& component, const std::function<bool()>& open) {
    bool result = false;
    do {
        component.restartRequested = false;
        result = open();
    } while (component.restartRequested);
    return result;
}

}  // namespace dorvana
