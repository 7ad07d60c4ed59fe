#pragma once
// The storage behind a data set: a table file (label file, dBase, Paradox,
// CSV, a foreign SQLite table) or a query result, seen as a list of rows in
// the table's order. Rows are read in windows; nothing requires the whole
// table in memory.
//
// Raw values (QVariant) by field type: null for no value; QString for
// String and Memo; qint64 for Smallint, Integer, Word and Autoinc; double for
// Float, Currency and BCD; bool; QDate, QTime, QDateTime; QByteArray for
// Blob, Graphic, Bytes and VarBytes. The data set turns them into tagged values.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <functional>
#include <numeric>
#include <vector>

#include "data/field_type.h"

namespace dorvana {

using RawRecord = QList<QVariant>;

// Whether two raw values are the same stored value (null equals only null).
bool sameRawValue(const QVariant& a, const QVariant& b);

// What a checked write found in place of the row the writer had read.
enum class RowConflict {
    None,      // the row was as read; the write was done
    Changed,   // another writer changed it meanwhile; nothing written
    Vanished,  // another writer deleted it meanwhile; nothing written
};

// Stable identities of the rows of a store whose rows are only numbered by
// position (CSV, Paradox): numbered 0, 1, 2, ... on reading, kept across the
// store's own inserts (at the end) and deletes, so bookmarks survive them.
class RowIds {
public:
    void reset(qint64 rows) {
        ids_.resize(size_t(rows));
        std::iota(ids_.begin(), ids_.end(), qint64(0));
        next_ = rows;
    }
    void appended() { ids_.push_back(next_++); }
    void erased(qint64 row) {
        if (row >= 0 && row < qint64(ids_.size())) ids_.erase(ids_.begin() + row);
    }
    // Renumbers when the rows no longer match (the file was changed elsewhere).
    void check(qint64 rows) {
        if (qint64(ids_.size()) != rows) reset(rows);
    }
    qint64 id(qint64 row) const {
        return row >= 0 && row < qint64(ids_.size()) ? ids_[size_t(row)] : -1;
    }
    qint64 row(qint64 id) const {
        const auto it = std::lower_bound(ids_.begin(), ids_.end(), id);
        return it != ids_.end() && *it == id ? qint64(it - ids_.begin()) : -1;
    }

private:
    std::vector<qint64> ids_;
    qint64 next_ = 0;
};

// How a store of a large server table counts its rows at opening. Exact:
// counted before the first row is read (whoever goes through every row).
// Estimated: the server's estimate first, counted meanwhile on the side; the
// store tells the exact count as a change made elsewhere (changedElsewhere),
// so a grid over it (whose watcher re-reads on such changes) opens at once.
enum class RowCounting { Exact, Estimated };

class RecordStore {
public:
    virtual ~RecordStore() = default;

    // A short Czech name of the table kind for messages ("soubor etiket", "dBase", ...).
    virtual QString kindName() const = 0;
    virtual const FieldDefs& fieldDefs() const = 0;
    virtual qint64 rowCount() const = 0;
    // Appends rows first .. first+count-1 (clamped to the table) to out.
    virtual bool readRows(qint64 first, qint64 count, QList<RawRecord>* out, QString* error) = 0;

    // A stable identity of a row that survives inserts and deletes of other
    // rows (bookmarks); rowOfId gives -1 for a row that is gone.
    virtual qint64 rowId(qint64 row) const { return row; }
    virtual qint64 rowOfId(qint64 id) const { return id >= 0 && id < rowCount() ? id : -1; }

    // Writing. A read-only store answers false with the reason.
    virtual bool canWrite(QString* reason) const {
        if (reason) *reason = QStringLiteral("Tabulka je jen pro čtení");
        return false;
    }
    // Replaces a row; *newRow is where it stands afterwards (a key change moves it).
    virtual bool updateRow(qint64 row, const RawRecord& values, qint64* newRow, QString* error) {
        Q_UNUSED(row)
        Q_UNUSED(values)
        Q_UNUSED(newRow)
        canWrite(error);
        return false;
    }
    // Adds a row: in key order when the table has a primary key, at the end otherwise.
    virtual bool insertRow(const RawRecord& values, qint64* newRow, QString* error) {
        Q_UNUSED(values)
        Q_UNUSED(newRow)
        canWrite(error);
        return false;
    }
    virtual bool deleteRow(qint64 row, QString* error) {
        Q_UNUSED(row)
        canWrite(error);
        return false;
    }

    // Writes that first check, inside the write's transaction, that the row
    // is still what the writer read (asRead: its stored values as read);
    // when it is not, nothing is written and *conflict tells why. A store
    // that cannot see other writers writes unchecked.
    virtual bool updateReadRow(qint64 row, const RawRecord& asRead, const RawRecord& values,
                               qint64* newRow, RowConflict* conflict, QString* error) {
        Q_UNUSED(asRead)
        *conflict = RowConflict::None;
        return updateRow(row, values, newRow, error);
    }
    virtual bool deleteReadRow(qint64 row, const RawRecord& asRead, RowConflict* conflict,
                               QString* error) {
        Q_UNUSED(asRead)
        *conflict = RowConflict::None;
        return deleteRow(row, error);
    }
    // Whether another writer has committed changes since the store last read
    // or asked; each change is told once. Rows read before may be stale.
    virtual bool changedElsewhere() { return false; }
    // A socket that becomes readable when another writer's change is
    // announced (a server's notifications); -1 when the store has none.
    virtual int notificationSocket() const { return -1; }
    // Called when an announcement was read along with a reply (the socket
    // then shows nothing): look at changedElsewhere() later, outside the read.
    virtual void setNoticeHandler(std::function<void()> handler) { Q_UNUSED(handler) }

    // The primary key field (one field), -1 when the table has none.
    virtual int keyField() const { return -1; }
    // The row whose key equals key, -1 when none (or no key).
    virtual qint64 findKey(const QVariant& key) const {
        Q_UNUSED(key)
        return -1;
    }
    // Re-reads what other writers may have changed.
    virtual bool reload(QString* error) {
        Q_UNUSED(error)
        return true;
    }
    // The file the store reads, empty for query results.
    virtual QString filePath() const { return {}; }
    // Files that belong to the table besides filePath() (memo files, journals).
    virtual QStringList companionFiles() const { return {}; }
    // Something the user should know about how the file was read (e.g. in
    // which encoding); empty when there is nothing to say.
    virtual QString readingNotice() const { return {}; }
};

}  // namespace dorvana
