#pragma once
// The data set: one interface for tables and query results alike. It keeps a
// current record, moves through the rows of its store in windows (a grid over
// a million records reads only what it shows), offers fields by index and by
// name, bookmarks, a filter, calculated fields, editing with post and cancel,
// and tells attached controls (observers) what changed.

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "data/field_type.h"
#include "data/record_store.h"
#include "report/expr/tagged_value.h"

namespace dorvana {

class DataSet;
class FilterExpression;

// One field object of a data set: a stored field of the table or a calculated one.
class Field {
public:
    int index() const { return index_; }
    const QString& name() const { return def_.name; }
    FieldType dataType() const { return def_.type; }
    int size() const { return def_.size; }
    bool required() const { return def_.required; }
    bool isCalculated() const { return calculated_; }
    const FieldDef& def() const { return def_; }

    // The label shown in titles and used by filters: the name unless set.
    QString displayLabel() const { return displayLabel_.isEmpty() ? def_.name : displayLabel_; }
    void setDisplayLabel(const QString& label) { displayLabel_ = label; }
    // Width in characters (String: its size).
    int displayWidth() const;
    void setDisplayWidth(int width) { displayWidth_ = width; }
    // Number picture for display ("# ### ##0.00") and for editing; the edit
    // mask of a text field.
    const QString& displayFormat() const { return displayFormat_; }
    void setDisplayFormat(const QString& f) { displayFormat_ = f; }
    const QString& editFormat() const { return editFormat_; }
    void setEditFormat(const QString& f) { editFormat_ = f; }
    const QString& editMask() const { return editMask_; }
    void setEditMask(const QString& m) { editMask_ = m; }
    // 0 left, 1 right (numbers), 2 centre.
    int alignment() const;

    // The current record's value (see DataSet for how it is kept).
    bool isNull() const;
    TaggedValue value() const;
    QString displayText() const;
    // Text for an editor: numbers with the edit format, no currency sign.
    QString editText() const;
    QByteArray blob() const;

    // Assigning (the data set must be in edit or insert state; calculated
    // fields only inside the calculation hook). False with a Czech message
    // when the value does not fit the type.
    bool setValue(const TaggedValue& v, QString* error = nullptr);
    bool setText(const QString& text, QString* error = nullptr);
    bool setBlob(const QByteArray& bytes, QString* error = nullptr);
    void clear();
    // Blob fields: load the contents from a file, save them to a stream.
    bool loadFromFile(const QString& path, QString* error = nullptr);
    bool saveToStream(QIODevice* out, QString* error = nullptr) const;

private:
    friend class DataSet;
    Field(DataSet* owner, int index, FieldDef def, bool calculated)
        : owner_(owner), index_(index), def_(std::move(def)), calculated_(calculated) {}
    DataSet* owner_;
    int index_;
    FieldDef def_;
    bool calculated_;
    bool recordNumber_ = false;
    QString displayLabel_, displayFormat_, editFormat_, editMask_;
    int displayWidth_ = -1;
};

// What changed, as told to attached controls.
enum class DataSetEvent { Opened, Closed, DataChanged, RecordMoved, StateChanged };

class DataSetObserver {
public:
    virtual ~DataSetObserver() = default;
    virtual void dataSetEvent(DataSet& dataSet, DataSetEvent event) = 0;
    // The data set is being destroyed: the observer forgets it (and must not
    // call it any more, not even to remove itself).
    virtual void dataSetDestroyed(DataSet& dataSet) = 0;
};

struct Bookmark {
    qint64 id = -1;
    bool isValid() const { return id >= 0; }
};

class DataSet {
public:
    enum class State { Inactive, Browse, Edit, Insert };

    // The data set takes the store; it opens at once (active) when given one.
    explicit DataSet(std::unique_ptr<RecordStore> store = nullptr);
    ~DataSet();
    DataSet(const DataSet&) = delete;
    DataSet& operator=(const DataSet&) = delete;

    // Puts a (new) store under the data set; fields are rebuilt, calculated
    // fields added before are kept at the end.
    void setStore(std::unique_ptr<RecordStore> store);
    RecordStore* store() const { return store_.get(); }
    bool isOpen() const { return state_ != State::Inactive; }
    // Opens over the store it has (after a close), positioned on the first record.
    bool open(QString* error = nullptr);
    void close();
    State state() const { return state_; }
    bool isReadOnly() const;

    // Calculated fields. A record-number field gets the current record's
    // 1-based sequence number before the hook runs.
    Field* addCalculatedField(const QString& name, FieldType type, bool recordNumber = false);
    // Run whenever a record is read; it may assign calculated fields.
    void setCalcHook(std::function<void(DataSet&)> hook) { calcHook_ = std::move(hook); }

