#include "data/data_set.h"

#include <QFile>
#include <algorithm>
#include <cassert>

#include "base/names.h"
#include "data/field_value.h"
#include "data/filter_expression.h"

namespace dorvana {

namespace {
constexpr qint64 kWindow = 256;
constexpr int kMaxFieldObjects = 100;
const QVariant kNull;
}  // namespace

// ---------------------------------------------------------------- Field

int Field::displayWidth() const {
    if (displayWidth_ >= 0) return displayWidth_;
    switch (def_.type) {
        case FieldType::String:
            return std::max(1, def_.size);
        case FieldType::Smallint:
            return 6;
        case FieldType::Word:
            return 5;
        case FieldType::Integer:
        case FieldType::Autoinc:
            return 11;
        case FieldType::DateTime:
            return 18;
        case FieldType::Boolean:
            return 5;
        default:
            return 10;
    }
}

int Field::alignment() const {
    return isNumericType(def_.type) ? 1 : def_.type == FieldType::Boolean ? 2 : 0;
}

bool Field::isNull() const {
    return owner_->rawValue(index_).isNull();
}

TaggedValue Field::value() const {
    return taggedFromRaw(owner_->rawValue(index_), def_.type);
}

QString Field::displayText() const {
    return textOfRaw(owner_->rawValue(index_), def_.type, displayFormat_);
}

QString Field::editText() const {
    return textOfRaw(owner_->rawValue(index_), def_.type, editFormat_, false);
}

QByteArray Field::blob() const {
    const QVariant& v = owner_->rawValue(index_);
    if (v.isNull()) return {};
    return v.typeId() == QMetaType::QString ? v.toString().toUtf8() : v.toByteArray();
}

bool Field::setValue(const TaggedValue& v, QString* error) {
    QVariant raw;
    if (!rawFromTagged(v, def_, &raw, error)) return false;
    return owner_->setRawValue(index_, raw, error);
}

bool Field::setText(const QString& text, QString* error) {
    QVariant raw;
    if (!rawFromText(text, def_, &raw, error)) return false;
    return owner_->setRawValue(index_, raw, error);
}

bool Field::setBlob(const QByteArray& bytes, QString* error) {
    QVariant raw;
    if (bytes.isEmpty())
        raw = QVariant();
    else if (def_.type == FieldType::Memo || def_.type == FieldType::String)
        raw = QString::fromUtf8(bytes);
    else if (isBlobType(def_.type))
        raw = bytes;
    else
        return setText(QString::fromUtf8(bytes), error);
    return owner_->setRawValue(index_, raw, error);
}

void Field::clear() {
    owner_->setRawValue(index_, QVariant(), nullptr);
}

bool Field::loadFromFile(const QString& path, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Soubor %1 nelze otevřít: %2").arg(path, f.errorString());
        return false;
    }
    return setBlob(f.readAll(), error);
}

