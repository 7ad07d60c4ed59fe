#include "report/run/report_component.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "base/process_context.h"
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

double zoomFactor(int step) {
    static constexpr double kSteps[kZoomStepCount] = {0.32, 0.40, 0.50, 0.64, 0.75, 0.83,
                                                      1.00, 1.17, 1.25, 1.50, 1.75, 2.00,
                                                      2.25, 2.50, 2.75, 3.00};
    return kSteps[qBound(0, step, kZoomStepCount - 1)];
}

int zoomStepForPercent(int percent) {
    const double doubled = percent / 50.0;  // twice the factor
    for (int i = 0; i < kZoomStepCount - 1; ++i)
        if (doubled < zoomFactor(i) + zoomFactor(i + 1)) return i;
    return kZoomStepCount - 1;
}

TSestava::TSestava() {
    ProcessContext& context = processContext();
    context.currentReport = this;
    context.settingsFilePath = QDir::current().filePath(QStringLiteral("sestdll.ini"));
}

TSestava::~TSestava() {
    ProcessContext& context = processContext();
    if (context.currentReport == this) context.currentReport = nullptr;
}

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
    const auto restore = [&] {
        data->enableControls();
        if (mark.isValid()) data->gotoBookmark(mark);
        data->freeBookmark(mark);
        closeIfOpenedHere();
    };
    bool result = false;
    try {
        result = op();
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return result;
}

}  // namespace dorvana
