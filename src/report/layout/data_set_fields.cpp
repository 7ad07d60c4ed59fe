#include "report/layout/data_set_fields.h"

#include "data/data_set.h"

namespace dorvana {

const Field* DataSetFields::field(int index) const {
    if (!dataSet_ || !dataSet_->isOpen() || index < 0 || index >= dataSet_->fieldCount())
        return nullptr;
    return dataSet_->field(index);
}

int DataSetFields::fieldCount() const {
    return dataSet_ && dataSet_->isOpen() ? dataSet_->fieldCount() : 0;
}

QString DataSetFields::fieldName(int index) const {
    const Field* f = field(index);
    return f ? f->name() : QString();
}

QString DataSetFields::displayText(int index) const {
    const Field* f = field(index);
    // An empty data set has no current record: its fields show nothing.
    if (!f || dataSet_->isEmpty()) return {};
    return f->displayText();
}

QString DataSetFields::displayLabel(int index) const {
    const Field* f = field(index);
    return f ? f->displayLabel() : QString();
}

ReportFieldSource::FieldKind DataSetFields::fieldKind(int index) const {
    const Field* f = field(index);
    if (!f) return FieldKind::Other;
    switch (f->dataType()) {
        case FieldType::Memo:
            return FieldKind::Memo;
        case FieldType::Blob:
        case FieldType::Graphic:
            return FieldKind::Picture;
        default:
            return FieldKind::Other;
    }
}

QByteArray DataSetFields::blobData(int index) const {
    const Field* f = field(index);
    if (!f || dataSet_->isEmpty()) return {};
    return f->blob();
}

int DataSetFields::fieldIndex(const QString& name) const {
    return dataSet_ && dataSet_->isOpen() ? dataSet_->fieldIndex(name) : -1;
}

}  // namespace dorvana