bool Field::saveToStream(QIODevice* out, QString* error) const {
    const QByteArray b = blob();
    if (out->write(b) != b.size()) {
        if (error) *error = QStringLiteral("Zápis se nezdařil: %1").arg(out->errorString());
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- DataSet

DataSet::DataSet(std::unique_ptr<RecordStore> store) {
    if (store) setStore(std::move(store));
}

DataSet::~DataSet() {
    // Attached controls outlive the tables their window shows them.
    const auto copy = observers_;
    observers_.clear();
    for (auto* o : copy) o->dataSetDestroyed(*this);
}

void DataSet::setStore(std::unique_ptr<RecordStore> store) {
    if (isOpen()) close();
    store_ = std::move(store);
    filterExpr_.reset();
    filtered_ = false;
    rebuildFields();
    if (store_) open();
}

bool DataSet::syncFieldsWithStore() {
    // Stores that type their columns by content (CSV) may retype them after a write.
    const FieldDefs& defs = store_->fieldDefs();
    bool same = std::min<qsizetype>(defs.size(), kMaxFieldObjects - 1) == storedCount_;
    for (int i = 0; same && i < storedCount_; ++i) same = fields_[size_t(i)]->def() == defs[i];
    if (same) return false;
    // The same columns under new types (a CSV column that now holds text):
    // retype the field objects in place, so that pointers held by grids and
    // reports stay valid.
    bool sameColumns = std::min<qsizetype>(defs.size(), kMaxFieldObjects - 1) == storedCount_;
    for (int i = 0; sameColumns && i < storedCount_; ++i)
        sameColumns = fields_[size_t(i)]->name() == defs[i].name;
    if (sameColumns) {
        for (int i = 0; i < storedCount_; ++i) fields_[size_t(i)]->def_ = defs[i];
        return true;
    }
    rebuildFields();
    return true;
}

void DataSet::rebuildFields() {
    std::vector<std::unique_ptr<Field>> old = std::move(fields_);
    fields_.clear();
    if (store_) {
        const FieldDefs& defs = store_->fieldDefs();
        for (int i = 0; i < defs.size() && int(fields_.size()) < kMaxFieldObjects - 1; ++i)
            fields_.emplace_back(new Field(this, i, defs[i], false));
    }
    storedCount_ = int(fields_.size());
    for (const auto& [def, recNo] : calcDefs_) {
        if (int(fields_.size()) >= kMaxFieldObjects) break;
        auto* f = new Field(this, int(fields_.size()), def, true);
        f->recordNumber_ = recNo;
        fields_.emplace_back(f);
    }
    // Keep display settings of fields that exist again under the same name.
    for (auto& f : fields_)
        for (auto& o : old)
            if (sameName(o->name(), f->name()) && o->dataType() == f->dataType()) {
                f->displayLabel_ = o->displayLabel_;
                f->displayFormat_ = o->displayFormat_;
                f->editFormat_ = o->editFormat_;
                f->editMask_ = o->editMask_;
                f->displayWidth_ = o->displayWidth_;
                break;
            }
}

Field* DataSet::addCalculatedField(const QString& name, FieldType type, bool recordNumber) {
    if (int(fields_.size()) >= kMaxFieldObjects) return nullptr;
    FieldDef def{name, type, 0, false};
    calcDefs_.emplace_back(def, recordNumber);
    auto* f = new Field(this, int(fields_.size()), def, true);
    f->recordNumber_ = recordNumber;
    fields_.emplace_back(f);
    if (isOpen()) {
        current_.resize(qsizetype(fields_.size()));
        loadCurrent();
    }
    return f;
}

bool DataSet::open(QString* error) {
    if (isOpen()) return true;
    if (!store_) {
        if (error) *error = QStringLiteral("Tabulka není určena");
        return false;
    }
    state_ = State::Browse;
    invalidateCache();
    if (filtered_ && !rebuildFilterView(error)) {
        filtered_ = false;
    }
    setPosition(0);
    bof_ = true;
    eof_ = visibleCount() == 0;
    notify(DataSetEvent::Opened);
    return true;
}

void DataSet::close() {
    if (!isOpen()) return;
    state_ = State::Inactive;
    current_.clear();
    invalidateCache();
    notify(DataSetEvent::Closed);
}

bool DataSet::isReadOnly() const {
    return !store_ || !store_->canWrite(nullptr);
}

qint64 DataSet::visibleCount() const {
    if (!store_) return 0;
    return filtered_ ? qint64(filterRows_.size()) : store_->rowCount();
}

qint64 DataSet::storeRowAt(qint64 pos) const {
    if (pos < 0 || pos >= visibleCount()) return -1;
    return filtered_ ? filterRows_[size_t(pos)] : pos;
}

qint64 DataSet::positionOfRow(qint64 row) const {
    if (row < 0) return -1;
    if (!filtered_) return row < store_->rowCount() ? row : -1;
    const auto it = std::lower_bound(filterRows_.begin(), filterRows_.end(), row);
    return it != filterRows_.end() && *it == row ? qint64(it - filterRows_.begin()) : -1;
}

void DataSet::invalidateCache() {
    cache_.clear();
    cacheFirst_ = 0;
}

const RawRecord* DataSet::fetchRow(qint64 row) {
    if (row < cacheFirst_ || row >= cacheFirst_ + cache_.size()) {
        // Reading backwards fills the window below the row, forwards above it.
        qint64 first = row;
        if (!cache_.isEmpty() && row < cacheFirst_) first = std::max<qint64>(0, row - kWindow + 1);
        cache_.clear();
        cacheFirst_ = first;
        QString err;
        if (!store_->readRows(first, kWindow, &cache_, &err)) {
            cache_.clear();
            lastError_ = err;
            return nullptr;
        }
        // A store gives at most the rows asked for, from the first one on.
        assert(cache_.size() <= kWindow);
        if (row >= cacheFirst_ + cache_.size()) return nullptr;
    }
    assert(row >= cacheFirst_ && row - cacheFirst_ < cache_.size());
    return &cache_[qsizetype(row - cacheFirst_)];
}

bool DataSet::loadCurrent() {
    const qsizetype n = qsizetype(fields_.size());
    current_ = RawRecord(n);
    const qint64 row = storeRowAt(pos_);
    if (row >= 0) {
        if (const RawRecord* r = fetchRow(row)) {
            for (qsizetype i = 0; i < std::min<qsizetype>(r->size(), storedCount_); ++i)
                current_[i] = r->at(i);
        }
    }
    if (row >= 0 && storedCount_ < n) {
        for (const auto& f : fields_)
            if (f->recordNumber_) current_[f->index_] = QVariant::fromValue<qint64>(pos_ + 1);
        if (calcHook_) {
            inCalc_ = true;
            calcHook_(*this);
            inCalc_ = false;
        }
    }
    return row >= 0;
}

void DataSet::setPosition(qint64 pos) {
    const qint64 count = visibleCount();
    pos_ = std::clamp<qint64>(pos, 0, std::max<qint64>(0, count - 1));
    loadCurrent();
}

void DataSet::notify(DataSetEvent e) {
    if (disableCount_ > 0) {
        pendingChange_ = true;
        return;
    }
    const auto copy = observers_;
    for (auto* o : copy) o->dataSetEvent(*this, e);
}

void DataSet::first() {
    if (!isOpen()) return;
    if (state_ != State::Browse) cancel();
    setPosition(0);
    bof_ = true;
    eof_ = visibleCount() == 0;
    notify(DataSetEvent::RecordMoved);
}

void DataSet::last() {
    if (!isOpen()) return;
    if (state_ != State::Browse) cancel();
    setPosition(visibleCount() - 1);
    eof_ = true;
    bof_ = visibleCount() == 0;
    notify(DataSetEvent::RecordMoved);
}

void DataSet::next() {
    moveBy(1);
}

void DataSet::prior() {
    moveBy(-1);
}

qint64 DataSet::moveBy(qint64 n) {
    if (!isOpen()) return 0;
    if (state_ != State::Browse) cancel();
    const qint64 count = visibleCount();
    if (count == 0) {
        bof_ = eof_ = true;
        return 0;
    }
    const qint64 target = pos_ + n;
    const qint64 clamped = std::clamp<qint64>(target, 0, count - 1);
    const qint64 moved = clamped - pos_;
    bof_ = n < 0 && target < 0;
    eof_ = n > 0 && target > count - 1;
    if (n == 0) bof_ = eof_ = false;
    if (moved != 0) setPosition(clamped);
    notify(DataSetEvent::RecordMoved);
    return moved;
}

qint64 DataSet::recNo() const {
    if (!isOpen() || visibleCount() == 0) return 0;
    if (state_ == State::Insert) return 0;
    return pos_ + 1;
}

bool DataSet::setRecNo(qint64 n) {
    if (!isOpen() || n < 1 || n > visibleCount()) return false;
    if (state_ != State::Browse) cancel();
    setPosition(n - 1);
    bof_ = eof_ = false;
    notify(DataSetEvent::RecordMoved);
    return true;
}

qint64 DataSet::recordCount() const {
    return isOpen() ? visibleCount() : 0;
}

bool DataSet::refreshIfChangedElsewhere() {
    if (!isOpen()) return false;
    if (store_->changedElsewhere()) changedElsewhere_ = true;
    if (!changedElsewhere_ || state_ != State::Browse) return changedElsewhere_;
    changedElsewhere_ = false;
    QString err;
    if (!refresh(&err)) lastError_ = err;
    return false;
}

void DataSet::dropStaleRows() {
    if (!store_ || !store_->changedElsewhere()) return;
    changedElsewhere_ = true;
    invalidateCache();
    // What the grid shows and the current record stay the same record.
    if (state_ == State::Browse) loadCurrent();
}

QString DataSet::conflictMessage(RowConflict conflict, bool deleting) {
    if (conflict == RowConflict::Vanished)
        return deleting ? QStringLiteral("Záznam byl mezitím vymazán jiným uživatelem")
                        : QStringLiteral(
                              "Záznam byl mezitím vymazán jiným uživatelem, "
                              "změny nebyly uloženy");
    return deleting ? QStringLiteral(
                          "Záznam mezitím změnil jiný uživatel, nebyl vymazán. "
                          "Zobrazuje se jeho uložená podoba")
                    : QStringLiteral(
                          "Záznam mezitím změnil jiný uživatel, změny nebyly uloženy. "
                          "Zobrazuje se jeho uložená podoba");
}

void DataSet::reloadAfterConflict() {
    const qint64 editedRow = state_ == State::Edit ? editRow_ : storeRowAt(pos_);
    const Bookmark b{editedRow >= 0 ? store_->rowId(editedRow) : -1};
    state_ = State::Browse;
    QString err;
    if (!store_->reload(&err)) lastError_ = err;
    invalidateCache();
    syncFieldsWithStore();
    if (filtered_) rebuildFilterView(&err);
    const qint64 pos = b.isValid() ? positionOfRow(store_->rowOfId(b.id)) : -1;
    setPosition(pos >= 0 ? pos : pos_);
    bof_ = eof_ = visibleCount() == 0;
    notify(DataSetEvent::DataChanged);
}

bool DataSet::peekRecord(qint64 pos, RawRecord* out) {
    if (isOpen()) dropStaleRows();
    const qint64 row = isOpen() ? storeRowAt(pos) : -1;
    if (row < 0) return false;
    const RawRecord* r = fetchRow(row);
    if (!r) return false;
    *out = RawRecord(qsizetype(fields_.size()));
    for (qsizetype i = 0; i < std::min<qsizetype>(r->size(), storedCount_); ++i)
        (*out)[i] = r->at(i);
    for (const auto& f : fields_)
        if (f->recordNumber_) (*out)[f->index_] = QVariant::fromValue<qint64>(pos + 1);
    return true;
}

Bookmark DataSet::bookmark() const {
    if (!isOpen() || visibleCount() == 0) return {};
    const qint64 row = storeRowAt(pos_);
    return row < 0 ? Bookmark{} : Bookmark{store_->rowId(row)};
}

bool DataSet::bookmarkValid(const Bookmark& b) const {
    return isOpen() && b.isValid() && positionOfRow(store_->rowOfId(b.id)) >= 0;
}

bool DataSet::gotoBookmark(const Bookmark& b) {
    if (!isOpen() || !b.isValid()) return false;
    const qint64 pos = positionOfRow(store_->rowOfId(b.id));
    if (pos < 0) {
        lastError_ = QStringLiteral("Záznam nebyl nalezen");
        return false;
    }
    if (state_ != State::Browse) cancel();
    setPosition(pos);
    bof_ = eof_ = false;
    notify(DataSetEvent::RecordMoved);
    return true;
}

Field* DataSet::field(int index) const {
    return index >= 0 && index < int(fields_.size()) ? fields_[size_t(index)].get() : nullptr;
}

int DataSet::fieldIndex(const QString& name) const {
    for (const auto& f : fields_)
        if (sameName(f->name(), name)) return f->index();
    return -1;
}

Field* DataSet::findField(const QString& name) const {
    return field(fieldIndex(name));
}

void DataSet::addObserver(DataSetObserver* o) {
    if (std::find(observers_.begin(), observers_.end(), o) == observers_.end())
        observers_.push_back(o);
}

void DataSet::removeObserver(DataSetObserver* o) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), o), observers_.end());
}

