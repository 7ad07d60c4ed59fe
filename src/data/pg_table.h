#pragma once
// Label tables on a PostgreSQL server: the label record in a server table,
// shared by several clerks. Rows stand in `cislo` order and are read in
// windows by key (keyset reads: "WHERE cislo >= $1 ORDER BY cislo LIMIT n",
// never OFFSET); the keys are read only as far as rows are asked for
// (RowIdIndex, with cislo as the row id). Every write is one transaction
// with parameters, and an update or delete names the row as the clerk read
// it, so the server refuses to overwrite another clerk's change. A
// statement-level trigger sends NOTIFY on every change; the store listens
// and tells changedElsewhere().
//
// Server table (created by createServerLabelTable):
//   cislo integer PRIMARY KEY   nazev1, nazev2, popis1..4 varchar(40)
//   barcode varchar(20)         cislo1, cislo2, cena double precision
//   datum1, datum2 date         logo, barbmp bytea   pozn text

#include <QString>
#include <memory>

#include "data/data_set.h"
#include "data/pg_connection.h"
#include "data/record_store.h"
#include "data/row_id_index.h"

namespace dorvana {

// Creates a label table on a server with its change trigger. An existing
// table is refused unless replace is set (then it is dropped first, in the
// same transaction).
bool createServerLabelTable(const PgTarget& target, bool replace, QString* error);
// The same inside a transaction the caller runs on c (import: the table and
// its records commit together); *existed tells whether a table was there.
bool createServerLabelTableIn(PgConnection& c, const PgTarget& target, bool replace, bool* existed,
                              QString* error);
// Appends label records (all 16 fields, in order) to the target's table on c.
bool insertServerLabelRows(PgConnection& c, const PgTarget& target, const QList<RawRecord>& records,
                           QString* error);
// Whether the server already has the target's table.
bool serverTableExists(const PgTarget& target, bool* exists, QString* error);

class PgTableStore : public RecordStore {
public:
    // Connects and opens the target's table; fails with a message naming the
    // server and the table when the server cannot be reached, the table is
    // missing or is not a label table.
    static std::unique_ptr<PgTableStore> open(const PgTarget& target, QString* error,
                                              RowCounting counting = RowCounting::Exact);
    static std::unique_ptr<PgTableStore> open(const QString& uri, QString* error,
                                              RowCounting counting = RowCounting::Exact);
    // Tables smaller than this are counted exactly at opening whatever asked.
    static constexpr qint64 kEstimatedFrom = 100000;

    QString kindName() const override { return QStringLiteral("tabulka na serveru"); }
    const FieldDefs& fieldDefs() const override;
    qint64 rowCount() const override { return keys_.size(); }
    bool readRows(qint64 first, qint64 count, QList<RawRecord>* out, QString* error) override;
    qint64 rowId(qint64 row) const override;
    qint64 rowOfId(qint64 id) const override;
    bool canWrite(QString* reason) const override;
    bool updateRow(qint64 row, const RawRecord& values, qint64* newRow, QString* error) override;
    bool insertRow(const RawRecord& values, qint64* newRow, QString* error) override;
    bool deleteRow(qint64 row, QString* error) override;
    bool updateReadRow(qint64 row, const RawRecord& asRead, const RawRecord& values, qint64* newRow,
                       RowConflict* conflict, QString* error) override;
    bool deleteReadRow(qint64 row, const RawRecord& asRead, RowConflict* conflict,
                       QString* error) override;
    bool changedElsewhere() override;
    // Whether the row count is the server's estimate (the exact one is coming).
    bool countIsEstimated() const { return counting_; }
    int keyField() const override { return 0; }
    qint64 findKey(const QVariant& key) const override;
    bool reload(QString* error) override;
    QString filePath() const override { return conn_.target().uri; }

    // Appends many records in one transaction (import).
    bool insertMany(const QList<RawRecord>& records, QString* error);
    // The socket the change notifications arrive on (-1 when not connected).
    // While the exact count runs, the socket it arrives on.
    int notificationSocket() const override {
        return counting_ ? counter_.socket() : conn_.socket();
    }
    void setNoticeHandler(std::function<void()> handler) override {
        onNotice_ = handler;
        conn_.setNoticeHandler(std::move(handler));
    }
    PgConnection& connection() { return conn_; }
    const PgTarget& target() const { return conn_.target(); }

private:
    PgTableStore() = default;
    bool init(const PgTarget& target, QString* error);
    // The row count: the exact one that arrived, else an estimate (starting
    // the exact count on the side) when asked and large, else counted now.
    bool countRows(qint64* count, QString* error);
    bool startExactCount(qint64 estimate);
    // Takes the side count's result when it is there; whether it is.
    bool takeExactCount();
    // A message naming the server and the table.
    QString fault(const QString& what) const;
    QString fault(const PgResult& r) const;
    // Asks the server to announce other clerks' changes of the table.
    bool listen(QString* error) const;
    // Reconnects (and listens again) when the server dropped the connection.
    bool ensureConnected(QString* error) const;
    bool checkShape(QString* error);
    bool fetchKeys(qint64 lo, qint64 hi, qint64 limit, bool descending,
                   std::vector<qint64>* out) const;
    bool keyOf(qint64 row, qint64* key, QString* error) const;
    // One row as read: text result values to raw values.
    RawRecord rawRow(const PgResult& r, int row) const;
    // Runs the checked update or delete in one transaction.
    bool checkedWrite(const QString& sql, QList<QVariant> params, qint64 key,
                      const RawRecord& asRead, RowConflict* conflict, QString* error);
    QString keyViolation(const QVariant& key) const;

    mutable PgConnection conn_;
    QString table_;    // quoted
    QString channel_;  // quoted channel the trigger notifies
    QString columns_;  // quoted column list in field order
    mutable RowIdIndex keys_;
    bool estimateNext_ = false;  // the next reload may start from an estimate
    bool counting_ = false;      // the exact count runs on counter_
    mutable PgConnection counter_;
    qint64 estimate_ = -1;
    qint64 exactCount_ = -1;     // arrived, not yet applied by reload
    std::function<void()> onNotice_;
    mutable QString keyError_;
};

// A data set over a server label table with its record-number field `calc`.
std::unique_ptr<DataSet> openServerLabelDataSet(const QString& uri, QString* error,
                                                RowCounting counting = RowCounting::Exact);

}  // namespace dorvana
