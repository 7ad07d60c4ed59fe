#include "layout_test_support.h"

#include "data/memory_store.h"

namespace dorvana::test {

std::unique_ptr<DataSet> memoryTable(const FieldDefs& defs, const QList<RawRecord>& rows) {
    return std::make_unique<DataSet>(std::make_unique<MemoryStore>(defs, rows));
}

std::unique_ptr<DataSet> numberTable(int n, const QStringList& cats) {
    FieldDefs defs{{QStringLiteral("cislo"), FieldType::Integer, 0, false},
                   {QStringLiteral("kat"), FieldType::String, 10, false}};
    QList<RawRecord> rows;
    for (int i = 1; i <= n; ++i)
        rows.append({QVariant::fromValue<qint64>(i),
                     cats.isEmpty() ? QVariant() : QVariant(cats[(i - 1) % cats.size()])});
    return memoryTable(defs, rows);
}

QStringList Built::placed(int page) const {
    QStringList out;
    const PageStore& pages = run->pages();
    if (page < 0 || page >= pages.pageCount()) return out;
    for (const TPrevPrvek& e : pages.page(page).elements())
        out << QStringLiteral("%1@%2,%3")
                   .arg(e.memo ? e.lines.join(QLatin1Char('|')) : e.text)
                   .arg(e.X)
                   .arg(e.Y);
    return out;
}

QStringList Built::texts(int page) const {
    QStringList out;
    const PageStore& pages = run->pages();
    if (page < 0 || page >= pages.pageCount()) return out;
    for (const TPrevPrvek& e : pages.page(page).elements())
        out << (e.memo ? e.lines.join(QLatin1Char('|')) : e.text);
    return out;
}

Built buildReport(const QStringList& lines, std::unique_ptr<DataSet> table,
                  const RunOptions& options, Progress* progress) {
    Built b;
    b.table = std::move(table);
    b.run = std::make_unique<ReportRun>();
    b.run->setDataSet(b.table.get());
    b.run->settings = options;
    b.run->loadTemplate(lines);
    NoProgress none;
    b.result = b.run->build(progress ? *progress : none);
    return b;
}

}  // namespace dorvana::test