void DataSet::disableControls() {
    ++disableCount_;
}

void DataSet::enableControls() {
    if (disableCount_ == 0) return;
    if (--disableCount_ == 0 && pendingChange_) {
        pendingChange_ = false;
        notify(DataSetEvent::DataChanged);
    }
}

bool DataSet::refresh(QString* error) {
    if (!isOpen()) return false;
    if (state_ != State::Browse) cancel();
    const Bookmark b = bookmark();
    if (!store_->reload(error)) return false;
    changedElsewhere_ = false;
    invalidateCache();
    syncFieldsWithStore();
    if (filtered_ && !rebuildFilterView(error)) return false;
    const qint64 pos = b.isValid() ? positionOfRow(store_->rowOfId(b.id)) : -1;
    setPosition(pos >= 0 ? pos : pos_);
    bof_ = eof_ = visibleCount() == 0;
    notify(DataSetEvent::DataChanged);
    return true;
}

// ---------------------------------------------------------------- editing

const QVariant& DataSet::rawValue(int field) const {
    if (!isOpen() || field < 0 || field >= current_.size()) return kNull;
    return current_[field];
}

bool DataSet::setRawValue(int index, const QVariant& v, QString* error) {
    Field* f = field(index);
    if (!f || !isOpen()) {
        if (error) *error = QStringLiteral("Tabulka není otevřena");
        return false;
    }
    if (f->isCalculated()) {
        if (!inCalc_) {
            if (error) *error = QStringLiteral("Počítané pole %1 nelze měnit").arg(f->name());
            return false;
        }
        current_[index] = v;
        return true;
    }
    if (state_ != State::Edit && state_ != State::Insert) {
        if (error) *error = QStringLiteral("Tabulka není v režimu editace nebo vkládání");
        return false;
    }
    current_[index] = v;
    return true;
}