    // Navigation (the flags follow the usual rules: First sets at-begin, Last
    // at-end, a move that hits a bound sets that bound's flag).
    void first();
    void last();
    void next();
    void prior();
    // Moves by n records; returns how many were actually moved.
    qint64 moveBy(qint64 n);
    bool atBegin() const { return bof_; }
    bool atEnd() const { return eof_; }
    // 1-based number of the current record among the visible ones, 0 when none.
    qint64 recNo() const;
    bool setRecNo(qint64 n);
    qint64 recordCount() const;
    bool isEmpty() const { return recordCount() == 0; }
    // The stored values of the record at a 0-based visible position, with its
    // record-number fields set and the other calculated fields empty, read
    // without moving the current record (grids paint rows this way). False
    // beyond the end or when the store cannot be read.
    bool peekRecord(qint64 pos, RawRecord* out);

    Bookmark bookmark() const;
    bool gotoBookmark(const Bookmark& b);
    void freeBookmark(Bookmark& b) { b = {}; }
    bool bookmarkValid(const Bookmark& b) const;

    int fieldCount() const { return int(fields_.size()); }
    Field* field(int index) const;
    // None when absent (letters compared without regard to case).
    Field* findField(const QString& name) const;
    // Index of the first field with that name, -1 when none.
    int fieldIndex(const QString& name) const;
    const std::vector<std::unique_ptr<Field>>& fields() const { return fields_; }
    // Field objects are rebuilt (and earlier pointers become invalid) only
    // when the store is replaced, or when a store that types its columns by
    // their contents (CSV) retypes them after a write; observers then get
    // DataChanged.

    // Attached controls.
    void addObserver(DataSetObserver* o);
    void removeObserver(DataSetObserver* o);
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return disableCount_ > 0; }
    // Re-reads the store keeping the current record when it still exists.
    bool refresh(QString* error = nullptr);
    // Re-reads when another writer has changed the store since it was read
    // (records added and deleted too); while a record is edited the re-read
    // waits: true while one is still due.
    bool refreshIfChangedElsewhere();

    // Editing. Every failing operation returns false with a Czech message
    // and leaves the data set as it was. A post or delete that finds the
    // record changed or deleted by another writer since it was read writes
    // nothing, says so and shows the record as now stored.
    bool append(QString* error = nullptr);
    bool insert(QString* error = nullptr);
    bool edit(QString* error = nullptr);
    bool post(QString* error = nullptr);
    void cancel();
    bool deleteRecord(QString* error = nullptr);

    // Primary key lookup: true and current when a record with the key exists.
    bool findKey(const TaggedValue& key);

    // Filter text (the filter dialog's syntax) and filtering on or off.
    // Switching on (or changing the text while on) fails on a text the
    // engine rejects; filtering then stays off.
    bool setFilter(const QString& text, QString* error = nullptr);
    const QString& filter() const { return filterText_; }
    bool setFiltered(bool on, QString* error = nullptr);
    bool isFiltered() const { return filtered_; }

    // The last error message of an operation that has no error argument
    // (navigation reading a broken file).
    const QString& lastError() const { return lastError_; }
    void clearLastError() { lastError_.clear(); }

    // --- for Field ---
    const QVariant& rawValue(int field) const;
    bool setRawValue(int field, const QVariant& v, QString* error);

private:
    void rebuildFields();
    bool syncFieldsWithStore();
    qint64 visibleCount() const;
    qint64 storeRowAt(qint64 pos) const;     // visible position -> store row
    qint64 positionOfRow(qint64 row) const;  // store row -> visible position, -1 when hidden
    bool loadCurrent();
    const RawRecord* fetchRow(qint64 row);
    void invalidateCache();
    void notify(DataSetEvent e);
    bool rebuildFilterView(QString* error);
    void setPosition(qint64 pos);
    bool checkBrowse(QString* error);
    bool validateRecord(const RawRecord& r, QString* error) const;
    bool recordMatches(const RawRecord& r, qint64 row) const;
    // Forgets rows read before another writer's change (they are read again).
    void dropStaleRows();
    static QString conflictMessage(RowConflict conflict, bool deleting);
    // After a write found the row changed or gone: the stored state is shown.
    void reloadAfterConflict();

    std::unique_ptr<RecordStore> store_;
    std::vector<std::unique_ptr<Field>> fields_;
    int storedCount_ = 0;
    std::vector<std::pair<FieldDef, bool>> calcDefs_;  // calculated fields (def, record number)
    std::function<void(DataSet&)> calcHook_;
    bool inCalc_ = false;

    State state_ = State::Inactive;
    qint64 pos_ = 0;
    bool bof_ = true, eof_ = true;
    RawRecord current_;  // stored + calculated values of the current record or edit buffer
    RawRecord saved_;    // the record before edit
    qint64 editRow_ = -1;

    // Window of store rows.
    qint64 cacheFirst_ = 0;
    QList<RawRecord> cache_;

    QString filterText_;
    bool filtered_ = false;
    std::unique_ptr<FilterExpression> filterExpr_;
    std::vector<qint64> filterRows_;  // sorted store rows that pass the filter

    std::vector<DataSetObserver*> observers_;
    int disableCount_ = 0;
    bool pendingChange_ = false;
    bool changedElsewhere_ = false;  // another writer's change not yet re-read in full
    QString lastError_;
};

}  // namespace dorvana
