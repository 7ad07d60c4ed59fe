// Fuzz target: arbitrary text as a report's SQL, run over a scratch folder
// holding a label file and a CSV file. Whatever the text, the files' bytes
// never change and no file appears in the folder.
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QString>
#include <cstdint>

#include "base/progress.h"
#include "data/label_file.h"
#include "data/query.h"
#include "scratch.h"
#include "quiet_log.h"

namespace {

// Ends a statement that runs too long, as a user's cancel would.
class Deadline final : public dorvana::Progress {
public:
    void step(int, int, const QString&) override {}
    bool cancelled() override { return ++polls > 10; }
    int polls = 0;
};

struct Scratch {
    QString dir;
    QMap<QString, QByteArray> files;

    Scratch() {
        dir = fuzzScratchDir("sql-guard");
        // SQLite's temporary files (a query's result table) in memory too.
        const QString temp = dir + QStringLiteral("-tmp");
        QDir().mkpath(temp);
        qputenv("SQLITE_TMPDIR", temp.toLocal8Bit());
        const QString labels = QDir(dir).filePath(QStringLiteral("etikety.db"));
        QString error;
        if (!dorvana::createLabelFile(labels, &error)) __builtin_trap();
        auto store = dorvana::LabelFileStore::open(labels, &error);
        QList<dorvana::RawRecord> rows;
        for (int i = 1; i <= 3; ++i) {
            dorvana::RawRecord r(16);
            r[0] = QVariant::fromValue<qint64>(i);
            r[1] = QStringLiteral("Zboží %1").arg(i);
            rows << r;
        }
        if (!store || !store->insertMany(rows, &error)) __builtin_trap();
        store.reset();
        QFile csv(QDir(dir).filePath(QStringLiteral("sklad.csv")));
        if (!csv.open(QIODevice::WriteOnly)) __builtin_trap();
        csv.write("cislo;sklad\r\n1;Praha\r\n2;Brno\r\n");
        csv.close();
        files = snapshot();
    }
    QMap<QString, QByteArray> snapshot() const {
        QMap<QString, QByteArray> out;
        const QDir d(dir);
        for (const QString& name : d.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            QFile f(d.filePath(name));
            out.insert(name, f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("?"));
        }
        return out;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Scratch scratch;
    if (size > 4096) return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    {
        Deadline deadline;
        dorvana::Query query;
        query.setDatabase(scratch.dir);
        query.setProgress(&deadline);
        query.setText(text);
        QString error;
        if (query.open(&error)) {
            dorvana::DataSet* ds = query.dataSet();
            int rows = 0;
            for (ds->first(); !ds->atEnd() && rows < 100; ds->next(), ++rows)
                for (int i = 0; i < ds->fieldCount(); ++i) (void)ds->field(i)->displayText();
        }
    }
    if (scratch.snapshot() != scratch.files) __builtin_trap();
    return 0;
}