bool DataSet::checkBrowse(QString* error) {
    if (!isOpen()) {
        if (error) *error = QStringLiteral("Tabulka není otevřena");
        return false;
    }
    QString reason;
    if (!store_->canWrite(&reason)) {
        if (error) *error = reason;
        return false;
    }
    if (state_ != State::Browse && !post(error)) return false;
    return true;
}

bool DataSet::append(QString* error) {
    if (!checkBrowse(error)) return false;
    saved_ = current_;
    current_ = RawRecord(qsizetype(fields_.size()));
    state_ = State::Insert;
    editRow_ = -1;
    bof_ = eof_ = false;
    notify(DataSetEvent::StateChanged);
    return true;
}

bool DataSet::insert(QString* error) {
    return append(error);
}

bool DataSet::edit(QString* error) {
    if (state_ == State::Edit || state_ == State::Insert) return true;
    if (!checkBrowse(error)) return false;
    if (visibleCount() == 0) return append(error);
    saved_ = current_;
    editRow_ = storeRowAt(pos_);
    state_ = State::Edit;
    notify(DataSetEvent::StateChanged);
    return true;
}

bool DataSet::validateRecord(const RawRecord& r, QString* error) const {
    for (int i = 0; i < storedCount_; ++i) {
        const FieldDef& d = fields_[size_t(i)]->def();
        const QVariant& v = r[i];
        if (d.required && (v.isNull() || (d.type == FieldType::String && v.toString().isEmpty()))) {
            if (error) *error = QStringLiteral("Pole %1 musí mít hodnotu").arg(d.name);
            return false;
        }
        if (d.type == FieldType::String && d.size > 0 && !v.isNull() &&
            v.toString().size() > d.size) {
            if (error)
                *error = QStringLiteral("Text pole %1 je delší než %2 znaků (má %3)")
                             .arg(d.name)
                             .arg(d.size)
                             .arg(v.toString().size());
            return false;
        }
    }
    return true;
}

bool DataSet::post(QString* error) {
    if (state_ != State::Edit && state_ != State::Insert) return true;
    RawRecord stored = current_.mid(0, storedCount_);
    if (!validateRecord(stored, error)) return false;
    qint64 row = -1;
    QString err;
    RowConflict conflict = RowConflict::None;
    const bool ok = state_ == State::Insert
                        ? store_->insertRow(stored, &row, &err)
                        : store_->updateReadRow(editRow_, saved_.mid(0, storedCount_), stored, &row,
                                                &conflict, &err);
    if (!ok) {
        if (error) *error = err;
        return false;
    }
    if (conflict != RowConflict::None) {
        // Another writer was first: its record is shown, the edit is dropped.
        if (error) *error = conflictMessage(conflict, false);
        reloadAfterConflict();
        return false;
    }
    state_ = State::Browse;
    invalidateCache();
    syncFieldsWithStore();
    if (filtered_) {
        // The posted record stays visible where it now stands, as long as it
        // still passes the filter.
        QString ferr;
        rebuildFilterView(&ferr);
    }
    const qint64 pos = positionOfRow(row);
    setPosition(pos >= 0 ? pos : pos_);
    bof_ = eof_ = false;
    notify(DataSetEvent::DataChanged);
    return true;
}

void DataSet::cancel() {
    if (state_ != State::Edit && state_ != State::Insert) return;
    state_ = State::Browse;
    current_ = saved_;
    loadCurrent();
    notify(DataSetEvent::StateChanged);
}

bool DataSet::deleteRecord(QString* error) {
    if (!isOpen()) {
        if (error) *error = QStringLiteral("Tabulka není otevřena");
        return false;
    }
    if (state_ == State::Insert) {
        cancel();
        return true;
    }
    if (state_ == State::Edit) cancel();
    QString reason;
    if (!store_->canWrite(&reason)) {
        if (error) *error = reason;
        return false;
    }
    const qint64 row = storeRowAt(pos_);
    if (row < 0) {
        if (error) *error = QStringLiteral("Tabulka je prázdná");
        return false;
    }
    RowConflict conflict = RowConflict::None;
    if (!store_->deleteReadRow(row, current_.mid(0, storedCount_), &conflict, error)) return false;
    if (conflict != RowConflict::None) {
        if (error) *error = conflictMessage(conflict, true);
        reloadAfterConflict();
        return false;
    }
    invalidateCache();
    syncFieldsWithStore();
    if (filtered_) {
        auto it = std::lower_bound(filterRows_.begin(), filterRows_.end(), row);
        if (it != filterRows_.end() && *it == row) it = filterRows_.erase(it);
        for (; it != filterRows_.end(); ++it) --*it;
    }
    setPosition(pos_);
    bof_ = eof_ = visibleCount() == 0;
    notify(DataSetEvent::DataChanged);
    return true;
}

bool DataSet::findKey(const TaggedValue& key) {
    if (!isOpen() || store_->keyField() < 0) return false;
    QVariant raw;
    if (!rawFromTagged(key, store_->fieldDefs()[store_->keyField()], &raw, nullptr)) return false;
    const qint64 pos = positionOfRow(store_->findKey(raw));
    if (pos < 0) return false;
    if (state_ != State::Browse) cancel();
    setPosition(pos);
    bof_ = eof_ = false;
    notify(DataSetEvent::RecordMoved);
    return true;
}

// ---------------------------------------------------------------- filter

bool DataSet::setFilter(const QString& text, QString* error) {
    filterText_ = text;
    filterExpr_.reset();
    if (filtered_) return setFiltered(true, error);
    return true;
}

bool DataSet::setFiltered(bool on, QString* error) {
    if (!on) {
        filtered_ = false;
        filterRows_.clear();
        filterRows_.shrink_to_fit();
        if (isOpen()) {
            if (state_ != State::Browse) cancel();
            setPosition(0);
            bof_ = true;
            eof_ = visibleCount() == 0;
            notify(DataSetEvent::DataChanged);
        }
        return true;
    }
    if (filterText_.trimmed().isEmpty()) {
        filterExpr_.reset();
        return setFiltered(false, error);
    }
    auto resolve = [this](const QString& name) -> std::optional<FilterField> {
        // Display labels first (what the filter dialog writes), then names.
        for (const auto& f : fields_)
            if (sameName(f->displayLabel(), name)) return FilterField{f->index(), f->dataType()};
        if (Field* f = findField(name)) return FilterField{f->index(), f->dataType()};
        return std::nullopt;
    };
    auto expr = FilterExpression::parse(filterText_, resolve, error);
    if (!expr) {
        filtered_ = false;
        filterRows_.clear();
        return false;
    }
    filterExpr_ = std::move(expr);
    filtered_ = true;
    if (!isOpen()) return true;
    if (state_ != State::Browse) cancel();
    if (!rebuildFilterView(error)) {
        filtered_ = false;
        filterRows_.clear();
        return false;
    }
    setPosition(0);
    bof_ = true;
    eof_ = visibleCount() == 0;
    notify(DataSetEvent::DataChanged);
    return true;
}

bool DataSet::recordMatches(const RawRecord& r, qint64 row) const {
    return filterExpr_->matches([&](int i) -> QVariant {
        if (i < storedCount_) return i < r.size() ? r[i] : QVariant();
        // Calculated fields: the record number is the row's sequence number.
        const Field* f = fields_[size_t(i)].get();
        return f->recordNumber_ ? QVariant::fromValue<qint64>(row + 1) : QVariant();
    });
}

bool DataSet::rebuildFilterView(QString* error) {
    filterRows_.clear();
    if (!filterExpr_ || !store_) return true;
    const qint64 n = store_->rowCount();
    constexpr qint64 kChunk = 4096;
    QList<RawRecord> chunk;
    for (qint64 first = 0; first < n; first += kChunk) {
        chunk.clear();
        if (!store_->readRows(first, kChunk, &chunk, error)) return false;
        for (qsizetype i = 0; i < chunk.size(); ++i)
            if (recordMatches(chunk[i], first + i)) filterRows_.push_back(first + i);
    }
    return true;
}

}  // namespace dorvana
